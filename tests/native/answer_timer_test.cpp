#include "contest/answer_timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "net/board_json.h"
#include "net/board_state.h"
#include "tests/log_stamp.h"

namespace {

std::string shown(const AnswerTimer& t, std::int64_t now, int yellow = 0, int red = 0) {
  const TimerFace f = timerFace(t, yellow, red, now);
  const char* colours[] = {"team", "yellow", "red"};
  return f.shown ? f.text + " " + colours[static_cast<int>(f.colour)] : "-";
}

// A model whose monotonic clock the test moves.
struct Timed : EventObserver {
  Timed() : model(settings(), [] { return LocalTime{2024, 5, 1, 9, 30, 0}; }) {
    model.setMonotonicClock([this] { return now; });
    model.reload("A01,一组\r\n");
    model.addObserver(this);
  }
  static Settings settings() {
    Settings s = defaultSettings();
    s.timersecs = 12;
    s.rounds = "抢答题\t10\t10\t\t20";
    return s;
  }
  std::string log(int back = 1) const { return textAfterStamp(model.logLines()[model.logLines().size() - back]); }
  void timeUp() override { ++timeUps; }
  void timerChanged() override { ++changes; }
  std::int64_t now = 1000000;
  int timeUps = 0, changes = 0;
  EventModel model;
};

}  // namespace

TEST(AnswerTimer, ACountdownRunsOnTheClockPausesAndTurnsYellowRedAndTimeUp) {
  AnswerTimer t;
  EXPECT_EQ(shown(t, 0), "-");
  t.start(kCountdown, 90000, 1000);
  EXPECT_EQ(shown(t, 1000), "01:30 team");
  EXPECT_EQ(shown(t, 1999), "01:30 team");  // rounded up: it reads 0 only at time up
  EXPECT_EQ(shown(t, 2000), "01:29 team");
  EXPECT_EQ(t.nextChangeIn(1400), 600);
  EXPECT_EQ(shown(t, 32000), "59 team");
  t.pause(50000);
  EXPECT_EQ(t.nextChangeIn(60000), -1);
  EXPECT_EQ(shown(t, 400000), "41 team");  // paused: the clock stands
  t.resume(400000);
  EXPECT_EQ(shown(t, 431000), "10 yellow");
  EXPECT_EQ(shown(t, 435999), "06 yellow");
  EXPECT_EQ(shown(t, 436000), "05 red");
  t.adjust(10000, 436000);  // Ctrl+Up: 15 s left
  EXPECT_EQ(shown(t, 436000), "15 team");
  t.adjust(-10000, 436000);
  EXPECT_EQ(shown(t, 440999), "01 red");
  EXPECT_FALSE(t.expire(440999));
  // The tick comes 30 ms late: time ran out at 441000 all the same, and flashes from then.
  EXPECT_TRUE(t.expire(441030));
  EXPECT_FALSE(t.expire(441040));
  EXPECT_EQ(t.expiredAt(), 441000);
  EXPECT_EQ(shown(t, 441030), "时间到 red");
  EXPECT_EQ(shown(t, 441500), " red");  // the flash's dark half
  EXPECT_EQ(t.nextChangeIn(441600), 400);
  EXPECT_EQ(shown(t, 443999), " red");
  EXPECT_EQ(shown(t, 444000), "时间到 red");  // after 3 s it stays
  EXPECT_EQ(t.nextChangeIn(444000), -1);
  t.adjust(-10000, 445000);  // nothing to take from a countdown that ran out
  EXPECT_EQ(t.state(), AnswerTimer::Expired);
  t.adjust(10000, 445000);  // 10 s more, waiting for the go
  EXPECT_EQ(t.state(), AnswerTimer::Paused);
  EXPECT_EQ(shown(t, 445000), "10 yellow");
  t.adjust(-20000, 446000);  // taken to zero while paused: time is up
  EXPECT_EQ(t.state(), AnswerTimer::Expired);
  t.reset();
  EXPECT_EQ(shown(t, 446000), "-");
}

TEST(AnswerTimer, ACountUpKeepsCountingAndShowsTheCards) {
  AnswerTimer t;
  t.start(kCountUp, 0, 0);
  EXPECT_EQ(shown(t, 999, 240, 300), "00 team");
  EXPECT_EQ(shown(t, 239999, 240, 300), "03:59 team");
  EXPECT_EQ(shown(t, 240000, 240, 300), "04:00 yellow");
  EXPECT_EQ(shown(t, 300000, 240, 300), "05:00 red");
  EXPECT_EQ(shown(t, 3600000 * 2LL, 240, 300), "120:00 red");  // it keeps counting
  EXPECT_EQ(t.nextChangeIn(300250), 750);
  t.adjust(-400000, 300000);  // never below zero
  EXPECT_EQ(shown(t, 300000, 240, 300), "00 team");
  EXPECT_FALSE(t.expire(10000000));
}

TEST(AnswerTimer, TimeIsTheClocksNotACountOfTicks) {
  // Ten minutes with ticks as irregular as a busy console gives: the face at each moment is
  // exactly what the clock says, whatever ticks came before.
  AnswerTimer t;
  t.start(kCountdown, 600000, 5);
  std::int64_t now = 5;
  for (int i = 0; now < 600005; ++i) now += 37 + (i * 7919) % 1900;
  EXPECT_EQ(t.remainingMs(599000 + 5), 1000);
  EXPECT_EQ(shown(t, 600004), "01 red");
  EXPECT_TRUE(t.expire(now));
  EXPECT_EQ(t.expiredAt(), 600005);
}

TEST(AnswerTimer, TheModelStartsTheRoundsTimeLogsAndTellsTimeUpOnce) {
  Timed m;
  m.model.timerStartPause();  // no round: the time set
  EXPECT_EQ(m.log(), "计时开始 12 秒");
  EXPECT_EQ(m.model.snapshot()->timer.face.text, "12");
  const std::uint64_t seq = m.model.snapshot()->seq;
  m.now += 400;
  EXPECT_EQ(m.model.timerTick(), 600);
  EXPECT_EQ(m.model.snapshot()->seq, seq) << "a tick that changes nothing on the clock changed the event";
  m.now += 600;
  m.model.timerTick();
  EXPECT_EQ(m.model.snapshot()->timer.face.text, "11");
  EXPECT_EQ(m.model.snapshot()->timer.remainingMs, 11000);
  m.model.timerStartPause();
  EXPECT_EQ(m.log(), "计时暂停");
  EXPECT_FALSE(m.model.snapshot()->timer.running);
  ASSERT_TRUE(m.model.timerAdjust(-10));
  EXPECT_EQ(m.log(), "计时减 10 秒");
  EXPECT_EQ(m.model.snapshot()->timer.face.colour, TimerColour::Red);
  m.model.timerStartPause();
  EXPECT_EQ(m.log(), "计时继续");
  m.now += 1100;  // F4 in the moment of time up, before the tick: time up, no new start
  m.model.timerStartPause();
  EXPECT_EQ(m.log(), "时间到");
  m.model.timerTick();
  EXPECT_EQ(m.timeUps, 1);
  EXPECT_EQ(m.model.snapshot()->timer.face.text, "时间到");

  // In a round with an answer time, F4 starts that time.
  ASSERT_TRUE(m.model.timerReset());
  EXPECT_EQ(m.log(), "计时复位") << "a countdown's reset is not the speech's end";
  EXPECT_FALSE(m.model.snapshot()->timer.face.shown);
  m.model.setRound(0);
  m.model.timerStartPause();
  EXPECT_EQ(m.log(), "计时开始 20 秒");

  // A count-up's reset logs the time counted.
  Settings s = m.model.settings();
  s.timermode = kCountUp;
  m.model.applyTimerSettings(s);
  m.model.timerReset();
  m.model.timerStartPause();
  EXPECT_EQ(m.log(), "计时开始 正计时");
  m.now += 275400;
  m.model.timerTick();
  EXPECT_EQ(m.model.snapshot()->timer.face.colour, TimerColour::Yellow);  // the 240 s card
  EXPECT_FALSE(m.model.timerAdjust(0));
  m.model.timerReset();
  EXPECT_EQ(m.log(), "计时 04:35 结束");
  EXPECT_FALSE(m.model.timerReset());
}

TEST(AnswerTimer, ThePagesGetTheTimerToCountOnByThemselves) {
  Timed m;
  EXPECT_FALSE(boardState(*m.model.snapshot()).timer.shown);
  EXPECT_NE(boardJson(boardState(*m.model.snapshot())).find("\"timer\":null"), std::string::npos);
  m.model.timerStartPause();
  m.now += 1250;
  m.model.timerTick();
  const std::string json = boardJson(boardState(*m.model.snapshot()));
  EXPECT_NE(json.find("\"timer\":{\"colour\":\"#FFFFFF\",\"mode\":\"countdown\",\"place\":\"top-right\",\"remaining_"
                      "ms\":10750,\"running\":true,"
                      "\"text\":\"11\"}"),
            std::string::npos)
      << json;
  m.now += 1000;
  m.model.timerTick();
  EXPECT_NE(boardJson(boardState(*m.model.snapshot())).find("\"colour\":\"#FFE000\""), std::string::npos);
}
