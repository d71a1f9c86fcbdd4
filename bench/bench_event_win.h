// The event both benchmarks measure: GDI+ running, the core component, the build tree's copy
// of the demo data, 50 contestants in 8 groups, 4 columns, one decimal.  Released by the
// object's destructor.
#pragma once
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "contest/event_model.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/scoreboard_window_win.h"
#include "tests/win/win_session_win.h"

// Lets the thread go idle, as the console does after every change: Wine hands what was
// painted into a window to the display when its thread finds no message waiting.
inline void settle() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

class BenchEvent {
 public:
  BenchEvent() : dataDir(demoDataFolder()) {
    core.reset(new CCore(settingsDefaults()));
    Settings s = defaultSettings();
    s.cols = 4;
    s.xsw = 1;
    s.width = 1024;
    s.height = 768;
    s.title = "第一届 知识竞赛 总决赛";
    s.clrtitle = 0xFFFFD700;
    s.clrteam = 0xFFFFFFFF;
    model.reset(new EventModel(s, [] { return LocalTime{2024, 5, 1, 9, 30, 5}; }));
    std::string roster;
    for (int i = 0; i < 50; ++i) roster += "参赛队" + two(i + 1) + ",第" + std::to_string(i % 8 + 1) + "组\r\n";
    model->reload(roster);
    for (int i = 0; i < 50; ++i) model->applyScore(ScoreRequest{i, ScoreOp::Set, std::to_string(i % 17)});
    model->setOutputLive(true);
    model->setOutputOn(true);
    model->setScreen(Scoring);
  }
  ~BenchEvent() {
    model.reset();
    core.reset();
  }
  BenchEvent(const BenchEvent&) = delete;
  BenchEvent& operator=(const BenchEvent&) = delete;

  // An output window over the pictures of folder, placed at the top-left corner in a frame of
  // width x height and showing the event.
  std::unique_ptr<ScoreboardWindow> placedWindow(const std::string& folder, int width, int height) {
    Settings s = model->settings();
    s.width = width;
    s.height = height;
    model->applySettings(s);
    std::unique_ptr<ScoreboardWindow> window(new ScoreboardWindow(*core, folder));
    window->Create(IDD_SCOREBOARD);
    model->placeOutput(PixelRect{0, 0, width, height});
    window->present(*model->snapshot());
    return window;
  }

  WinSession session_;  // started before the event is made, ended after it is gone
  std::string dataDir;
  std::unique_ptr<CCore> core;
  std::unique_ptr<EventModel> model;

 private:
  // The data folder of the build tree, two folders above the benchmark program.
  static std::string demoDataFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self);
    for (int up = 0; up < 2; ++up) dir = dir.substr(0, dir.find_last_of(L'\\'));
    return wideToGbk(dir) + "\\data\\";
  }
  static std::string two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
};
