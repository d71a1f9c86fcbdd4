// nlohmann/json as built here, with the program's GBK text taken to the web side as UTF-8.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "kqcore/text_codec.h"

using nlohmann::json;

namespace {

// 一组（甲） "A"<tab>1\ in GBK bytes, written out so that no compiler charset is involved.
const std::string kGbkName = "\xD2\xBB\xD7\xE9\xA3\xA8\xBC\xD7\xA3\xA9 \"A\"\t1\\";

}  // namespace

TEST(JsonText, ConvertedGbkTextBecomesEscapedJsonAndBack) {
  const std::string utf8 = codec::gbkToUtf8(kGbkName);
  const json team = {{"name", utf8}, {"score", 12.5}, {"rank", 2}};

  // ASCII-only output: every non-ASCII character as \uXXXX, quotes, tab and backslash escaped.
  const std::string ascii = team.dump(-1, ' ', true);
  EXPECT_EQ(ascii, R"({"name":"\u4e00\u7ec4\uff08\u7532\uff09 \"A\"\t1\\","rank":2,"score":12.5})");
  // UTF-8 output: the same characters as they are.
  EXPECT_EQ(team.dump(), std::string(u8"{\"name\":\"一组（甲） \\\"A\\\"\\t1\\\\\",\"rank\":2,\"score\":12.5}"));

  const json parsed = json::parse(ascii);
  EXPECT_EQ(parsed, team);
  EXPECT_EQ(codec::utf8ToGbk(parsed.at("name").get<std::string>()), kGbkName);
}

TEST(JsonText, UnconvertedGbkIsRefused) {
  // GBK bytes are not UTF-8: writing them out throws (error 316) instead of sending garbage.
  const json raw = {{"name", kGbkName}};
  try {
    (void)raw.dump();
    ADD_FAILURE() << "GBK text was written as JSON";
  } catch (const json::type_error& e) {
    EXPECT_EQ(e.id, 316);
  }
}
