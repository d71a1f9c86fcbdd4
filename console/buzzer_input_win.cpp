#include "console/buzzer_input_win.h"

#include "framework/wnd_win.h"

namespace {

RAWINPUTDEVICE keyboards(HWND target, DWORD flags) {
  RAWINPUTDEVICE d = {};
  d.usUsagePage = 0x01;  // generic desktop
  d.usUsage = 0x06;      // keyboard
  d.dwFlags = flags;
  d.hwndTarget = target;
  return d;
}

// Keys that make a chord of the next one: Ctrl+Enter is the operator's, never a buzzer.
bool chordKey(unsigned vk) {
  return vk == VK_CONTROL || vk == VK_MENU || vk == VK_LWIN || vk == VK_RWIN || (vk >= VK_LCONTROL && vk <= VK_RMENU);
}

}  // namespace

BuzzerInput::~BuzzerInput() { stop(); }

bool BuzzerInput::start(HWND target) {
  RAWINPUTDEVICE d = keyboards(target, RIDEV_INPUTSINK);
  if (!::RegisterRawInputDevices(&d, 1, sizeof d)) return false;
  target_ = target;
  return true;
}

void BuzzerInput::stop() {
  if (!target_) return;
  RAWINPUTDEVICE d = keyboards(nullptr, RIDEV_REMOVE);
  ::RegisterRawInputDevices(&d, 1, sizeof d);
  target_ = nullptr;
}

std::string BuzzerInput::devicePath(HANDLE device) {
  // Input injected by software (and some drivers) has no device: the key alone then counts.
  if (!device) return std::string();
  for (const auto& known : paths_)
    if (known.first == device) return known.second;
  UINT chars = 0;
  std::string path;
  if (::GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, nullptr, &chars) == 0 && chars > 0 && chars < 4096) {
    std::wstring name(chars, L'\0');
    const UINT got = ::GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, &name[0], &chars);
    if (got != static_cast<UINT>(-1) && got > 0) {
      name.resize(wcsnlen(name.c_str(), name.size()));
      path = fromWide(name);
    }
  }
  paths_.emplace_back(device, path);
  return path;
}

bool BuzzerInput::read(LPARAM handle, DWORD time, BuzzerPress& out) {
  RAWINPUT input = {};
  UINT size = sizeof input;
  const UINT got =
      ::GetRawInputData(reinterpret_cast<HRAWINPUT>(handle), RID_INPUT, &input, &size, sizeof(RAWINPUTHEADER));
  if (got == static_cast<UINT>(-1) || input.header.dwType != RIM_TYPEKEYBOARD) return false;
  const RAWKEYBOARD& k = input.data.keyboard;
  if (k.VKey == 0 || k.VKey >= 0xFF) return false;  // a fake key of an extended sequence
  seen_.insert(k.VKey);
  const std::string device = devicePath(input.header.hDevice);
  const bool down = (k.Flags & RI_KEY_BREAK) == 0;
  if (chordKey(k.VKey)) {
    if (down)
      chords_.insert({device, k.VKey});
    else
      chords_.erase({device, k.VKey});
    return false;
  }
  // A key typed with Ctrl, Alt or Windows held on the same keyboard is a command.
  const auto held = chords_.lower_bound({device, 0});
  if (down && held != chords_.end() && held->first == device) return false;
  out.device = device;
  out.key = k.VKey;
  out.down = down;
  out.time = time;
  return true;
}

std::vector<BuzzerPress> BuzzerInput::batch(LPARAM first, DWORD firstTime) {
  std::vector<BuzzerPress> presses;
  BuzzerPress p;
  if (read(first, firstTime, p)) presses.push_back(p);
  // What else the same moment delivered: taken now, so the lockout orders them by input
  // time rather than by when each reached the queue.
  MSG more;
  while (target_ && ::PeekMessageW(&more, target_, WM_INPUT, WM_INPUT, PM_REMOVE)) {
    if (read(more.lParam, more.time, p)) presses.push_back(p);
    // The system frees its input data only through the default handling.
    ::DefWindowProcW(more.hwnd, more.message, more.wParam, more.lParam);
  }
  return presses;
}
