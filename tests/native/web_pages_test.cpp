// The venue's pages as the server sends them: the options written in, nothing of the pictures
// in a transparent page, UTF-8 throughout and no address outside the server.
#include "net/web_pages.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "contest/event_snapshot.h"

namespace {

bool has(const std::string& page, const std::string& text) { return page.find(text) != std::string::npos; }

std::vector<BoardOptions> everyBoard() {
  std::vector<BoardOptions> all;
  for (int screen :
       {-1, static_cast<int>(Scoring), static_cast<int>(IndividualRanking), static_cast<int>(GroupRanking)})
    for (bool transparent : {false, true}) all.push_back(BoardOptions{screen, transparent});
  return all;
}

}  // namespace

TEST(WebPages, TheOptionsAreWrittenIntoTheBoardPage) {
  struct Case {
    BoardOptions options;
    const char* written;
  };
  const Case cases[] = {
      {{-1, false}, R"(const PAGE = {"screen": null, "transparent": false};)"},
      {{Scoring, false}, R"(const PAGE = {"screen": "scoring", "transparent": false};)"},
      {{IndividualRanking, true}, R"(const PAGE = {"screen": "individual", "transparent": true};)"},
      {{GroupRanking, false}, R"(const PAGE = {"screen": "group", "transparent": false};)"},
  };
  for (const Case& c : cases) {
    const std::string page = boardPage(c.options);
    EXPECT_TRUE(has(page, c.written)) << c.written;
    EXPECT_EQ(page.find("const PAGE"), page.rfind("const PAGE")) << c.written;
  }
}

TEST(WebPages, ATransparentPageHasNoPicturesAndNoBackground) {
  const std::string plain = boardPage(BoardOptions{-1, false});
  EXPECT_TRUE(has(plain, R"(<img id="bg" src="/data/bg.jpg")"));
  EXPECT_TRUE(has(plain, R"(<img id="logo" src="/data/logo.png")"));
  EXPECT_TRUE(has(plain, "html, body { background: #000; }"));
  for (int screen : {-1, static_cast<int>(GroupRanking)}) {
    const std::string page = boardPage(BoardOptions{screen, true});
    EXPECT_FALSE(has(page, "<img"));
    EXPECT_FALSE(has(page, "/data/"));
    EXPECT_FALSE(has(page, "#000"));
    EXPECT_TRUE(has(page, "html, body { background: transparent; }"));
    // Only the pictures went: the page around them is whole.
    EXPECT_TRUE(has(page, R"(<div id="runs"></div>)"));
    EXPECT_TRUE(has(page, "</html>"));
  }
}

TEST(WebPages, EveryPageIsUtf8AndRefersToTheServerOnly) {
  std::vector<std::string> pages = {indexPage()};
  for (const BoardOptions& o : everyBoard()) pages.push_back(boardPage(o));
  const std::regex reference(R"re((?:src|href)\s*=\s*"([^"]*)"|(?:fetch|EventSource|url)\(\s*"?([^")]*))re");
  for (const std::string& page : pages) {
    const std::string head = page.substr(0, 80);
    // The JSON library refuses to write text that is not valid UTF-8.
    EXPECT_NO_THROW(nlohmann::json(page).dump()) << head;
    EXPECT_TRUE(has(page, R"(<meta charset="utf-8">)")) << head;
    EXPECT_FALSE(has(page, "http://")) << head;
    EXPECT_FALSE(has(page, "https://")) << head;
    int references = 0;
    for (std::sregex_iterator it(page.begin(), page.end(), reference), end; it != end; ++it, ++references) {
      const std::string target = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
      EXPECT_TRUE(target.size() >= 1 && target[0] == '/' && target.compare(0, 2, "//") != 0) << target;
    }
    EXPECT_GT(references, 0) << head;
  }
}

TEST(WebPages, TheIndexLinksEveryView) {
  const std::string index = indexPage();
  for (const char* link : {"/board", "/board?screen=scoring", "/board?screen=individual", "/board?screen=group",
                           "/board?transparent=1", "/api/state"})
    EXPECT_TRUE(has(index, std::string("href=\"") + link + "\"")) << link;
  EXPECT_TRUE(has(boardPage(BoardOptions{}), std::string(u8"连接中断，正在重连…")));
}
