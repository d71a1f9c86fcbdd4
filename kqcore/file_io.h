// Whole-file reading and safe writing.  Paths are the program's own text (GBK on Windows,
// where they are converted with code page 936; bytes natively).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace fileio {

bool exists(const std::string& path);

// Reads at most maxBytes bytes from the start of the file into out; false when the file
// cannot be opened (out is then empty).  cut, when given, tells whether the file goes on.
bool readPrefix(const std::string& path, std::size_t maxBytes, std::string& out, bool* cut = nullptr);

// Writes data to a temporary file beside path, flushes it to disk and replaces path with it,
// so path holds either its old or its new content, never a part.  On failure the temporary
// file is removed and path is untouched.
bool writeAtomic(const std::string& path, const std::string& data);

bool remove(const std::string& path);

// True when a new file can be created in folder (which ends with a separator).
bool folderWritable(const std::string& folder);

// Renames a file; false when it cannot be renamed or `to` already exists.
bool rename(const std::string& from, const std::string& to);

// A file that records are appended to: every append is written through to the disk before
// it returns, so what was appended survives a crash or a power cut.
class AppendFile {
 public:
  AppendFile() = default;
  ~AppendFile() { close(); }
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Opens path, creating it when missing, and cuts it to its first keepBytes bytes (what
  // follows a record cut short by a crash); appends go to the end.
  bool open(const std::string& path, std::size_t keepBytes);
  bool append(const std::string& data);
  void close();
  bool isOpen() const { return handle_ != kClosed; }

 private:
  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;  // a HANDLE on Windows, a descriptor elsewhere
};

}  // namespace fileio
