// What the venue server answers to a request, decided before anything is served: the few
// paths it knows, GET only, small requests without bodies.  Nothing here builds a path from
// the request: a route is one of a fixed list.  Portable, so every refusal is tested natively
// and fuzzed.
#pragma once
#include <cstddef>
#include <string>

enum class Route { Index, Board, State, Events, Background, Logo, None };

// /board's options: a screen pinned whatever the projector shows (-1: follow it), and a page
// without background or logo for streaming software.
struct BoardOptions {
  int screen = -1;
  bool transparent = false;
};

struct RouteResult {
  int status;  // 200 when the route is served; otherwise the refusal's status
  Route route;
  BoardOptions board;
};

constexpr std::size_t kMaxRequestHead = 8192;  // request line and headers, in bytes

// method and target as the request line gives them; headBytes: the request line and headers'
// size; body: the request carries a body (a Content-Length above 0 or chunks).
RouteResult routeRequest(const std::string& method, const std::string& target, std::size_t headBytes, bool body);
