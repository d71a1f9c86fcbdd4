#include "scoreboard/screen_frame.h"

#include "scoreboard/clock_screen.h"
#include "scoreboard/panel_screen.h"
#include "scoreboard/ranking_screens.h"
#include "scoreboard/scoring_board.h"

namespace {
// The screen chosen (board, ranking, reveal, staged panel) below the decoration.
void composeContent(const EventSnapshot& s, int mode, const BoardLayout& layout, FrameRuns& runs);
}  // namespace

BoardLayout initialBoardLayout(int width, int height, int contestantCount, int cols, const MeasureText& measure) {
  return computeBoardLayout(width, height, kDefaultLogoHeight, contestantCount, cols, measure);
}

ScreenFrame composeScreen(const EventSnapshot& s, int mode, int width, int height, const ScreenPictures& pictures,
                          const BoardLayout& remembered, const MeasureText& measure) {
  ScreenFrame frame{FrameRuns(), remembered, false};
  const Settings& set = s.settings;
  DecorationInput in;
  in.width = width;
  in.height = height;
  in.backgroundPath = pictures.backgroundPath;
  in.backgroundExists = pictures.backgroundExists;
  in.backgroundVersion = pictures.backgroundVersion;
  in.logoPath = pictures.logoPath;
  in.logoExists = pictures.backgroundExists && pictures.logoExists;
  in.logoWidth = in.logoExists ? pictures.logoWidth : 0;
  in.logoHeight = in.logoExists ? pictures.logoHeight : 0;
  in.logoVersion = pictures.logoVersion;
  in.title = set.title;
  in.titleColour = set.clrtitle;
  in.contestantCount = s.count();
  in.cols = set.cols;
  frame.layoutComputed = composeDecoration(in, measure, frame.layout, frame.runs);
  // The timer's clock: in place of the screen when it fills it, else over its corner.
  if (!clockFillsScreen(s)) composeContent(s, mode, frame.layout, frame.runs);
  composeClock(s, width, height, measure, frame.runs);
  composeBuzzer(s, width, height, measure, frame.runs);
  return frame;
}

namespace {

void composeContent(const EventSnapshot& s, int mode, const BoardLayout& layout, FrameRuns& runs) {
  const Settings& set = s.settings;
  const bool perEntry = set.tmcxh != 0;
  // A staged panel display stands over whatever screen is on show.
  if (s.panelShow.running) {
    composePanelShow(s.panelShow, set.clrteam, layout, runs);
    return;
  }
  if (s.reveal.running() && s.reveal.mode() == mode) {
    composeReveal(s.reveal, set.cols, perEntry, set.clrteam, layout, runs);
    return;
  }
  // A ranking on show keeps the scores of when it was drawn; one not on show is what showing
  // it now would draw.
  const std::vector<ContestantRecord>& rankedRows = s.outputShown() ? s.rankedRows : s.rows;
  const ContestantRecord* ranked = rankedRows.data();
  const int rankedCount = static_cast<int>(rankedRows.size());
  switch (mode) {
    case Scoring:
      composeScoringBoard(s.rows.data(), s.count(), set.cols, set.xsw, set.clrteam, layout, runs);
      break;
    case IndividualRanking:
      composeIndividualRanking(ranked, rankedCount, set.cols, perEntry, set.clrteam, layout, runs);
      break;
    case GroupRanking:
      composeGroupRanking(ranked, rankedCount, perEntry, set.clrteam, layout, runs);
      break;
    default:
      break;
  }
}

}  // namespace
