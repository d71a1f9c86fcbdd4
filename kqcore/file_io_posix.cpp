// Native build: POSIX files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "kqcore/file_io.h"

namespace fileio {
namespace {

bool writeAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool readPrefix(const std::string& path, std::size_t maxBytes, std::string& out, bool* cut) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  char buf[65536];
  while (out.size() < maxBytes) {
    std::size_t want = maxBytes - out.size();
    if (want > sizeof buf) want = sizeof buf;
    const ssize_t n = ::read(fd, buf, want);
    if (n <= 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  if (cut) *cut = out.size() == maxBytes && ::read(fd, buf, 1) == 1;
  ::close(fd);
  return true;
}

bool writeAtomic(const std::string& path, const std::string& data) {
  const std::string tmp = path + ".tmp";
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

bool remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool folderWritable(const std::string& folder) {
  const std::string probe = folder + ".quillet-write-probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

bool rename(const std::string& from, const std::string& to) {
  if (exists(to)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool AppendFile::open(const std::string& path, std::size_t keepBytes) {
  close();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 ||
      (static_cast<std::size_t>(st.st_size) > keepBytes && ::ftruncate(fd, static_cast<off_t>(keepBytes)) != 0) ||
      ::lseek(fd, 0, SEEK_END) < 0) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

bool AppendFile::append(const std::string& data) {
  if (!isOpen()) return false;
  const int fd = static_cast<int>(handle_);
  return writeAll(fd, data) && ::fsync(fd) == 0;
}

void AppendFile::close() {
  if (!isOpen()) return;
  ::close(static_cast<int>(handle_));
  handle_ = kClosed;
}

}  // namespace fileio
