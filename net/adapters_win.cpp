#include <winsock2.h>
// (winsock2.h before windows.h)
#include <iphlpapi.h>
#include <ws2tcpip.h>

#include "net/adapters_win.h"

std::vector<NetworkAdapter> systemAdapters() {
  std::vector<NetworkAdapter> out;
  // The list's size is not known beforehand; it may also grow between the two calls.
  ULONG bytes = 16 * 1024;
  std::vector<unsigned char> buffer;
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.resize(bytes);
    result = ::GetAdaptersAddresses(AF_INET, GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_SKIP_DNS_SERVER, nullptr,
                                    reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &bytes);
  }
  if (result != NO_ERROR) return out;
  for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); a; a = a->Next) {
    for (IP_ADAPTER_UNICAST_ADDRESS* u = a->FirstUnicastAddress; u; u = u->Next) {
      if (!u->Address.lpSockaddr || u->Address.lpSockaddr->sa_family != AF_INET) continue;
      const auto* in = reinterpret_cast<const sockaddr_in*>(u->Address.lpSockaddr);
      const unsigned long ip = ntohl(in->sin_addr.s_addr);
      NetworkAdapter n;
      n.address = std::to_string((ip >> 24) & 255) + "." + std::to_string((ip >> 16) & 255) + "." +
                  std::to_string((ip >> 8) & 255) + "." + std::to_string(ip & 255);
      n.up = a->OperStatus == IfOperStatusUp;
      n.gateway = a->FirstGatewayAddress != nullptr;
      n.loopback = a->IfType == IF_TYPE_SOFTWARE_LOOPBACK || (ip >> 24) == 127;
      out.push_back(n);
    }
  }
  return out;
}
