// The journal on disk: the model's records appended to a file and flushed to the disk
// before the append returns.
#pragma once
#include <string>

#include "contest/event_model.h"
#include "kqcore/file_io.h"

class JournalFile : public JournalSink {
 public:
  // Opens path (created when missing) keeping its first keepBytes bytes.
  bool open(const std::string& path, std::size_t keepBytes) { return file_.open(path, keepBytes); }
  bool append(const std::string& records) override { return file_.append(records); }
  void close() { file_.close(); }
  bool isOpen() const { return file_.isOpen(); }

 private:
  fileio::AppendFile file_;
};
