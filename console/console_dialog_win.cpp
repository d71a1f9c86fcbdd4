#include "console/console_dialog_win.h"

#include <utility>
#include <vector>

#include "app/settings.h"
#include "app/shared_state.h"
#include "console/log_format.h"
#include "console/monitors_win.h"
#include "console/output_placement_win.h"
#include "console/placement.h"
#include "contest/contestant_text.h"
#include "contest/roster.h"
#include "dialogs/score_change.h"
#include "framework/dpi_win.h"
#include "framework/file_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/preview_window_win.h"
#include "scoreboard/scoreboard_window_win.h"

namespace {

const UINT_PTR kStartTimer = 1;
const UINT kStartDelayMs = 200;

const char kStartLine[] = "-- 程序启动";
const char kReloadQuestion[] = "重新加载参赛队数据，会清空已有计分数据！确认要继续吗？";
const char kReloadLine[] = "重新加载 参赛队";
const char kResultsExportedLine[] = "导出计分结果";
const char kLogExportedLine[] = "导出操作日志";
const char kBlackoutLine[] = "黑屏";
const char kBlackoutEndLine[] = "取消黑屏";
const char kTooLarge[] = "输入的数值超出了分数能保存的范围，分数没有改动。请重新输入。";
const char kNoSecondScreen[] = "没有检测到第二个显示器。请连接投影仪或第二个显示器后再试。";

LocalTime localNow() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

ConsoleDialog::ConsoleDialog()
    : CDialog(IDD_CONSOLE), m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

ConsoleDialog::~ConsoleDialog() { releaseAll(); }

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
      onClicked(IDC_UNDO, &ConsoleDialog::OnUndo),
      onClicked(IDC_REDO, &ConsoleDialog::OnRedo),
      onClicked(IDC_BLACKOUT, &ConsoleDialog::OnBlackout),
      onClicked(IDC_PREVIEW, &ConsoleDialog::OnPreview),
      onMessage(WM_DISPLAYCHANGE, &ConsoleDialog::OnDisplayChange),
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

  core_.reset(new CCore());
  app::core = core_.get();
  app::core->autoFileConfig();
  app::appPath = app::core->getAppPath();
  app::dataDir = app::appPath + "data\\";
  app::rosterPath = app::dataDir + "_team.txt";
  app::outputPlaced = 0;
  app::allocateTables();

  m_rosterList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // Column widths in pixels at 100 %, grown with the DPI as the dialog's own units are.
  const int dpi = windowDpi(m_hWnd);
  m_rosterList.InsertColumn(0, "分组", LVCFMT_LEFT, scaleForDpi(100, dpi));
  m_rosterList.InsertColumn(1, "姓名", LVCFMT_LEFT, scaleForDpi(100, dpi));
  m_rosterList.InsertColumn(2, "分数", LVCFMT_LEFT, scaleForDpi(80, dpi));

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

  addTips();
  SetTimer(kStartTimer, kStartDelayMs);
  // The operator's hands are on the keyboard from the start: the roster list has the focus.
  focusRoster();
  return FALSE;
}

BOOL ConsoleDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
    const KeyStroke stroke{static_cast<unsigned>(msg->wParam), (::GetKeyState(VK_CONTROL) & 0x8000) != 0,
                           (::GetKeyState(VK_SHIFT) & 0x8000) != 0, (msg->lParam & (1 << 29)) != 0};
    const KeyAction action = consoleKeyAction(stroke, keyState());
    if (action.command != ConsoleCommand::None) {
      runKeyCommand(action);
      return TRUE;
    }
  }
  // Typing never moves the roster selection (the list's search by first letter would), so a
  // stray key cannot send the next score key to another team.
  if (msg->message == WM_CHAR && msg->hwnd == m_rosterList.m_hWnd && msg->wParam >= 0x20) return TRUE;
  // Neither key may close the console during an event; only the close box does.
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) return TRUE;
  if (handleRevealKey(*msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

bool ConsoleDialog::outputReady() const { return app::scoreboard && app::scoreboard->m_hWnd; }

ConsoleKeyState ConsoleDialog::keyState() const {
  const int row = m_rosterList.m_hWnd ? m_rosterList.GetSelectedItem() : -1;
  return ConsoleKeyState{model_ && row >= 0 && row < model_->count(), outputReady(),
                         static_cast<int>(quickStepPieces(app::scoresteps).size())};
}

void ConsoleDialog::runKeyCommand(const KeyAction& action) {
  switch (action.command) {
    case ConsoleCommand::OpenScoreEntry:
      scoreEntry(m_rosterList.GetSelectedItem());
      break;
    case ConsoleCommand::AddStep:
    case ConsoleCommand::SubtractStep:
      changeSelectedScore(app::scorestepdefault, action.command == ConsoleCommand::AddStep);
      break;
    case ConsoleCommand::QuickStep:
      changeSelectedScore(app::core->getFg(app::scoresteps, ',', action.argument), true);
      break;
    case ConsoleCommand::ShowMode:
      // As a click on the radio button, but the focus stays where it is.
      CheckRadioButton(IDC_MODE_WELCOME, IDC_MODE_GROUP, IDC_MODE_WELCOME + action.argument);
      OnModeButton(IDC_MODE_WELCOME + action.argument);
      break;
    case ConsoleCommand::ToggleOutput:
      CheckDlgButton(IDC_OUTPUT_ON, IsDlgButtonChecked(IDC_OUTPUT_ON) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      OnOutputSwitch();
      break;
    case ConsoleCommand::ToggleBlackout:
      CheckDlgButton(IDC_BLACKOUT, IsDlgButtonChecked(IDC_BLACKOUT) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      OnBlackout();
      break;
    case ConsoleCommand::Undo:
      undo();
      break;
    case ConsoleCommand::Redo:
      redo();
      break;
    case ConsoleCommand::None:
      break;
  }
}

void ConsoleDialog::focusRoster() {
  if (m_rosterList.m_hWnd && ::IsWindow(m_hWnd)) ::SetFocus(m_rosterList.m_hWnd);
}

void ConsoleDialog::addTips() {
  m_tips.set(m_hWnd, IDC_OUTPUT_ON, "开启或关闭输出（F9）");
  m_tips.set(m_hWnd, IDC_MODE_WELCOME, "欢迎画面（F5）");
  m_tips.set(m_hWnd, IDC_MODE_SCORING, "计分画面（F6）");
  m_tips.set(m_hWnd, IDC_MODE_INDIVIDUAL, "个人排名（F7）");
  m_tips.set(m_hWnd, IDC_MODE_GROUP, "小组排名（F8）");
  m_tips.set(m_hWnd, IDC_BLACKOUT, "观众屏幕全黑 / 恢复（Ctrl+B）");
  m_tips.set(m_hWnd, IDC_UNDO, "撤销最后一次分数改动（Ctrl+Z）");
  m_tips.set(m_hWnd, IDC_REDO, "重做刚撤销的改动（Ctrl+Y）");
  m_tips.set(m_hWnd, IDC_PREVIEW, "打开或关闭输出预览：观众看到的画面");
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
    startJournal();
    scoreboard_.reset(new ScoreboardWindow());
    app::scoreboard = scoreboard_.get();
    app::scoreboard->framePushed = [this](const FrameSurface& frame) {
      if (m_preview && m_preview->visible()) m_preview->showFrame(frame.bits(), frame.width(), frame.height());
    };
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
    model_->closeJournal();
  }
  journalFile_.close();
  if (app::core) app::saveShutdownSettings(*app::core);
  releaseAll();
  return Default();
}

void ConsoleDialog::releaseAll() {
  // Nothing may draw from the tables or reach the core once they are gone.
  if (m_preview) m_preview->DestroyWindow();
  app::scoreboard = nullptr;
  scoreboard_.reset();
  model_.reset();
  app::freeTables();
  app::core = nullptr;
  core_.reset();
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
  showOutputAt(*window, placeForShowing(gatherMonitors(), outputRequest(*window)));
  updateRevealButton();
}

void ConsoleDialog::reapplyOutputSwitch() {
  model_->setOutputOn(IsDlgButtonChecked(IDC_OUTPUT_ON) == BST_CHECKED);
  readDisplayMode();
  applyOutput();
  refreshHiddenPreview();
}

void ConsoleDialog::OnOutputSwitch() {
  reapplyOutputSwitch();
  focusRoster();
}

void ConsoleDialog::OnModeButton(UINT id) {
  if (app::on && outputReady()) {
    const int mode = static_cast<int>(id - IDC_MODE_WELCOME);
    model_->setDisplayMode(mode);
    app::scoreboard->showScreen(mode);
    updateRevealButton();
  }
  refreshHiddenPreview();
  // A mouse click leaves the keyboard with the roster list, where the keys act; a focused
  // radio button would turn the arrow keys into screen changes.
  focusRoster();
}

int ConsoleDialog::checkedMode() const {
  for (int m = 0; m < 4; ++m)
    if (IsDlgButtonChecked(IDC_MODE_WELCOME + m) == BST_CHECKED) return m;
  return app::displayMode;
}

void ConsoleDialog::OnBlackout() {
  const bool on = IsDlgButtonChecked(IDC_BLACKOUT) == BST_CHECKED;
  focusRoster();
  if (!outputReady()) {
    // Nothing to black out before the output window exists.
    CheckDlgButton(IDC_BLACKOUT, BST_UNCHECKED);
    return;
  }
  if (on == app::scoreboard->blackout()) return;
  app::scoreboard->setBlackout(on);
  if (on) endReveal();  // after the black frame, so no step of the ranking flashes up
  appendLog(on ? kBlackoutLine : kBlackoutEndLine);
  refreshHiddenPreview();
}

void ConsoleDialog::OnPreview() {
  focusRoster();
  if (!m_preview) {
    m_preview.reset(new PreviewWindow());
    if (!m_preview->create(m_hWnd, app::width, app::height)) {
      m_preview.reset();
      return;
    }
  }
  if (m_preview->visible()) {
    m_preview->hide();
    return;
  }
  m_preview->show();
  if (!outputReady()) return;
  // The frame on show now: what the audience sees, or what switching output on would show.
  app::scoreboard->composeUnpushed(app::scoreboard->IsWindowVisible() ? app::displayMode : checkedMode());
}

void ConsoleDialog::refreshHiddenPreview() {
  if (!m_preview || !m_preview->visible() || !outputReady() || app::scoreboard->IsWindowVisible()) return;
  app::scoreboard->composeUnpushed(checkedMode());
}

void ConsoleDialog::OnSecondScreen() {
  focusRoster();
  if (!app::scoreboard || !app::scoreboard->m_hWnd) return;
  const SecondScreenPlace place = placeOnNextScreen(gatherMonitors(), outputRequest(*app::scoreboard));
  showOutputAt(*app::scoreboard, place.rect);
  updateRevealButton();
  if (!place.found && app::core) {
    app::core->msgboxInfo(m_hWnd, kNoSecondScreen);
    focusRoster();
  }
}

LRESULT ConsoleDialog::OnDisplayChange(WPARAM, LPARAM) {
  app::screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  app::screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  if (app::scoreboard) followDisplayChange(*app::scoreboard);
  return Default();
}

void ConsoleDialog::OnOptions() {
  const bool accepted = runOptions();
  focusRoster();
  if (accepted) reapplyOutputSwitch();
}

void ConsoleDialog::OnRosterDoubleClick(NMHDR* header, LRESULT* result) {
  const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  *result = 0;
  scoreEntry(row);
}

void ConsoleDialog::scoreEntry(int row) {
  if (row < 0 || row >= model_->count()) return;
  runScoreEntry(row);
  focusRoster();
}

bool ConsoleDialog::applyScore(const ScoreRequest& request) { return model_->applyScore(request); }

void ConsoleDialog::rowChanged(int row) {
  m_rosterList.SetItemText(row, 2, formatScore(row));
  if (app::on && app::scoreboard && app::scoreboard->m_hWnd) app::scoreboard->onScoreChanged(row);
  refreshHiddenPreview();
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

void ConsoleDialog::changeSelectedScore(const std::string& valueText, bool add) {
  const int row = m_rosterList.GetSelectedItem();
  if (row < 0 || row >= model_->count()) return;
  const ContestantRecord& record = model_->row(row);
  // The request the dialog's "加分" / "减分" makes with valueText in its change field.
  ScoreRequest request;
  if (!makeScoreRequest(row, contestantLabel(record), record.score, add ? ScoreOp::Add : ScoreOp::Subtract, valueText,
                        app::xsw, request)) {
    // The same refusal as in the score entry dialog: a score that is no longer finite would
    // break every screen and the ranking.
    app::core->msgboxWarning(m_hWnd, kTooLarge);
    focusRoster();
    return;
  }
  applyScore(request);
}

void ConsoleDialog::OnAbout() {
  const std::string text = std::string("Quillet 现场计分控制台\n版本 1.0.0\n\n") + "参赛队名单：" + app::rosterPath +
                           "\n" + "背景图：" + app::dataDir + "bg.jpg\n" + "标志图：" + app::dataDir + "logo.png\n" +
                           "设置文件：" + (app::core ? app::core->configPath() : std::string()) + "\n" + "计分记录：" +
                           journalPath() + "\n\n" + "名单每行一队：队名,组别（GBK 或 UTF-8 文本）。\n\n键盘：\n" +
                           consoleKeyHelpText();
  if (app::core) app::core->msgboxInfo(m_hWnd, text);
  focusRoster();
}

void ConsoleDialog::OnReload() {
  const bool confirmed = app::core && app::core->msgboxConfirm(m_hWnd, kReloadQuestion) == IDYES;
  focusRoster();
  if (!confirmed) return;
  appendLog(kReloadLine);
  loadRoster();
  applyOutput();
  refreshHiddenPreview();
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
    focusRoster();
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
  focusRoster();
}

void ConsoleDialog::exportLog() {
  const std::string content = logFileText(model_->logLines());
  if (saveExport(m_hWnd, logFileName(app::core->getCurTimeSid()), content)) appendLog(kLogExportedLine);
  focusRoster();
}
