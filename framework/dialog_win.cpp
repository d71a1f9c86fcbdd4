#include "framework/dialog_win.h"

#include <algorithm>

#include "framework/app_win.h"

namespace {

// The dialog being created on this thread, and the hook that attaches it to its window the
// moment that window exists (before WM_NCCREATE), so the object sees every message.
CDialog* g_creating = nullptr;
HHOOK g_createHook = nullptr;

LRESULT CALLBACK createHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && g_creating) {
    CDialog* dialog = g_creating;
    g_creating = nullptr;
    dialog->SubclassWindow(reinterpret_cast<HWND>(wp));
  }
  return CallNextHookEx(g_createHook, code, wp, lp);
}

}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  control.SubclassWindow(dx->m_pDlgWnd->GetDlgItem(id));
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_parent(parent), m_modal(false), m_endModal(false), m_result(0) {}

CDialog::~CDialog() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

const MessageMap* CDialog::dialogMessageMap() {
  static const MessageEntry entries[] = {
      onClicked(IDOK, &CDialog::onIdOk),
      onClicked(IDCANCEL, &CDialog::onIdCancel),
  };
  static const MessageMap map = makeMap(CWnd::baseMessageMap(), entries);
  return &map;
}

const MessageMap* CDialog::GetMessageMap() const { return dialogMessageMap(); }

HWND CDialog::createFromTemplate(HWND owner) {
  CDialog* const savedCreating = g_creating;
  const HHOOK savedHook = g_createHook;
  g_creating = this;
  g_createHook = ::SetWindowsHookExW(WH_CBT, &createHook, nullptr, ::GetCurrentThreadId());
  HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                   &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this));
  ::UnhookWindowsHookEx(g_createHook);
  g_creating = savedCreating;
  g_createHook = savedHook;
  return hwnd;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
  m_templateId = templateId;
  m_parent = parent;
  m_modal = false;
  return createFromTemplate(parent ? parent->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_parent ? m_parent->m_hWnd : nullptr;
  if (!owner && AfxGetApp() && AfxGetApp()->m_pMainWnd && AfxGetApp()->m_pMainWnd != this)
    owner = AfxGetApp()->m_pMainWnd->m_hWnd;
  m_modal = true;
  m_endModal = false;
  m_result = -1;
  const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
  if (!createFromTemplate(owner)) {
    m_modal = false;
    return -1;
  }
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
  if (owner) centreOver(owner);
  if (!m_endModal) ::ShowWindow(m_hWnd, SW_SHOW);

  MSG msg;
  while (!m_endModal) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for the outer loop
      break;
    }
    if (got < 0) break;
    if (!AfxPreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }

  if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
  if (m_hWnd) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (owner) ::SetActiveWindow(owner);
    ::DestroyWindow(m_hWnd);
  }
  m_modal = false;
  return m_result;
}

void CDialog::centreOver(HWND owner) {
  RECT o, d;
  ::GetWindowRect(owner, &o);
  ::GetWindowRect(m_hWnd, &d);
  const int w = d.right - d.left;
  const int h = d.bottom - d.top;
  int x = o.left + ((o.right - o.left) - w) / 2;
  int y = o.top + ((o.bottom - o.top) - h) / 2;
  MONITORINFO mi = {};
  mi.cbSize = sizeof mi;
  if (::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& work = mi.rcWork;
    x = std::max<int>(work.left, std::min<int>(x, work.right - w));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(int result) {
  m_result = result;
  if (!m_modal) return;
  m_endModal = true;
  if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate != FALSE);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (!m_hWnd) return FALSE;
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  return ::IsDialogMessageW(m_hWnd, msg);
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  // Everything but WM_INITDIALOG reaches the object through its window procedure first; the
  // dialog manager's own handling is the default behind it.
  if (msg != WM_INITDIALOG) return FALSE;
  CDialog* self = static_cast<CDialog*>(CWnd::FromHandle(hwnd));
  return self ? self->OnInitDialog() : TRUE;
}
