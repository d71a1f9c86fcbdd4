// Native build: iconv from the C library.
#include <iconv.h>

#include <cerrno>
#include <vector>

#include "kqcore/text_codec.h"

namespace codec {
namespace {

// Byte length of the UTF-8 sequence led by c (1 for a stray byte).
std::size_t utf8Len(unsigned char c) {
  if (c >= 0xF0) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC0) return 2;
  return 1;
}

std::size_t oneByte(unsigned char) { return 1; }

// Converts with iconv; an input sequence that cannot be converted is replaced by `bad`
// (already in the target encoding) and skipped by skip(first byte) input bytes.
std::string convert(const char* to, const char* from, const std::string& in, const std::string& bad,
                    std::size_t (*skip)(unsigned char)) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
  std::string out;
  std::vector<char> buf(4096);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buf.data();
    std::size_t dstLeft = buf.size();
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf.data(), buf.size() - dstLeft);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      out += bad;  // EILSEQ or EINVAL: an unconvertible or truncated sequence
      std::size_t n = skip(static_cast<unsigned char>(*src));
      if (n > srcLeft) n = srcLeft;
      src += n;
      srcLeft -= n;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string utf8ToGbk(const std::string& utf8) { return convert("GBK", "UTF-8", utf8, "?", utf8Len); }

std::string gbkToUtf8(const std::string& gbk) { return convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD", oneByte); }

}  // namespace codec
