// Any bytes through the text conversions: no fault, and UTF-16 always becomes valid UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "kqcore/gbk.h"
#include "kqcore/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const bool valid = codec::isValidUtf8(bytes);
  const std::string gbkText = codec::utf8ToGbk(bytes);
  if (valid && !codec::isValidUtf8(codec::gbkToUtf8(gbkText))) std::abort();
  if (!codec::isValidUtf8(codec::gbkToUtf8(bytes))) std::abort();
  for (bool bigEndian : {false, true})
    if (!codec::isValidUtf8(codec::utf16ToUtf8(bytes, bigEndian))) std::abort();
  if (gbk::truncate(bytes, 50).size() > 50) std::abort();
  return 0;
}
