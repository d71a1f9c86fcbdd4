// Every persisted setting, described once.  One table row per key says its type, its default,
// its range and the message for a value outside it, which control of the options dialog edits
// it and when it is saved; reading with clamping, saving, the store's defaults and the options
// dialog's checks all follow the table.  A new setting is a member here and one row in
// settings.cpp (plus its control).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "kqcore/config_store.h"

// The values, as the event model holds them.  Flags are 0 or 1.  Default-constructed, every
// value is zero; defaultSettings() gives the table's defaults.
struct Settings {
  std::int32_t xsw = 0;   // decimals of a score
  std::int32_t cols = 0;  // board columns
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t scoreinit = 0;
  std::string scorestepdefault;  // the change value the score entry dialog last closed with
  std::string scoresteps;
  std::string title;
  std::uint32_t clrtitle = 0;  // ARGB
  std::uint32_t clrteam = 0;   // ARGB
  std::int32_t on = 0;         // the output switch
  std::int32_t tmcxh = 0;      // ranking screens: one line per entry
  std::int32_t uityp = 0;      // the screen last chosen
  std::int32_t fill = 0;       // the output window covers its whole monitor
  // Judge panels: judges on the panel (0: none), how many highest and lowest scores are
  // dropped, the range a judge may give, and the spread between highest and lowest (in
  // hundredths) past which the operator is asked (0: never).
  std::int32_t judges = 0;
  std::int32_t trim = 0;
  std::int32_t judgemin = 0;
  std::int32_t judgemax = 0;
  std::int32_t spread = 0;
  // The venue's web server: serving (restored at the next start) and its port.
  std::int32_t net = 0;
  std::int32_t port = 0;
  // The judges' links: every seat's token, "," between them (net/judge_desk.h).
  std::string judgetokens;
  // The rounds (see contest/rounds.h for the form), edited in the rounds dialog.
  std::string rounds;
  // The timer: a countdown's time when the round has none (seconds), countdown or count-up,
  // the yellow and red cards of a count-up (seconds), where the clock stands, and the sound
  // at zero.
  std::int32_t timersecs = 0;
  std::int32_t timermode = 0;
  std::int32_t timeryellow = 0;
  std::int32_t timerred = 0;
  std::int32_t timerplace = 0;
  std::int32_t timersound = 0;
  // Buzzers: each team's learnt key and each group's (see contest/buzzers.h for the form),
  // which of the two the buzzers are (0: a buzzer a team, 1: a buzzer a group); whether a
  // false start locks the team out of the next question, is shown to the audience, and
  // whether arming starts the answer timer.
  std::string buzzerkeys;
  std::string buzzergroupkeys;
  std::int32_t buzzby = 0;
  std::int32_t buzzlockout = 0;
  std::int32_t buzzshowfalse = 0;
  std::int32_t buzztimer = 0;

  bool operator==(const Settings& o) const;
  bool operator!=(const Settings& o) const { return !(*this == o); }
};

enum class SettingType { Int, Text, Colour, Flag, Hundredths };

// When a setting is written to the store.
// When a setting is written to the store: the options dialog's or the network dialog's OK,
// or the console's close.
enum SettingSaved : unsigned {
  SavedByOptions = 1,
  SavedAtClose = 2,
  SavedByNetwork = 4,
  SavedByRounds = 8,
  SavedByTimer = 16,
  SavedByBuzzers = 32
};

struct SettingRow {
  const char* key;
  SettingType type;
  const char* defaultText;  // what a key never saved reads as
  // Int: the range the options dialog enforces and a read value is clamped into (lo > hi:
  // none); `what` names the value in the message "<what>必须是<lo>到<hi>之间的整数".
  int lo, hi;
  const char* what;
  int control;  // the options dialog's control, 0 for none
  unsigned saved;
  // Set where the refusal has a text of its own (Hundredths rows always do).
  const char* message;
  // The key of a setting this one must stay strictly below (its refusal focuses this row's
  // control), or null.
  const char* below;
  // Exactly one is set, by type: Int, Flag and Hundredths, Text, Colour.
  std::int32_t Settings::*number;
  std::string Settings::*text;
  std::uint32_t Settings::*colour;
  bool ranged() const { return lo <= hi; }
};

// In the order options are saved, then the keys saved at close.
const std::vector<SettingRow>& settingsTable();
const SettingRow* settingRow(const std::string& key);

// What each key reads as before it has ever been saved.
ConfigStore::Defaults settingsDefaults();

Settings defaultSettings();

// Every setting as a start reads it: clamped into its range, the quick steps' full-width
// commas made ASCII.
Settings readSettings(const ConfigStore& store);
// Whether a and b hold the same values in every row marked `which` (0: every row).
bool sameSettings(const Settings& a, const Settings& b, unsigned which = 0);
// Copies the rows saved by `which` (a dialog's) from `from` into `to`, and nothing else.
void copySettings(Settings& to, const Settings& from, unsigned which);
// Saves the rows marked `which`, in table order; false when a write failed.
bool saveSettings(ConfigStore& store, const Settings& settings, unsigned which);

// The quick-step list with every full-width comma "，" turned into ",".
std::string withAsciiCommas(const std::string& steps);

// The options dialog's check of its number fields (the text of each Int or Hundredths row
// with a control, keyed by control id): atoi-like reading of whole numbers, the range checks
// in table order, stopping at the first failure, then the rows that must stay below another.  A number without a range
// that does not fit 32 bits is saturated.  On success the values are written into `out`.
struct OptionsCheck {
  bool ok;
  int field;            // control id of the offending field, 0 when ok
  std::string message;  // the warning to show
};
struct FieldText {
  int control;
  std::string text;
};
OptionsCheck checkOptionNumbers(const std::vector<FieldText>& fields, Settings& out);

// atoi-like: leading white space, an optional sign, digits; no digits gives 0.  A number too
// large for a 32-bit integer is reported as such instead of wrapping around.
struct FieldNumber {
  long long value;
  bool fits;  // within the 32-bit range
};
FieldNumber readIntField(const std::string& text);
