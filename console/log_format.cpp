#include "console/log_format.h"

std::string formatLogLine(const LocalTime& t, const std::string& text) { return formatStamp(t) + " " + text; }

std::string logFileText(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

std::string resultsFileName(const std::string& timeSid) { return "计分结果" + timeSid + ".csv"; }
std::string logFileName(const std::string& timeSid) { return "操作日志" + timeSid + ".txt"; }
std::string sheetFileName(const std::string& timeSid) { return "评分表" + timeSid + ".csv"; }

std::string sheetFileText(const ContestantRecord* rows, const PanelEntry* panels, int count, int judges) {
  std::string out = "分组,姓名";
  for (int k = 1; k <= judges; ++k) out += ",评委" + std::to_string(k);
  out += ",去掉的分数,最后得分\r\n";
  for (int i = 0; i < count; ++i) {
    const PanelEntry& entry = panels[i];
    out += rows[i].group;
    out += ',';
    out += rows[i].name;
    for (int k = 0; k < judges; ++k) {
      out += ',';
      const std::size_t at = static_cast<std::size_t>(k);
      if (at < entry.scores.size() && entry.scores[at] != kNoScore) out += hundredthsText(entry.scores[at]);
    }
    out += ',';
    if (entry.present())
      out += droppedText(entry.result) + "," + hundredthsText(entry.result.finalHundredths);
    else
      out += ',';
    out += "\r\n";
  }
  return out;
}
