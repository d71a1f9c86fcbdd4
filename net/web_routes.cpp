#include "net/web_routes.h"

#include "net/board_state.h"

namespace {

struct Path {
  const char* path;
  Route route;
};
const Path kPaths[] = {
    {"/", Route::Index},
    {"/board", Route::Board},
    {"/api/state", Route::State},
    {"/api/events", Route::Events},
    {"/data/bg.jpg", Route::Background},
    {"/data/logo.png", Route::Logo},
    {"/judge", Route::Judge},
    {"/api/judge", Route::JudgeScore},
};

// Each "&"-separated key=value pair of a query, in order, until `take` refuses one.
template <class Take>
bool eachQueryPair(const std::string& query, Take take) {
  std::size_t start = 0;
  while (start <= query.size()) {
    std::size_t end = query.find('&', start);
    if (end == std::string::npos) end = query.size();
    const std::string pair = query.substr(start, end - start);
    const std::size_t eq = pair.find('=');
    if (!take(pair.substr(0, eq), eq == std::string::npos ? std::string() : pair.substr(eq + 1))) return false;
    start = end + 1;
  }
  return true;
}

// The query of /board: unknown keys are left alone (a browser source may add its own), a
// known key with a value it cannot take refuses the request.
bool readBoardQuery(const std::string& query, BoardOptions& out) {
  return eachQueryPair(query, [&](const std::string& key, const std::string& value) {
    if (key == "screen") {
      const int screen = screenOfName(value);
      if (screen < 1) return false;  // the welcome screen is no board to pin
      out.screen = screen;
    } else if (key == "transparent") {
      if (value != "1" && value != "0") return false;
      out.transparent = value == "1";
    }
    return true;
  });
}

// /judge's query: seat and token, other keys left alone.  A seat that is no small number is
// seat 0, which no token opens.
JudgeLink readJudgeQuery(const std::string& query) {
  JudgeLink link;
  eachQueryPair(query, [&](const std::string& key, const std::string& value) {
    if (key == "seat") {
      link.seat = 0;
      if (!value.empty() && value.size() <= 2 && value.find_first_not_of("0123456789") == std::string::npos)
        link.seat = std::stoi(value);
    } else if (key == "token") {
      link.token = value;
    }
    return true;
  });
  return link;
}

}  // namespace

RouteResult routeRequest(const std::string& method, const std::string& target, std::size_t headBytes, bool body) {
  RouteResult r{404, Route::None, BoardOptions(), JudgeLink()};
  if (headBytes > kMaxRequestHead) {
    r.status = 431;
    return r;
  }
  const std::size_t mark = target.find('?');
  const std::string path = target.substr(0, mark);
  const std::string query = mark == std::string::npos ? std::string() : target.substr(mark + 1);
  for (const Path& p : kPaths)
    if (path == p.path) r.route = p.route;
  if (r.route == Route::None) return r;  // 404: also every "..", encoded or not
  if (r.route == Route::JudgeScore) {
    // The body is the desk's to judge (its size included); a query has no place here.
    r.status = method != "POST" ? 405 : !query.empty() ? 400 : 200;
    return r;
  }
  if (method != "GET") {
    r.status = 405;
    return r;
  }
  if (body) {
    r.status = 413;
    return r;
  }
  if (r.route == Route::Judge) {
    r.judge = readJudgeQuery(query);
  } else if (r.route == Route::Board ? !readBoardQuery(query, r.board) : !query.empty() && r.route != Route::Events) {
    r.status = 400;
    return r;
  }
  r.status = 200;
  return r;
}
