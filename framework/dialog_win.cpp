#include "framework/dialog_win.h"

#include "framework/app_win.h"

namespace {

// The dialog being created on this thread: attached at its first message.
CDialog* g_creating = nullptr;

// Messages whose dialog-procedure result is the value itself, not a handled flag.
bool returnsValueDirectly(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
    case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  control.SubclassWindow(dx->m_pDlgWnd->GetDlgItem(id));
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_parent(parent), m_modal(false), m_endModal(false), m_result(0),
      m_defaultRequested(false) {}

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
  g_creating = this;
  HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                   &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this));
  g_creating = nullptr;
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

LRESULT CDialog::Default() {
  m_defaultRequested = true;
  return 0;
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) { return 0; }

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  CDialog* self = static_cast<CDialog*>(CWnd::FromHandle(hwnd));
  if (!self && g_creating) {
    self = g_creating;
    g_creating = nullptr;
    self->attach(hwnd);
  }
  if (!self) return FALSE;

  if (msg == WM_INITDIALOG) return self->OnInitDialog();

  const CurrentMessage savedMsg = self->m_current;
  const bool savedDefault = self->m_defaultRequested;
  self->m_current = CurrentMessage{msg, wp, lp};
  self->m_defaultRequested = false;
  LRESULT result = 0;
  const bool handled = self->OnWndMsg(msg, wp, lp, &result) && !self->m_defaultRequested;
  self->m_current = savedMsg;
  self->m_defaultRequested = savedDefault;

  if (msg == WM_NCDESTROY) {
    self->detach();
    self->PostNcDestroy();
    return FALSE;
  }
  if (!handled) return FALSE;
  if (returnsValueDirectly(msg)) return static_cast<INT_PTR>(result);
  ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}
