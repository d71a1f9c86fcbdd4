#include "framework/wnd_win.h"

#include <vector>

#include "kqcore/wide_win.h"

namespace {
const wchar_t kObjectProp[] = L"Quillet.CWnd";
}

std::wstring toWide(const std::string& gbkText) { return gbkToWide(gbkText); }
std::string fromWide(const std::wstring& wide) { return wideToGbk(wide); }

CWnd::CWnd() : m_hWnd(nullptr), m_current{0, 0, 0}, m_superProc(nullptr) {}

CWnd::~CWnd() {
  if (m_hWnd) {
    // A window the object still owns goes with it; a subclassed control is only released.
    if (m_superProc && m_superProc != &::DefWindowProcW)
      UnsubclassWindow();
    else
      DestroyWindow();
  }
}

CWnd* CWnd::FromHandle(HWND hwnd) { return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProp)) : nullptr; }

void CWnd::attach(HWND hwnd) {
  m_hWnd = hwnd;
  ::SetPropW(hwnd, kObjectProp, this);
}

void CWnd::detach() {
  if (m_hWnd) ::RemovePropW(m_hWnd, kObjectProp);
  m_hWnd = nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd) {
  if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
  attach(hwnd);
  PreSubclassWindow();
  m_superProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
  return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) { return SubclassWindow(::GetDlgItem(parent->m_hWnd, id)); }

HWND CWnd::UnsubclassWindow() {
  HWND hwnd = m_hWnd;
  if (!hwnd) return nullptr;
  if (m_superProc) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
  m_superProc = nullptr;
  detach();
  return hwnd;
}

bool CWnd::DestroyWindow() {
  if (!m_hWnd) return false;
  return ::DestroyWindow(m_hWnd) != 0;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::SetWindowText(const std::string& text) { ::SetWindowTextW(m_hWnd, toWide(text).c_str()); }

std::string CWnd::GetWindowText() const {
  const int len = ::GetWindowTextLengthW(m_hWnd);
  std::vector<wchar_t> buf(static_cast<std::size_t>(len) + 2, L'\0');
  ::GetWindowTextW(m_hWnd, buf.data(), static_cast<int>(buf.size()));
  return fromWide(buf.data());
}

void CWnd::SetDlgItemText(int id, const std::string& text) { ::SetDlgItemTextW(m_hWnd, id, toWide(text).c_str()); }

std::string CWnd::GetDlgItemText(int id) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (!item) return std::string();
  const int len = ::GetWindowTextLengthW(item);
  std::vector<wchar_t> buf(static_cast<std::size_t>(len) + 2, L'\0');
  ::GetWindowTextW(item, buf.data(), static_cast<int>(buf.size()));
  return fromWide(buf.data());
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(
      ::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

const MessageMap* CWnd::baseMessageMap() {
  static const MessageMap map = {nullptr, nullptr, 0};
  return &map;
}

const MessageMap* CWnd::GetMessageMap() const { return baseMessageMap(); }

bool CWnd::dispatch(const MessageMap* map, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  UINT code = 0;
  UINT id = 0;
  NMHDR* header = nullptr;
  const UINT plain = msg >= kReflect ? msg - kReflect : msg;
  if (plain == WM_COMMAND) {
    code = HIWORD(wp);
    id = LOWORD(wp);
  } else if (plain == WM_NOTIFY) {
    header = reinterpret_cast<NMHDR*>(lp);
    code = header->code;
    id = static_cast<UINT>(header->idFrom);
  }
  for (; map; map = map->base) {
    for (std::size_t i = 0; i < map->count; ++i) {
      const MessageEntry& e = map->entries[i];
      if (e.message != msg) continue;
      if (plain == WM_COMMAND || plain == WM_NOTIFY) {
        if (e.code != code || id < e.idFirst || id > e.idLast) continue;
      }
      *result = 0;
      switch (e.kind) {
        case HandlerKind::Message:
          *result = (this->*e.onMessage)(wp, lp);
          break;
        case HandlerKind::Command:
          (this->*e.onCommand)();
          break;
        case HandlerKind::CommandRange:
          (this->*e.onCommandRange)(id);
          break;
        case HandlerKind::Notify:
          (this->*e.onNotify)(header, result);
          break;
      }
      return true;
    }
  }
  return false;
}

bool CWnd::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  return dispatch(GetMessageMap(), kReflect + msg, wp, lp, result);
}

bool CWnd::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  HWND child = nullptr;
  if (msg == WM_COMMAND && lp != 0)
    child = reinterpret_cast<HWND>(lp);
  else if (msg == WM_NOTIFY && lp != 0)
    child = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
  else if (msg == WM_DRAWITEM && lp != 0)
    child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
  if (child && child != m_hWnd) {
    CWnd* control = FromHandle(child);
    if (control && control->OnChildNotify(msg, wp, lp, result)) return true;
  }
  return dispatch(GetMessageMap(), msg, wp, lp, result);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (m_superProc) return ::CallWindowProcW(m_superProc, m_hWnd, msg, wp, lp);
  return ::DefWindowProcW(m_hWnd, msg, wp, lp);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.msg, m_current.wp, m_current.lp); }

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  const CurrentMessage saved = m_current;
  m_current = CurrentMessage{msg, wp, lp};
  LRESULT result = 0;
  if (!OnWndMsg(msg, wp, lp, &result)) result = DefWindowProc(msg, wp, lp);
  m_current = saved;
  return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  CWnd* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (self) {
      self->attach(hwnd);
      self->m_superProc = &::DefWindowProcW;
    }
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  const WNDPROC super = self->m_superProc;
  const LRESULT result = self->WindowProc(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    if (super && super != &::DefWindowProcW) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    self->m_superProc = nullptr;
    self->detach();
    self->PostNcDestroy();
  }
  return result;
}
