#include "net/board_json.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "kqcore/text_codec.h"

namespace {

using Json = nlohmann::json;

Json ranks(const std::vector<BoardRank>& list, bool groups) {
  Json out = Json::array();
  for (const BoardRank& r : list) {
    Json entry = {{"rank", r.rank}, {"group", codec::gbkToUtf8(r.group)}, {"score", r.score}};
    if (!groups) entry["name"] = codec::gbkToUtf8(r.name);
    out.push_back(std::move(entry));
  }
  return out;
}

}  // namespace

std::string cssColour(std::uint32_t argb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(argb & 0xFFFFFFu));
  return text;
}

std::string boardJson(const BoardState& b) {
  Json teams = Json::array();
  for (const BoardTeam& t : b.teams)
    teams.push_back({{"name", codec::gbkToUtf8(t.name)}, {"group", codec::gbkToUtf8(t.group)}, {"score", t.score}});
  Json panel = nullptr;
  if (b.panel.running) {
    Json judges = Json::array();
    for (std::size_t k = 0; k < b.panel.scores.size(); ++k)
      judges.push_back(
          {{"score", codec::gbkToUtf8(b.panel.scores[k])}, {"struck", static_cast<bool>(b.panel.struck[k])}});
    panel = {{"label", codec::gbkToUtf8(b.panel.label)},
             {"step", b.panel.step},
             {"steps", b.panel.steps},
             {"judges", std::move(judges)},
             {"dropped", codec::gbkToUtf8(b.panel.dropped)},
             {"final", b.panel.final}};
  }
  Json timer = nullptr;
  if (b.timer.shown) {
    timer = {{"mode", b.timer.mode},
             {"running", b.timer.running},
             {"colour", cssColour(b.timer.colour)},
             {"text", codec::gbkToUtf8(b.timer.text)},
             {"place", b.timer.place}};
    if (b.timer.mode == "countup")
      timer["elapsed_ms"] = b.timer.elapsedMs;
    else
      timer["remaining_ms"] = b.timer.remainingMs;
  }
  Json buzzer = nullptr;
  if (b.buzzer.shown)
    buzzer = {{"kind", b.buzzer.kind},
              {"name", codec::gbkToUtf8(b.buzzer.name)},
              {"text", codec::gbkToUtf8(b.buzzer.text)},
              {"colour", cssColour(b.buzzer.colour)}};
  Json reveal = nullptr;
  if (b.reveal.running) reveal = {{"ranking", b.reveal.ranking}, {"step", b.reveal.step}, {"steps", b.reveal.steps}};
  Json judging = nullptr;
  if (b.judging.open)
    judging = {{"contestant", b.judging.contestant},
               {"label", codec::gbkToUtf8(b.judging.label)},
               {"min", b.judging.lo},
               {"max", b.judging.hi}};
  const Json state = {
      {"seq", b.seq},
      {"title", codec::gbkToUtf8(b.title)},
      {"screen", b.screen},
      {"output", b.output},
      {"blackout", b.blackout},
      {"decimals", b.decimals},
      {"cols", b.cols},
      {"per_entry", b.perEntry},
      {"size", {{"width", b.width}, {"height", b.height}}},
      {"colours", {{"title", cssColour(b.titleColour)}, {"team", cssColour(b.teamColour)}}},
      {"teams", std::move(teams)},
      {"individual", ranks(b.individual, false)},
      {"groups", ranks(b.groups, true)},
      {"reveal", std::move(reveal)},
      {"panel", std::move(panel)},
      {"round", b.round.empty() ? Json(nullptr) : Json(codec::gbkToUtf8(b.round))},
      {"timer", std::move(timer)},
      {"buzzer", std::move(buzzer)},
      {"judging", std::move(judging)},
  };
  // A name that is no valid text (a damaged roster) must not stop the page: replaced, not thrown.
  return state.dump(-1, ' ', false, Json::error_handler_t::replace);
}
