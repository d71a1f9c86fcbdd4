#include "scoreboard/scoreboard_window_win.h"

#include <vector>

#include "app/shared_state.h"
#include "framework/app_win.h"
#include "framework/gdi_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_change.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/ranking_reveal.h"
#include "scoreboard/ranking_screens.h"
#include "scoreboard/scoring_board.h"

namespace {

typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
typedef BOOL(WINAPI* UpdateLayeredWindowIndirectFn)(HWND, const UPDATELAYEREDWINDOWINFO*);

template <class Fn>
Fn entryPoint(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

MeasureText coreMeasure() {
  return [](const std::string& font, int size, const std::string& text) {
    const Gdiplus::Size s = app::core->getTextBounds(font, size, text);
    return TextSize{s.Width, s.Height};
  };
}

}  // namespace

ScoreboardWindow::ScoreboardWindow()
    : CDialog(IDD_SCOREBOARD),
      memoryDC(nullptr),
      blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA},
      user32Module(nullptr),
      updateLayeredWindow(nullptr),
      updateLayeredWindowIndirect(nullptr),
      placement{0, 0, 0, 0},
      layout{0, 0, 0, 0, 0, 0, 10},
      groupCount(0),
      reveal(nullptr),
      framesPushed(0),
      partialPushes(0),
      failedPushes(0),
      shownMode(Welcome),
      layoutFromFrame(false),
      partialRedraw_(true) {}

ScoreboardWindow::~ScoreboardWindow() = default;

const MessageMap* ScoreboardWindow::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onMessage(WM_CREATE, &ScoreboardWindow::OnCreate),
      onMessage(WM_LBUTTONDOWN, &ScoreboardWindow::OnLButtonDown),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

LRESULT ScoreboardWindow::OnCreate(WPARAM, LPARAM) {
  if (Default() == -1) return -1;
  user32Module = ::LoadLibraryA("User32.DLL");
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
  return 0;
}

LRESULT ScoreboardWindow::OnLButtonDown(WPARAM, LPARAM) {
  SendMessage(WM_SYSCOMMAND, 0xF012, 0);  // SC_MOVE | HTCAPTION: the system's move loop
  return Default();
}

void ScoreboardWindow::placeAndShow(int left, int top, int right, int bottom) {
  placement = RECT{left, top, right, bottom};
  ::SetWindowPos(m_hWnd, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER);
  showScreen(app::displayMode);
  ShowWindow(SW_SHOW);
}

void ScoreboardWindow::showScreen(int mode) {
  shownMode = mode;
  if (!m_hWnd || !app::core) return;
  redrawWhole(frameRuns(mode));
}

void ScoreboardWindow::onScoreChanged(int) {
  if (shownMode != Scoring || !m_hWnd || !app::core) return;
  const FrameRuns runs = frameRuns(shownMode);
  const bool sameSize = frame_ && frame_->ok() && frame_->width() == frameWidth() && frame_->height() == frameHeight();
  if (!partialRedraw_ || !sameSize) {
    redrawWhole(runs);
    return;
  }
  const FrameChange change = frameChange(heldRuns_, runs, frameWidth(), frameHeight(), coreMeasure());
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

void ScoreboardWindow::redrawWhole(const FrameRuns& runs) {
  const PixelRect whole{0, 0, frameWidth(), frameHeight()};
  if (!frame_ || frame_->width() != whole.right || frame_->height() != whole.bottom) {
    // The frame's bitmap lives as long as its size: a new size is a new bitmap.
    memoryDC = nullptr;
    frame_.reset();
    WindowDC windowDC(m_hWnd);
    frame_.reset(new FrameSurface(windowDC.get(), whole.right, whole.bottom));
  } else {
    frame_->clear(whole);
  }
  memoryDC = frame_->dc();
  heldRuns_ = runs;
  drawRuns(*frame_, runs, whole);
  pushFrame(whole);
}

bool ScoreboardWindow::pushFrame(const PixelRect& dirty) {
  if (!m_hWnd || !frame_ || !frame_->ok()) return false;
  const PixelRect part = intersect(dirty, PixelRect{0, 0, frame_->width(), frame_->height()});
  if (part.empty()) return false;
  const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  blend.SourceConstantAlpha = 253;
  const bool ok = pushPart(part);
  ++framesPushed;
  if (!(part.width() == frame_->width() && part.height() == frame_->height())) ++partialPushes;
  if (!ok) ++failedPushes;
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

FrameRuns ScoreboardWindow::frameRuns(int mode) {
  FrameRuns runs;
  const MeasureText measure = coreMeasure();
  if (!layoutFromFrame)
    layout = computeBoardLayout(app::width, app::height, kDefaultLogoHeight, app::contestantCount, app::cols, measure);

  DecorationInput in;
  in.width = app::width;
  in.height = app::height;
  in.backgroundPath = app::dataDir + "bg.jpg";
  in.backgroundExists = app::core->isFileExist(in.backgroundPath) != 0;
  if (in.backgroundExists) in.backgroundVersion = app::core->getPicVersion(in.backgroundPath);
  in.logoPath = app::dataDir + "logo.png";
  in.logoExists = in.backgroundExists && app::core->isFileExist(in.logoPath) != 0;
  in.logoWidth = in.logoHeight = 0;
  if (in.logoExists) {
    const Gdiplus::Size logo = app::core->getPicSize(in.logoPath);
    in.logoWidth = logo.Width;
    in.logoHeight = logo.Height;
    in.logoVersion = app::core->getPicVersion(in.logoPath);
  }
  in.title = app::title;
  in.titleColour = app::clrtitle;
  in.contestantCount = app::contestantCount;
  in.cols = app::cols;
  if (composeDecoration(in, measure, layout, runs)) layoutFromFrame = true;

  if (reveal && reveal->running() && reveal->mode() == mode) {
    reveal->compose(app::cols, app::tmcxh != 0, app::clrteam, layout, runs);
  } else {
    switch (mode) {
      case Scoring:
        composeScoringBoard(app::contestantTable, app::contestantCount, app::cols, app::xsw, app::clrteam, layout,
                            runs);
        break;
      case IndividualRanking:
        composeIndividualRanking(app::contestantTable, app::contestantCount, app::cols, app::tmcxh != 0, app::clrteam,
                                 layout, runs);
        break;
      case GroupRanking:
        composeGroupRanking(app::contestantTable, app::contestantCount, app::groupTable, groupCount, app::tmcxh != 0,
                            app::clrteam, layout, runs);
        break;
      default:
        break;
    }
  }
  return runs;
}

void ScoreboardWindow::composeFrame(FrameSurface& surface) { composeFrame(surface, app::displayMode); }

void ScoreboardWindow::composeFrame(FrameSurface& surface, int mode) {
  if (!surface.ok() || !app::core) return;
  const FrameRuns runs = frameRuns(mode);
  const PixelRect whole{0, 0, surface.width(), surface.height()};
  surface.clear(whole);
  drawRuns(surface, runs, whole);
}

void ScoreboardWindow::drawRuns(FrameSurface& surface, const FrameRuns& runs, const PixelRect& part) {
  if (!surface.ok()) return;
  const MeasureText measure = coreMeasure();
  std::vector<PixelRect> drawn;  // the rectangles of what is drawn into part
  {
    Gdiplus::Graphics graphics(surface.dc());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    const bool whole =
        part.left <= 0 && part.top <= 0 && part.right >= surface.width() && part.bottom >= surface.height();
    if (!whole) graphics.SetClip(Gdiplus::Rect(part.left, part.top, part.width(), part.height()));
    for (const PictureRun& p : runs.pictures) {
      app::core->drawPic(graphics, p.x, p.y, p.path);
      const Gdiplus::Size size = app::core->getPicSize(p.path);
      drawn.push_back(PixelRect{p.x, p.y, p.x + size.Width, p.y + size.Height});
    }
    for (const TextRun& t : runs.texts) {
      // Clipped to a part, only the runs that reach into it can change a pixel there.
      const PixelRect rect = runRect(t, measure);
      if (intersect(rect, part).empty()) continue;
      app::core->drawStrSolid(&graphics, Gdiplus::Point(t.x, t.y), 0, t.text, kBoardFont, Gdiplus::Color(t.colour),
                              t.size, t.style);
      drawn.push_back(rect);
    }
  }
  // Keeps the window's shape to the drawn rectangles: every push then stays within what the
  // display server accepts, whatever the text over transparent parts of the frame.
  for (const PixelRect& rect : drawn) surface.lift(intersect(rect, part));
}
