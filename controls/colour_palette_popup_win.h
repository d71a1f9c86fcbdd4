// ColourPalettePopup: the borderless palette window a colour picker button opens below
// itself.  It holds the mouse capture while open; the mouse or the arrow keys highlight a
// cell (reported to the owner with PKN_COLOURCHANGE), a release or Enter accepts, a release
// outside or Esc cancels (PKN_ACCEPT / PKN_CANCEL).  It then destroys and deletes itself.
#pragma once
#include <windows.h>

#include <string>

#include "controls/colour_palette.h"
#include "framework/gdi_win.h"
#include "framework/wnd_win.h"

class ColourPalettePopup : public CWnd {
 public:
  // Creates the popup on the heap at screen (x, y); false when the window cannot be made
  // (the object is then released).  customColours points to the owner's 16 colours or is null.
  static bool open(HWND owner, int x, int y, COLORREF colour, COLORREF* customColours, int row = -1, int column = -1,
                   const std::string& customText = std::string());

  BOOL PreTranslateMessage(MSG* msg) override;

  // For tests: the popup's state.
  PaletteCell hotCell() const { return hot_; }
  PaletteCell chosenCell() const { return chosen_; }
  COLORREF chosenColour() const { return chosenColour_; }
  const PaletteGeometry& geometry() const { return geometry_; }
  HWND tooltip() const { return tooltip_; }

 protected:
  const MessageMap* GetMessageMap() const override;
  void PostNcDestroy() override { delete this; }

 private:
  ColourPalettePopup();
  ~ColourPalettePopup() override;
  bool create(HWND owner, int x, int y, COLORREF colour, COLORREF* customColours, int row, int column,
              const std::string& customText);
  void sizeAndPlace();
  void createTooltips();
  void drawCell(HDC dc, int row, int column);
  void changeHighlight(PaletteCell target);
  void end(UINT message);

  LRESULT OnLButtonUp(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnKeyDown(WPARAM, LPARAM);

  COLORREF* ownerCustom_;
  PaletteCell hot_;
  PaletteCell chosen_;
  std::string customText_;
  PaletteGeometry geometry_;
  RECT windowRect_;
  GdiObject<HFONT> customFont_;
  COLORREF initialColour_;
  COLORREF chosenColour_;
  HWND tooltip_;
  HWND owner_;
};
