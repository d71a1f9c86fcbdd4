// CDialog: a dialog made from a template resource, run modally or created modeless.
//
// Guarantees:
//  * the object is attached to the dialog window as it is created (before WM_NCCREATE), so
//    WM_CREATE and every later message pass through its map; what the map leaves goes to
//    the dialog manager (DefDlgProc), which also delivers WM_INITDIALOG to OnInitDialog;
//  * DoModal runs its own message loop: every message taken from the queue is offered to
//    PreTranslateMessage of the window it is for and of each parent object up to its top
//    window before anything else; the dialog's default PreTranslateMessage does the dialog
//    keyboard handling (IsDialogMessage: Tab, Enter as IDOK, Esc as IDCANCEL);
//  * while modal, the owner (the given parent, or else the application's main window) is
//    disabled, and enabled again before DoModal returns; the dialog opens centred over it,
//    kept on the owner's screen;
//  * IDOK and IDCANCEL go to OnOK / OnCancel, which end a modal dialog with that result;
//    the close box arrives as IDCANCEL;
//  * OnInitDialog binds the members of DoDataExchange (UpdateData(FALSE));
//  * handlers answer like window procedures: their result is the message's result.
#pragma once
#include "framework/wnd_win.h"

class CDialog;

// Data exchange between dialog controls and members.
class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  CDialog* m_pDlgWnd;
  bool m_bSaveAndValidate;
};

// Binds control to the dialog item id (once; later exchanges leave it bound).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog modally; the value given to EndDialog, or -1 when it could not be created.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless, owned by parent (or unowned); false on failure.
  bool Create(UINT templateId, CWnd* parent = nullptr);
  // Ends a modal dialog with result; a modeless dialog only records it.
  void EndDialog(int result);
  bool IsModal() const { return m_modal; }
  // True once EndDialog has ended a modal run that is still unwinding.
  bool IsEnding() const { return m_modal && m_endModal; }

  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  BOOL PreTranslateMessage(MSG* msg) override;

  static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 protected:
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange*) {}
  virtual void OnOK();
  virtual void OnCancel();

  const MessageMap* GetMessageMap() const override;
  static const MessageMap* dialogMessageMap();

  UINT m_templateId;
  CWnd* m_parent;

 private:
  HWND createFromTemplate(HWND owner);
  void centreOver(HWND owner);
  void onIdOk() { OnOK(); }
  void onIdCancel() { OnCancel(); }

  bool m_modal;
  bool m_endModal;
  int m_result;
};
