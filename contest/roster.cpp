#include "contest/roster.h"

#include <cstring>

#include "kqcore/gbk.h"
#include "kqcore/text_codec.h"

namespace {

const char kLineBreak = '`';

void copyField(char (&field)[kTextField], const std::string& text) {
  const std::string cut = gbk::truncate(text, kTextField - 1);
  std::memcpy(field, cut.data(), cut.size());
  field[cut.size()] = '\0';
}

}  // namespace

std::string rosterTextToGbk(const std::string& fileBytes) {
  static const char kBom[] = "\xEF\xBB\xBF";
  if (fileBytes.compare(0, 3, kBom) == 0) return codec::utf8ToGbk(fileBytes.substr(3));
  if (fileBytes.compare(0, 2, "\xFF\xFE") == 0 || fileBytes.compare(0, 2, "\xFE\xFF") == 0)
    return codec::utf8ToGbk(codec::utf16ToUtf8(fileBytes.substr(2), fileBytes[0] == '\xFE'));
  if (codec::hasNonAscii(fileBytes) && codec::isValidUtf8(fileBytes)) return codec::utf8ToGbk(fileBytes);
  return fileBytes;
}

RosterResult parseRoster(const std::string& fileBytes, ContestantRecord* table, float startScore) {
  std::memset(table, 0, sizeof(ContestantRecord) * kContestantRows);
  std::string text = rosterTextToGbk(fileBytes);
  text = gbk::replaceAll(text, "\r\n", std::string(1, kLineBreak));
  text = gbk::replaceAll(text, "\n", std::string(1, kLineBreak));
  text = gbk::replaceAll(text, "，", ",");
  text = gbk::replaceAll(text, "\t", ",");

  RosterResult result;
  // One pass over the text: the lines in order, up to the first empty one.
  for (const std::string& line : gbk::split(text, kLineBreak)) {
    if (line.empty()) break;
    if (gbk::containsChar(line, '#')) continue;
    if (result.loaded == kContestantRows) {
      ++result.leftOut;
      continue;
    }
    ContestantRecord& row = table[result.loaded];
    copyField(row.name, gbk::piece(line, ',', 0));
    copyField(row.group, gbk::piece(line, ',', 1));
    row.score = startScore;
    ++result.loaded;
  }
  return result;
}
