#include "console/timer_sound_win.h"

#include <windows.h>

#include <mmsystem.h>

#include "framework/wnd_win.h"

void playTimeUpSound(const std::string& dataDir) {
  const std::wstring path = toWide(dataDir + "timeup.wav");
  // SND_NODEFAULT: a file that cannot be played falls back to our choice, not Windows'.
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ::PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT))
    return;
  ::MessageBeep(MB_ICONEXCLAMATION);
}
