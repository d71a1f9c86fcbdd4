// The settings store: a text file of "key=value" lines (GBK, CR LF).  Values keep every byte:
// a backslash, CR and LF in a value are written as \\, \r and \n (recognised on whole GBK
// characters only, so a trail byte 0x5C is never taken for a backslash).  Unknown keys are
// kept and written back; lines without "=" or with an empty key are ignored.  A key never
// saved, or saved with text that is no number where a number is read, reads as its default.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class ConfigStore {
 public:
  using Defaults = std::map<std::string, std::string>;

  explicit ConfigStore(Defaults defaults = Defaults());

  // Reads the store from readPath (a missing or unreadable file gives an empty store) and
  // sends every later save to writePath.
  void open(const std::string& readPath, const std::string& writePath);

  // Parses file content; the same as a file read by open.
  void parse(const std::string& content);
  std::string serialise() const;

  int getInt(const std::string& key) const;
  std::string getStr(const std::string& key) const;
  std::uint32_t getClr(const std::string& key) const;
  int getB(const std::string& key) const;

  // Each save updates the value in memory and rewrites the whole file atomically; false when
  // the file could not be written (the file then keeps its previous content).
  bool saveInt(const std::string& key, int value);
  bool saveStr(const std::string& key, const std::string& value);
  bool saveClr(const std::string& key, std::uint32_t argb);
  bool saveB(const std::string& key, int value);

  const std::string& writePath() const { return writePath_; }

 private:
  // The stored text of key, or its default; false when neither exists.
  bool lookup(const std::string& key, std::string& value) const;
  bool set(const std::string& key, const std::string& value);

  Defaults defaults_;
  std::vector<std::pair<std::string, std::string>> entries_;
  std::string writePath_;
};

namespace configtext {
std::string escape(const std::string& value);
std::string unescape(const std::string& text);
// Strict integer parsing: optional sign, decimal digits (or 0x and hex digits), nothing else
// but surrounding spaces;
// false when the text is no number or does not fit.
bool parseInt(const std::string& text, long long& out);
}  // namespace configtext
