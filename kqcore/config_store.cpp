#include "kqcore/config_store.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "kqcore/file_io.h"
#include "kqcore/gbk.h"

namespace configtext {

std::string escape(const std::string& value) {
  std::string out;
  for (std::size_t pos = 0; pos < value.size();) {
    const std::size_t len = gbk::charLen(value, pos);
    const char c = value[pos];
    if (len == 1 && c == '\\')
      out += "\\\\";
    else if (len == 1 && c == '\r')
      out += "\\r";
    else if (len == 1 && c == '\n')
      out += "\\n";
    else
      out.append(value, pos, len);
    pos += len;
  }
  return out;
}

std::string unescape(const std::string& text) {
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = gbk::charLen(text, pos);
    if (len == 1 && text[pos] == '\\' && pos + 1 < text.size()) {
      const char next = text[pos + 1];
      if (next == '\\' || next == 'r' || next == 'n') {
        out += next == '\\' ? '\\' : (next == 'r' ? '\r' : '\n');
        pos += 2;
        continue;
      }
    }
    out.append(text, pos, len);
    pos += len;
  }
  return out;
}

bool parseInt(const std::string& raw, long long& out) {
  const std::size_t first = raw.find_first_not_of(" \t");
  if (first == std::string::npos) return false;
  const std::string text = raw.substr(first, raw.find_last_not_of(" \t") - first + 1);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  unsigned long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFull) return false;
  }
  out = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
  return true;
}

}  // namespace configtext

ConfigStore::ConfigStore(Defaults defaults) : defaults_(std::move(defaults)) {}

void ConfigStore::open(const std::string& readPath, const std::string& writePath) {
  writePath_ = writePath;
  std::string content;
  fileio::readPrefix(readPath, 1u << 20, content);
  parse(content);
}

void ConfigStore::parse(const std::string& content) {
  entries_.clear();
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq);
    // Spaces around a key and a byte-order mark an editor left before it (also where files
    // were joined) are not part of it, so a key read is the key written back.
    for (std::size_t before = key.size() + 1; key.size() != before;) {
      before = key.size();
      while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
      while (!key.empty() && (key.front() == ' ' || key.front() == '\t')) key.erase(0, 1);
      if (key.compare(0, 3, "\xEF\xBB\xBF") == 0) key.erase(0, 3);
    }
    if (key.empty()) continue;
    const std::string value = configtext::unescape(line.substr(eq + 1));
    bool replaced = false;
    for (auto& e : entries_)
      if (e.first == key) {
        e.second = value;  // a later line of the same key wins
        replaced = true;
      }
    if (!replaced) entries_.emplace_back(key, value);
  }
}

std::string ConfigStore::serialise() const {
  std::string out;
  for (const auto& e : entries_) out += e.first + "=" + configtext::escape(e.second) + "\r\n";
  return out;
}

bool ConfigStore::lookup(const std::string& key, std::string& value) const {
  for (const auto& e : entries_)
    if (e.first == key) {
      value = e.second;
      return true;
    }
  const auto it = defaults_.find(key);
  if (it == defaults_.end()) return false;
  value = it->second;
  return true;
}

int ConfigStore::getInt(const std::string& key) const {
  std::string text;
  long long v = 0;
  if (lookup(key, text) && configtext::parseInt(text, v) && v >= INT_MIN && v <= INT_MAX) return static_cast<int>(v);
  const auto it = defaults_.find(key);
  if (it != defaults_.end() && configtext::parseInt(it->second, v) && v >= INT_MIN && v <= INT_MAX)
    return static_cast<int>(v);
  return 0;
}

std::string ConfigStore::getStr(const std::string& key) const {
  std::string text;
  return lookup(key, text) ? text : std::string();
}

std::uint32_t ConfigStore::getClr(const std::string& key) const {
  std::string text;
  long long v = 0;
  if (lookup(key, text) && configtext::parseInt(text, v) && v >= 0) return static_cast<std::uint32_t>(v);
  const auto it = defaults_.find(key);
  if (it != defaults_.end() && configtext::parseInt(it->second, v) && v >= 0) return static_cast<std::uint32_t>(v);
  return 0xFF000000u;
}

int ConfigStore::getB(const std::string& key) const { return getInt(key) != 0 ? 1 : 0; }

bool ConfigStore::set(const std::string& key, const std::string& value) {
  bool found = false;
  for (auto& e : entries_)
    if (e.first == key) {
      e.second = value;
      found = true;
    }
  if (!found) entries_.emplace_back(key, value);
  if (writePath_.empty()) return false;
  return fileio::writeAtomic(writePath_, serialise());
}

bool ConfigStore::saveInt(const std::string& key, int value) { return set(key, std::to_string(value)); }
bool ConfigStore::saveStr(const std::string& key, const std::string& value) { return set(key, value); }
bool ConfigStore::saveB(const std::string& key, int value) { return set(key, value != 0 ? "1" : "0"); }

bool ConfigStore::saveClr(const std::string& key, std::uint32_t argb) {
  static const char hex[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += hex[(argb >> shift) & 0xF];
  return set(key, text);
}
