#include "console/console_dialog_win.h"

#include <algorithm>
#include <utility>

#include "console/exports_win.h"
#include "console/output_controller_win.h"
#include "console/timer_sound_win.h"
#include "contest/contestant_text.h"
#include "contest/resume.h"
#include "dialogs/network_dialog_win.h"
#include "dialogs/options_dialog_win.h"
#include "dialogs/panel_dialog_win.h"
#include "dialogs/rounds_dialog_win.h"
#include "dialogs/score_entry_dialog_win.h"
#include "dialogs/timer_dialog_win.h"
#include "framework/dpi_win.h"
#include "framework/message_box_win.h"
#include "kqcore/core_win.h"
#include "kqcore/numbers.h"
#include "net/judge_desk.h"
#include "net/judge_tokens_win.h"
#include "net/venue_service.h"
#include "resources/resource.h"

namespace {

const char kReloadQuestion[] = "重新加载参赛队数据，会清空已有计分数据！确认要继续吗？";
const char kReloadLine[] = "重新加载 参赛队";
const char kTooLarge[] = "输入的数值超出了分数能保存的范围，分数没有改动。请重新输入。";
const UINT_PTR kTimerTick = 2;
const char kNoSecondScreen[] = "没有检测到第二个显示器。请连接投影仪或第二个显示器后再试。";
const char kJudgeLinksRenewed[] = "重新生成评委链接";

}  // namespace

ConsoleDialog::ConsoleDialog(ConsoleContext context)
    : CDialog(IDD_CONSOLE),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      ctx_(std::move(context)) {}

ConsoleDialog::~ConsoleDialog() { ctx_.model.removeObserver(this); }

const MessageMap* ConsoleDialog::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onMessage(WM_PAINT, &ConsoleDialog::OnPaint),
      onMessage(WM_QUERYDRAGICON, &ConsoleDialog::OnQueryDragIcon),
      onMessage(WM_DESTROY, &ConsoleDialog::OnDestroy),
      onMessage(WM_TIMER, &ConsoleDialog::OnTimer),
      onMessage(WM_INPUT, &ConsoleDialog::OnRawInput),
      onNotify(NM_DBLCLK, IDC_ROSTER_LIST, &ConsoleDialog::OnRosterDoubleClick),
      onNotify(LVN_ITEMCHANGED, IDC_ROSTER_LIST, &ConsoleDialog::OnRosterSelection),
      onCommand(IDC_ROUND, CBN_SELCHANGE, &ConsoleDialog::OnRoundChosen),
      // Every button and check box of the console is a row of the command table.
      onClickedRange(IDC_CONSOLE_FIRST, IDC_CONSOLE_LAST, &ConsoleDialog::OnCommandButton),
      onMessage(WM_DISPLAYCHANGE, &ConsoleDialog::OnDisplayChange),
      onMessage(WM_JUDGE_SCORES, &ConsoleDialog::OnJudgeScores),
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
  // Buzzers count while a slide show has the focus.  Refused, the focused console still
  // takes them (buzzerKey).
  buzzerInput_.start(m_hWnd);
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  m_rosterList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // Column widths in pixels at 100 %, grown with the DPI as the dialog's own units are.
  const int dpi = windowDpi(m_hWnd);
  m_rosterList.InsertColumn(0, "分组", LVCFMT_LEFT, scaleForDpi(100, dpi));
  m_rosterList.InsertColumn(1, "姓名", LVCFMT_LEFT, scaleForDpi(100, dpi));
  m_rosterList.InsertColumn(2, "分数", LVCFMT_LEFT, scaleForDpi(80, dpi));

  ctx_.model.addObserver(this);
  showRounds();
  showTimer();
  m_tips.set(m_hWnd, IDC_ROUND,
             "当前轮次：小键盘 + / - 和快捷加减分按这一轮的设置（Ctrl+PgDn 下一轮，Ctrl+PgUp 上一轮）");
  showAudience();
  enableButtons();
  for (const CommandRow& row : consoleCommands())
    if (row.control && row.tip) m_tips.set(m_hWnd, row.control, row.tip);

  if (ctx_.firstTick) {
    // The roster, the journal and the output come once the console is on screen.
    const UINT_PTR kStartTimer = 1;
    setTimer(kStartTimer, 200, [this, kStartTimer]() {
      killTimer(kStartTimer);
      ctx_.firstTick(m_hWnd);
      enableButtons();
    });
  }
  // The operator's hands are on the keyboard from the start: the roster list has the focus.
  focusRoster();
  return FALSE;
}

void ConsoleDialog::setTimer(UINT_PTR id, UINT ms, std::function<void()> tick) {
  timers_[id] = std::move(tick);
  SetTimer(id, ms);
}

void ConsoleDialog::killTimer(UINT_PTR id) {
  KillTimer(id);
  timers_.erase(id);
}

LRESULT ConsoleDialog::OnRawInput(WPARAM, LPARAM lp) {
  const std::vector<BuzzerPress> batch = buzzerInput_.batch(lp, static_cast<DWORD>(::GetMessageTime()));
  // While the buzzers are being learnt, a press is an answer to the dialog, never a false start.
  if (learning_)
    learning_->presses(batch);
  else if (!batch.empty() && !ctx_.model.buzzerKeys().empty())
    ctx_.model.buzzerInput(batch);
  return Default();  // the system frees the input's data
}

LRESULT ConsoleDialog::OnTimer(WPARAM wp, LPARAM) {
  const auto it = timers_.find(wp);
  if (it != timers_.end()) {
    const std::function<void()> tick = it->second;  // the tick may kill its own timer
    tick();
  }
  return Default();
}

BOOL ConsoleDialog::PreTranslateMessage(MSG* msg) {
  const bool down = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  const bool up = msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
  if ((down || up) && buzzerKey(*msg)) return TRUE;
  if (down) {
    const KeyStroke stroke{static_cast<unsigned>(msg->wParam), (::GetKeyState(VK_CONTROL) & 0x8000) != 0,
                           (::GetKeyState(VK_SHIFT) & 0x8000) != 0, (msg->lParam & (1 << 29)) != 0};
    const KeyAction action = consoleKeyAction(stroke, keyState());
    if (action.command != ConsoleCommand::None) {
      runCommand(action.command, action.argument);
      return TRUE;
    }
  }
  if ((down || up) && consoleKeyReserved(static_cast<unsigned>(msg->wParam))) return TRUE;
  // Typing never moves the roster selection (the list's search by first letter would), so a
  // stray key cannot send the next score key to another team.
  if (msg->message == WM_CHAR && msg->hwnd == m_rosterList.m_hWnd && msg->wParam >= 0x20) return TRUE;
  // Neither key may close the console during an event; only the close box does.
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

bool ConsoleDialog::buzzerKey(const MSG& msg) {
  // A buzzer box types a plain key: with Ctrl or Alt held it is the operator's.
  if ((::GetKeyState(VK_CONTROL) & 0x8000) || (msg.lParam & (1 << 29))) return false;
  const unsigned key = static_cast<unsigned>(msg.wParam);
  if (findBuzzer(ctx_.model.buzzerKeys(), std::string(), key) < 0) return false;
  // Raw input brings the same press with its device: here it is only kept from the commands.
  if (buzzerInput_.reports(key)) return true;
  // No device is known on this path: the key alone names the team.
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  ctx_.model.buzzerInput({BuzzerPress{std::string(), key, down, static_cast<std::uint32_t>(msg.time)}});
  return true;
}

ConsoleKeyState ConsoleDialog::keyState() const {
  const int row = m_rosterList.m_hWnd ? m_rosterList.GetSelectedItem() : -1;
  const EventModel& m = ctx_.model;
  ConsoleKeyState state{m.isRow(row), ctx_.output.ready(), static_cast<int>(quickStepPieces(m.quickSteps()).size())};
  state.canUndo = m.canUndo();
  state.canRedo = m.canRedo();
  state.rankingOnShow = m.snapshot()->rankingOnShow() != 0;
  state.revealRunning = m.reveal().running();
  state.judges = m.settings().judges >= 1;
  state.rowHasPanel = m.isRow(row) && m.panel(row).present();
  state.panelShowRunning = m.panelShow().running;
  state.rounds = !m.rounds().empty();
  state.timerShown = m.timer().shown();
  state.buzzerShown = m.buzzers().state() != BuzzerLockout::Idle || m.buzzerView().kind != BuzzerView::None;
  return state;
}

void ConsoleDialog::OnCommandButton(UINT id) {
  const CommandRow* row = commandForControl(static_cast<int>(id));
  if (!row) return;
  // A mouse click leaves the keyboard with the roster list, where the keys act; a focused
  // radio button would turn the arrow keys into screen changes.  Before the command, so no
  // window it opens sees another control with the focus; after it, for the dialogs.
  focusRoster();
  runCommand(row->command, row->argument);
  focusRoster();
}

void ConsoleDialog::runCommand(ConsoleCommand command, int argument) {
  EventModel& m = ctx_.model;
  switch (command) {
    case ConsoleCommand::OpenScoreEntry:
      scoreEntry(m_rosterList.GetSelectedItem());
      break;
    case ConsoleCommand::AddStep:
      changeSelectedScore(m.addValue(), true);
      break;
    case ConsoleCommand::SubtractStep:
      changeSelectedScore(m.subtractValue(), false);
      break;
    case ConsoleCommand::QuickStep:
      changeSelectedScore(ctx_.core.getFg(m.quickSteps(), ',', argument), true);
      break;
    case ConsoleCommand::NextRound:
      m.stepRound(argument);
      break;
    case ConsoleCommand::Rounds:
      roundsDialog();
      break;
    case ConsoleCommand::TimerStartPause:
      m.timerStartPause();
      break;
    case ConsoleCommand::TimerReset:
      m.timerReset();
      break;
    case ConsoleCommand::TimerAdjust:
      m.timerAdjust(argument);
      break;
    case ConsoleCommand::TimerSettings:
      timerSettings();
      break;
    case ConsoleCommand::BuzzArm:
      m.armBuzzers();
      break;
    case ConsoleCommand::BuzzReset:
      m.resetBuzzers();
      break;
    case ConsoleCommand::BuzzSettings:
      buzzerSettings();
      break;
    case ConsoleCommand::ShowMode:
      ctx_.output.showScreen(argument);
      break;
    case ConsoleCommand::ToggleOutput:
      ctx_.output.setOutputOn(!m.outputOn());
      break;
    case ConsoleCommand::ToggleBlackout:
      blackout();
      break;
    case ConsoleCommand::Undo:
      m.undo();
      break;
    case ConsoleCommand::Redo:
      m.redo();
      break;
    case ConsoleCommand::RevealForward:
      m.revealForward();
      break;
    case ConsoleCommand::StepForward:
      m.stepForward();
      break;
    case ConsoleCommand::StepBack:
      m.stepBack();
      break;
    case ConsoleCommand::PanelEntry:
      panelEntry(m_rosterList.GetSelectedItem());
      break;
    case ConsoleCommand::PanelShow:
      showPanel();
      break;
    case ConsoleCommand::ExportSheet:
      exportSheet();
      break;
    case ConsoleCommand::SecondScreen:
      secondScreen();
      break;
    case ConsoleCommand::TogglePreview:
      ctx_.output.togglePreview(m_hWnd);
      break;
    case ConsoleCommand::Options:
      options();
      break;
    case ConsoleCommand::Network:
      network();
      break;
    case ConsoleCommand::Reload:
      reload();
      break;
    case ConsoleCommand::ExportResults:
      exportResults();
      break;
    case ConsoleCommand::ExportLog:
      exportLog();
      break;
    case ConsoleCommand::About:
      about();
      break;
    case ConsoleCommand::None:
      break;
  }
}

void ConsoleDialog::focusRoster() {
  if (m_rosterList.m_hWnd && ::IsWindow(m_hWnd)) ::SetFocus(m_rosterList.m_hWnd);
}

PreviewWindow* ConsoleDialog::preview() const { return ctx_.output.preview(); }

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

LRESULT ConsoleDialog::OnDestroy(WPARAM, LPARAM) {
  buzzerInput_.stop();
  for (const auto& timer : timers_) KillTimer(timer.first);
  timers_.clear();
  ctx_.model.removeObserver(this);
  if (ctx_.closing) ctx_.closing();
  return Default();
}

LRESULT ConsoleDialog::OnDisplayChange(WPARAM, LPARAM) {
  ctx_.output.displayChanged();
  return Default();
}

void ConsoleDialog::OnRosterSelection(NMHDR*, LRESULT* result) {
  *result = 0;
  enableButtons();  // the panel buttons follow the selected row
}

void ConsoleDialog::OnRosterDoubleClick(NMHDR* header, LRESULT* result) {
  const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  *result = 0;
  scoreEntry(row);
}

void ConsoleDialog::scoreEntry(int row) {
  EventModel& m = ctx_.model;
  if (!m.isRow(row)) return;
  const ContestantRecord record = m.row(row);
  const int decimals = m.settings().xsw;
  // In a round the change field starts at the round's value to add, and its quick buttons
  // are the round's; the value remembered for "不分轮次" stays as it was.
  const bool inRound = m.round() >= 0;
  ScoreEntryDialog dialog(row, contestantLabel(record), formatScore(row), m.changeFieldStart(), m.quickSteps(),
                          [record, decimals](const ScoreRequest& request) {
                            ScoreStep step;
                            return planScore(request, contestantLabel(record), record.score, decimals, step);
                          });
  const INT_PTR result = dialog.DoModal();
  if (!inRound) m.setChangeValue(dialog.changeField);  // offered again next time, also after a cancel
  if (result == IDOK) {
    if (dialog.hasRequest)
      m.applyScore(dialog.request);
    else
      m.appendLog(std::string());  // Enter: accepted without a change
  }
  focusRoster();
}

void ConsoleDialog::changeSelectedScore(const std::string& valueText, bool add) {
  const int row = m_rosterList.GetSelectedItem();
  if (!ctx_.model.isRow(row)) return;
  // The request the dialog's "加分" / "减分" makes with valueText in its change field.
  const ScoreRequest request{row, add ? ScoreOp::Add : ScoreOp::Subtract, valueText};
  if (ctx_.model.applyScore(request) == ScoreOutcome::TooLarge) {
    // The same refusal as in the score entry dialog: a score that is no longer finite would
    // break every screen and the ranking.
    messageWarning(m_hWnd, kTooLarge);
    focusRoster();
  }
}

void ConsoleDialog::panelEntry(int row) {
  EventModel& m = ctx_.model;
  if (!m.isRow(row) || m.settings().judges < 1) return;
  PanelDialog dialog(contestantLabel(m.row(row)), m.panel(row), m.settings());
  // While it is open the judges' phones score this contestant; scores sent for the one before
  // are refused from now on.
  m.openJudging(row);
  logLateJudgeScores(ctx_.venue.server().takeJudgeScores());
  openPanel_ = &dialog;
  const bool accepted = dialog.DoModal() == IDOK;
  openPanel_ = nullptr;
  m.closeJudging();
  if (accepted) m.applyPanel(row, dialog.scores, dialog.phoneSeats);
  focusRoster();
}

// Only a score for the contestant open in this opening reaches the dialog.  One that crossed a
// closing on its way counts nowhere, though the judge's page said it was taken: it is logged
// for the operator to enter by hand.
LRESULT ConsoleDialog::OnJudgeScores(WPARAM, LPARAM) {
  const EventModel& m = ctx_.model;
  std::vector<JudgeScore> late;
  for (const JudgeScore& s : ctx_.venue.server().takeJudgeScores()) {
    if (openPanel_ && s.contestant == m.judgingRow() && s.opening == m.judgingOpening())
      openPanel_->phoneScore(s.seat, s.hundredths);
    else
      late.push_back(s);
  }
  logLateJudgeScores(late);
  return 0;
}

void ConsoleDialog::logLateJudgeScores(const std::vector<JudgeScore>& late) {
  EventModel& m = ctx_.model;
  for (const JudgeScore& s : late)
    m.appendLog(lateJudgeScoreLine(s, m.isRow(s.contestant) ? contestantLabel(m.row(s.contestant)) : std::string()));
}

void ConsoleDialog::showPanel() {
  EventModel& m = ctx_.model;
  // Pressed again while its display runs: the next step, as the host's cue.
  if (m.panelShow().running) {
    m.stepForward();
    return;
  }
  m.showPanel(m_rosterList.GetSelectedItem());
}

void ConsoleDialog::exportSheet() {
  if (saveSheet(m_hWnd, ctx_.core, ctx_.model)) ctx_.model.appendLog(kSheetExportedLine);
}

void ConsoleDialog::roundsDialog() {
  EventModel& m = ctx_.model;
  RoundsDialog dialog(m.rounds(), m.round());
  const bool accepted = dialog.DoModal() == IDOK;
  focusRoster();
  if (accepted && (dialog.rounds != m.rounds() || dialog.current != m.round()))
    m.applyRounds(dialog.rounds, dialog.current);
}

void ConsoleDialog::timerSettings() {
  TimerDialog dialog(ctx_.model.settings());
  const bool accepted = dialog.DoModal() == IDOK;
  focusRoster();
  if (accepted) ctx_.model.applyTimerSettings(dialog.result);
}

void ConsoleDialog::buzzerSettings() {
  EventModel& m = ctx_.model;
  std::vector<std::pair<std::string, std::string>> roster;
  for (int i = 0; i < m.count(); ++i) roster.emplace_back(m.row(i).name, m.row(i).group);
  BuzzerDialog dialog(m.settings(), std::move(roster), [this](unsigned key) { return buzzerInput_.reports(key); });
  learning_ = &dialog;
  const bool accepted = dialog.DoModal() == IDOK;
  learning_ = nullptr;
  focusRoster();
  if (accepted && !sameSettings(dialog.result, m.settings(), SavedByBuzzers)) m.applyBuzzerSettings(dialog.result);
}

void ConsoleDialog::scheduleTimerTick() {
  const std::int64_t due = ctx_.model.timerDueIn();
  if (due < 0) {
    killTimer(kTimerTick);
    return;
  }
  // Just past the moment the clock changes; the system's timers are never quicker than 10 ms.
  const UINT ms = static_cast<UINT>(std::min<std::int64_t>(1000, std::max<std::int64_t>(10, due + 2)));
  setTimer(kTimerTick, ms, [this]() {
    ctx_.model.timerTick();
    scheduleTimerTick();
  });
}

void ConsoleDialog::showTimer() {
  const AnswerTimer& timer = ctx_.model.timer();
  const TimerFace& face = ctx_.model.snapshot()->timer.face;
  SetDlgItemText(IDC_TIMER, timer.running() ? "暂停" : timer.state() == AnswerTimer::Paused ? "继续" : "计时");
  std::string text;
  if (face.shown) text = face.text.empty() ? std::string(kTimeUpText) : face.text;
  if (timer.state() == AnswerTimer::Paused) text += " 已暂停";
  SetDlgItemText(IDC_TIMER_TEXT, text);
}

void ConsoleDialog::timerChanged() {
  showTimer();
  enableButtons();
  scheduleTimerTick();
}

void ConsoleDialog::buzzerChanged() { enableButtons(); }

void ConsoleDialog::buzzerWon(int row) {
  playBuzzSound(ctx_.dataDir);
  // Numpad + and - score the winner at once.
  if (ctx_.model.isRow(row)) m_rosterList.SelectItem(row);
}

void ConsoleDialog::timeUp() {
  if (ctx_.model.settings().timersound) playTimeUpSound(ctx_.dataDir);
}

void ConsoleDialog::OnRoundChosen() {
  const int chosen = static_cast<int>(::SendMessageW(GetDlgItem(IDC_ROUND), CB_GETCURSEL, 0, 0));
  if (chosen >= 0) ctx_.model.setRound(chosen - 1);
  focusRoster();
}

void ConsoleDialog::showRounds() {
  const HWND box = GetDlgItem(IDC_ROUND);
  const EventModel& m = ctx_.model;
  ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
  const std::wstring none = toWide(kNoRoundName);
  ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(none.c_str()));
  for (const Round& r : m.rounds()) {
    const std::wstring name = toWide(r.name);
    ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(m.round() + 1), 0);
}

void ConsoleDialog::roundChanged() {
  showRounds();
  enableButtons();
}

void ConsoleDialog::options() {
  OptionsDialog dialog(ctx_.model.settings(), ctx_.core, ctx_.model.judgesInUse());
  const bool accepted = dialog.DoModal() == IDOK;
  focusRoster();
  if (!accepted) return;
  ctx_.model.applySettings(dialog.result);
}

void ConsoleDialog::network() {
  VenueService& venue = ctx_.venue;
  const Settings& s = ctx_.model.settings();
  EventModel& m = ctx_.model;
  JudgeLinks judges;
  judges.seats = s.judges;
  judges.tokens = [&m] { return splitTokens(m.settings().judgetokens); };
  judges.regenerate = [&m] {
    const std::string fresh = freshJudgeTokens();
    if (!fresh.empty()) {
      m.setJudgeTokens(fresh);
      m.appendLog(kJudgeLinksRenewed);
    }
  };
  NetworkDialog dialog(
      venue.serving(), s.port, venue.addresses(), [&venue] { return venue.serving() ? venue.screens() : -1; },
      std::move(judges));
  const bool accepted = dialog.DoModal() == IDOK;
  focusRoster();
  if (!accepted) return;
  const std::string refusal = venue.apply(dialog.on, dialog.port);
  if (!refusal.empty()) messageWarning(m_hWnd, refusal);
}

void ConsoleDialog::reload() {
  const bool confirmed = messageConfirm(m_hWnd, kReloadQuestion) == IDYES;
  focusRoster();
  if (!confirmed) return;
  ctx_.model.appendLog(kReloadLine);
  ctx_.loadRoster(m_hWnd);
}

void ConsoleDialog::secondScreen() {
  if (!ctx_.output.placeOnSecondScreen()) {
    messageInfo(m_hWnd, kNoSecondScreen);
    focusRoster();
  }
}

void ConsoleDialog::blackout() {
  // Nothing to black out before the output window exists: the box stays clear.
  ctx_.output.setBlackout(!ctx_.model.blackout());
  showAudience();
}

void ConsoleDialog::about() {
  const std::string text = std::string("Quillet 现场计分控制台\n版本 1.0.0\n\n") + "参赛队名单：" + ctx_.rosterPath +
                           "\n" + "背景图：" + ctx_.dataDir + "bg.jpg\n" + "标志图：" + ctx_.dataDir + "logo.png\n" +
                           "设置文件：" + ctx_.core.configPath() + "\n" + "计分记录：" + ctx_.journalPath() + "\n\n" +
                           "名单每行一队：队名,组别（GBK 或 UTF-8 文本）。\n\n键盘：\n" + consoleKeyHelpText();
  messageInfo(m_hWnd, text);
  focusRoster();
}

void ConsoleDialog::exportResults() {
  if (saveResults(m_hWnd, ctx_.core, ctx_.model, [this](int row) { return formatScore(row); }))
    ctx_.model.appendLog(kResultsExportedLine);
}

void ConsoleDialog::exportLog() {
  if (saveLog(m_hWnd, ctx_.core, ctx_.model)) ctx_.model.appendLog(kLogExportedLine);
}

std::string ConsoleDialog::formatScore(int row) const {
  return ctx_.core.getStrFloat(ctx_.model.row(row).score, ctx_.model.settings().xsw);
}

void ConsoleDialog::rowChanged(int row) { m_rosterList.SetItemText(row, 2, formatScore(row)); }

void ConsoleDialog::rowsReset() {
  m_rosterList.DeleteAllItems();
  for (int i = 0; i < ctx_.model.count(); ++i) {
    const ContestantRecord& row = ctx_.model.row(i);
    m_rosterList.InsertItem(i, row.group);
    m_rosterList.SetItemText(i, 1, row.name);
    m_rosterList.SetItemText(i, 2, formatScore(i));
  }
}

void ConsoleDialog::logAppended(const std::string& line) {
  const int index = m_logList.AddString(line);
  if (index > 0) m_logList.SetTopIndex(index);
  m_logList.SetCurSel(-1);
}

void ConsoleDialog::logReplaced() {
  // Drawn once at the end: a list redrawn for every one of ten thousand lines takes minutes.
  m_logList.SendMessage(WM_SETREDRAW, FALSE, 0);
  m_logList.SendMessage(LB_RESETCONTENT, 0, 0);
  const std::vector<std::string>& lines = ctx_.model.logLines();
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += (line.size() + 1) * sizeof(wchar_t);
  m_logList.SendMessage(LB_INITSTORAGE, lines.size(), bytes);  // one allocation, not thousands
  int index = -1;
  for (const std::string& line : lines) index = m_logList.AddString(line);
  m_logList.SendMessage(WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(m_logList.m_hWnd, nullptr, TRUE);
  if (index > 0) m_logList.SetTopIndex(index);
  m_logList.SetCurSel(-1);
}

void ConsoleDialog::audienceChanged() {
  showAudience();
  enableButtons();
}

void ConsoleDialog::showAudience() {
  const EventModel& m = ctx_.model;
  CheckDlgButton(IDC_OUTPUT_ON, m.outputOn() ? BST_CHECKED : BST_UNCHECKED);
  for (const CommandRow& row : consoleCommands())
    if (row.command == ConsoleCommand::ShowMode && row.control)
      CheckDlgButton(row.control, row.argument == m.screen() ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_BLACKOUT, m.blackout() ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(IDC_REVEAL, revealCaption(m.reveal()));
}

void ConsoleDialog::enableButtons() {
  const ConsoleKeyState state = keyState();
  const HWND focus = ::GetFocus();
  for (const CommandRow& row : consoleCommands()) {
    if (!row.control || !row.enables) continue;
    const HWND button = GetDlgItem(row.control);
    ::EnableWindow(button, commandMet(row, state) ? TRUE : FALSE);
    // A button that just went grey must not keep the keyboard focus.
    if (focus == button && !::IsWindowEnabled(button)) focusRoster();
  }
}

void ConsoleDialog::historyChanged() { enableButtons(); }

void ConsoleDialog::settingsChanged(unsigned) { enableButtons(); }

void ConsoleDialog::journalFailed() { messageWarning(m_hWnd, resume::writeFailedWarning(ctx_.journalPath())); }
