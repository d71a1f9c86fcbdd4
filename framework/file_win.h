// CFile: a file opened for writing, written in whole buffers.  Paths are GBK.
#pragma once
#include <windows.h>

#include <string>

class CFile {
 public:
  enum OpenFlags : unsigned { modeWrite = 0x1, modeCreate = 0x1000 };

  CFile() = default;
  ~CFile() { Close(); }
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // modeCreate | modeWrite creates the file or truncates an existing one.
  bool Open(const std::string& path, unsigned flags);
  // Writes all of data; false when the system wrote less (disk full, device gone).
  bool Write(const std::string& data);
  // Flushes and closes; false when the system reported an error.
  bool Close();
  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

 private:
  HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// The framework's file-error message: the file could not be written.
void AfxFileErrorMessage(HWND owner, const std::string& path);
