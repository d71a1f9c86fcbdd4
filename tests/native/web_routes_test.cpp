// The venue server's answers before anything is served.
#include "net/web_routes.h"

#include <gtest/gtest.h>

TEST(WebRoutes, TheKnownPathsByGetAndEveryRefusal) {
  struct Case {
    const char* method;
    const char* target;
    int status;
    Route route;
  };
  const Case cases[] = {
      {"GET", "/", 200, Route::Index},
      {"GET", "/board", 200, Route::Board},
      {"GET", "/api/state", 200, Route::State},
      {"GET", "/api/events", 200, Route::Events},
      {"GET", "/data/bg.jpg", 200, Route::Background},
      {"GET", "/data/logo.png", 200, Route::Logo},
      {"GET", "/data/_team.txt", 404, Route::None},
      {"GET", "/data/../Quillet.cfg", 404, Route::None},
      {"GET", "/data/%2e%2e/Quillet.cfg", 404, Route::None},
      {"GET", "/board/", 404, Route::None},
      {"GET", "", 404, Route::None},
      {"HEAD", "/board", 405, Route::Board},
      {"OPTIONS", "/", 405, Route::Index},
      {"POST", "/api/state", 405, Route::State},
      {"GET", "/api/state?x=1", 400, Route::State},
      {"GET", "/board?screen=welcome", 400, Route::Board},
      {"GET", "/board?transparent=yes", 400, Route::Board},
      {"GET", "/judge?seat=2&token=x", 200, Route::Judge},
      {"GET", "/judge", 200, Route::Judge},  // no seat: the server answers the notice
      {"POST", "/judge", 405, Route::Judge},
      {"POST", "/api/judge", 200, Route::JudgeScore},
      {"GET", "/api/judge", 405, Route::JudgeScore},
      {"POST", "/api/judge?seat=1", 400, Route::JudgeScore},
  };
  for (const Case& c : cases) {
    const RouteResult r = routeRequest(c.method, c.target, 100, false);
    EXPECT_EQ(r.status, c.status) << c.method << " " << c.target;
    EXPECT_EQ(r.route, c.route) << c.method << " " << c.target;
  }
  EXPECT_EQ(routeRequest("GET", "/board", kMaxRequestHead, false).status, 200);
  EXPECT_EQ(routeRequest("GET", "/board", kMaxRequestHead + 1, false).status, 431);
  EXPECT_EQ(routeRequest("GET", "/api/state", 100, true).status, 413);
  EXPECT_EQ(routeRequest("POST", "/api/judge", 100, true).status, 200);
  EXPECT_EQ(routeRequest("POST", "/api/judge", kMaxRequestHead + 1, true).status, 431);
}

TEST(WebRoutes, AJudgesLinkGivesItsSeatAndTokenAndNoSeatForJunk) {
  RouteResult r = routeRequest("GET", "/judge?x=1&token=AbC-_9&seat=12", 100, false);
  EXPECT_EQ(r.judge.seat, 12);
  EXPECT_EQ(r.judge.token, "AbC-_9");
  for (const char* junk : {"/judge?seat=-1&token=t", "/judge?seat=1e1&token=t", "/judge?seat=999&token=t"})
    EXPECT_EQ(routeRequest("GET", junk, 100, false).judge.seat, 0) << junk;
}

TEST(WebRoutes, BoardOptionsPinAScreenAndLeaveThePicturesOut) {
  RouteResult r = routeRequest("GET", "/board?screen=group&transparent=1&obs=7", 100, false);
  ASSERT_EQ(r.status, 200);
  EXPECT_EQ(r.board.screen, 3);
  EXPECT_TRUE(r.board.transparent);
  r = routeRequest("GET", "/board", 100, false);
  EXPECT_EQ(r.board.screen, -1);
  EXPECT_FALSE(r.board.transparent);
}
