// The time stamp every operation log line starts with ("YYYY-MM-DD HH:MM:SS " -- 20 bytes,
// the space included), for the tests that compare log texts: native and Windows alike.
#pragma once
#include <cstddef>
#include <string>

constexpr std::size_t kLogStampLength = 20;

// Whether line starts with a time stamp and its space.
inline bool looksStamped(const std::string& line) {
  if (line.size() < kLogStampLength) return false;
  const char pattern[] = "dddd-dd-dd dd:dd:dd ";
  for (std::size_t i = 0; i < kLogStampLength; ++i) {
    const bool digit = line[i] >= '0' && line[i] <= '9';
    if (pattern[i] == 'd' ? !digit : line[i] != pattern[i]) return false;
  }
  return true;
}

// The text of a log line, its time stamp cut off.  A line without a stamp comes back whole
// behind "<no time stamp> ", so it never passes for the text it holds (and a failure shows it).
inline std::string textAfterStamp(const std::string& line) {
  return looksStamped(line) ? line.substr(kLogStampLength) : "<no time stamp> " + line;
}
