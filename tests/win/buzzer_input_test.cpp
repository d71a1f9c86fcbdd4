// The buzzers' raw input under Wine: keys typed with SendInput (as a USB box's would be)
// reach a window registered with RIDEV_INPUTSINK, as key presses and releases in order; a key
// typed with Ctrl held is no press.
#include <gtest/gtest.h>

#include <vector>

#include "console/buzzer_input_win.h"
#include "tests/win/window_driver_win.h"

namespace {

struct Sink {
  BuzzerInput input;
  std::vector<BuzzerPress> presses;
};
Sink* g_sink = nullptr;

LRESULT CALLBACK sinkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INPUT && g_sink) {
    for (const BuzzerPress& p : g_sink->input.batch(lp, static_cast<DWORD>(GetMessageTime())))
      g_sink->presses.push_back(p);
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// The keys pressed in order and released in reverse (a chord when more than one).
void typeKeys(std::vector<WORD> keys) {
  std::vector<INPUT> in(keys.size() * 2);
  for (std::size_t k = 0; k < keys.size(); ++k) {
    in[k].type = in[in.size() - 1 - k].type = INPUT_KEYBOARD;
    in[k].ki.wVk = in[in.size() - 1 - k].ki.wVk = keys[k];
    in[in.size() - 1 - k].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

}  // namespace

TEST(BuzzerInput, KeysSentWithSendInputReachTheRawInputWindow) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = sinkProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuilletBuzzerSink";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"buzzers", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  Sink sink;
  g_sink = &sink;
  ASSERT_TRUE(sink.input.start(window));
  typeKeys({'Q'});
  // The operator's Ctrl+Enter is no press of a buzzer that types Enter.
  typeKeys({VK_CONTROL, VK_RETURN});
  pumpUntil([&] { return sink.input.reports(VK_CONTROL); }, 3000);
  pumpUntil([] { return false; }, 200);
  sink.input.stop();
  g_sink = nullptr;
  DestroyWindow(window);
  UnregisterClassW(wc.lpszClassName, wc.hInstance);
  // Wine delivers SendInput's keys to a raw-input window only where its X server takes the
  // synthesized input for a window of this process; elsewhere the console's path is what the
  // tests from outside use.
  if (sink.presses.empty()) GTEST_SKIP() << "SendInput's keys did not reach the raw-input window here";
  for (const BuzzerPress& p : sink.presses) EXPECT_FALSE(p.down && p.key == VK_RETURN) << "Ctrl+Enter taken as a press";
  ASSERT_GE(sink.presses.size(), 2u);
  EXPECT_EQ(sink.presses[0].key, static_cast<unsigned>('Q'));
  EXPECT_TRUE(sink.presses[0].down);
  EXPECT_FALSE(sink.presses[1].down);
  EXPECT_TRUE(sink.input.reports('Q'));
}
