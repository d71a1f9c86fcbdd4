#include "console/exports_win.h"

#include "console/log_format.h"
#include "contest/event_model.h"
#include "framework/file_win.h"
#include "kqcore/core_win.h"

const char kResultsExportedLine[] = "导出计分结果";
const char kLogExportedLine[] = "导出操作日志";
const char kSheetExportedLine[] = "导出评分表";

namespace {

bool saveExport(HWND owner, CCore& core, const std::string& defaultName, const std::string& content) {
  const std::string path = core.fileTxtSave(defaultName, owner);
  if (path.empty()) return false;
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite) || !file.Write(content) || !file.Close()) {
    file.Close();
    AfxFileErrorMessage(owner, path);
    return false;
  }
  return true;
}

}  // namespace

bool saveResults(HWND owner, CCore& core, const EventModel& model, const std::function<std::string(int)>& scoreText) {
  const std::string content = resultsFileText(model.rows(), model.count(), scoreText);
  return saveExport(owner, core, resultsFileName(core.getCurTimeSid()), content);
}

bool saveLog(HWND owner, CCore& core, const EventModel& model) {
  return saveExport(owner, core, logFileName(core.getCurTimeSid()), logFileText(model.logLines()));
}

bool saveSheet(HWND owner, CCore& core, const EventModel& model) {
  const SnapshotPtr s = model.snapshot();
  const std::string content = sheetFileText(s->rows.data(), s->panels.data(), s->count(), s->settings.judges);
  return saveExport(owner, core, sheetFileName(core.getCurTimeSid()), content);
}
