#include "contest/answer_timer.h"

#include <algorithm>
#include <cstdio>

const char kTimeUpText[] = "时间到";

void AnswerTimer::start(TimerMode mode, std::int64_t durationMs, std::int64_t now) {
  reset();
  mode_ = mode;
  duration_ = mode == kCountdown ? std::max<std::int64_t>(0, durationMs) : 0;
  state_ = Running;
  since_ = now;
  expire(now);
}

void AnswerTimer::pause(std::int64_t now) {
  if (expire(now) || state_ != Running) return;
  counted_ = elapsedMs(now);
  state_ = Paused;
}

void AnswerTimer::resume(std::int64_t now) {
  if (state_ != Paused) return;
  since_ = now;
  state_ = Running;
}

void AnswerTimer::adjust(std::int64_t deltaMs, std::int64_t now) {
  if (state_ == Idle) return;
  expire(now);
  if (mode_ == kCountUp) {
    // Taken from the time counted, which never goes below zero.
    const std::int64_t elapsed = elapsedMs(now);
    counted_ += std::max(deltaMs, -elapsed);
    return;
  }
  if (state_ == Expired) {
    if (deltaMs <= 0) return;
    // Time added to a countdown that ran out: that much is left, waiting for the go.
    counted_ = duration_;
    duration_ += deltaMs;
    state_ = Paused;
    return;
  }
  duration_ += std::max(deltaMs, -remainingMs(now));
  expire(now);  // taken to zero: run out
}

bool AnswerTimer::expire(std::int64_t now) {
  if ((state_ != Running && state_ != Paused) || mode_ != kCountdown || elapsedMs(now) < duration_) return false;
  // A running countdown ran out when its time did, not when this is noticed.
  expiredAt_ = state_ == Running ? since_ + (duration_ - counted_) : now;
  counted_ = duration_;
  state_ = Expired;
  return true;
}

std::int64_t AnswerTimer::elapsedMs(std::int64_t now) const {
  const std::int64_t e = counted_ + (state_ == Running ? std::max<std::int64_t>(0, now - since_) : 0);
  return mode_ == kCountdown ? std::min(e, duration_) : e;
}

std::int64_t AnswerTimer::remainingMs(std::int64_t now) const {
  return mode_ == kCountdown ? duration_ - elapsedMs(now) : 0;
}

std::int64_t AnswerTimer::nextChangeIn(std::int64_t now) const {
  if (state_ == Expired) {
    const std::int64_t since = now - expiredAt_;
    return since < kTimeUpFlashMs ? kTimeUpBlinkMs - since % kTimeUpBlinkMs : -1;
  }
  if (state_ != Running) return -1;
  if (mode_ == kCountUp) return 1000 - elapsedMs(now) % 1000;
  // Rounded up, the seconds shown change when what is left crosses a whole second.
  const std::int64_t left = remainingMs(now);
  return left <= 0 ? 0 : (left % 1000 ? left % 1000 : 1000);
}

std::uint32_t timerColourArgb(TimerColour colour, std::uint32_t team) {
  switch (colour) {
    case TimerColour::Yellow:
      return 0xFFFFE000u;
    case TimerColour::Red:
      return 0xFFFF3030u;
    default:
      return team;
  }
}

std::string clockText(int seconds) {
  char text[16];
  if (seconds < 60)
    std::snprintf(text, sizeof text, "%02d", seconds < 0 ? 0 : seconds);
  else
    std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
  return text;
}

TimerFace timerFace(const AnswerTimer& timer, int yellowMark, int redMark, std::int64_t now) {
  TimerFace face;
  if (!timer.shown()) return face;
  face.shown = true;
  if (timer.mode() == kCountUp) {
    face.seconds = static_cast<int>(timer.elapsedMs(now) / 1000);
    face.text = clockText(face.seconds);
    if (redMark > 0 && face.seconds >= redMark)
      face.colour = TimerColour::Red;
    else if (yellowMark > 0 && face.seconds >= yellowMark)
      face.colour = TimerColour::Yellow;
    return face;
  }
  const std::int64_t left = timer.remainingMs(now);
  if (left <= 0) {
    // Run out (also when the tick that notices it has not come yet).
    const std::int64_t since = timer.state() == AnswerTimer::Expired ? now - timer.expiredAt() : 0;
    const bool dark = since < kTimeUpFlashMs && (since / kTimeUpBlinkMs) % 2 == 1;
    face.text = dark ? std::string() : kTimeUpText;
    face.colour = TimerColour::Red;
    return face;
  }
  face.seconds = static_cast<int>((left + 999) / 1000);
  face.text = clockText(face.seconds);
  face.colour = face.seconds <= 5 ? TimerColour::Red : face.seconds <= 10 ? TimerColour::Yellow : TimerColour::Team;
  return face;
}
