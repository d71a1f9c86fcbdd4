// Thin wrappers over the standard controls the program uses; bound to a dialog item with
// DDX_Control.  Text is GBK.
#pragma once
#include <string>

#include "framework/wnd_win.h"

class CListCtrl : public CWnd {
 public:
  DWORD SetExtendedStyle(DWORD style);  // LVM_SETEXTENDEDLISTVIEWSTYLE with mask 0
  DWORD GetExtendedStyle() const;
  int InsertColumn(int index, const std::string& heading, int format, int width);
  int GetColumnCount() const;
  int InsertItem(int index, const std::string& text);
  bool SetItemText(int item, int subItem, const std::string& text);
  std::string GetItemText(int item, int subItem) const;
  bool DeleteAllItems();
  int GetItemCount() const;
  int GetSelectedItem() const;  // the selected item, -1 when none
  void SelectItem(int item);    // selects and focuses item, scrolled into view
};

class CListBox : public CWnd {
 public:
  int AddString(const std::string& text);  // index of the new line, or LB_ERR / LB_ERRSPACE
  int GetCount() const;
  std::string GetText(int index) const;
  int SetTopIndex(int index);
  int GetTopIndex() const;
  int SetCurSel(int index);
  int GetCurSel() const;
};

class CButton : public CWnd {
 public:
  int GetCheck() const;
  void SetCheck(int check);
};
