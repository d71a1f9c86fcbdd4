// CXColourPicker: an owner-drawn push button showing a colour swatch and a drop-down arrow.
// Attached to an existing template button (subclassing); a click opens the palette popup
// below it, and the popup's result becomes the button's colour.  The parent is told with
// PKN_POPUPOPEN, PKN_POPUPCLOSE, PKN_ACCEPT / PKN_CANCEL and PKN_COLOURCHANGE.
#pragma once
#include "framework/controls_win.h"

class CXColourPicker : public CButton {
 public:
  CXColourPicker();

  void SetColour(COLORREF colour);
  COLORREF GetColour() const { return m_colour; }
  // The button's own custom colours, lent to the popup each time it opens.
  COLORREF* customColours() { return m_custom; }

  // The marker for "the default colour" (drawn in the application-workspace colour).
  static constexpr COLORREF kDefaultColour = 0xFF000000u;

 protected:
  const MessageMap* GetMessageMap() const override;
  void PreSubclassWindow() override;
  virtual void DrawItem(DRAWITEMSTRUCT* item);

 private:
  void OnClicked();
  LRESULT OnDrawItem(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnEnable(WPARAM, LPARAM);
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnPopupAccept(WPARAM, LPARAM);
  LRESULT OnPopupCancel(WPARAM, LPARAM);
  LRESULT OnPopupColourChange(WPARAM, LPARAM);
  void tellParent(UINT message, COLORREF colour);
  void redrawNow();

  COLORREF m_colour;
  COLORREF m_saved;
  COLORREF m_custom[16];
  COLORREF m_default;
};
