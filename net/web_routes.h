// What the venue server answers to a request, decided before anything is served: the few
// paths it knows, GET only and small requests without bodies, but for the one path a judge's
// phone sends its score to (POST with a small body, whose size and content the judges' desk
// checks).  Nothing here builds a path from
// the request: a route is one of a fixed list.  Portable, so every refusal is tested natively
// and fuzzed.
#pragma once
#include <cstddef>
#include <string>

enum class Route { Index, Board, State, Events, Background, Logo, Judge, JudgeScore, None };

// /board's options: a screen pinned whatever the projector shows (-1: follow it), and a page
// without background or logo for streaming software.
struct BoardOptions {
  int screen = -1;
  bool transparent = false;
};

// /judge's link: the seat and its token as the query gives them (seat 0 when it is no number);
// whether they are valid only the server knows (the tokens change).
struct JudgeLink {
  int seat = 0;
  std::string token;
};

struct RouteResult {
  int status;  // 200 when the route is served; otherwise the refusal's status
  Route route;
  BoardOptions board;
  JudgeLink judge;
};

constexpr std::size_t kMaxRequestHead = 8192;  // request line and headers, in bytes

// method and target as the request line gives them; headBytes: the request line and headers'
// size; body: the request carries a body (a Content-Length above 0 or chunks).  POST
// /api/judge may carry one: the server reads it, at most kMaxJudgeBody bytes.
RouteResult routeRequest(const std::string& method, const std::string& target, std::size_t headBytes, bool body);
