// The operation log's line format and the two export files, byte for byte.
#pragma once
#include <string>
#include <vector>

#include "contest/contestant_table.h"
#include "contest/local_time.h"
#include "contest/panel_entry.h"

// "YYYY-MM-DD HH:MM:SS" + " " + text.
std::string formatLogLine(const LocalTime& time, const std::string& text);

// "分组,姓名,分数" CR LF, then "group,name,score" CR LF per row; scoreText gives each score.
template <class ScoreText>
std::string resultsFileText(const ContestantRecord* rows, int count, ScoreText scoreText) {
  std::string out = "分组,姓名,分数\r\n";
  for (int i = 0; i < count; ++i) {
    out += rows[i].group;
    out += ',';
    out += rows[i].name;
    out += ',';
    out += scoreText(i);
    out += "\r\n";
  }
  return out;
}

// Every line followed by CR LF.
std::string logFileText(const std::vector<std::string>& lines);

// The judges' score sheet: "分组,姓名,评委1,…,评委J,去掉的分数,最后得分" CR LF, then a line per row
// in roster order: each judge's score with two decimals (empty for none), the dropped scores
// (high ones highest first, then low ones lowest first, joined by "、"), the final with two
// decimals; a row without a panel entry has empty cells.
std::string sheetFileText(const ContestantRecord* rows, const PanelEntry* panels, int count, int judges);

// The default names offered by the save prompt.
std::string resultsFileName(const std::string& timeSid);
std::string logFileName(const std::string& timeSid);
std::string sheetFileName(const std::string& timeSid);
