#include "controls/colour_palette_popup_win.h"

#include <commdlg.h>

#include "controls/colour_messages.h"
#include "framework/dpi_win.h"
#include "framework/gdi_win.h"
#include "kqcore/wide_win.h"

namespace {

const wchar_t kPopupClass[] = L"QuilletColourPalette";
const char kDefaultCustomText[] = "自定义...";

bool registerClass() {
  static bool done = false;
  if (done) return true;
  WNDCLASSW wc = {};
  wc.style = CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &CWnd::StaticWndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
  wc.lpszClassName = kPopupClass;
  done = ::RegisterClassW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return done;
}

COLORREF entryColour(int row, int column) { return paletteTable[row * kPaletteColumns + column].colour & 0xFFFFFFu; }

RECT toRect(const PaletteRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

ColourPalettePopup::ColourPalettePopup()
    : ownerCustom_(nullptr),
      hot_(kNoCell),
      chosen_(kNoCell),
      customText_(kDefaultCustomText),
      geometry_(paletteGeometry(::GetSystemMetrics(SM_CXEDGE), 0, 0)),
      windowRect_{0, 0, 0, 0},
      initialColour_(RGB(255, 255, 255)),
      chosenColour_(RGB(255, 255, 255)),
      tooltip_(nullptr),
      owner_(nullptr) {}

ColourPalettePopup::~ColourPalettePopup() = default;

bool ColourPalettePopup::open(HWND owner, int x, int y, COLORREF colour, COLORREF* customColours, int row, int column,
                              const std::string& customText) {
  ColourPalettePopup* popup = new ColourPalettePopup();
  if (!popup->create(owner, x, y, colour, customColours, row, column, customText)) {
    delete popup;
    return false;
  }
  return true;
}

bool ColourPalettePopup::create(HWND owner, int x, int y, COLORREF colour, COLORREF* customColours, int row, int column,
                                const std::string& customText) {
  for (PaletteEntry& e : paletteTable)
    if (e.sysColourIndex != -1) e.colour = ::GetSysColor(e.sysColourIndex);
  chosen_ = PaletteCell{row, column};
  initialColour_ = chosenColour_ = colour;
  owner_ = owner;
  if (row == -1 || column == -1) chosen_ = findColour(colour);
  if (customColours) {
    ownerCustom_ = customColours;
    for (int i = 0; i < kCustomColours; ++i) paletteTable[kFirstCustomColour + i].colour = customColours[i];
  }
  if (!registerClass()) return false;
  HWND hwnd = ::CreateWindowExW(0, kPopupClass, L"", WS_POPUP | WS_VISIBLE, x, y, 100, 100, owner, nullptr,
                                ::GetModuleHandleW(nullptr), this);
  if (!hwnd) return false;
  if (!customText.empty()) customText_ = customText;
  sizeAndPlace();
  createTooltips();
  ::SetCapture(m_hWnd);
  return true;
}

void ColourPalettePopup::sizeAndPlace() {
  if (!customFont_.get()) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = 340;  // the structure without the padded border width of newer systems
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    customFont_ = GdiObject<HFONT>(::CreateFontIndirectW(&metrics.lfMessageFont));
  }
  const std::wstring text = gbkToWide(customText_);
  SIZE extent = {0, 0};
  {
    WindowDC dc(m_hWnd);
    SelectedObject font(dc.get(), customFont_.get());
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  }
  geometry_ = paletteGeometry(::GetSystemMetrics(SM_CXEDGE), extent.cx, extent.cy, windowDpi(m_hWnd));
  RECT current;
  ::GetWindowRect(m_hWnd, &current);
  windowRect_ = RECT{current.left, current.top, current.left + geometry_.width, current.top + geometry_.height};
  ::MoveWindow(m_hWnd, windowRect_.left, windowRect_.top, geometry_.width, geometry_.height, TRUE);
}

void ColourPalettePopup::createTooltips() {
  tooltip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  auto add = [this](const std::wstring& text, const RECT& rect) {
    TOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = m_hWnd;
    info.uId = 1;
    info.rect = rect;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  };
  for (int row = 0; row < kPaletteRows; ++row) {
    if (row == kSeparatorRow) continue;
    if (row == kCustomEntryRow) {
      add(L"Selects a custom color", toRect(geometry_.customEntry));
      continue;
    }
    for (int column = 0; column < kPaletteColumns; ++column)
      add(gbkToWide(paletteTable[row * kPaletteColumns + column].name), toRect(cellRect(geometry_, row, column)));
  }
}

BOOL ColourPalettePopup::PreTranslateMessage(MSG* msg) {
  if (tooltip_) ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  return CWnd::PreTranslateMessage(msg);
}

const MessageMap* ColourPalettePopup::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onMessage(WM_LBUTTONUP, &ColourPalettePopup::OnLButtonUp),
      onMessage(WM_PAINT, &ColourPalettePopup::OnPaint),
      onMessage(WM_MOUSEMOVE, &ColourPalettePopup::OnMouseMove),
      onMessage(WM_KEYDOWN, &ColourPalettePopup::OnKeyDown),
  };
  static const MessageMap map = makeMap(CWnd::GetMessageMap(), entries);
  return &map;
}

void ColourPalettePopup::drawCell(HDC dc, int row, int column) {
  const HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  if (row == kCustomEntryRow) {
    RECT r = toRect(geometry_.customEntry);
    ::FillRect(dc, &r, face);
    if (hot_.row == kCustomEntryRow && hot_.column == column) ::DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    const std::wstring text = gbkToWide(customText_);
    SelectedObject font(dc, customFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return;
  }
  RECT cell = toRect(cellRect(geometry_, row, column));
  if (row == kSeparatorRow) {
    ::FillRect(dc, &cell, face);
    const int h = geometry_.box;
    RECT band = {cell.left, cell.top + h / 2 - 2, cellRect(geometry_, row, kPaletteColumns - 1).right,
                 cell.bottom - h / 2 + 2};
    UINT sides = BF_TOP | BF_BOTTOM;
    if (column == 0) sides |= BF_LEFT;
    if (column == kPaletteColumns - 1) sides |= BF_RIGHT;
    ::DrawEdge(dc, &band, EDGE_SUNKEN, sides);
    return;
  }
  ::FillRect(dc, &cell, face);
  if (hot_.row == row && hot_.column == column)
    ::DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
  else if (chosen_.row == row && chosen_.column == column)
    ::DrawEdge(dc, &cell, EDGE_SUNKEN, BF_RECT);
  const int inset = geometry_.margin + 1;
  // Declared before the selections, so both are deselected before they are deleted.
  const GdiObject<HBRUSH> brush(::CreateSolidBrush(entryColour(row, column)));
  const GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
  SelectedObject brushSelected(dc, brush.get());
  SelectedObject penSelected(dc, pen.get());
  ::Rectangle(dc, cell.left + inset, cell.top + inset, cell.right - inset, cell.bottom - inset);
}

LRESULT ColourPalettePopup::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  for (int row = 0; row < kPaletteRows; ++row)
    for (int column = 0; column < kPaletteColumns; ++column) drawCell(dc, row, column);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  ::EndPaint(m_hWnd, &ps);
  return 0;
}

void ColourPalettePopup::changeHighlight(PaletteCell target) {
  bool report = false;
  COLORREF reported = initialColour_;
  {
    // Released before the owner is told, which may repaint or close this window.
    WindowDC dc(m_hWnd);
    const bool hotIsCell =
        (hot_.row >= 0 && hot_.row < kPaletteRows && hot_.column >= 0 && hot_.column < kPaletteColumns) ||
        hot_.row == kSeparatorRow || hot_.row == kCustomEntryRow;
    if (hotIsCell) {
      const PaletteCell old = hot_;
      hot_ = kNoCell;
      if (old.column >= 0 && old.column < kPaletteColumns) drawCell(dc.get(), old.row, old.column);
    }
    if (isCell(target)) {
      hot_ = target;
      if (target.row != kSeparatorRow) {
        drawCell(dc.get(), target.row, target.column);
        if (target.row != kCustomEntryRow) reported = chosenColour_ = entryColour(target.row, target.column);
        report = true;
      }
    }
  }
  if (report) ::SendMessageW(owner_, PKN_COLOURCHANGE, reported, 0);
}

LRESULT ColourPalettePopup::OnMouseMove(WPARAM, LPARAM lp) {
  const int x = static_cast<short>(LOWORD(lp));
  const int y = static_cast<short>(HIWORD(lp));
  const PaletteCell target = hitTest(geometry_, x, y);
  if (target != hot_) changeHighlight(target);
  return Default();
}

LRESULT ColourPalettePopup::OnLButtonUp(WPARAM, LPARAM lp) {
  Default();
  POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ::ClientToScreen(m_hWnd, &pt);
  end(::PtInRect(&windowRect_, pt) ? PKN_ACCEPT : PKN_CANCEL);
  return 0;
}

LRESULT ColourPalettePopup::OnKeyDown(WPARAM wp, LPARAM) {
  const PaletteCell from = isCell(hot_) ? hot_ : chosen_;
  switch (wp) {
    case VK_DOWN:
      changeHighlight(navigate(from, PaletteKey::Down));
      break;
    case VK_UP:
      changeHighlight(navigate(from, PaletteKey::Up));
      break;
    case VK_RIGHT:
      changeHighlight(navigate(from, PaletteKey::Right));
      break;
    case VK_LEFT:
      changeHighlight(navigate(from, PaletteKey::Left));
      break;
    case VK_ESCAPE:
      chosenColour_ = initialColour_;
      end(PKN_CANCEL);
      return 0;
    case VK_RETURN:
      end(PKN_ACCEPT);
      return 0;
    default:
      break;
  }
  return Default();
}

void ColourPalettePopup::end(UINT message) {
  ::ReleaseCapture();
  if (message == PKN_CANCEL) {
    chosenColour_ = initialColour_;
  } else if (hot_.row == kSeparatorRow) {
    ::SetCapture(m_hWnd);
    return;
  } else if (hot_.row == kCustomEntryRow) {
    COLORREF custom[kCustomColours];
    for (int i = 0; i < kCustomColours; ++i) custom[i] = paletteTable[kFirstCustomColour + i].colour & 0xFFFFFFu;
    CHOOSECOLORW cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = m_hWnd;
    cc.rgbResult = initialColour_;
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (::ChooseColorW(&cc)) {
      chosenColour_ = cc.rgbResult;
      for (int i = 0; i < kCustomColours; ++i) paletteTable[kFirstCustomColour + i].colour = custom[i];
      ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    ::SetCapture(m_hWnd);
    return;
  }
  chosen_ = hot_;
  if (ownerCustom_)
    for (int i = 0; i < kCustomColours; ++i) ownerCustom_[i] = paletteTable[kFirstCustomColour + i].colour;
  ::SendMessageW(owner_, message, chosenColour_,
                 MAKELONG(static_cast<WORD>(chosen_.row), static_cast<WORD>(chosen_.column)));
  DestroyWindow();
}
