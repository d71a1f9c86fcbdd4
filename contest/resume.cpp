#include "contest/resume.h"

namespace resume {

Choice choose(const journal::Replay& previous, const ContestantRecord* rows, int count) {
  switch (previous.status) {
    case journal::Replay::Empty:
      return Choice::Fresh;
    case journal::Replay::Garbled:
      return Choice::Unreadable;
    case journal::Replay::Ok:
      break;
  }
  if (previous.changes > 0) return journal::sameContestants(previous, rows, count) ? Choice::Ask : Choice::Differs;
  return previous.anyChange ? Choice::SetAside : Choice::Fresh;
}

std::string question(const journal::Replay& previous) {
  return "发现上次比赛的计分记录（" + std::to_string(previous.changes) + " 次改动，最后一次 " +
         previous.lastChangeStamp + "）。要恢复这些分数和操作日志吗？";
}

std::string datedName(const std::string& timeSid, int attempt) {
  return "Quillet-" + timeSid + (attempt > 1 ? "-" + std::to_string(attempt) : std::string()) + ".journal";
}

std::string differsLine(const std::string& keptName) { return "上次的计分记录与当前名单不一致，已另存为 " + keptName; }

std::string unreadableWarning(const std::string& keptName) {
  return "上次的计分记录已损坏，无法读取，已原样另存为 " + keptName + "。本次从头开始计分。";
}

std::string writeFailedWarning(const std::string& path) {
  return "计分记录无法写入：\n" + path +
         "\n\n分数照常显示和保存导出，但程序意外关闭后无法恢复。请检查磁盘空间和文件夹权限。";
}

}  // namespace resume
