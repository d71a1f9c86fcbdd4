// A local wall-clock time and the stamp every log line starts with.
#pragma once
#include <cstdio>
#include <string>

struct LocalTime {
  int year, month, day, hour, minute, second;
};

// "YYYY-MM-DD HH:MM:SS".
inline std::string formatStamp(const LocalTime& t) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return stamp;
}
