// What the venue's pages may know of the event: the audience screen as the output window
// shows it, and no more.  During the award ceremony the rankings hold only the ranks revealed
// so far and the teams carry no scores, so nobody on the venue network learns the winner
// before the host announces it.  Portable; the JSON and the pages are made from this.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "contest/event_snapshot.h"

struct BoardTeam {
  std::string name, group;  // GBK
  std::string score;        // as the board shows it, "" while the ceremony runs
};

struct BoardRank {
  int rank;
  std::string name;   // the contestant's (empty for a group)
  std::string group;  // GBK
  std::string score;
};

struct BoardReveal {
  bool running = false;
  std::string ranking;  // "individual" or "group"
  int step = 0, steps = 0;
};

// The staged display of a judge panel as far as it has been shown: every judge's score from
// the first step, the dropped ones struck and their line next, the final score last.
struct BoardPanel {
  bool running = false;
  std::string label;  // GBK, as the screen writes the contestant
  int step = 0, steps = 0;
  std::vector<std::string> scores;  // one per judge; "—" for none
  std::vector<bool> struck;         // all false until the dropped scores are shown
  std::string dropped;              // the line of dropped scores, once shown
  std::string final;                // the final score, once shown
};

// The answer or speech timer: pages count on by themselves from remainingMs (a countdown)
// or elapsedMs (a count-up) as of the state's seq while it runs.
struct BoardTimer {
  bool shown = false;
  std::string mode;  // "countdown" or "countup"
  bool running = false;
  std::int64_t remainingMs = 0, elapsedMs = 0;
  std::uint32_t colour = 0;  // ARGB
  std::string text;          // what the clock shows ("" in a flash's dark half)
  std::string place;         // "top-right", "bottom-right" or "full-screen"
};

// What the buzzers show over the screen: "请抢答", the winner or a false start.
struct BoardBuzzer {
  bool shown = false;
  std::string kind;          // "armed", "winner" or "false-start"
  std::string name;          // the team's name (GBK), "" while armed
  std::string text;          // as the output shows it (GBK)
  std::uint32_t colour = 0;  // ARGB
};

// The contestant the judges' phones may score now (the "评委打分" dialog is open for it): its
// place in the roster, its label, and the range a judge may give.  Never a score.
struct BoardJudging {
  bool open = false;
  int contestant = -1;
  std::string label;  // GBK
  int lo = 0, hi = 0;
};

struct BoardState {
  std::uint64_t seq = 0;
  std::string title;    // GBK
  std::string screen;   // "welcome", "scoring", "individual", "group"
  bool output = false;  // the audience sees the output window
  bool blackout = false;
  int decimals = 0;
  int cols = 1;
  bool perEntry = false;                          // rankings: one line per entry, not per rank
  int width = 1024, height = 768;                 // the output window's size: the pages keep its proportions
  std::uint32_t titleColour = 0, teamColour = 0;  // ARGB
  std::vector<BoardTeam> teams;                   // roster order
  std::vector<BoardRank> individual;              // ranking order
  std::vector<BoardRank> groups;
  BoardReveal reveal;
  BoardPanel panel;
  std::string round;  // the current round's name (GBK), "" for none
  BoardTimer timer;
  BoardBuzzer buzzer;
  BoardJudging judging;
};

// The screens' names as the pages and the query string spell them (kScreenCount of them).
const char* screenName(int mode);
// The screen a name means, or -1.
int screenOfName(const std::string& name);

BoardState boardState(const EventSnapshot& s);
