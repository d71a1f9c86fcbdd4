// The event both benchmarks measure: GDI+ running, the core component, the build tree's copy
// of the demo data, 50 contestants in 8 groups, 4 columns, one decimal.  Released by the
// object's destructor.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/shared_state.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
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
  BenchEvent() {
    app::core = new CCore();
    app::dataDir = demoDataFolder();
    app::allocateTables();
    for (int i = 0; i < 50; ++i) {
      std::snprintf(app::contestantTable[i].name, kTextField, "参赛队%02d", i + 1);
      std::snprintf(app::contestantTable[i].group, kTextField, "第%d组", i % 8 + 1);
      app::contestantTable[i].score = static_cast<float>(i % 17);
    }
    app::contestantCount = 50;
    app::cols = 4;
    app::xsw = 1;
    app::width = 1024;
    app::height = 768;
    app::title = "第一届 知识竞赛 总决赛";
    app::clrtitle = 0xFFFFD700;
    app::clrteam = 0xFFFFFFFF;
  }
  ~BenchEvent() {
    app::freeTables();
    delete app::core;
    app::core = nullptr;
  }
  BenchEvent(const BenchEvent&) = delete;
  BenchEvent& operator=(const BenchEvent&) = delete;

 private:
  // The data folder of the build tree, two folders above the benchmark program.
  static std::string demoDataFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self);
    for (int up = 0; up < 2; ++up) dir = dir.substr(0, dir.find_last_of(L'\\'));
    return wideToGbk(dir) + "\\data\\";
  }
  WinSession session_;  // started before the event is made, ended after it is gone
};
