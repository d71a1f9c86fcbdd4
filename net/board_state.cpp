#include "net/board_state.h"

#include <algorithm>

#include "contest/contestant_text.h"
#include "contest/ranking.h"
#include "kqcore/numbers.h"

namespace {

const char* const kScreenNames[kScreenCount] = {"welcome", "scoring", "individual", "group"};

// The ranked entries in ranking order from firstRankShown on; groups and scores run parallel
// to the list's entries (missing ones are left empty).
std::vector<BoardRank> ranked(const RankedList& list, int firstRankShown, const std::vector<std::string>& groups,
                              const std::vector<std::string>& scores) {
  std::vector<BoardRank> out;
  for (int rank = firstRankShown; rank <= list.maxRank; ++rank)
    for (std::size_t i = 0; i < list.entries.size(); ++i)
      if (list.entries[i].rank == rank) {
        BoardRank r{rank, list.entries[i].name, i < groups.size() ? groups[i] : "", i < scores.size() ? scores[i] : ""};
        if (list.groups) std::swap(r.name, r.group);  // a group's entry is its group
        out.push_back(r);
      }
  return out;
}

BoardPanel panelShown(const PanelShow& show) {
  BoardPanel p;
  if (!show.running) return p;
  p.running = true;
  ContestantRecord record{};
  std::snprintf(record.name, kTextField, "%s", show.name.c_str());
  std::snprintf(record.group, kTextField, "%s", show.group.c_str());
  p.label = contestantLabel(record);
  p.step = show.step;
  p.steps = show.steps();
  const std::vector<bool> struck = struckJudges(show.entry.scores, show.entry.result);
  for (std::size_t k = 0; k < show.entry.scores.size(); ++k) {
    const std::int32_t score = show.entry.scores[k];
    p.scores.push_back(score == kNoScore ? "—" : hundredthsText(score));
    p.struck.push_back(show.showsDropped() && struck[k]);
  }
  if (show.showsDropped()) p.dropped = droppedLine(show.entry.result);
  if (show.showsFinal()) p.final = hundredthsText(show.entry.result.finalHundredths);
  return p;
}

}  // namespace

const char* screenName(int mode) { return mode >= 0 && mode < kScreenCount ? kScreenNames[mode] : kScreenNames[0]; }

int screenOfName(const std::string& name) {
  for (int m = 0; m < kScreenCount; ++m)
    if (name == kScreenNames[m]) return m;
  return -1;
}

BoardState boardState(const EventSnapshot& s) {
  BoardState b;
  const Settings& set = s.settings;
  b.seq = s.seq;
  b.title = set.title;
  b.screen = screenName(s.screen);
  b.output = s.outputShown();
  b.blackout = s.blackout;
  b.decimals = set.xsw;
  b.cols = set.cols;
  b.perEntry = set.tmcxh != 0;
  b.titleColour = set.clrtitle;
  b.teamColour = set.clrteam;
  b.round = s.round >= 0 ? s.roundName : std::string();
  // Not while blacked out: the audience sees no clock then either.
  const TimerView& t = s.timer;
  if (t.face.shown && !s.blackout) {
    b.timer.shown = true;
    b.timer.mode = t.mode == kCountUp ? "countup" : "countdown";
    b.timer.running = t.running;
    b.timer.remainingMs = t.remainingMs;
    b.timer.elapsedMs = t.elapsedMs;
    b.timer.colour = timerColourArgb(t.face.colour, set.clrteam);
    b.timer.text = t.face.text;
    b.timer.place = set.timerplace == kClockFullScreen    ? "full-screen"
                    : set.timerplace == kClockBottomRight ? "bottom-right"
                                                          : "top-right";
  }
  if (s.buzzer.kind != BuzzerView::None && !s.blackout) {
    b.buzzer.shown = true;
    b.buzzer.kind = s.buzzer.kind == BuzzerView::Armed    ? "armed"
                    : s.buzzer.kind == BuzzerView::Winner ? "winner"
                                                          : "false-start";
    b.buzzer.name = s.buzzer.name;
    b.buzzer.text = s.buzzer.text();
    b.buzzer.colour = s.buzzer.kind == BuzzerView::Winner       ? set.clrtitle
                      : s.buzzer.kind == BuzzerView::FalseStart ? timerColourArgb(TimerColour::Red, 0)
                                                                : set.clrteam;
  }
  if (s.place.placed && s.place.rect.width() > 0 && s.place.rect.height() > 0) {
    b.width = s.place.rect.width();
    b.height = s.place.rect.height();
  }
  b.panel = panelShown(s.panelShow);
  if (s.judgingRow >= 0 && s.judgingRow < s.count()) {
    b.judging.open = true;
    b.judging.contestant = s.judgingRow;
    b.judging.label = contestantLabel(s.rows[static_cast<std::size_t>(s.judgingRow)]);
    b.judging.lo = set.judgemin;
    b.judging.hi = set.judgemax;
  }
  const bool ceremony = s.reveal.running();
  for (const ContestantRecord& row : s.rows)
    b.teams.push_back(
        BoardTeam{row.name, row.group, ceremony ? std::string() : numbers::floatText(row.score, set.xsw)});

  // The rankings of what the audience was shown: frozen while a ranking is on show.
  const std::vector<ContestantRecord>& rows = s.outputShown() ? s.rankedRows : s.rows;
  const int count = static_cast<int>(rows.size());
  std::vector<std::string> groupsOfRows, scores;
  for (const ContestantRecord& row : rows) {
    groupsOfRows.push_back(row.group);
    scores.push_back(numbers::floatText(row.score, set.xsw));
  }
  std::vector<GroupRecord> table(kGroupRows);
  const int groupCount = count > 0 ? buildGroupTable(rows.data(), count, table.data()) : 0;
  std::vector<std::string> totals;
  for (int g = 0; g < groupCount; ++g) totals.push_back(numbers::floatText(table[g].total, set.xsw));

  if (!ceremony) {
    b.individual = ranked(individualRanking(rows.data(), count), 1, groupsOfRows, scores);
    b.groups = ranked(groupRanking(rows.data(), count), 1, std::vector<std::string>(), totals);
    return b;
  }
  b.reveal.running = true;
  b.reveal.ranking = s.reveal.mode() == GroupRanking ? "group" : "individual";
  b.reveal.step = s.reveal.step();
  b.reveal.steps = s.reveal.steps();
  // Only the revealed ranks of the ranking frozen when the ceremony began, without scores;
  // the other ranking is held back too.
  const RankedList& frozen = s.reveal.ranking();
  std::vector<BoardRank> shown =
      ranked(frozen, s.reveal.firstRankShown(), frozen.groups ? std::vector<std::string>() : groupsOfRows,
             std::vector<std::string>());
  if (frozen.groups)
    b.groups = std::move(shown);
  else
    b.individual = std::move(shown);
  return b;
}
