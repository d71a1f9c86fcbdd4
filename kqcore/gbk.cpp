#include "kqcore/gbk.h"

namespace gbk {

std::size_t charLen(const std::string& text, std::size_t pos) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  if (lead >= 0x81 && lead <= 0xFE && pos + 1 < text.size()) return 2;
  return 1;
}

std::string piece(const std::string& text, char separator, int index) {
  if (index < 0) return std::string();
  int current = 0;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = charLen(text, pos);
    if (len == 1 && text[pos] == separator) {
      if (current == index) return text.substr(start, pos - start);
      ++current;
      start = pos + 1;
    }
    pos += len;
  }
  if (current == index) return text.substr(start);
  return std::string();
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = charLen(text, pos);
    if (len == 1 && text[pos] == separator) {
      pieces.push_back(text.substr(start, pos - start));
      start = pos + 1;
    }
    pos += len;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text.compare(pos, from.size(), from) == 0) {
      out += to;
      pos += from.size();
      continue;
    }
    const std::size_t len = charLen(text, pos);
    out.append(text, pos, len);
    pos += len;
  }
  return out;
}

bool containsChar(const std::string& text, char c) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = charLen(text, pos);
    if (len == 1 && text[pos] == c) return true;
    pos += len;
  }
  return false;
}

std::string truncate(const std::string& text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t len = charLen(text, end);
    if (end + len > maxBytes) break;
    end += len;
  }
  return text.substr(0, end);
}

}  // namespace gbk
