// Windows build: wide-character file calls on paths converted with code page 936.
#include "kqcore/file_io_win.h"

#include <windows.h>

#include "kqcore/file_io.h"
#include "kqcore/wide_win.h"

namespace fileio {
namespace {

HANDLE openForWrite(const std::wstring& path, DWORD disposition) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool writeAll(HANDLE h, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    DWORD chunk = static_cast<DWORD>(data.size() - done > 1u << 20 ? 1u << 20 : data.size() - done);
    DWORD written = 0;
    if (!WriteFile(h, data.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

bool exists(const std::string& path) { return GetFileAttributesW(gbkToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool readPrefix(const std::string& path, std::size_t maxBytes, std::string& out, bool* cut) {
  out.clear();
  HANDLE h = CreateFileW(gbkToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  char buf[65536];
  while (out.size() < maxBytes) {
    std::size_t want = maxBytes - out.size();
    if (want > sizeof buf) want = sizeof buf;
    DWORD got = 0;
    if (!ReadFile(h, buf, static_cast<DWORD>(want), &got, nullptr) || got == 0) break;
    out.append(buf, got);
  }
  if (cut) {
    DWORD got = 0;
    *cut = out.size() == maxBytes && ReadFile(h, buf, 1, &got, nullptr) && got == 1;
  }
  CloseHandle(h);
  return true;
}

bool writeAtomic(const std::string& path, const std::string& data) {
  const std::wstring target = gbkToWide(path);
  const std::wstring tmp = target + L".tmp";
  HANDLE h = openForWrite(tmp, CREATE_ALWAYS);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = writeAll(h, data) && FlushFileBuffers(h);
  ok = CloseHandle(h) && ok;
  if (ok) ok = MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) DeleteFileW(tmp.c_str());
  return ok;
}

bool remove(const std::string& path) { return DeleteFileW(gbkToWide(path).c_str()) != 0; }

bool folderWritable(const std::string& folder) {
  const std::wstring probe = gbkToWide(folder) + L".quillet-write-probe";
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace fileio
