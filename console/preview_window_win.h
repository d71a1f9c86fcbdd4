// PreviewWindow: the operator's small copy of the audience screen, "输出预览".  A tool window
// owned by the console that shows the last frame it was given, scaled to fit with its aspect
// ratio kept.  It never takes the focus: opening, updating and clicking it leave the keyboard
// with the console.  Closing it only hides it, so its size and place last for the run.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/wnd_win.h"

class PreviewWindow : public CWnd {
 public:
  PreviewWindow();
  // Creates the hidden window owned by owner, sized for frames of frameWidth x frameHeight,
  // beside the owner on the owner's monitor.
  bool create(HWND owner, int frameWidth, int frameHeight);
  void show();
  void hide();
  bool visible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
  // Keeps a copy of a frame (premultiplied 0xAARRGGBB rows) and repaints.
  void showFrame(const std::uint32_t* pixels, int width, int height);
  int frameWidth() const { return width_; }
  int frameHeight() const { return height_; }
  // Frames received so far (for tests).
  int framesShown() const { return framesShown_; }
  // The colour around the scaled frame, and under its transparent parts.
  static const COLORREF kBackdrop = RGB(48, 48, 48);

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnMouseActivate(WPARAM, LPARAM);
  void paint(HDC dc, int width, int height);

  std::vector<std::uint32_t> frame_;
  int width_;
  int height_;
  int framesShown_;
};
