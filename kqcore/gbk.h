// GBK (code page 936) text helpers.  Every routine here walks the text character by character:
// a lead byte 0x81-0xFE takes the next byte as its trail, so a trail byte such as 0x60 (`)
// or 0x5C (\) is never mistaken for a separator or a match.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace gbk {

// Length in bytes (1 or 2) of the character starting at text[pos].
std::size_t charLen(const std::string& text, std::size_t pos);

// The index-th piece (from 0) of text split at the one-byte separator; empty when there is
// no such piece.
std::string piece(const std::string& text, char separator, int index);

// All pieces of text split at the one-byte separator, in order: piece(text, sep, k) is
// element k (the last element is what follows the last separator, possibly empty).
std::vector<std::string> split(const std::string& text, char separator);

// Every occurrence of `from` that starts on a character boundary replaced by `to`.
std::string replaceAll(const std::string& text, const std::string& from, const std::string& to);

// True when the one-byte character c occurs as a whole character of text.
bool containsChar(const std::string& text, char c);

// At most maxBytes bytes of text, cut on a character boundary.
std::string truncate(const std::string& text, std::size_t maxBytes);

}  // namespace gbk
