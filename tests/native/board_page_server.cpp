// A venue server on 127.0.0.1 over an event driven from standard input, for the pages' tests
// in a real browser.  Usage: board_page_server DATA_DIR  (DATA_DIR holds _team.txt and the
// pictures).  Prints "port N" once listening, then reads one command a line and prints
// "seq N" after each:
//   score ROW TEXT | screen welcome|scoring|individual|group | blackout 0|1 | output 0|1 |
//   reveal | panel ROW S1 S2 ... | step | stop | serve | quit
//   judges N (N seats scoring 0 to 10; prints "token K TOKEN" per seat) | judge ROW (open for
//   the judges' phones) | unjudge | taken (prints "taken SEAT ROW HUNDREDTHS" per score taken
//   since the last time) | buzz ROW (the row's buzzer wins a question) | buzz reset |
//   perentry 0|1 (rankings one line per entry)
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "contest/event_model.h"
#include "kqcore/file_io.h"
#include "net/board_state.h"
#include "net/venue_server.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: board_page_server DATA_DIR\n");
    return 2;
  }
  std::string dir = argv[1];
  if (dir.back() != '/') dir += '/';
  std::string roster;
  if (!fileio::readPrefix(dir + "_team.txt", 1u << 20, roster)) {
    std::fprintf(stderr, "no roster in %s\n", dir.c_str());
    return 2;
  }
  Settings settings = defaultSettings();
  settings.xsw = 1;
  EventModel model(settings, [] { return LocalTime{2024, 5, 1, 9, 30, 5}; });
  model.reload(roster);
  for (int row = 0; row < model.snapshot()->count(); ++row)
    model.applyScore(ScoreRequest{row, ScoreOp::Set, std::to_string(60 + (row * 7) % 40)});
  model.setOutputLive(true);
  model.setOutputOn(true);
  model.placeOutput(PixelRect{0, 0, 1280, 720});
  model.setScreen(Scoring);

  VenueServer server(picturesIn(dir));
  if (server.start("127.0.0.1", 0, model.snapshot()) != VenueServer::Start::Listening) return 1;
  const int port = server.port();
  std::printf("port %d\n", port);
  std::fflush(stdout);

  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "quit") break;
    if (verb == "score") {
      int row = 0;
      std::string text;
      in >> row >> text;
      model.applyScore(ScoreRequest{row, ScoreOp::Set, text});
    } else if (verb == "screen") {
      std::string name;
      in >> name;
      if (screenOfName(name) >= 0) model.setScreen(screenOfName(name));
    } else if (verb == "blackout" || verb == "output") {
      int on = 0;
      in >> on;
      if (verb == "blackout")
        model.setBlackout(on != 0);
      else
        model.setOutputOn(on != 0);
    } else if (verb == "timer") {
      std::string what;
      in >> what;
      if (what == "reset")
        model.timerReset();
      else
        model.timerStartPause();
    } else if (verb == "reveal") {
      model.revealForward();
    } else if (verb == "panel") {
      int row = 0;
      std::vector<std::int32_t> scores;
      double score = 0;
      in >> row;
      while (in >> score) scores.push_back(static_cast<std::int32_t>(score * 100 + 0.5));
      Settings s = model.settings();
      s.judges = static_cast<int>(scores.size());
      model.applySettings(s);
      model.applyPanel(row, scores);
      model.showPanel(row);
    } else if (verb == "step") {
      model.stepForward();
    } else if (verb == "judges") {
      int n = 0;
      in >> n;
      Settings s = model.settings();
      s.judges = n;
      s.judgemin = 0;
      s.judgemax = 10;
      model.applySettings(s);
      std::vector<std::string> tokens;
      for (int k = 1; k <= kMaxJudges; ++k) {
        std::array<std::uint8_t, 16> bytes{};
        bytes.fill(static_cast<std::uint8_t>(k * 11));
        tokens.push_back(judgeToken(bytes));
        if (k <= n) std::printf("token %d %s\n", k, tokens.back().c_str());
      }
      model.setJudgeTokens(joinTokens(tokens));
    } else if (verb == "judge") {
      int row = 0;
      in >> row;
      model.openJudging(row);
    } else if (verb == "unjudge") {
      model.closeJudging();
    } else if (verb == "taken") {
      for (const JudgeScore& t : server.takeJudgeScores())
        std::printf("taken %d %d %d\n", t.seat, t.contestant, static_cast<int>(t.hundredths));
    } else if (verb == "perentry") {
      int on = 0;
      in >> on;
      Settings s = model.settings();
      s.tmcxh = on;
      model.applySettings(s);
    } else if (verb == "buzz") {
      std::string what;
      in >> what;
      if (what == "reset") {
        model.resetBuzzers();
      } else {
        Settings s = model.settings();
        s.buzzerkeys = encodeBuzzerKeys({BuzzerKey{model.row(std::atoi(what.c_str())).name, "", 'A'}});
        model.applyBuzzerSettings(s);
        model.armBuzzers();
        model.buzzerInput({BuzzerPress{"", 'A', true, 1}, BuzzerPress{"", 'A', false, 2}});
      }
    } else if (verb == "stop") {
      server.stop();
    } else if (verb == "serve") {
      if (!server.listening() && server.start("127.0.0.1", port, model.snapshot()) != VenueServer::Start::Listening)
        std::printf("cannot serve on port %d\n", port);
    }
    server.publish(model.snapshot());
    std::printf("seq %llu\n", static_cast<unsigned long long>(model.snapshot()->seq));
    std::fflush(stdout);
  }
  return 0;
}
