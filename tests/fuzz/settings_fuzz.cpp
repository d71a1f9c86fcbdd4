// Any bytes as a settings store: reading never fails, and what it writes back reads the same.
// The rounds read from it are either refused or read back the same once written.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "contest/rounds.h"
#include "contest/settings.h"
#include "kqcore/config_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ConfigStore store(settingsDefaults());
  store.parse(std::string(reinterpret_cast<const char*>(data), size));
  for (const char* key : {"xsw", "width", "title", "clrteam", "on"}) {
    store.getInt(key);
    store.getStr(key);
    store.getClr(key);
    store.getB(key);
  }
  const std::string written = store.serialise();
  ConfigStore again(settingsDefaults());
  again.parse(written);
  if (again.serialise() != written) std::abort();
  for (const char* key : {"title", "scoresteps", "width", "rounds"})
    if (again.getStr(key) != store.getStr(key)) std::abort();
  std::vector<Round> rounds, back;
  if (decodeRounds(store.getStr("rounds"), rounds) && (!decodeRounds(encodeRounds(rounds), back) || back != rounds))
    std::abort();
  return 0;
}
