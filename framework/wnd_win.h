// CWnd: the C++ object behind one window, and the message maps that route its messages.
//
// A message map is a static table of MessageEntry rows (message, notification code, control
// id range, handler) that one dispatch routine, OnWndMsg, reads from the most derived class
// to the base.  The first matching row wins.  Guarantees:
//  * a window's object is known from its first message on (WM_NCCREATE for created windows,
//    the moment of subclassing for existing ones, the first dialog message for dialogs);
//  * WM_COMMAND and WM_NOTIFY from a control are offered to the control's own object first
//    (reflection, rows made with the *Reflect helpers), then to the parent's map;
//  * a message no row handles gets the window's default handling (Default()).
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <string>

class CWnd;

enum class HandlerKind { Message, Command, CommandRange, Notify };

struct MessageEntry {
  UINT message;
  UINT code;     // notification code for WM_COMMAND / WM_NOTIFY rows
  UINT idFirst;  // control id range for WM_COMMAND / WM_NOTIFY rows
  UINT idLast;
  HandlerKind kind;
  LRESULT (CWnd::*onMessage)(WPARAM, LPARAM);
  void (CWnd::*onCommand)();
  void (CWnd::*onCommandRange)(UINT);
  void (CWnd::*onNotify)(NMHDR*, LRESULT*);
};

struct MessageMap {
  const MessageMap* base;
  const MessageEntry* entries;
  std::size_t count;
};

// Reflected messages are looked up in the control's own map under this offset.
constexpr UINT kReflect = 0xBC00;

// Row helpers.  T is the class whose map the row goes into.
template <class T>
MessageEntry onMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  MessageEntry e{};
  e.message = message;
  e.kind = HandlerKind::Message;
  e.onMessage = static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(handler);
  return e;
}

template <class T>
MessageEntry onCommand(UINT id, UINT code, void (T::*handler)()) {
  MessageEntry e{};
  e.message = WM_COMMAND;
  e.code = code;
  e.idFirst = e.idLast = id;
  e.kind = HandlerKind::Command;
  e.onCommand = static_cast<void (CWnd::*)()>(handler);
  return e;
}

template <class T>
MessageEntry onClicked(UINT id, void (T::*handler)()) {
  return onCommand(id, BN_CLICKED, handler);
}

template <class T>
MessageEntry onClickedRange(UINT first, UINT last, void (T::*handler)(UINT)) {
  MessageEntry e{};
  e.message = WM_COMMAND;
  e.code = BN_CLICKED;
  e.idFirst = first;
  e.idLast = last;
  e.kind = HandlerKind::CommandRange;
  e.onCommandRange = static_cast<void (CWnd::*)(UINT)>(handler);
  return e;
}

template <class T>
MessageEntry onNotify(UINT code, UINT id, void (T::*handler)(NMHDR*, LRESULT*)) {
  MessageEntry e{};
  e.message = WM_NOTIFY;
  e.code = code;
  e.idFirst = e.idLast = id;
  e.kind = HandlerKind::Notify;
  e.onNotify = static_cast<void (CWnd::*)(NMHDR*, LRESULT*)>(handler);
  return e;
}

// A notification the control handles itself (reflected from its parent); any id.
template <class T>
MessageEntry onCommandReflect(UINT code, void (T::*handler)()) {
  MessageEntry e = onCommand(0, code, handler);
  e.message = kReflect + WM_COMMAND;
  e.idLast = 0xFFFF;
  return e;
}

template <class T>
MessageEntry onMessageReflect(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  MessageEntry e = onMessage(kReflect + message, handler);
  return e;
}

template <class T, std::size_t N>
MessageMap makeMap(const MessageMap* base, const T (&entries)[N]) {
  return MessageMap{base, entries, N};
}

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd;
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object attached to hwnd, or null.
  static CWnd* FromHandle(HWND hwnd);

  // Attaches this object to an existing window and routes its messages through this
  // object's map (the window's own procedure remains the default handling).
  bool SubclassWindow(HWND hwnd);
  bool SubclassDlgItem(UINT id, CWnd* parent);
  // Detaches without destroying the window.
  HWND UnsubclassWindow();

  bool DestroyWindow();

  // Messages before translation and dispatch; true when handled (nothing else sees it).
  virtual BOOL PreTranslateMessage(MSG* msg);

  // Thin wrappers over the W functions; text is GBK.
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetDlgItemText(int id, const std::string& text);
  std::string GetDlgItemText(int id) const;
  UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
  void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
  void CheckRadioButton(int first, int last, int checked) { ::CheckRadioButton(m_hWnd, first, last, checked); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  HICON SetIcon(HICON icon, BOOL big);
  LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }

  // The window procedure of every window with an object.
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 protected:
  virtual const MessageMap* GetMessageMap() const;
  static const MessageMap* baseMessageMap();

  // Looks the message up in the map chain and calls the handler; false when no row matches.
  virtual bool OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  // A message from this window's child control offered to the control first.
  virtual bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  // The whole handling of one message: map, then default.
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  // The default handling of the message being handled now.
  virtual LRESULT Default();
  virtual LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp);
  virtual void PreSubclassWindow() {}
  // Called after the window is gone (WM_NCDESTROY); the object is detached by then.
  virtual void PostNcDestroy() {}

  void attach(HWND hwnd);
  void detach();

  struct CurrentMessage {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  };
  CurrentMessage m_current;
  WNDPROC m_superProc;  // default handling of a subclassed window

 private:
  bool dispatch(const MessageMap* map, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
};

// Wide text of a GBK string, for the W functions.
std::wstring toWide(const std::string& gbkText);
std::string fromWide(const std::wstring& wide);
