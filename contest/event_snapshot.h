// What the event is at one moment, as an immutable value: the rows, the settings, what the
// audience sees and whether undo and redo can act.  Every screen (the output window, its
// preview, the venue's pages) is a function of a snapshot alone; a snapshot can be copied to
// and read on any thread.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "contest/answer_timer.h"
#include "contest/buzzers.h"
#include "contest/contestant_table.h"
#include "contest/panel_entry.h"
#include "contest/ranking_reveal.h"
#include "contest/settings.h"
#include "kqcore/pixel_rect.h"

// The audience screens.  A new screen is a value here, its caption in the console's command
// table and its composition in the screen code.
enum DisplayMode : std::int32_t { Welcome = 0, Scoring = 1, IndividualRanking = 2, GroupRanking = 3 };
constexpr int kScreenCount = 4;
inline bool isRankingScreen(int mode) { return mode == IndividualRanking || mode == GroupRanking; }

// Where the output window is, once it has been placed in this run.
struct OutputPlace {
  bool placed = false;
  PixelRect rect{0, 0, 0, 0};
  bool operator==(const OutputPlace& o) const { return placed == o.placed && (!placed || rect == o.rect); }
};

// The staged display of one contestant's panel ("亮分"): step 1 every judge's score, then
// (when something was dropped) the dropped ones struck through, last the final score.  It
// shows the entry as it was when the display started.
struct PanelShow {
  bool running = false;
  int row = 0;
  std::string name, group;
  PanelEntry entry;
  int step = 0;
  bool dropsAny() const { return !entry.result.droppedHigh.empty() || !entry.result.droppedLow.empty(); }
  int steps() const { return dropsAny() ? 3 : 2; }
  // The step shows the dropped scores struck / the final score.
  bool showsDropped() const { return dropsAny() && step >= 2; }
  bool showsFinal() const { return step >= steps(); }
};

// The answer or speech timer as the audience sees it at the snapshot's making.  Pages count
// on by themselves from remainingMs / elapsedMs while it runs.
struct TimerView {
  TimerFace face;
  TimerMode mode = kCountdown;
  bool running = false;
  std::int64_t remainingMs = 0;  // a countdown's
  std::int64_t elapsedMs = 0;    // a count-up's
};

// The buzzers as the audience sees them: "请抢答" while armed, the winner's name with "抢答",
// or a false start's team with "提前抢答" (when that is shown); over whatever screen is on show.
struct BuzzerView {
  enum Kind : std::int32_t { None = 0, Armed = 1, Winner = 2, FalseStart = 3 };
  Kind kind = None;
  std::string name;  // the team's name (GBK); empty while armed
  int row = -1;      // its row, -1 when the roster has no team of that name
  std::string text() const;
  bool operator==(const BuzzerView& o) const { return kind == o.kind && name == o.name && row == o.row; }
  bool operator!=(const BuzzerView& o) const { return !(*this == o); }
};
extern const char kBuzzArmedText[];       // "请抢答"
extern const char kBuzzWinnerText[];      // "抢答"
extern const char kBuzzFalseStartText[];  // "提前抢答"

struct EventSnapshot {
  std::vector<ContestantRecord> rows;  // the live rows, in roster order
  std::vector<PanelEntry> panels;      // each row's panel entry, in roster order
  Settings settings;
  int screen = Welcome;        // the screen chosen; the audience sees it while the output is shown
  bool outputLive = false;     // the output window exists (from the first tick on)
  bool outputVisible = false;  // shown: switched on, or placed by hand while switched off
  bool blackout = false;
  RankingReveal reveal;
  PanelShow panelShow;
  // The contestant open for judging from the judges' phones (the "评委打分" dialog is open for
  // it), -1 for none; each opening counts up.
  int judgingRow = -1;
  std::uint64_t judgingOpening = 0;
  // The scores the ranking screens rank: those of the moment the screen was last drawn
  // afresh (chosen, output switched on, placed, options accepted, rows reloaded), so a score
  // change alone does not reorder a ranking on show.
  std::vector<ContestantRecord> rankedRows;
  OutputPlace place;
  int round = -1;  // the current round, -1 for none
  std::string roundName;
  TimerView timer;
  BuzzerView buzzer;
  // Counts the times the audience screen was asked to be drawn afresh (placed, chosen,
  // switched on, a reveal's step...): a view redraws the whole frame when it changes, and
  // otherwise only what differs.
  unsigned drawCount = 0;
  // Grows with every change of the event, journalled or not: a snapshot with a higher seq is
  // newer.
  std::uint64_t seq = 0;
  bool canUndo = false;
  bool canRedo = false;

  int count() const { return static_cast<int>(rows.size()); }
  // The audience sees the output window.
  bool outputShown() const { return outputLive && outputVisible; }
  // The ranking screen the audience sees (a reveal can run on it), or 0.
  int rankingOnShow() const { return outputShown() && isRankingScreen(screen) ? screen : 0; }
};

using SnapshotPtr = std::shared_ptr<const EventSnapshot>;
