// Conversions between GBK and other encodings.  The platform does the work (iconv natively,
// MultiByteToWideChar / WideCharToMultiByte with code page 936 on Windows); this is the one
// interface the rest of the program sees.
#pragma once
#include <string>

namespace codec {

// UTF-8 to GBK; a character with no GBK form becomes "?".  Invalid UTF-8 sequences also
// become "?".
std::string utf8ToGbk(const std::string& utf8);

// GBK to UTF-8; a byte sequence that is not GBK becomes U+FFFD.
std::string gbkToUtf8(const std::string& gbk);

// True when the whole text is well-formed UTF-8 (shortest forms, no surrogates).
bool isValidUtf8(const std::string& text);

// True when the text holds any byte of 0x80 or above.
bool hasNonAscii(const std::string& text);

}  // namespace codec
