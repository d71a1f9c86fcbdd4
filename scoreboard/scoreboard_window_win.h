// ScoreboardWindow: the borderless layered output window for the projector (template 129).
// It holds no content of its own: every redraw composes one whole frame off-screen from
// shared state and pushes it with UpdateLayeredWindow.
#pragma once
#include <windows.h>

#include "framework/dialog_win.h"

class ScoreboardWindow : public CDialog {
 public:
  ScoreboardWindow();

  // Moves and sizes the window (z-order kept), draws the current screen, shows the window.
  void placeAndShow(int left, int top, int right, int bottom);
  // Records mode in displayMode and redraws with that screen.
  void showScreen(int mode);
  // A row's score changed: the scoring board is redrawn when it is on show.
  void onScoreChanged(int row);

  RECT placement;

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);

  HMODULE user32Module;
  FARPROC updateLayeredWindow;
  BLENDFUNCTION blend;
};
