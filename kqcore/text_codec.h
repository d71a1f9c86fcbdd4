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

// UTF-16 (two bytes a unit, in the given byte order, no byte-order mark) to UTF-8; a lone
// surrogate becomes U+FFFD and an odd last byte is dropped.
std::string utf16ToUtf8(const std::string& bytes, bool bigEndian);

// True when the text holds any byte of 0x80 or above.
bool hasNonAscii(const std::string& text);

}  // namespace codec
