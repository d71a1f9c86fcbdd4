// Buzzers (抢答器): which team's buzzer is which key, and who pressed first.  Portable: the
// Win32 side turns raw keyboard input into BuzzerPress values and hands a message batch at a
// time to BuzzerLockout, which decides; the event model shows, logs and journals the result.
//
// A buzzer is a key, and where the system says which device typed it, that device too, so
// two identical boxes typing the same key are told apart.  Devices are named by their device
// path, which stays the same for the same box on the same port after a restart.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

// One learnt buzzer: the team (its name, as the roster spells it) and what it types.
struct BuzzerKey {
  std::string team;    // GBK
  std::string device;  // the device path; empty: the key alone identifies the team
  unsigned key = 0;    // virtual-key code
  bool operator==(const BuzzerKey& o) const { return team == o.team && device == o.device && key == o.key; }
};

// The stored form is one line per buzzer (LF between them): team, device, key (decimal),
// tab-separated, each field escaped as the journal escapes its fields.
std::string encodeBuzzerKeys(const std::vector<BuzzerKey>& keys);
// False (and `out` empty) when the text is no list of buzzers; empty text is none.
bool decodeBuzzerKeys(const std::string& text, std::vector<BuzzerKey>& out);
extern const char kBuzzerKeysDamagedWarning[];

// The index in `keys` of the buzzer a press of key on device belongs to, or -1: the exact
// device and key first, then a buzzer learnt by its key alone; a press without device
// information matches any buzzer of that key.
int findBuzzer(const std::vector<BuzzerKey>& keys, const std::string& device, unsigned key);
// The index of a buzzer (of another team than `team`) that a new buzzer device/key would be
// confused with, or -1: the same key on the same device, or the same key where either side
// has no device.  The learning dialog refuses such a key, naming the team that has it.
int buzzerClash(const std::vector<BuzzerKey>& keys, const std::string& team, const std::string& device, unsigned key);

// Whether a key can be a buzzer's: not Shift, Ctrl, Alt, the Windows keys or a lock key (a
// box never types them alone, and the keyboard's own state keys are no team's).
bool buzzerKeyAllowed(unsigned key);

// One key transition from a buzzer, as the system reported it.
struct BuzzerPress {
  std::string device;
  unsigned key = 0;
  bool down = true;        // false: released
  std::uint32_t time = 0;  // the message's input time (ms, wrapping)
};

// What one press did.
struct BuzzerOutcome {
  enum Kind { Won, FalseStart };
  Kind kind = Won;
  int buzzer = -1;  // index in the keys
};

// The lockout for one question after another.  Before arming, a press is a false start
// (提前抢答); armed, the first press of a team not locked out wins and every later press is
// ignored until reset.  A held key counts once: the system repeats a held key's press
// without a release in between, and only a press after a release is a new one.
class BuzzerLockout {
 public:
  enum State { Idle, Armed, Decided };
  State state() const { return state_; }
  int winner() const { return winner_; }  // the buzzer that won, or -1
  // Buzzers locked out of this question / of the next one (false starts, when that is on).
  const std::set<int>& locked() const { return locked_; }
  const std::set<int>& lockedNext() const { return lockedNext_; }
  void setLockOutFalseStarts(bool on) { lockOut_ = on; }

  // A new question: who false-started before it (when locking out is on) sits this one out.
  void arm();
  // Back to idle: no winner, nobody locked out of the question that ended.
  void reset();
  // A batch of presses as one message loop turn delivered them, in message order: they are
  // taken in order of input time, ties in message order.  The outcomes in that order.
  std::vector<BuzzerOutcome> feed(const std::vector<BuzzerKey>& keys, const std::vector<BuzzerPress>& batch);

 private:
  bool held(const BuzzerPress& p) const;
  State state_ = Idle;
  int winner_ = -1;
  bool lockOut_ = false;
  std::set<int> locked_;
  std::set<int> lockedNext_;
  std::set<std::pair<std::string, unsigned>> down_;  // keys held now
};

// The learning dialog's steps: each team (or group) in turn is asked to press its buzzer.
// A key another team already has is refused with that team's name and the same team is
// asked again; Skip keeps what the team had, Back asks the previous team again, and any team
// can be picked to be asked next.  Keys of names no longer asked (a team gone from the
// roster) stay, so a reload of the wrong roster loses nothing, until cleared.
class BuzzerLearning {
 public:
  BuzzerLearning(std::vector<std::string> teams, std::vector<BuzzerKey> keys)
      : teams_(std::move(teams)), keys_(std::move(keys)) {}
  bool done() const { return at_ >= teams_.size(); }
  std::size_t at() const { return at_; }
  const std::vector<std::string>& teams() const { return teams_; }
  // "请按下 NAME 的抢答键", or "" when every team was asked.
  std::string prompt() const;
  // Learns the key for the team asked and moves on: "" then, else the refusal (a key another
  // team has, or one no buzzer types).
  std::string press(const std::string& device, unsigned key);
  void skip() {
    if (!done()) ++at_;
  }
  void back() {
    if (at_ > 0) --at_;
  }
  // Asks team `index` next (past the last: nobody).
  void ask(std::size_t index) { at_ = index < teams_.size() ? index : teams_.size(); }
  // Forgets the buzzer of `team`.
  void clear(const std::string& team);
  const std::vector<BuzzerKey>& keys() const { return keys_; }

 private:
  std::vector<std::string> teams_;
  std::vector<BuzzerKey> keys_;
  std::size_t at_ = 0;
};

// The names buzzers are learnt for, from the roster's (name, group) rows: each team, or each
// group once, in the order the roster first names it.
std::vector<std::string> buzzerNames(const std::vector<std::pair<std::string, std::string>>& rows, bool byGroup);

// One line of the learning dialog's list: a name asked for, then the learnt names that are not.
struct BuzzerListLine {
  std::string name;
  std::string key;     // the key's name, "" for none learnt
  std::string device;  // "设备N" (devices numbered in the order of the list), or "任意设备"
  bool asked = true;   // false: learnt for a name the roster no longer has
};
std::vector<BuzzerListLine> buzzerList(const std::vector<std::string>& teams, const std::vector<BuzzerKey>& keys);
// A virtual-key code as the operator knows the key: "A", "7", "小键盘7", "F5", "空格"...
std::string buzzerKeyName(unsigned key);
