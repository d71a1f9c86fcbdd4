// Journal benchmark: one journalled score change -- the score record and its log line
// appended to Quillet.journal and flushed to the disk -- timed a thousand times over a
// 50-contestant roster; prints the median and the slowest.  Portable: the same code runs in
// the program on Windows (FlushFileBuffers) and here (fsync).  Usage: journal_bench [folder]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "contest/journal_file.h"
#include "kqcore/file_io.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? std::string(argv[1]) : std::string(".");
  const std::string path = folder + "/Quillet.journal";
  std::string roster;
  for (int i = 0; i < 50; ++i)
    roster += "参赛队" + std::to_string(i + 1) + ",第" + std::to_string(i % 8 + 1) + "组\r\n";

  EventModel model(defaultSettings(), [] { return LocalTime{2024, 5, 1, 9, 30, 5}; });
  model.reload(roster);
  JournalFile file;
  if (!file.open(path, 0)) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return 1;
  }
  model.attachJournal(&file, true);

  const int changes = 1000;
  std::vector<double> us;
  us.reserve(changes);
  for (int i = 0; i < changes; ++i) {
    const ScoreRequest request{i % 50, ScoreOp::Add, "0.5"};
    const auto a = std::chrono::steady_clock::now();
    model.applyScore(request);
    const auto b = std::chrono::steady_clock::now();
    us.push_back(std::chrono::duration<double, std::micro>(b - a).count());
  }
  model.closeJournal();
  file.close();
  std::string bytes;
  fileio::readPrefix(path, 64u << 20, bytes);
  fileio::remove(path);
  std::sort(us.begin(), us.end());
  std::printf(
      "journalled score change (append + flush), %d changes: median %.1f us, 90th %.1f us, max %.1f us; "
      "journal %zu bytes\n",
      changes, us[us.size() / 2], us[us.size() * 9 / 10], us.back(), bytes.size());
  return 0;
}
