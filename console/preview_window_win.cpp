#include "console/preview_window_win.h"

#include <gdiplus.h>

#include <algorithm>

#include "console/preview_geometry.h"
#include "framework/gdi_win.h"

namespace {

const wchar_t kPreviewClass[] = L"QuilletOutputPreview";
const char kPreviewTitle[] = "输出预览";
const int kInitialFrameWidth = 360;  // client width of a new preview, in pixels
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
const DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

bool registerClass() {
  static bool done = false;
  if (done) return true;
  WNDCLASSW wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &CWnd::StaticWndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPreviewClass;
  done = ::RegisterClassW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return done;
}

}  // namespace

PreviewWindow::PreviewWindow() : width_(0), height_(0), framesShown_(0) {}

const MessageMap* PreviewWindow::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onMessage(WM_PAINT, &PreviewWindow::OnPaint),
      onMessage(WM_ERASEBKGND, &PreviewWindow::OnEraseBackground),
      onMessage(WM_SIZE, &PreviewWindow::OnSize),
      onMessage(WM_CLOSE, &PreviewWindow::OnClose),
      onMessage(WM_MOUSEACTIVATE, &PreviewWindow::OnMouseActivate),
  };
  static const MessageMap map = makeMap(CWnd::GetMessageMap(), entries);
  return &map;
}

bool PreviewWindow::create(HWND owner, int frameWidth, int frameHeight) {
  if (m_hWnd) return true;
  if (!registerClass()) return false;
  const int clientWidth = kInitialFrameWidth;
  const int clientHeight =
      frameWidth > 0 && frameHeight > 0
          ? std::max(1, static_cast<int>(static_cast<long long>(clientWidth) * frameHeight / frameWidth))
          : clientWidth * 3 / 4;
  RECT frame = {0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  RECT ownerRect = {0, 0, 0, 0};
  ::GetWindowRect(owner, &ownerRect);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  const PixelRect at = besideConsole(
      PixelRect{ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.bottom},
      PixelRect{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom}, width, height);
  return ::CreateWindowExW(kExStyle, kPreviewClass, toWide(kPreviewTitle).c_str(), kStyle, at.left, at.top, width,
                           height, owner, nullptr, ::GetModuleHandleW(nullptr), this) != nullptr;
}

void PreviewWindow::show() {
  if (m_hWnd) ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

void PreviewWindow::hide() {
  if (m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
}

void PreviewWindow::showFrame(const std::uint32_t* pixels, int width, int height) {
  if (!pixels || width <= 0 || height <= 0) return;
  frame_.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
  width_ = width;
  height_ = height;
  ++framesShown_;
  // Repainted right away, without activation, so the copy never lags the audience screen.
  if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT PreviewWindow::OnMouseActivate(WPARAM, LPARAM) { return MA_NOACTIVATE; }

LRESULT PreviewWindow::OnClose(WPARAM, LPARAM) {
  hide();  // kept for the run: opening again finds it where the operator left it
  return 0;
}

LRESULT PreviewWindow::OnEraseBackground(WPARAM, LPARAM) { return 1; }  // painting covers everything

LRESULT PreviewWindow::OnSize(WPARAM, LPARAM) {
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return Default();
}

LRESULT PreviewWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  // Drawn off-screen first so a resize or a new frame never flickers.
  MemoryDC buffer(dc);
  GdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
  {
    SelectedObject selected(buffer.get(), bitmap.get());
    paint(buffer.get(), client.right, client.bottom);
    ::BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
  }
  ::EndPaint(m_hWnd, &ps);
  return 0;
}

void PreviewWindow::paint(HDC dc, int width, int height) {
  Gdiplus::Graphics graphics(dc);
  graphics.Clear(Gdiplus::Color(255, GetRValue(kBackdrop), GetGValue(kBackdrop), GetBValue(kBackdrop)));
  if (frame_.empty()) return;
  const PixelRect fit = fitKeepingAspect(width_, height_, width, height);
  Gdiplus::Bitmap image(width_, height_, width_ * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(frame_.data()));
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
  // Clamped edges: without them the bicubic filter blends the backdrop into the border pixels.
  Gdiplus::ImageAttributes edges;
  edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  graphics.DrawImage(&image, Gdiplus::Rect(fit.left, fit.top, fit.width(), fit.height()), 0, 0, width_, height_,
                     Gdiplus::UnitPixel, &edges);
}
