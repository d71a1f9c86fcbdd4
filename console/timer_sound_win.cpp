#include "console/timer_sound_win.h"

#include <windows.h>

#include <mmsystem.h>

#include "framework/wnd_win.h"

namespace {

void playEventSound(const std::string& file, UINT fallback) {
  const std::wstring path = toWide(file);
  // SND_NODEFAULT: a file that cannot be played falls back to our choice, not Windows'.
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ::PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT))
    return;
  ::MessageBeep(fallback);
}

}  // namespace

void playTimeUpSound(const std::string& dataDir) { playEventSound(dataDir + "timeup.wav", MB_ICONEXCLAMATION); }

void playBuzzSound(const std::string& dataDir) { playEventSound(dataDir + "buzz.wav", MB_OK); }
