#include "framework/file_win.h"

#include "framework/app_win.h"
#include "kqcore/file_io_win.h"
#include "kqcore/wide_win.h"

bool CFile::Open(const std::string& path, unsigned flags) {
  Close();
  const DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
  m_handle = ::CreateFileW(gbkToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  return m_handle != INVALID_HANDLE_VALUE;
}

bool CFile::Write(const std::string& data) {
  return m_handle != INVALID_HANDLE_VALUE && fileio::writeAll(m_handle, data);
}

bool CFile::Close() {
  if (m_handle == INVALID_HANDLE_VALUE) return true;
  const bool ok = ::CloseHandle(m_handle) != 0;
  m_handle = INVALID_HANDLE_VALUE;
  return ok;
}

void AfxFileErrorMessage(HWND owner, const std::string& path) {
  const std::wstring text = L"无法写入文件：\n" + gbkToWide(path) + L"\n\n请检查路径、权限和磁盘空间后重试。";
  ::MessageBoxW(owner, text.c_str(), kMessageCaption, MB_OK | MB_ICONERROR);
}
