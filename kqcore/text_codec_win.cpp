// Windows build: the system's code page 936 and UTF-8 tables, named explicitly.
#include <windows.h>

#include "kqcore/text_codec.h"
#include "kqcore/wide_win.h"

namespace codec {
namespace {

std::wstring toWide(UINT codePage, const std::string& in) {
  if (in.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), &out[0], n);
  return out;
}

std::string fromWide(UINT codePage, const std::wstring& in, bool replaceUnmappable) {
  if (in.empty()) return std::string();
  // UTF-8 refuses a default character, so only code page 936 gets "?" explicitly.
  const char* defaultChar = replaceUnmappable ? "?" : nullptr;
  const DWORD flags = replaceUnmappable ? WC_NO_BEST_FIT_CHARS : 0;
  const int n =
      WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), nullptr, 0, defaultChar, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), &out[0], n, defaultChar, nullptr);
  return out;
}

}  // namespace

std::string utf8ToGbk(const std::string& utf8) {
  // Invalid sequences come out of the UTF-8 decoder as U+FFFD, which GBK lacks: "?".  A
  // character beyond the BMP (two UTF-16 units, never in GBK) becomes one "?", not two.
  std::wstring wide = toWide(CP_UTF8, utf8);
  std::wstring single;
  single.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const wchar_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      single += L'?';
      ++i;
    } else {
      single += c;
    }
  }
  return fromWide(936, single, true);
}

std::string gbkToUtf8(const std::string& gbk) { return fromWide(CP_UTF8, toWide(936, gbk), false); }

}  // namespace codec

std::wstring gbkToWide(const std::string& gbk) { return codec::toWide(936, gbk); }
std::string wideToGbk(const std::wstring& wide) { return codec::fromWide(936, wide, true); }
