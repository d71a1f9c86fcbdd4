#include "console/log_format.h"

std::string formatLogLine(const LocalTime& t, const std::string& text) { return formatStamp(t) + " " + text; }

std::string logFileText(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

std::string resultsFileName(const std::string& timeSid) { return "计分结果" + timeSid + ".csv"; }
std::string logFileName(const std::string& timeSid) { return "操作日志" + timeSid + ".txt"; }
