// ScoreboardWindow: the borderless layered output window for the projector (template 129).
// It is a view of the event's snapshot: it holds no content of its own beyond the last frame
// it pushed (and the layout that frame was laid out in), and drawing never changes the event.
// When a frame differs from the held one only in texts (a score change on the scoring board)
// only those cells are recomposed and pushed; everything else recomposes the whole frame.
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
#include <string>

#include "contest/event_snapshot.h"
#include "framework/dialog_win.h"
#include "kqcore/pixel_rect.h"
#include "scoreboard/frame_layout.h"
#include "scoreboard/screen_frame.h"
#include "scoreboard/text_runs.h"

class CCore;
class FrameSurface;

class ScoreboardWindow : public CDialog {
 public:
  // Draws with core; the pictures come from dataDir (ending in a backslash).
  ScoreboardWindow(CCore& core, std::string dataDir);
  ~ScoreboardWindow() override;

  // Shows what the snapshot says the audience sees: hidden while the output is off or not
  // placed yet; otherwise at the snapshot's place, black while blacked out, else the frame of
  // its screen.  Only what changed is recomposed and pushed: a score change on the scoring
  // board costs the cells whose text changed.  The first frame is pushed before the window
  // becomes visible.
  void present(const EventSnapshot& s);

  // Told of every frame the moment it has been pushed; the surface lives only for the call.
  std::function<void(const FrameSurface&)> framePushed;
  // Told when the window was moved by anything but present (the operator dragging it).
  std::function<void(int left, int top)> moved;

  // What the audience would see of s on a surface of its own size (black while blacked out),
  // without pushing anything and without touching what the window holds; layout, when given,
  // gets the layout the entries were laid out in.
  void composeFrame(const EventSnapshot& s, FrameSurface& surface, BoardLayout* layout = nullptr) const;
  // The frame size: the placement's width and height.
  int frameWidth() const { return placement.right - placement.left; }
  int frameHeight() const { return placement.bottom - placement.top; }
  // The layout of the frame the window holds.
  const BoardLayout& boardLayout() const { return layout_; }
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
  // Pushes made so far, and how many of them pushed only a part (for tests and benchmarks).
  int framesPushed;
  int partialPushes;
  // Pushes the window system refused.
  int failedPushes;
  // True while the window paints an opaque frame itself (constant alpha) rather than
  // handing it over with per-pixel alpha.
  bool paintsFrame() const { return painting_; }
  bool blackout() const { return heldBlack_; }

 protected:
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnWindowPosChanged(WPARAM, LPARAM);
  // The decoration's pictures as the data folder holds them now.
  ScreenPictures pictures() const;
  // The frame of s's screen at the held frame's size, from the layout the window holds.
  ScreenFrame frameFor(const EventSnapshot& s, int width, int height) const;
  // Draws runs onto surface inside part only; part must be transparent beforehand.
  void drawRuns(FrameSurface& surface, const FrameRuns& runs, const PixelRect& part) const;
  // Recomposes the whole held frame from runs (re-created on a size change) and pushes it.
  void redrawWhole(const FrameRuns& runs);
  // Brings the held frame to runs: only the changed cells when it can.
  void redraw(const FrameRuns& runs, bool whole);
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

  CCore& core_;
  std::string dataDir_;
  bool placing_;        // present is moving the window
  unsigned drawCount_;  // the snapshot's count the held frame was drawn for
  bool heldBlack_;      // the held frame is the blackout frame
  // The layout of the last frame that computed one (false: none has yet).
  BoardLayout layout_;
  bool layoutComputed_;
  std::unique_ptr<FrameSurface> frame_;
  FrameRuns heldRuns_;  // what frame_ shows
  bool partialRedraw_;
  bool painting_;      // the window paints frame_ itself with constant alpha
  bool frameOpaque_;   // every pixel of frame_ is opaque
  BYTE paintedAlpha_;  // the constant alpha last given to the system while painting
};
