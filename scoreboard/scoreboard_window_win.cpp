#include "scoreboard/scoreboard_window_win.h"

#include "app/shared_state.h"
#include "framework/app_win.h"
#include "framework/gdi_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/ranking_screens.h"
#include "scoreboard/scoring_board.h"

namespace {

typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

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
      placement{0, 0, 0, 0},
      layout{0, 0, 0, 0, 0, 0, 10},
      groupCount(0),
      framesPushed(0),
      shownMode(Welcome),
      layoutFromFrame(false) {}

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
  if (user32Module) updateLayeredWindow = ::GetProcAddress(user32Module, "UpdateLayeredWindow");
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

void ScoreboardWindow::onScoreChanged(int) {
  if (shownMode == Scoring) showScreen(Scoring);
}

void ScoreboardWindow::showScreen(int mode) {
  shownMode = mode;
  if (!m_hWnd || !app::core) return;
  WindowDC windowDC(m_hWnd);
  FrameSurface surface(windowDC.get(), frameWidth(), frameHeight());
  memoryDC = surface.dc();
  blend.SourceConstantAlpha = 253;
  WindowDC destination(m_hWnd);
  RECT rect;
  GetWindowRect(&rect);
  POINT destinationPoint = {rect.left, rect.top};
  composeFrame(surface, mode);

  const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  SIZE size = {frameWidth(), frameHeight()};
  POINT source = {0, 0};
  if (surface.ok() && updateLayeredWindow)
    reinterpret_cast<UpdateLayeredWindowFn>(reinterpret_cast<void (*)()>(updateLayeredWindow))(
        m_hWnd, destination.get(), &destinationPoint, &size, surface.dc(), &source, 0, &blend, ULW_ALPHA);
  memoryDC = nullptr;
  ++framesPushed;
}

void ScoreboardWindow::composeFrame(FrameSurface& surface) { composeFrame(surface, app::displayMode); }

void ScoreboardWindow::composeFrame(FrameSurface& surface, int mode) {
  if (!surface.ok() || !app::core) return;
  const MeasureText measure = coreMeasure();
  if (!layoutFromFrame)
    layout = computeBoardLayout(app::width, app::height, 120, app::contestantCount, app::cols, measure);

  FrameRuns runs;
  DecorationInput in;
  in.width = app::width;
  in.height = app::height;
  in.backgroundPath = app::dataDir + "bg.jpg";
  in.backgroundExists = app::core->isFileExist(in.backgroundPath) != 0;
  in.logoPath = app::dataDir + "logo.png";
  in.logoExists = in.backgroundExists && app::core->isFileExist(in.logoPath) != 0;
  in.logoWidth = in.logoHeight = 0;
  if (in.logoExists) {
    const Gdiplus::Size logo = app::core->getPicSize(in.logoPath);
    in.logoWidth = logo.Width;
    in.logoHeight = logo.Height;
  }
  in.title = app::title;
  in.titleColour = app::clrtitle;
  in.contestantCount = app::contestantCount;
  in.cols = app::cols;
  if (composeDecoration(in, measure, layout, runs)) layoutFromFrame = true;

  switch (mode) {
    case Scoring:
      composeScoringBoard(app::contestantTable, app::contestantCount, app::cols, app::xsw, app::clrteam, layout, runs);
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

  Gdiplus::Graphics graphics(surface.dc());
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  drawRuns(graphics, runs);
}

void ScoreboardWindow::drawRuns(Gdiplus::Graphics& graphics, const FrameRuns& runs) {
  for (const PictureRun& p : runs.pictures) app::core->drawPic(graphics, p.x, p.y, p.path);
  for (const TextRun& t : runs.texts)
    app::core->drawStrSolid(&graphics, Gdiplus::Point(t.x, t.y), 0, t.text, kBoardFont, Gdiplus::Color(t.colour),
                            t.size, t.style);
}
