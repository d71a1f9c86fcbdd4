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

bool rename(const std::string& from, const std::string& to) {
  return MoveFileExW(gbkToWide(from).c_str(), gbkToWide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool AppendFile::open(const std::string& path, std::size_t keepBytes) {
  close();
  // Others may read it (a person opening it in Notepad) while the program writes.
  HANDLE h = CreateFileW(gbkToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  LARGE_INTEGER keep;
  keep.QuadPart = static_cast<LONGLONG>(keepBytes);
  bool ok = GetFileSizeEx(h, &size) != 0;
  if (ok && size.QuadPart > keep.QuadPart) ok = SetFilePointerEx(h, keep, nullptr, FILE_BEGIN) && SetEndOfFile(h);
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  if (ok) ok = SetFilePointerEx(h, zero, nullptr, FILE_END) != 0;
  if (!ok) {
    CloseHandle(h);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return true;
}

bool AppendFile::append(const std::string& data) {
  if (!isOpen()) return false;
  HANDLE h = reinterpret_cast<HANDLE>(handle_);
  return writeAll(h, data) && FlushFileBuffers(h);
}

void AppendFile::close() {
  if (!isOpen()) return;
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kClosed;
}

}  // namespace fileio
