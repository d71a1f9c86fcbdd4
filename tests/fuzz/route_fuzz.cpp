// Any request line and target: the answer is one of the known statuses, and a served route is
// one of the fixed paths.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/web_routes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t space = bytes.find(' ');
  const std::string method = bytes.substr(0, space);
  const std::string target = space == std::string::npos ? std::string() : bytes.substr(space + 1);
  const RouteResult r = routeRequest(method, target, size, size % 7 == 0);
  switch (r.status) {
    case 200:
      // A query may hold anything (it never names a file); the path is one of the fixed ones.
      if (r.route == Route::None || method != (r.route == Route::JudgeScore ? "POST" : "GET") ||
          target.substr(0, target.find('?')).find("..") != std::string::npos)
        std::abort();
      break;
    case 400:
    case 404:
    case 405:
    case 413:
    case 431:
      break;
    default:
      std::abort();
  }
  return 0;
}
