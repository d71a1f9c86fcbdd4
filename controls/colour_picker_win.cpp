#include "controls/colour_picker_win.h"

#include <algorithm>

#include "controls/colour_messages.h"
#include "controls/colour_palette_popup_win.h"
#include "framework/gdi_win.h"

CXColourPicker::CXColourPicker()
    : m_colour(RGB(255, 255, 255)),
      m_saved(::GetSysColor(COLOR_BTNFACE)),
      m_default(::GetSysColor(COLOR_APPWORKSPACE)) {
  std::fill(std::begin(m_custom), std::end(m_custom), RGB(255, 255, 255));
}

const MessageMap* CXColourPicker::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onCommandReflect(BN_CLICKED, &CXColourPicker::OnClicked),
      onMessageReflect(WM_DRAWITEM, &CXColourPicker::OnDrawItem),
      onMessage(WM_ERASEBKGND, &CXColourPicker::OnEraseBackground),
      onMessage(WM_ENABLE, &CXColourPicker::OnEnable),
      onMessage(WM_CREATE, &CXColourPicker::OnCreate),
      onMessage(PKN_ACCEPT, &CXColourPicker::OnPopupAccept),
      onMessage(PKN_CANCEL, &CXColourPicker::OnPopupCancel),
      onMessage(PKN_COLOURCHANGE, &CXColourPicker::OnPopupColourChange),
  };
  static const MessageMap map = makeMap(CButton::GetMessageMap(), entries);
  return &map;
}

void CXColourPicker::PreSubclassWindow() {
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  ::SetWindowLongW(m_hWnd, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  CButton::PreSubclassWindow();
}

void CXColourPicker::redrawNow() {
  if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CXColourPicker::SetColour(COLORREF colour) {
  m_colour = m_saved = colour;
  redrawNow();
}

void CXColourPicker::tellParent(UINT message, COLORREF colour) {
  HWND parent = ::GetParent(m_hWnd);
  if (parent) ::SendMessageW(parent, message, colour, static_cast<LPARAM>(::GetDlgCtrlID(m_hWnd)));
}

void CXColourPicker::OnClicked() {
  RECT r;
  GetWindowRect(&r);
  ColourPalettePopup::open(m_hWnd, r.left, r.bottom, m_colour, m_custom);
  tellParent(PKN_POPUPOPEN, m_colour);
}

LRESULT CXColourPicker::OnPopupAccept(WPARAM wp, LPARAM) {
  const COLORREF colour = static_cast<COLORREF>(wp);
  tellParent(PKN_POPUPCLOSE, colour);
  tellParent(PKN_ACCEPT, colour);
  if (colour != m_colour) {
    SetColour(colour);
    tellParent(PKN_COLOURCHANGE, colour);
  }
  return 1;
}

LRESULT CXColourPicker::OnPopupCancel(WPARAM wp, LPARAM) {
  const COLORREF colour = static_cast<COLORREF>(wp);
  SetColour(colour);
  tellParent(PKN_POPUPCLOSE, colour);
  tellParent(PKN_CANCEL, colour);
  return 1;
}

LRESULT CXColourPicker::OnPopupColourChange(WPARAM, LPARAM) { return 1; }

LRESULT CXColourPicker::OnEraseBackground(WPARAM wp, LPARAM) {
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  const GdiObject<HBRUSH> brush(::CreateSolidBrush(m_colour & 0xFFFFFFu));
  ::FillRect(reinterpret_cast<HDC>(wp), &r, brush.get());
  return 1;
}

LRESULT CXColourPicker::OnEnable(WPARAM wp, LPARAM) {
  if (!wp) {
    m_saved = m_colour;
    m_colour = RGB(192, 192, 192);
  } else {
    m_colour = m_saved;
  }
  redrawNow();
  return Default();
}

LRESULT CXColourPicker::OnCreate(WPARAM, LPARAM) { return Default() == -1 ? -1 : 0; }

LRESULT CXColourPicker::OnDrawItem(WPARAM, LPARAM lp) {
  DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lp));
  return TRUE;
}

void CXColourPicker::DrawItem(DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
  if (selected) frame |= DFCS_PUSHED;
  if (disabled) frame |= DFCS_INACTIVE;
  ::DrawFrameControl(dc, &r, DFC_BUTTON, frame);
  if (selected) ::OffsetRect(&r, 1, 1);
  if (item->itemState & ODS_FOCUS) {
    RECT focus = r;
    focus.right -= 1;
    ::DrawFocusRect(dc, &focus);
  }
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
  ::InflateRect(&r, -cxEdge, -::GetSystemMetrics(SM_CYEDGE));

  // Drop-down arrow: lines s, s-2, ... wide, one below the other.
  const int s = std::max(::GetSystemMetrics(SM_CXHTHUMB) / 3 + 2, ::GetSystemMetrics(SM_CYVTHUMB) / 3 + 2);
  const int x0 = r.right - 2 * cxEdge - 6;
  const int y0 = (r.top + r.bottom) / 2 - 2;
  for (int k = 0; s - 2 * k > 0; ++k) {
    ::MoveToEx(dc, x0 + k, y0 + k, nullptr);
    ::LineTo(dc, x0 + k + s - 2 * k, y0 + k);
  }

  r.right = r.right - 2 * cxEdge - 7 - cxEdge / 2;
  ::DrawEdge(dc, &r, EDGE_ETCHED, BF_RIGHT);
  r.right -= 2 * cxEdge + 1;
  if (!disabled) {
    const COLORREF shown = m_colour == kDefaultColour ? m_default : m_colour;
    const GdiObject<HBRUSH> brush(::CreateSolidBrush(shown & 0xFFFFFFu));
    ::FillRect(dc, &r, brush.get());
    ::FrameRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
}
