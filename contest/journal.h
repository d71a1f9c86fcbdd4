// The journal: every accepted change of the contest as one GBK text line, appended and
// flushed before the console shows the change, so a crash or a power cut loses nothing.
//
// A line is tab-separated fields, the record kind first, and ends with a tab, eight hex
// digits (a check over the rest of the line) and CR LF:
//   quillet-journal 1                                  the first line of every journal
//   roster  stamp bytes hash count {name group score}  a roster load: its identity and rows
//   score   stamp row name group old new text          a score change (floats as hex bits)
//   panel   stamp row name group old new text was now phones
//                                                      a judge panel's entry (was, now: the
//                                                      entry before and after, see panelText;
//                                                      phones: the seats whose scores came
//                                                      from the judges' phones, "1,3"; older
//                                                      journals end at now)
//   undo    stamp / redo stamp                         the history stepped back or forward
//   log     line                                       a line of the operation log
//   round   stamp number name                          the current round (number 0: none,
//                                                      else from 1, with the round's name)
//   restore stamp changes                              the previous run's scores restored
//   close   stamp                                      a clean close
// Inside a field "\" , tab, CR and LF are written \\ \t \r \n; the scan walks whole GBK
// characters, so a trail byte 0x5C or 0x60 is never taken for an escape.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "contest/contestant_table.h"
#include "contest/score_request.h"

namespace journal {

std::uint32_t hashBytes(const std::string& bytes);

std::string escapeField(const std::string& field);
// False when the field holds an escape that is not one of the four.
bool unescapeField(const std::string& field, std::string& out);

std::string headerRecord();
std::string rosterRecord(const std::string& stamp, std::size_t rosterBytes, std::uint32_t rosterHash,
                         const ContestantRecord* rows, int count);
std::string scoreRecord(const std::string& stamp, const ContestantRecord& row, const ScoreStep& step);
std::string panelRecord(const std::string& stamp, const ContestantRecord& row, const ScoreStep& step);
// A panel entry as one field: "" for none, else "scores;final;high;low;missing", the lists
// comma-separated hundredths (an empty place for a judge without a score).
std::string panelText(const PanelEntry& entry);
bool parsePanelText(const std::string& text, PanelEntry& out);
std::string undoRecord(const std::string& stamp);
std::string redoRecord(const std::string& stamp);
std::string logRecord(const std::string& line);
std::string restoreRecord(const std::string& stamp, int changes);
std::string roundRecord(const std::string& stamp, int number, const std::string& name);
std::string closeRecord(const std::string& stamp);

// A journal read back and replayed over the roster it names.
struct Replay {
  enum Status { Empty, Ok, Garbled };
  Status status = Empty;
  std::string problem;          // what made it garbled, for the operator's warning
  std::size_t validLength = 0;  // bytes up to the end of the last complete record
  bool hasRoster = false;
  std::vector<ContestantRecord> rows;  // the contest at the end of the journal
  std::vector<PanelEntry> panels;      // each row's panel entry there
  std::vector<ScoreStep> done;         // the undo history
  std::vector<ScoreStep> undone;       // the redo history
  std::vector<std::string> logLines;   // every log line, in order
  int changes = 0;                     // score changes, undos and redos since the last roster load
  bool anyChange = false;              // one at all, also before the last roster load
  std::string lastChangeStamp;
  bool closed = false;  // the last record is a clean close
  int round = 0;        // the current round at the end (0: none, else its number from 1)
  std::string roundName;
};

// Reads a journal's bytes.  A last line without its line end (cut by a power loss) is left
// out; any complete line that fails its check, does not parse or does not fit the records
// before it makes the whole journal Garbled.
Replay replay(const std::string& bytes);

// True when rows hold the same contestants (names and groups, same order) as the replay.
bool sameContestants(const Replay& replay, const ContestantRecord* rows, int count);

}  // namespace journal
