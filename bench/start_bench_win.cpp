// Start-up benchmark: Quillet.exe started from outside (the end-to-end driver) in a fresh
// event folder with the demo data, timed from the process's start to the console's first log
// line; then the same with a journal of ten thousand score changes beside the settings, the
// resume question answered Yes (and, for comparison, No).  Prints the median of several runs
// of each.  Run it under Wine with a display: scripts/bench.sh start [runs [changes]]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "tests/win/program_driver_win.h"

namespace {

const int kTargetMs = 1000;

struct MemoryJournal : JournalSink {
  bool append(const std::string& records) override {
    text += records;
    return true;
  }
  std::string text;
};

// A journal as the program writes it over roster (the bytes of data\_team.txt): the roster
// loaded, then `changes` score changes with their log lines, one a second from 09:00 on.
std::string journalOf(const std::string& roster, int changes) {
  int tick = 0;
  EventModel model(defaultSettings(), [&tick] {
    const int t = tick++;
    return LocalTime{2026, 12, 7, 9 + t / 3600 % 12, t / 60 % 60, t % 60};
  });
  model.reload(roster);
  MemoryJournal journal;
  model.attachJournal(&journal, true);
  model.appendLog("-- 程序启动");
  for (int i = 0; i < changes && model.count() > 0; ++i) {
    const int row = (i * 7) % model.count();
    const bool add = i % 3 != 2;
    char amount[32];
    std::snprintf(amount, sizeof amount, "%.1f", (i % 5 + 1) * 0.5);
    model.applyScore(ScoreRequest{row, add ? ScoreOp::Add : ScoreOp::Subtract, amount});
  }
  return journal.text;
}

struct Run {
  double ms = 0;
  bool ok = false;
  int logLines = 0;  // in the console when its first line was seen
  std::string question;
};

// One start in a fresh event folder with the demo data (and journal, when not empty, as
// Quillet.journal beside the settings); answer is the reply to the program's question.
Run startOnce(const std::string& journal, int answer) {
  Run run;
  const EventFolder folder;
  if (!folder.hasProgram() || !folder.addDemoFile("_team.txt") || !folder.addDemoFile("bg.jpg") ||
      !folder.addDemoFile("logo.png")) {
    std::fprintf(stderr, "cannot make the event folder (no Quillet.exe or data\\ in the build tree)\n");
    return run;
  }
  if (!journal.empty()) writeFileBytes(folder.path() + "Quillet.journal", journal);
  Program quillet(folder.path());
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&a);
  run.ok = quillet.start(answer);
  QueryPerformanceCounter(&b);
  run.ms = 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
  run.logLines = quillet.logCount();
  run.question = quillet.question;
  run.ok = quillet.close() == 0 && run.ok;
  return run;
}

// Runs `runs` starts; prints them and their median; true when every start succeeded and the
// median is within the target.
bool measure(const char* what, int runs, const std::string& journal, int answer, const std::string& mustAsk) {
  std::vector<double> times;
  bool allOk = true;
  int logLines = 0;
  std::string question;
  for (int i = 0; i < runs; ++i) {
    const Run run = startOnce(journal, answer);
    const bool asked = mustAsk.empty() || run.question.find(mustAsk) != std::string::npos;
    if (!run.ok || !asked) {
      std::printf("  %s: run %d FAILED (%s)\n", what, i + 1,
                  !run.ok ? "no start line, or no clean close" : "no question");
      allOk = false;
      continue;
    }
    times.push_back(run.ms);
    logLines = run.logLines;
    std::fflush(stdout);
  }
  if (times.empty()) return false;
  std::vector<double> sorted(times);
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  std::printf("%-44s median %7.1f ms  (min %.1f, max %.1f; log lines then: %d)\n", what, median, sorted.front(),
              sorted.back(), logLines);
  std::printf("  runs:");
  for (double t : times) std::printf(" %.1f", t);
  std::printf("\n");
  std::fflush(stdout);
  return allOk && median <= kTargetMs;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const int changes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;

  // The demo roster as the program reads it, for a journal over the same contestants.
  std::string roster;
  {
    const EventFolder demo;
    demo.addDemoFile("_team.txt");
    roster = readFileBytes(demo.path() + "data\\_team.txt");
  }
  if (roster.empty()) {
    std::fprintf(stderr, "no demo roster in the build tree's data\\ folder\n");
    return 1;
  }
  const std::string journal = journalOf(roster, changes);

  std::printf("time from starting Quillet.exe (fresh event folder, demo data) to the console's first log line\n");
  std::printf("median of %d runs each; target at most %d ms\n", runs, kTargetMs);
  std::fflush(stdout);
  const bool plain = measure("plain start", runs, std::string(), 0, std::string());
  const std::string label =
      "resume " + std::to_string(changes) + " changes (" + std::to_string(journal.size() / 1024) + " KB journal), Yes";
  const std::string asked = "（" + std::to_string(changes) + " 次改动";
  const bool resumed = measure(label.c_str(), runs, journal, IDYES, asked);
  // For comparison: the same journal read and offered, the offer declined (the journal is set
  // aside, nothing restored).
  measure("the same journal, answered No", runs, journal, IDNO, asked);
  std::printf("%s\n", plain && resumed ? "both within the target" : "NOT WITHIN THE TARGET (or a run failed)");
  return plain && resumed ? 0 : 1;
}
