// The answer or speech timer: a countdown of a question's answer time, or a count-up of a
// speech with a yellow and a red card at set seconds.  Portable and clock-free: every call
// takes the monotonic time now, in milliseconds, so the time shown is always the wall-clock
// time since the start (never a count of ticks) and tests drive it with a clock of their own.
#pragma once
#include <cstdint>
#include <string>

enum TimerMode : std::int32_t { kCountdown = 0, kCountUp = 1 };
// Where the clock stands on the audience screen.
enum TimerPlace : std::int32_t { kClockTopRight = 0, kClockBottomRight = 1, kClockFullScreen = 2 };
// The clock's colour: the board's team colour, the yellow card's, the red card's.
enum class TimerColour { Team, Yellow, Red };

// How long "时间到" flashes once a countdown reached zero, and each half of a flash.
constexpr std::int64_t kTimeUpFlashMs = 3000;
constexpr std::int64_t kTimeUpBlinkMs = 500;
extern const char kTimeUpText[];  // "时间到"

class AnswerTimer {
 public:
  enum State { Idle, Running, Paused, Expired };

  State state() const { return state_; }
  bool shown() const { return state_ != Idle; }  // started and not reset since
  bool running() const { return state_ == Running; }
  TimerMode mode() const { return mode_; }

  // Starts afresh: a countdown of durationMs, or a count-up from zero.
  void start(TimerMode mode, std::int64_t durationMs, std::int64_t now);
  void pause(std::int64_t now);
  void resume(std::int64_t now);
  // Adds (or with a negative delta takes) time: to what is left of a countdown, to the time
  // a count-up has counted; never below zero.  A countdown that had run out has delta left,
  // paused; one taken to zero has run out.  Nothing while idle.
  void adjust(std::int64_t deltaMs, std::int64_t now);
  void reset() { *this = AnswerTimer(); }
  // A countdown that has reached zero by now stops there; true when it did just now.
  bool expire(std::int64_t now);

  std::int64_t elapsedMs(std::int64_t now) const;
  std::int64_t remainingMs(std::int64_t now) const;  // a countdown's; 0 once run out
  std::int64_t durationMs() const { return duration_; }
  // When a countdown reached zero (monotonic ms), once it has.
  std::int64_t expiredAt() const { return expiredAt_; }
  // Milliseconds until what the clock shows can change next (a second, a flash), or -1 when
  // it cannot change by itself.
  std::int64_t nextChangeIn(std::int64_t now) const;

 private:
  State state_ = Idle;
  TimerMode mode_ = kCountdown;
  std::int64_t duration_ = 0;
  std::int64_t counted_ = 0;  // elapsed up to the last start or resume
  std::int64_t since_ = 0;    // monotonic time of the last start or resume
  std::int64_t expiredAt_ = 0;
};

// What the clock shows at a moment.
struct TimerFace {
  bool shown = false;
  std::string text;  // "MM:SS", "SS" under a minute, "时间到", or "" (a flash's dark half)
  int seconds = 0;   // the seconds it stands for
  TimerColour colour = TimerColour::Team;
  bool operator==(const TimerFace& o) const {
    return shown == o.shown && text == o.text && seconds == o.seconds && colour == o.colour;
  }
  bool operator!=(const TimerFace& o) const { return !(*this == o); }
};

// A countdown shows whole seconds rounded up (it reads 0 only when time is up): the team
// colour, yellow for the last 10 s, red for the last 5 s, then "时间到" flashing for 3 s and
// staying.  A count-up shows whole seconds counted, yellow from yellowMark and red from
// redMark (seconds; 0: no mark).
TimerFace timerFace(const AnswerTimer& timer, int yellowMark, int redMark, std::int64_t now);
// The colour as ARGB, team being the board's team colour.
std::uint32_t timerColourArgb(TimerColour colour, std::uint32_t team);
// "MM:SS", or "SS" under a minute.
std::string clockText(int seconds);
