// ScoreboardWindow: the borderless layered output window for the projector (template 129).
// It holds no content of its own beyond the last frame it pushed: every redraw derives the
// frame from shared state (decoration, then the screen asked for).  Drawing never changes the
// contest.  A score change on
// the scoring board recomposes and pushes only the part of the kept frame that changed;
// everything else recomposes and pushes the whole frame.
//
// Two ways to the screen.  A frame with transparent pixels (no background picture, or one
// smaller than the frame) needs per-pixel alpha: UpdateLayeredWindow(Indirect), which hands
// the system the whole window's bitmap on every call, even for a small dirty rectangle.  A
// wholly opaque frame needs only one constant alpha: the window is then an ordinary layered
// window (SetLayeredWindowAttributes) that paints the held frame itself, and a changed cell
// costs the system no more than its own pixels.  The frame decides after every whole redraw.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <functional>
#include <memory>

#include "framework/dialog_win.h"
#include "kqcore/pixel_rect.h"
#include "scoreboard/frame_layout.h"
#include "scoreboard/text_runs.h"

class FrameSurface;
class RankingReveal;

class ScoreboardWindow : public CDialog {
 public:
  ScoreboardWindow();
  ~ScoreboardWindow() override;

  // Moves and sizes the window (z-order kept), draws the current screen, shows the window.
  void placeAndShow(int left, int top, int right, int bottom);
  // Composes the whole frame of that screen and pushes it.  The display mode itself belongs
  // to the contest model; the console sets it there first.
  void showScreen(int mode);
  // A row's score changed: while the scoring board is on show, the cells whose text changed
  // are recomposed and pushed (nothing when no text changed).
  void onScoreChanged(int row);

  // Blackout: the window shows one opaque black frame and nothing else is pushed until it
  // ends; placing the window meanwhile pushes black of the new size.  Ending it pushes the
  // frame of displayMode at once.
  void setBlackout(bool on);
  bool blackout() const { return blackout_; }

  // Told of every frame the moment it has been pushed; the surface lives only for the call.
  std::function<void(const FrameSurface&)> framePushed;
  // What placing the window now would show (screen `mode` at the settings' size, or black
  // while blacked out), handed to framePushed without pushing anything.
  void composeUnpushed(int mode);

  // Composes the whole frame of displayMode (or of mode) onto surface without pushing it.
  void composeFrame(FrameSurface& surface);
  void composeFrame(FrameSurface& surface, int mode);
  // The frame size: the placement's width and height.
  int frameWidth() const { return placement.right - placement.left; }
  int frameHeight() const { return placement.bottom - placement.top; }
  const BoardLayout& boardLayout() const { return layout; }
  // The frame the window holds (what the last push showed); null before the first redraw.
  const FrameSurface* heldFrame() const { return frame_.get(); }
  // Turns the partial path off: every redraw is whole (for measuring what it saves).
  void setPartialRedraw(bool on) { partialRedraw_ = on; }

  // The one place every push goes through, whole or in part: hands the held frame to the
  // window system, only `dirty` of it when the system can take a part.  False when the push
  // failed (the window then shows what it showed before; nothing else happens).
  bool pushFrame(const PixelRect& dirty);

  BLENDFUNCTION blend;
  HMODULE user32Module;
  FARPROC updateLayeredWindow;
  FARPROC updateLayeredWindowIndirect;  // null where the system lacks it
  RECT placement;
  BoardLayout layout;
  int groupCount;
  // The reveal the console runs, or null: while it runs, its ranking screen shows the
  // reveal's step instead of the ranking of the current scores.
  const RankingReveal* reveal;
  // Pushes made so far, and how many of them pushed only a part (for tests and benchmarks).
  int framesPushed;
  int partialPushes;
  // Pushes the window system refused.
  int failedPushes;
  // True while the window paints an opaque frame itself (constant alpha) rather than
  // handing it over with per-pixel alpha.
  bool paintsFrame() const { return painting_; }
  // The screen last drawn: a score change redraws it only when it is the scoring board.
  int shownMode;

 protected:
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  // What the frame of mode draws, from shared state; recomputes the layout like a frame.
  FrameRuns frameRuns(int mode);
  // Draws runs onto surface inside part only; part must be transparent beforehand.
  void drawRuns(FrameSurface& surface, const FrameRuns& runs, const PixelRect& part);
  // Recomposes the whole held frame from runs (re-created on a size change) and pushes it.
  void redrawWhole(const FrameRuns& runs);
  bool pushPart(const PixelRect& part);
  // The opaque frame's way: invalidates part and paints it now from the held frame.
  bool paintPart(const PixelRect& part);
  // Switches between the two ways.  Once a window has layered attributes the per-pixel call
  // fails until the layered style is taken off and put back, so every switch does that.
  void usePainting(bool on);
  // Makes frame_ a bitmap of the window's size; true when it had to be made anew.
  bool holdFrameOfWindowSize();
  // One opaque black frame of the window's size, held and pushed whole.
  void pushBlack();

  bool blackout_;

  // False until a frame has drawn its decoration with a fitting title; until then every
  // frame starts from the layout such a frame would compute without a logo.
  bool layoutFromFrame;
  std::unique_ptr<FrameSurface> frame_;
  FrameRuns heldRuns_;  // what frame_ shows
  bool partialRedraw_;
  bool painting_;      // the window paints frame_ itself with constant alpha
  bool frameOpaque_;   // every pixel of frame_ is opaque
  BYTE paintedAlpha_;  // the constant alpha last given to the system while painting
};
