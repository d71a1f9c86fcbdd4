#include "kqcore/gbk.h"

#include <gtest/gtest.h>

#include "kqcore/text_codec.h"

// Literals are compiled to GBK: 乣 is 0x81 0x60 (trail byte "`"), 乗 is 0x81 0x5C (trail "\").
static const std::string kTrail60 = "乣";
static const std::string kTrail5C = "乗";

TEST(Gbk, TrailBytesAreNeverSeparators) {
  ASSERT_EQ(kTrail60, "\x81\x60");
  ASSERT_EQ(kTrail5C, "\x81\x5C");
  const std::string text = "A" + kTrail60 + "B`C";
  EXPECT_EQ(gbk::piece(text, '`', 0), "A" + kTrail60 + "B");
  EXPECT_EQ(gbk::piece(text, '`', 1), "C");
  EXPECT_EQ(gbk::piece(text, '`', 2), "");

  const std::string slash = kTrail5C + ",x";
  EXPECT_EQ(gbk::piece(slash, '\\', 0), slash);
  EXPECT_EQ(gbk::piece(slash, ',', 1), "x");
  EXPECT_FALSE(gbk::containsChar(kTrail5C, '\\'));
  EXPECT_TRUE(gbk::containsChar(kTrail5C + "\\", '\\'));
  EXPECT_FALSE(gbk::containsChar("\xA3\x23", '#'));  // a trail byte 0x23 is no "#"
}

TEST(Gbk, PiecesAndEmptyPieces) {
  EXPECT_EQ(gbk::piece("a,b,c", ',', 0), "a");
  EXPECT_EQ(gbk::piece("a,b,c", ',', 2), "c");
  EXPECT_EQ(gbk::piece("a,b,c", ',', 3), "");
  EXPECT_EQ(gbk::piece(",x", ',', 0), "");
  EXPECT_EQ(gbk::piece(",x", ',', 1), "x");
  EXPECT_EQ(gbk::piece("", ',', 0), "");
  EXPECT_EQ(gbk::piece("abc", ',', 0), "abc");
  EXPECT_EQ(gbk::piece("abc", ',', -1), "");
  // A lead byte at the very end has no trail: it is a character of its own.
  EXPECT_EQ(gbk::piece("a,\xB1", ',', 1), "\xB1");
}

TEST(Gbk, ReplaceMatchesWholeCharactersOnly) {
  EXPECT_EQ(gbk::replaceAll("A，B，C", "，", ","), "A,B,C");
  // The bytes of "，" (A3 AC) straddling two characters (埃 B0 A3, then AC 40) are no match.
  const std::string straddle = "\xB0\xA3\xAC\x40";
  EXPECT_EQ(gbk::replaceAll(straddle, "，", ","), straddle);
  EXPECT_EQ(gbk::replaceAll("a\r\nb\r\n", "\r\n", "`"), "a`b`");
  EXPECT_EQ(gbk::replaceAll("abc", "", "x"), "abc");
}

TEST(Gbk, TruncateOnCharacterBoundary) {
  const std::string text = "ab" + kTrail5C + kTrail5C;  // 6 bytes
  EXPECT_EQ(gbk::truncate(text, 6), text);
  EXPECT_EQ(gbk::truncate(text, 5), "ab" + kTrail5C);
  EXPECT_EQ(gbk::truncate(text, 3), "ab");
  EXPECT_EQ(gbk::truncate(text, 0), "");
}

TEST(TextCodec, Utf8AndGbkRoundTrip) {
  EXPECT_EQ(codec::utf8ToGbk(u8"一组"), "一组");
  EXPECT_EQ(codec::gbkToUtf8("一组"), std::string(u8"一组"));
  EXPECT_EQ(codec::utf8ToGbk("plain"), "plain");
  // A character GBK lacks becomes "?" (one per character), as does broken UTF-8.
  EXPECT_EQ(codec::utf8ToGbk(u8"A\U0001F600B"), "A?B");
  const std::string broken = codec::utf8ToGbk("A\xE4\xB8");
  EXPECT_EQ(broken.substr(0, 2), "A?");
  EXPECT_EQ(broken.find_first_not_of("A?"), std::string::npos);
}

TEST(TextCodec, Utf8Validation) {
  EXPECT_TRUE(codec::isValidUtf8(u8"名单，一组"));
  EXPECT_TRUE(codec::isValidUtf8("ascii"));
  EXPECT_FALSE(codec::isValidUtf8("一组"));                         // these GBK bytes are not UTF-8
  EXPECT_FALSE(codec::isValidUtf8("\xC0\x80"));                     // overlong
  EXPECT_FALSE(codec::isValidUtf8("\xED\xA0\x80"));                 // high surrogate
  EXPECT_FALSE(codec::isValidUtf8("\xED\xBF\xBF"));                 // low surrogate
  EXPECT_TRUE(codec::isValidUtf8("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"));  // the highest of three and four bytes
  EXPECT_FALSE(codec::isValidUtf8("\xF4\x90\x80\x80"));             // beyond U+10FFFF
  EXPECT_FALSE(codec::isValidUtf8("\xE4\xB8"));                     // cut short
}
