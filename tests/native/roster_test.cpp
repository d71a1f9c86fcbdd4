#include "contest/roster.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Loaded {
  ContestantRecord rows[kContestantRows];
  RosterResult result;
  explicit Loaded(const std::string& file, float start = 0.0f) { result = parseRoster(file, rows, start); }
  std::string name(int i) const { return rows[i].name; }
  std::string group(int i) const { return rows[i].group; }
};

// The bytes of a UTF-16 file with its byte-order mark.
std::string utf16File(const std::u16string& text, bool bigEndian) {
  std::string out;
  for (char16_t u : u"\uFEFF" + text) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return out;
}

std::string crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace

TEST(Roster, TheExampleLines) {
  Loaded r(crlf({"A01,一组", "A02，二组", "A03", "A04,三组,note", ",一组", "组#1,A05", "", "A06,一组"}));
  ASSERT_EQ(r.result.loaded, 5);
  EXPECT_EQ(r.name(0), "A01");
  EXPECT_EQ(r.group(0), "一组");
  EXPECT_EQ(r.name(1), "A02");
  EXPECT_EQ(r.group(1), "二组");
  EXPECT_EQ(r.name(2), "A03");
  EXPECT_EQ(r.group(2), "");
  EXPECT_EQ(r.group(3), "三组");
  EXPECT_EQ(r.name(4), "");
  EXPECT_EQ(r.group(4), "一组");
  // The "#" line is skipped, the empty line ends the roster: A06 is never read.
  EXPECT_EQ(r.name(5), "");
  EXPECT_EQ(r.result.leftOut, 0);
}

TEST(Roster, LineEndsAndSplitting) {
  // A last line without a line end, a back-quote inside a name, mixed commas.
  Loaded r("B1,x\r\nB2`B3，y\r\n\"#\" here,z\r\nB4,w");
  ASSERT_EQ(r.result.loaded, 4);
  EXPECT_EQ(r.name(1), "B2");
  EXPECT_EQ(r.group(1), "");
  EXPECT_EQ(r.name(2), "B3");
  EXPECT_EQ(r.group(2), "y");
  EXPECT_EQ(r.name(3), "B4");
  EXPECT_EQ(r.group(3), "w");

  // LF alone ends a line too, and a comma alone gives an empty name and group.
  Loaded lf("C1,g1\nC2,g2\n,\n");
  ASSERT_EQ(lf.result.loaded, 3);
  EXPECT_EQ(lf.name(1), "C2");
  EXPECT_EQ(lf.group(1), "g2");
  EXPECT_EQ(lf.name(2), "");
  EXPECT_EQ(lf.group(2), "");
}

TEST(Roster, GbkTrailBytesSplitNothing) {
  // 乣 ends with 0x60 (the back-quote); 乗 with 0x5C.
  Loaded r(crlf({"乣队,乗组", "D2,乣"}));
  ASSERT_EQ(r.result.loaded, 2);
  EXPECT_EQ(r.name(0), "乣队");
  EXPECT_EQ(r.group(0), "乗组");
  EXPECT_EQ(r.group(1), "乣");
}

TEST(Roster, EveryRowStartsAtTheStartingScore) {
  Loaded r(crlf({"a,1", "b,1", "c,1", "d,1", "e,1"}), 7.0f);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(r.rows[i].score, 7.0f) << i;
    EXPECT_EQ(r.rows[i].rank, 0);
    EXPECT_EQ(r.rows[i].ranked, 0);
  }
  EXPECT_EQ(r.rows[5].score, 0.0f);
}

TEST(Roster, ReloadClearsTheWholeTable) {
  ContestantRecord rows[kContestantRows];
  parseRoster(crlf({"a,1", "b,2", "c,3"}), rows, 0.0f);
  rows[1].score = 99.0f;
  rows[1].rank = 4;
  rows[1].ranked = 1;
  const RosterResult again = parseRoster(crlf({"x,1"}), rows, 0.0f);
  EXPECT_EQ(again.loaded, 1);
  EXPECT_EQ(std::string(rows[0].name), "x");
  EXPECT_EQ(rows[1].score, 0.0f);
  EXPECT_EQ(rows[1].rank, 0);
  EXPECT_EQ(rows[1].ranked, 0);
  EXPECT_EQ(std::string(rows[1].name), "");
}

TEST(Roster, MoreThanFiftyContestants) {
  std::vector<std::string> lines;
  for (int i = 0; i < 53; ++i) lines.push_back("T" + std::to_string(i) + ",g");
  lines.insert(lines.begin() + 51, "# comments are not counted");
  Loaded r(crlf(lines));
  EXPECT_EQ(r.result.loaded, 50);
  EXPECT_EQ(r.result.leftOut, 3);
  EXPECT_EQ(r.name(49), "T49");
}

TEST(Roster, LongNamesAreCutOnACharacterBoundary) {
  std::string name = "x";
  for (int i = 0; i < 30; ++i) name += "队";  // 61 bytes
  Loaded r(crlf({name + "," + name}));
  EXPECT_EQ(r.name(0).size(), 49u);  // 1 + 24 characters: the 25th would need byte 51
  EXPECT_EQ(r.name(0), name.substr(0, 49));
  EXPECT_EQ(r.group(0), name.substr(0, 49));
}

TEST(Roster, UnicodeFilesAreConvertedToGbk) {
  Loaded bom(std::string("\xEF\xBB\xBF") + u8"甲队,一组\r\n乙队，二组\r\n");
  ASSERT_EQ(bom.result.loaded, 2);
  EXPECT_EQ(bom.name(0), "甲队");
  EXPECT_EQ(bom.group(1), "二组");

  Loaded plain(std::string(u8"丙队,三组\n丁队,\U0001F600\n"));
  ASSERT_EQ(plain.result.loaded, 2);
  EXPECT_EQ(plain.name(0), "丙队");
  EXPECT_EQ(plain.group(1), "?");  // no GBK form

  // Notepad's and Excel's "Unicode": UTF-16 in either byte order, Excel's columns split by tabs.
  for (bool bigEndian : {false, true}) {
    Loaded utf16(utf16File(u"星火队,一组\r\n启航队\t二组\r\n\U0001F600\r\n", bigEndian));
    ASSERT_EQ(utf16.result.loaded, 3) << bigEndian;
    EXPECT_EQ(utf16.name(0), "星火队");
    EXPECT_EQ(utf16.group(0), "一组");
    EXPECT_EQ(utf16.name(1), "启航队");
    EXPECT_EQ(utf16.group(1), "二组");
    EXPECT_EQ(utf16.name(2), "?");  // a surrogate pair with no GBK form
  }
  EXPECT_EQ(Loaded(utf16File(u"A\xD800", false)).name(0), "A?");  // a lone surrogate

  // GBK stays byte for byte, ASCII is both.
  Loaded gbk(crlf({"甲队,一组"}));
  EXPECT_EQ(gbk.name(0), "甲队");
}

TEST(Roster, EmptyAndBinaryInput) {
  EXPECT_EQ(Loaded("").result.loaded, 0);
  EXPECT_EQ(Loaded("\r\nA,b\r\n").result.loaded, 0);  // an empty first line ends it at once
  std::string binary;
  for (int i = 0; i < 200000; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  Loaded r(binary);
  EXPECT_LE(r.result.loaded, 50);
  for (int i = 0; i < kContestantRows; ++i) {
    EXPECT_LT(std::string(r.rows[i].name).size(), 51u);
    EXPECT_LT(std::string(r.rows[i].group).size(), 51u);
  }
}
