// What the venue's pages may know: the screen as shown, ties as the screens draw them, and
// nothing of the ranking the ceremony has not revealed yet.
#include "net/board_state.h"

#include <gtest/gtest.h>

#include "contest/event_model.h"
#include "net/board_json.h"

namespace {

struct Event {
  Event() : model(settings(), [] { return LocalTime{2024, 5, 1, 9, 30, 5}; }) {
    model.reload("A,g1\r\nB,g1\r\nC,g1\r\nD,g2\r\n");
    const char* scores[] = {"5", "7", "7", "1"};
    for (int i = 0; i < 4; ++i) model.applyScore(ScoreRequest{i, ScoreOp::Set, scores[i]});
    model.setOutputLive(true);
    model.setOutputOn(true);
    model.placeOutput(PixelRect{0, 0, 1024, 768});
  }
  static Settings settings() {
    Settings s = defaultSettings();
    s.xsw = 1;
    return s;
  }
  BoardState state() const { return boardState(*model.snapshot()); }
  EventModel model;
};

std::string ranks(const std::vector<BoardRank>& list) {
  std::string out;
  for (const BoardRank& r : list) out += std::to_string(r.rank) + r.name + r.group + r.score + " ";
  return out;
}

}  // namespace

TEST(BoardState, TheScreenTheTeamsAndTheRankingsWithTiesSharingARank) {
  Event e;
  e.model.setScreen(Scoring);
  const BoardState b = e.state();
  EXPECT_EQ(b.screen, "scoring");
  EXPECT_TRUE(b.output);
  EXPECT_EQ(b.decimals, 1);
  ASSERT_EQ(b.teams.size(), 4u);
  EXPECT_EQ(b.teams[1].score, "7.0");
  EXPECT_EQ(ranks(b.individual), "1Bg17.0 1Cg17.0 2Ag15.0 3Dg21.0 ");
  EXPECT_EQ(ranks(b.groups), "1g119.0 ");  // g2 has fewer than three members
  EXPECT_GT(b.seq, 0u);
  const std::uint64_t before = b.seq;
  e.model.setScreen(Welcome);  // not journalled, still a change
  EXPECT_GT(e.state().seq, before);
  EXPECT_EQ(screenOfName("group"), GroupRanking);
  EXPECT_EQ(screenOfName("x"), -1);
}

TEST(BoardState, ARankingOnShowAndACeremonyTellNoMoreThanTheAudienceSaw) {
  Event e;
  e.model.setScreen(IndividualRanking);
  e.model.applyScore(ScoreRequest{3, ScoreOp::Set, "99"});  // not drawn on the ranking yet
  EXPECT_EQ(e.state().individual[0].name, "B");
  ASSERT_TRUE(e.model.revealForward());  // the ranking of now, frozen: D leads
  BoardState b = e.state();
  EXPECT_TRUE(b.reveal.running);
  EXPECT_EQ(b.reveal.ranking, "individual");
  EXPECT_EQ(b.reveal.steps, 3);
  EXPECT_EQ(ranks(b.individual), "3Ag1 ");  // the last place alone, without its score
  EXPECT_TRUE(b.groups.empty());
  for (const BoardTeam& t : b.teams) EXPECT_EQ(t.score, "") << t.name;
  e.model.revealForward();
  EXPECT_EQ(ranks(e.state().individual), "2Bg1 2Cg1 3Ag1 ");
  e.model.revealForward();  // the winner announced: the ceremony is over, everything may be told
  EXPECT_EQ(ranks(e.state().individual), "1Dg299.0 2Bg17.0 2Cg17.0 3Ag15.0 ");
}

TEST(BoardJson, UnicodeTextEscapedNamesColoursAndTheReveal) {
  Event e;
  e.model.reload("A\"1\\x,一组\r\nB,一组\r\nC,一组\r\n");
  Settings s = e.model.settings();
  s.title = "决赛";
  s.clrteam = 0x80102A3Bu;  // the alpha is no part of a page's colour
  e.model.applySettings(s);
  e.model.applyScore(ScoreRequest{0, ScoreOp::Set, "1"});
  e.model.setScreen(Scoring);
  const std::string json = boardJson(e.state());
  EXPECT_NE(json.find("\"title\":\"\xE5\x86\xB3\xE8\xB5\x9B\""), std::string::npos) << json;  // UTF-8
  EXPECT_NE(json.find("\"name\":\"A\\\"1\\\\x\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"team\":\"#102A3B\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"screen\":\"scoring\""), std::string::npos);
  EXPECT_NE(json.find("\"reveal\":null"), std::string::npos);
  EXPECT_NE(json.find("\"groups\":[{\"group\":\"\xE4\xB8\x80\xE7\xBB\x84\",\"rank\":1,\"score\":\"1.0\"}]"),
            std::string::npos)
      << json;
  e.model.applyScore(ScoreRequest{1, ScoreOp::Set, "1"});
  e.model.setScreen(IndividualRanking);
  ASSERT_TRUE(e.model.revealForward());
  EXPECT_NE(boardJson(e.state()).find("\"reveal\":{\"ranking\":\"individual\",\"step\":1,\"steps\":2}"),
            std::string::npos);
}

TEST(BoardState, APanelShowsOnlyItsStepsSoFarAndTheOutputsProportions) {
  Event e;
  Settings s = e.model.settings();
  s.judges = 5;
  s.trim = 1;
  e.model.applySettings(s);
  ASSERT_EQ(e.model.applyPanel(1, {900, 950, 800, kNoScore, 990}), PanelOutcome::Applied);
  ASSERT_TRUE(e.model.showPanel(1));
  BoardState b = e.state();
  EXPECT_EQ(b.width, 1024);
  EXPECT_EQ(b.height, 768);
  ASSERT_TRUE(b.panel.running);
  EXPECT_EQ(b.panel.scores, (std::vector<std::string>{"9.00", "9.50", "8.00", "—", "9.90"}));
  EXPECT_EQ(b.panel.struck, std::vector<bool>(5, false));
  EXPECT_EQ(b.panel.dropped + b.panel.final, "");  // the result not yet shown
  e.model.stepForward();
  b = e.state();
  EXPECT_EQ(b.panel.struck, (std::vector<bool>{false, false, true, false, true}));
  EXPECT_NE(b.panel.dropped, "");
  EXPECT_EQ(b.panel.final, "");
  e.model.stepForward();
  EXPECT_EQ(e.state().panel.final, "9.25");
  EXPECT_NE(boardJson(e.state()).find("\"final\":\"9.25\""), std::string::npos);
}
