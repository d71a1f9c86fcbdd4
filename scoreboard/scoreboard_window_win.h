// ScoreboardWindow: the borderless layered output window for the projector (template 129).
// It holds no content of its own: every redraw composes one whole frame off-screen from
// shared state (decoration, then the screen asked for) and pushes it with
// UpdateLayeredWindow.  Drawing never changes the contest.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include "framework/dialog_win.h"
#include "scoreboard/frame_layout.h"

class FrameSurface;

class ScoreboardWindow : public CDialog {
 public:
  ScoreboardWindow();

  // Moves and sizes the window (z-order kept), draws the current screen, shows the window.
  void placeAndShow(int left, int top, int right, int bottom);
  // Composes a frame of that screen and pushes it.  The display mode itself belongs to the
  // contest model; the console sets it there first.
  void showScreen(int mode);
  // A row's score changed: the scoring board is redrawn when it is on show.
  void onScoreChanged(int row);

  // Composes the frame of displayMode (or of mode) onto surface without pushing it.
  void composeFrame(FrameSurface& surface);
  void composeFrame(FrameSurface& surface, int mode);
  // The frame size: the placement's width and height.
  int frameWidth() const { return placement.right - placement.left; }
  int frameHeight() const { return placement.bottom - placement.top; }
  const BoardLayout& boardLayout() const { return layout; }

  HDC memoryDC;
  BLENDFUNCTION blend;
  HMODULE user32Module;
  FARPROC updateLayeredWindow;
  RECT placement;
  BoardLayout layout;
  int groupCount;
  // Frames composed and pushed so far (for the console's tests and the benchmarks).
  int framesPushed;
  // The screen last drawn: a score change redraws it only when it is the scoring board.
  int shownMode;

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);
  void drawRuns(Gdiplus::Graphics& graphics, const struct FrameRuns& runs);

  // False until a frame has drawn its decoration with a fitting title; until then every
  // frame starts from the layout such a frame would compute without a logo.
  bool layoutFromFrame;
};
