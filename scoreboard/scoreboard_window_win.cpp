#include "scoreboard/scoreboard_window_win.h"

#include <vector>

#include "framework/app_win.h"
#include "framework/dpi_win.h"
#include "framework/gdi_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_change.h"
#include "scoreboard/frame_surface_win.h"

namespace {

typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
typedef BOOL(WINAPI* UpdateLayeredWindowIndirectFn)(HWND, const UPDATELAYEREDWINDOWINFO*);

template <class Fn>
Fn entryPoint(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

MeasureText coreMeasure(CCore& core) {
  return [&core](const std::string& font, int size, const std::string& text) {
    const Gdiplus::Size s = core.getTextBounds(font, size, text);
    return TextSize{s.Width, s.Height};
  };
}

}  // namespace

ScoreboardWindow::ScoreboardWindow(CCore& core, std::string dataDir)
    : CDialog(IDD_SCOREBOARD),
      blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA},
      user32Module(nullptr),
      updateLayeredWindow(nullptr),
      updateLayeredWindowIndirect(nullptr),
      placement{0, 0, 0, 0},
      framesPushed(0),
      partialPushes(0),
      failedPushes(0),
      core_(core),
      dataDir_(std::move(dataDir)),
      placing_(false),
      drawCount_(0),
      heldBlack_(false),
      layout_{0, 0, 0, 0, 0, 0, 10},
      layoutComputed_(false),
      partialRedraw_(true),
      painting_(false),
      frameOpaque_(false),
      paintedAlpha_(0) {}

ScoreboardWindow::~ScoreboardWindow() = default;

const MessageMap* ScoreboardWindow::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onMessage(WM_CREATE, &ScoreboardWindow::OnCreate),
      onMessage(WM_LBUTTONDOWN, &ScoreboardWindow::OnLButtonDown),
      onMessage(WM_PAINT, &ScoreboardWindow::OnPaint),
      onMessage(WM_ERASEBKGND, &ScoreboardWindow::OnEraseBackground),
      onMessage(WM_WINDOWPOSCHANGED, &ScoreboardWindow::OnWindowPosChanged),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

LRESULT ScoreboardWindow::OnCreate(WPARAM, LPARAM) {
  if (Default() == -1) return -1;
  user32Module = ::LoadLibraryW(L"User32.DLL");
  if (user32Module) {
    updateLayeredWindow = ::GetProcAddress(user32Module, "UpdateLayeredWindow");
    // Pushing a part of the frame needs the newer call; without it every push is whole.
    updateLayeredWindowIndirect = ::GetProcAddress(user32Module, "UpdateLayeredWindowIndirect");
  }
  if (!user32Module || !updateLayeredWindow) {
    // Without the push there is no output window at all: say so and stop with a failure.
    ::MessageBoxW(nullptr, L"User32.dll ERROR!", kMessageCaption, MB_OK);
    ::ExitProcess(1);
  }
  blend = BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  // Showing, placing or clicking the audience window never takes the keyboard from the console.
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
  // Its size is the frame's, in the monitor's own pixels: moving to a monitor of another DPI
  // must not rescale it as a dialog.
  keepDialogPixelSize(m_hWnd);
  return 0;
}

BOOL ScoreboardWindow::OnInitDialog() {
  CDialog::OnInitDialog();
  return FALSE;  // no control to focus, and the focus stays where it is
}

LRESULT ScoreboardWindow::OnLButtonDown(WPARAM, LPARAM) {
  SendMessage(WM_SYSCOMMAND, 0xF012, 0);  // SC_MOVE | HTCAPTION: the system's move loop
  return Default();
}

LRESULT ScoreboardWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  const HDC dc = ::BeginPaint(m_hWnd, &ps);
  // Only an opaque frame is painted; a per-pixel frame reaches the screen through its push.
  if (dc && painting_ && frame_ && frame_->ok()) {
    const RECT& r = ps.rcPaint;
    ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frame_->dc(), r.left, r.top, SRCCOPY);
  }
  ::EndPaint(m_hWnd, &ps);
  return 0;
}

// The frame covers the whole window: an erased background would only flash before it.
LRESULT ScoreboardWindow::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT ScoreboardWindow::OnWindowPosChanged(WPARAM, LPARAM lp) {
  const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lp);
  // A drag moves the window without asking anyone: the event's place follows it.
  if (!placing_ && pos && !(pos->flags & SWP_NOMOVE) && moved) moved(pos->x, pos->y);
  return Default();
}

void ScoreboardWindow::present(const EventSnapshot& s) {
  if (!m_hWnd) return;
  const bool visible = ::IsWindowVisible(m_hWnd) != FALSE;
  if (!s.outputShown() || !s.place.placed) {
    if (visible) ::ShowWindow(m_hWnd, SW_HIDE);
    return;
  }
  const PixelRect& r = s.place.rect;
  // A frame drawn afresh is composed and pushed whole; otherwise only what changed.  A move
  // alone (a drag) takes the held frame along.
  const bool whole = !visible || s.drawCount != drawCount_;
  drawCount_ = s.drawCount;
  if (r.left != placement.left || r.top != placement.top || r.right != placement.right ||
      r.bottom != placement.bottom) {
    placement = RECT{r.left, r.top, r.right, r.bottom};
    placing_ = true;
    // The audience window never takes the focus from the console.
    ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
  }
  if (s.blackout) {
    if (whole || !heldBlack_) pushBlack();
  } else {
    const ScreenFrame frame = frameFor(s, frameWidth(), frameHeight());
    if (frame.layoutComputed) {
      layout_ = frame.layout;
      layoutComputed_ = true;
    } else if (!layoutComputed_) {
      layout_ = frame.layout;
    }
    redraw(frame.runs, whole || heldBlack_);
  }
  if (!visible) ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

ScreenPictures ScoreboardWindow::pictures() const {
  ScreenPictures p;
  p.backgroundPath = dataDir_ + "bg.jpg";
  p.backgroundExists = core_.isFileExist(p.backgroundPath) != 0;
  if (p.backgroundExists) p.backgroundVersion = core_.getPicVersion(p.backgroundPath);
  p.logoPath = dataDir_ + "logo.png";
  p.logoExists = p.backgroundExists && core_.isFileExist(p.logoPath) != 0;
  if (p.logoExists) {
    const Gdiplus::Size logo = core_.getPicSize(p.logoPath);
    p.logoWidth = logo.Width;
    p.logoHeight = logo.Height;
    p.logoVersion = core_.getPicVersion(p.logoPath);
  }
  return p;
}

ScreenFrame ScoreboardWindow::frameFor(const EventSnapshot& s, int width, int height) const {
  const MeasureText measure = coreMeasure(core_);
  // Until a frame has computed the layout, each frame starts from the one a frame without a
  // logo would compute.
  const BoardLayout start =
      layoutComputed_ ? layout_ : initialBoardLayout(width, height, s.count(), s.settings.cols, measure);
  return composeScreen(s, s.screen, width, height, pictures(), start, measure);
}

void ScoreboardWindow::composeFrame(const EventSnapshot& s, FrameSurface& surface, BoardLayout* layout) const {
  if (!surface.ok()) return;
  const PixelRect whole{0, 0, surface.width(), surface.height()};
  if (s.blackout) {
    surface.fill(0xFF000000u);
    return;
  }
  const ScreenFrame frame = frameFor(s, surface.width(), surface.height());
  if (layout) *layout = frame.layout;
  surface.clear(whole);
  drawRuns(surface, frame.runs, whole);
}

void ScoreboardWindow::redraw(const FrameRuns& runs, bool whole) {
  const bool sameSize = frame_ && frame_->ok() && frame_->width() == frameWidth() && frame_->height() == frameHeight();
  if (whole || !partialRedraw_ || !sameSize) {
    redrawWhole(runs);
    return;
  }
  const FrameChange change = frameChange(heldRuns_, runs, frameWidth(), frameHeight(), coreMeasure(core_));
  if (change.whole) {
    redrawWhole(runs);
    return;
  }
  heldRuns_ = runs;
  if (change.dirty.empty()) return;  // no text changed: the window already shows this frame
  frame_->clear(change.dirty);
  drawRuns(*frame_, runs, change.dirty);
  pushFrame(change.dirty);
}

bool ScoreboardWindow::holdFrameOfWindowSize() {
  if (frame_ && frame_->width() == frameWidth() && frame_->height() == frameHeight()) return false;
  // The frame's bitmap lives as long as its size: a new size is a new bitmap.
  frame_.reset();
  WindowDC windowDC(m_hWnd);
  frame_.reset(new FrameSurface(windowDC.get(), frameWidth(), frameHeight()));
  return true;
}

void ScoreboardWindow::pushBlack() {
  if (!m_hWnd) return;
  holdFrameOfWindowSize();
  frame_->fill(0xFF000000u);
  heldRuns_ = FrameRuns();  // the held frame shows no runs now: leaving blackout redraws it whole
  heldBlack_ = true;
  pushFrame(PixelRect{0, 0, frameWidth(), frameHeight()});
}

void ScoreboardWindow::redrawWhole(const FrameRuns& runs) {
  const PixelRect whole{0, 0, frameWidth(), frameHeight()};
  if (!holdFrameOfWindowSize()) frame_->clear(whole);  // a new bitmap starts transparent
  heldRuns_ = runs;
  heldBlack_ = false;
  drawRuns(*frame_, runs, whole);
  pushFrame(whole);
}

bool ScoreboardWindow::pushFrame(const PixelRect& dirty) {
  if (!m_hWnd || !frame_ || !frame_->ok()) return false;
  const PixelRect all{0, 0, frame_->width(), frame_->height()};
  PixelRect part = intersect(dirty, all);
  if (part.empty()) return false;
  const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  // A blackout frame hides the desktop behind the window completely.
  blend.SourceConstantAlpha = heldBlack_ ? 255 : 253;
  const bool whole = part.width() == all.width() && part.height() == all.height();
  // Outside part the frame is what the last push left; the pixels of part are new.
  frameOpaque_ = (whole || frameOpaque_) && frame_->opaque(part);
  if (frameOpaque_ != painting_) {
    usePainting(frameOpaque_);
    part = all;  // the window shows nothing of the held frame after a switch
  }
  const bool ok = painting_ ? paintPart(part) : pushPart(part);
  ++framesPushed;
  if (!(part.width() == all.width() && part.height() == all.height())) ++partialPushes;
  if (!ok) ++failedPushes;
  // The whole held frame, also after a partial push: the preview shows what the audience sees.
  if (framePushed) framePushed(*frame_);
  return ok;
}

bool ScoreboardWindow::pushPart(const PixelRect& part) {
  POINT source = {0, 0};
  SIZE size = {frame_->width(), frame_->height()};
  const bool whole = part.width() == size.cx && part.height() == size.cy;
  if (!whole && updateLayeredWindowIndirect) {
    // The window neither moves nor changes size here: without a position and a size the
    // system skips its move and resize work and takes only the dirty rectangle.
    const RECT dirtyRect = {part.left, part.top, part.right, part.bottom};
    UPDATELAYEREDWINDOWINFO info = {};
    info.cbSize = sizeof info;
    info.hdcDst = nullptr;
    info.pptDst = nullptr;
    info.psize = nullptr;
    info.hdcSrc = frame_->dc();
    info.pptSrc = &source;
    info.crKey = 0;
    info.pblend = &blend;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = &dirtyRect;
    if (entryPoint<UpdateLayeredWindowIndirectFn>(updateLayeredWindowIndirect)(m_hWnd, &info)) return true;
    // A part refused: push the whole frame, which holds the part too.
  }
  if (!updateLayeredWindow) return false;
  WindowDC destination(m_hWnd);
  RECT rect;
  GetWindowRect(&rect);
  POINT destinationPoint = {rect.left, rect.top};
  return entryPoint<UpdateLayeredWindowFn>(updateLayeredWindow)(m_hWnd, destination.get(), &destinationPoint, &size,
                                                                frame_->dc(), &source, 0, &blend, ULW_ALPHA) != FALSE;
}

bool ScoreboardWindow::paintPart(const PixelRect& part) {
  if (paintedAlpha_ != blend.SourceConstantAlpha) {
    if (!::SetLayeredWindowAttributes(m_hWnd, 0, blend.SourceConstantAlpha, LWA_ALPHA)) return false;
    paintedAlpha_ = blend.SourceConstantAlpha;
  }
  const RECT rect = {part.left, part.top, part.right, part.bottom};
  // Painted at once, not when the queue comes to it: the change reaches the screen with the
  // same immediacy as a push.  A hidden window paints the whole frame when it is shown.
  return ::InvalidateRect(m_hWnd, &rect, FALSE) && ::UpdateWindow(m_hWnd);
}

void ScoreboardWindow::usePainting(bool on) {
  const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  painting_ = on;
  paintedAlpha_ = 0;  // a fresh layered style has no attributes yet
}

void ScoreboardWindow::drawRuns(FrameSurface& surface, const FrameRuns& runs, const PixelRect& part) const {
  if (!surface.ok()) return;
  const MeasureText measure = coreMeasure(core_);
  std::vector<PixelRect> drawn;  // the rectangles of what is drawn into part
  {
    Gdiplus::Graphics graphics(surface.dc());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    const bool whole =
        part.left <= 0 && part.top <= 0 && part.right >= surface.width() && part.bottom >= surface.height();
    if (!whole) graphics.SetClip(Gdiplus::Rect(part.left, part.top, part.width(), part.height()));
    for (const PictureRun& p : runs.pictures) {
      core_.drawPic(graphics, p.x, p.y, p.path);
      const Gdiplus::Size size = core_.getPicSize(p.path);
      drawn.push_back(PixelRect{p.x, p.y, p.x + size.Width, p.y + size.Height});
    }
    for (const TextRun& t : runs.texts) {
      // Clipped to a part, only the runs that reach into it can change a pixel there.
      const PixelRect rect = runRect(t, measure);
      if (intersect(rect, part).empty()) continue;
      core_.drawStrSolid(&graphics, Gdiplus::Point(t.x, t.y), 0, t.text, kBoardFont, Gdiplus::Color(t.colour), t.size,
                         drawnStyle(t.style));
      if (t.style & kStruck) {
        // Through the middle of the text, inside its own rectangle.
        const TextSize text = measure(kBoardFont, t.size, t.text);
        const float y = static_cast<float>(t.y) + static_cast<float>(text.height) / 2.0f;
        Gdiplus::Pen pen(Gdiplus::Color(t.colour), static_cast<float>(t.size > 24 ? t.size / 12 : 2));
        graphics.DrawLine(&pen, static_cast<float>(t.x), y, static_cast<float>(t.x + text.width), y);
      }
      drawn.push_back(rect);
    }
  }
  // Keeps the window's shape to the drawn rectangles: every push then stays within what the
  // display server accepts, whatever the text over transparent parts of the frame.
  for (const PixelRect& rect : drawn) surface.lift(intersect(rect, part));
}
