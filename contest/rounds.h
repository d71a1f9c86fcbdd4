// Rounds (轮次): the parts of a quiz that score by rules of their own -- what Numpad + adds,
// what Numpad - takes away, the quick steps and the answer time.  The list is kept in the
// settings store as one value; the event model holds which round is current.
//
// The stored form is one line per round (LF between them), five tab-separated fields each:
// name, value to add, value to subtract, quick steps, answer time in seconds.  Each field is
// escaped as the journal escapes its fields, so any byte of a name reads back as it was.
#pragma once
#include <string>
#include <vector>

constexpr int kMaxRounds = 50;
constexpr int kMaxRoundNameBytes = 30;  // GBK
constexpr int kMaxAnswerSeconds = 3600;

struct Round {
  std::string name;      // GBK
  std::string add;       // what Numpad + adds, as typed ("10")
  std::string subtract;  // what Numpad - takes away ("0": nothing)
  std::string steps;     // the quick steps ("10,20,30"); empty: those of the options
  int seconds = 0;       // the answer time; 0: none (the timer's own time applies)
  bool operator==(const Round& o) const {
    return name == o.name && add == o.add && subtract == o.subtract && steps == o.steps && seconds == o.seconds;
  }
};

// Which field of a round a check refused (the rounds dialog focuses its control).
enum class RoundField { None, Name, Add, Subtract, Steps, Seconds };

struct RoundCheck {
  bool ok = true;
  int round = -1;  // index of the refused round
  RoundField field = RoundField::None;
  std::string message;  // names the round and the field
};

// Checks one round as the dialog holds it (the seconds as typed); `index` numbers it in the
// message.  On success `out` holds the round with its steps' full-width commas made ASCII.
RoundCheck checkRound(const std::string& name, const std::string& add, const std::string& subtract,
                      const std::string& steps, const std::string& seconds, int index, Round& out);
// The first refusal among rounds, in order, or ok.
RoundCheck checkRounds(const std::vector<Round>& rounds);

std::string encodeRounds(const std::vector<Round>& rounds);
// False (and `out` empty) when text is no list of valid rounds; empty text is no rounds.
bool decodeRounds(const std::string& text, std::vector<Round>& out);

// The name a round index shows as: the round's name, "不分轮次" for -1.
extern const char kNoRoundName[];
std::string roundName(const std::vector<Round>& rounds, int index);
// The one warning at start when the stored list is damaged.
extern const char kRoundsDamagedWarning[];
