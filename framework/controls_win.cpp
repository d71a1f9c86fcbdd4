#include "framework/controls_win.h"

#include <vector>

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
  return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

int CListCtrl::InsertColumn(int index, const std::string& heading, int format, int width) {
  std::wstring text = toWide(heading);
  LVCOLUMNW col = {};
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.fmt = format;
  col.cx = width;
  col.pszText = &text[0];
  col.iSubItem = index;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::GetColumnCount() const {
  HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int index, const std::string& text) {
  std::wstring wide = toWide(text);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = &wide[0];
  return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int itemIndex, int subItem, const std::string& text) {
  std::wstring wide = toWide(text);
  LVITEMW item = {};
  item.iSubItem = subItem;
  item.pszText = &wide[0];
  return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string CListCtrl::GetItemText(int itemIndex, int subItem) const {
  std::vector<wchar_t> buf(512, L'\0');
  LVITEMW item = {};
  item.iSubItem = subItem;
  item.pszText = buf.data();
  item.cchTextMax = static_cast<int>(buf.size());
  SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item));
  return fromWide(buf.data());
}

bool CListCtrl::DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
int CListCtrl::GetSelectedItem() const {
  return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
void CListCtrl::SelectItem(int item) {
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
  SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

int CListBox::AddString(const std::string& text) {
  const std::wstring wide = toWide(text);
  return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }

std::string CListBox::GetText(int index) const {
  const LRESULT len = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (len == LB_ERR) return std::string();
  std::vector<wchar_t> buf(static_cast<std::size_t>(len) + 1, L'\0');
  SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
  return fromWide(buf.data());
}

int CListBox::SetTopIndex(int index) {
  return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
