#include "console/console_dialog_win.h"

#include <utility>
#include <vector>

#include "app/settings.h"
#include "app/shared_state.h"
#include "console/log_format.h"
#include "console/placement.h"
#include "contest/roster.h"
#include "framework/file_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "scoreboard/scoreboard_window_win.h"

namespace {

const UINT_PTR kStartTimer = 1;
const UINT kStartDelayMs = 200;

const char kStartLine[] = "-- 程序启动";
const char kReloadQuestion[] = "重新加载参赛队数据，会清空已有计分数据！确认要继续吗？";
const char kReloadLine[] = "重新加载 参赛队";
const char kResultsExportedLine[] = "导出计分结果";
const char kLogExportedLine[] = "导出操作日志";

LocalTime localNow() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

ConsoleDialog::ConsoleDialog()
    : CDialog(IDD_CONSOLE), m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

ConsoleDialog::~ConsoleDialog() = default;

const MessageMap* ConsoleDialog::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onMessage(WM_PAINT, &ConsoleDialog::OnPaint),
      onMessage(WM_QUERYDRAGICON, &ConsoleDialog::OnQueryDragIcon),
      onClicked(IDC_OPTIONS, &ConsoleDialog::OnOptions),
      onMessage(WM_DESTROY, &ConsoleDialog::OnDestroy),
      onClicked(IDC_OUTPUT_ON, &ConsoleDialog::OnOutputSwitch),
      onClicked(IDC_ABOUT, &ConsoleDialog::OnAbout),
      onClicked(IDC_RELOAD, &ConsoleDialog::OnReload),
      onMessage(WM_TIMER, &ConsoleDialog::OnTimer),
      onClicked(IDC_EXPORT_RESULTS, &ConsoleDialog::exportResults),
      onClicked(IDC_EXPORT_LOG, &ConsoleDialog::exportLog),
      onNotify(NM_DBLCLK, IDC_ROSTER_LIST, &ConsoleDialog::OnRosterDoubleClick),
      onClicked(IDC_SECOND_SCREEN, &ConsoleDialog::OnSecondScreen),
      onClickedRange(IDC_MODE_WELCOME, IDC_MODE_GROUP, &ConsoleDialog::OnModeButton),
      onClicked(IDC_REVEAL, &ConsoleDialog::OnRevealButton),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

void ConsoleDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_ROSTER_LIST, m_rosterList);
  DDX_Control(dx, IDC_LOG_LIST, m_logList);
}

BOOL ConsoleDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  app::core = new CCore();
  app::core->autoFileConfig();
  app::appPath = app::core->getAppPath();
  app::dataDir = app::appPath + "data\\";
  app::rosterPath = app::dataDir + "_team.txt";
  app::outputPlaced = 0;
  app::allocateTables();

  m_rosterList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_rosterList.InsertColumn(0, "分组", LVCFMT_LEFT, 100);
  m_rosterList.InsertColumn(1, "姓名", LVCFMT_LEFT, 100);
  m_rosterList.InsertColumn(2, "分数", LVCFMT_LEFT, 80);

  app::readSettings(*app::core);
  model_.reset(new ContestModel(
      ContestStorage{app::contestantTable, &app::contestantCount, &app::displayMode, &app::on}, localNow));
  model_->addObserver(this);
  model_->setDisplayMode(Welcome);

  CheckDlgButton(IDC_OUTPUT_ON, app::on ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(IDC_MODE_WELCOME, IDC_MODE_GROUP, IDC_MODE_WELCOME + app::displayMode);

  app::screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  app::screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  app::core->kqseed();

  SetTimer(kStartTimer, kStartDelayMs);
  return TRUE;
}

BOOL ConsoleDialog::PreTranslateMessage(MSG* msg) {
  // Neither key may close the console during an event; only the close box does.
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) return TRUE;
  if (handleRevealKey(*msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

LRESULT ConsoleDialog::OnPaint(WPARAM, LPARAM) {
  if (!::IsIconic(m_hWnd)) return Default();
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int cxIcon = ::GetSystemMetrics(SM_CXICON);
  const int cyIcon = ::GetSystemMetrics(SM_CYICON);
  RECT rect;
  ::GetClientRect(m_hWnd, &rect);
  const int x = (rect.right - rect.left - cxIcon + 1) / 2;
  const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
  ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(m_hWnd, &ps);
  return 0;
}

LRESULT ConsoleDialog::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }

LRESULT ConsoleDialog::OnTimer(WPARAM wp, LPARAM) {
  const UINT_PTR id = wp;
  KillTimer(id);
  if (id == kStartTimer) {
    loadRoster();
    app::scoreboard = new ScoreboardWindow();
    app::scoreboard->Create(IDD_SCOREBOARD, this);
    app::scoreboard->reveal = &m_reveal;
    // What the operator switched in the 200 ms before the window existed applies now.
    reapplyOutputSwitch();
    appendLog(kStartLine);
    updateRevealButton();
  }
  return Default();
}

LRESULT ConsoleDialog::OnDestroy(WPARAM, LPARAM) {
  KillTimer(kStartTimer);
  if (model_) {
    model_->setOutputOn(IsDlgButtonChecked(IDC_OUTPUT_ON) == BST_CHECKED);
    readDisplayMode();
  }
  if (app::core) app::saveShutdownSettings(*app::core);

  delete app::scoreboard;
  app::scoreboard = nullptr;
  model_.reset();
  app::freeTables();
  delete app::core;
  app::core = nullptr;
  return Default();
}

void ConsoleDialog::readDisplayMode() {
  for (int m = 0; m < 4; ++m)
    if (IsDlgButtonChecked(IDC_MODE_WELCOME + m) == BST_CHECKED) {
      model_->setDisplayMode(m);
      return;
    }
}

void ConsoleDialog::applyOutput() {
  ScoreboardWindow* window = app::scoreboard;
  if (!window || !window->m_hWnd) return;  // not created yet: the first tick applies the state
  if (!app::on) {
    window->ShowWindow(SW_HIDE);
    updateRevealButton();
    return;
  }
  int left, top;
  if (!app::outputPlaced) {
    const ScreenPoint first = firstPlacement(app::screenWidth, app::screenHeight);
    left = first.x;
    top = first.y;
    app::outputPlaced = left != 0 ? left : 1;
    app::outputRect.left = left;
    app::outputRect.top = top;
  } else {
    RECT rect;
    window->GetWindowRect(&rect);
    app::outputRect = app::ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
    left = rect.left;
    top = rect.top;
  }
  app::outputRect.right = left + app::width;
  app::outputRect.bottom = top + app::height;
  window->placeAndShow(left, top, left + app::width, top + app::height);
  updateRevealButton();
}

void ConsoleDialog::reapplyOutputSwitch() {
  model_->setOutputOn(IsDlgButtonChecked(IDC_OUTPUT_ON) == BST_CHECKED);
  readDisplayMode();
  applyOutput();
}

void ConsoleDialog::OnOutputSwitch() { reapplyOutputSwitch(); }

void ConsoleDialog::OnModeButton(UINT id) {
  if (!app::on || !app::scoreboard || !app::scoreboard->m_hWnd) return;
  const int mode = static_cast<int>(id - IDC_MODE_WELCOME);
  model_->setDisplayMode(mode);
  app::scoreboard->showScreen(mode);
  updateRevealButton();
}

void ConsoleDialog::OnSecondScreen() {
  if (!app::scoreboard || !app::scoreboard->m_hWnd) return;
  app::outputPlaced = app::screenWidth != 0 ? app::screenWidth : 1;
  app::outputRect = app::ScreenRect{app::screenWidth, 0, app::screenWidth + app::width, app::height};
  app::scoreboard->placeAndShow(app::outputRect.left, app::outputRect.top, app::outputRect.right,
                                app::outputRect.bottom);
  updateRevealButton();
}

void ConsoleDialog::OnOptions() {
  if (runOptions()) reapplyOutputSwitch();
}

void ConsoleDialog::OnRosterDoubleClick(NMHDR* header, LRESULT* result) {
  const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  *result = 0;
  if (row < 0 || row >= model_->count()) return;
  runScoreEntry(row);
}

bool ConsoleDialog::applyScore(const ScoreRequest& request) { return model_->applyScore(request); }

void ConsoleDialog::rowChanged(int row) {
  m_rosterList.SetItemText(row, 2, formatScore(row));
  if (app::on && app::scoreboard && app::scoreboard->m_hWnd) app::scoreboard->onScoreChanged(row);
}

void ConsoleDialog::rowsReset() {
  endReveal();
  m_rosterList.DeleteAllItems();
  for (int i = 0; i < model_->count(); ++i) {
    const ContestantRecord& row = model_->row(i);
    m_rosterList.InsertItem(i, row.group);
    m_rosterList.SetItemText(i, 1, row.name);
    m_rosterList.SetItemText(i, 2, formatScore(i));
  }
}

// A reveal ends at once when its screen goes: another screen, output off, new rows.  The
// model tells before anything is drawn, so the next frame is the normal screen.
void ConsoleDialog::displayModeChanged(int mode) {
  if (m_reveal.running() && m_reveal.mode() != mode) endReveal();
}

void ConsoleDialog::outputSwitchChanged(bool on) {
  if (!on) endReveal();
}

void ConsoleDialog::logAppended(const std::string& line) {
  const int index = m_logList.AddString(line);
  if (index > 0) m_logList.SetTopIndex(index);
  m_logList.SetCurSel(-1);
}

void ConsoleDialog::OnAbout() {
  const std::string text = std::string("Quillet 现场计分控制台\n版本 1.0.0\n\n") + "参赛队名单：" + app::rosterPath +
                           "\n" + "背景图：" + app::dataDir + "bg.jpg\n" + "标志图：" + app::dataDir + "logo.png\n" +
                           "设置文件：" + (app::core ? app::core->configPath() : std::string()) + "\n\n" +
                           "名单每行一队：队名,组别（GBK 或 UTF-8 文本）。";
  if (app::core) app::core->msgboxInfo(m_hWnd, text);
}

void ConsoleDialog::OnReload() {
  if (!app::core || app::core->msgboxConfirm(m_hWnd, kReloadQuestion) != IDYES) return;
  appendLog(kReloadLine);
  loadRoster();
  applyOutput();
}

void ConsoleDialog::OnRevealButton() { revealForward(); }

int ConsoleDialog::rankingOnShow() const {
  const ScoreboardWindow* window = app::scoreboard;
  if (!window || !window->m_hWnd || !window->IsWindowVisible()) return 0;
  const int mode = window->shownMode;
  return mode == IndividualRanking || mode == GroupRanking ? mode : 0;
}

void ConsoleDialog::revealForward() {
  const int mode = rankingOnShow();
  if (!mode) return;
  if (m_reveal.running() && m_reveal.mode() == mode) {
    if (!m_reveal.next()) return;
  } else {
    const bool groups = mode == GroupRanking;
    // The ranking of this moment, frozen for the whole reveal.
    RankedList ranking =
        groups ? groupRanking(model_->rows(), model_->count()) : individualRanking(model_->rows(), model_->count());
    if (!m_reveal.start(mode, std::move(ranking))) return;
    appendLog(revealStartLine(groups));
  }
  app::scoreboard->showScreen(mode);
  if (m_reveal.complete()) {
    // Rank 1 is on show: the frozen ranking stays there until the screen is drawn again,
    // which then shows the scores of that moment.
    appendLog(kRevealCompleteLine);
    m_reveal.end();
  }
  updateRevealButton();
}

void ConsoleDialog::revealBack() {
  const int mode = rankingOnShow();
  if (!mode || m_reveal.mode() != mode || !m_reveal.back()) return;
  app::scoreboard->showScreen(mode);
  updateRevealButton();
}

void ConsoleDialog::endReveal() {
  if (!m_reveal.running()) return;
  m_reveal.end();
  updateRevealButton();
}

void ConsoleDialog::updateRevealButton() {
  SetDlgItemText(IDC_REVEAL, revealCaption(m_reveal));
  ::EnableWindow(GetDlgItem(IDC_REVEAL), rankingOnShow() != 0 ? TRUE : FALSE);
}

bool ConsoleDialog::handleRevealKey(const MSG& msg) {
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
  if (!down && !up) return false;
  // F10 arrives as a system key; passed on, it would open the system menu.
  if (msg.wParam == VK_F10) {
    if (down) revealForward();
    return true;
  }
  // Left and Right belong to the reveal only while one runs; Up, Down and the page keys stay
  // with the roster list.
  if (!down || !m_reveal.running()) return false;
  if (msg.wParam == VK_RIGHT)
    revealForward();
  else if (msg.wParam == VK_LEFT)
    revealBack();
  else
    return false;
  return true;
}

std::string ConsoleDialog::formatScore(int row) const {
  return app::core->getStrFloat(model_->row(row).score, app::xsw);
}

void ConsoleDialog::loadRoster() {
  bool cut = false;
  const std::string text = app::core->readTxtFile(app::rosterPath, &cut);
  const RosterResult result = model_->reload(text, static_cast<float>(app::scoreinit));
  if (cut) {
    // Only the start of the file was read: what lies beyond it is unknown, so no count.
    app::core->msgboxWarning(m_hWnd, "名单文件大于 " + app::core->getStrInt(CCore::kMaxTextFile >> 20) +
                                         " MB，不像参赛队名单：只读了它的前 " +
                                         app::core->getStrInt(CCore::kMaxTextFile >> 20) + " MB，载入了 " +
                                         app::core->getStrInt(result.loaded) + " 队。");
  } else if (result.leftOut > 0) {
    app::core->msgboxWarning(m_hWnd, "参赛队名单超过 " + app::core->getStrInt(kContestantRows) + " 队：只载入了前 " +
                                         app::core->getStrInt(kContestantRows) + " 队，另有 " +
                                         app::core->getStrInt(result.leftOut) + " 行未载入。");
  }
}

void ConsoleDialog::appendLog(const std::string& text) { model_->appendLog(text); }

namespace {

// Writes content to a path the operator chooses; false (nothing logged) when cancelled or
// when writing failed, which the operator is told about.
bool saveExport(HWND owner, const std::string& defaultName, const std::string& content) {
  const std::string path = app::core->fileTxtSave(defaultName, owner);
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

void ConsoleDialog::exportResults() {
  const std::string content =
      resultsFileText(model_->rows(), model_->count(), [this](int row) { return formatScore(row); });
  if (saveExport(m_hWnd, resultsFileName(app::core->getCurTimeSid()), content)) appendLog(kResultsExportedLine);
}

void ConsoleDialog::exportLog() {
  const std::string content = logFileText(model_->logLines());
  if (saveExport(m_hWnd, logFileName(app::core->getCurTimeSid()), content)) appendLog(kLogExportedLine);
}
