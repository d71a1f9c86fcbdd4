#include "console/output_controller_win.h"

#include "console/monitors_win.h"
#include "console/preview_window_win.h"
#include "framework/gdi_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/scoreboard_window_win.h"

OutputController::OutputController(EventModel& model, CCore& core, std::string dataDir)
    : model_(model), core_(core), dataDir_(std::move(dataDir)) {
  model_.addObserver(this);
}

OutputController::~OutputController() { shutDown(); }

void OutputController::shutDown() {
  model_.removeObserver(this);
  if (preview_) preview_->DestroyWindow();
  preview_.reset();
  window_.reset();
}

bool OutputController::ready() const { return window_ && window_->m_hWnd; }

void OutputController::start(CWnd* owner) {
  window_.reset(new ScoreboardWindow(core_, dataDir_));
  window_->framePushed = [this](const FrameSurface& frame) { showInPreview(frame); };
  window_->moved = [this](int left, int top) { model_.outputMoved(left, top); };
  window_->Create(IDD_SCOREBOARD, owner);
  model_.setOutputLive(true);
  reapply();
}

OutputRequest OutputController::request() const {
  const Settings& s = model_.settings();
  const OutputPlace& place = model_.place();
  return OutputRequest{s.width, s.height, s.fill != 0, place.placed, place.rect};
}

void OutputController::reapply() {
  if (!ready()) return;
  if (!model_.outputOn()) {
    model_.setOutputOn(false);  // hidden, also after a placement by hand
    return;
  }
  placedFor_ = model_.settings();
  model_.placeOutput(placeForShowing(gatherMonitors(), request()));
}

void OutputController::settingsChanged(unsigned) {
  const Settings& now = model_.settings();
  const bool resized = now.width != placedFor_.width || now.height != placedFor_.height || now.fill != placedFor_.fill;
  if (ready() && resized && model_.outputVisible() && model_.place().placed) {
    placedFor_ = now;
    model_.placeOutput(placeForShowing(gatherMonitors(), request()));
    return;
  }
  refresh();
}

void OutputController::setOutputOn(bool on) {
  model_.setOutputOn(on);
  reapply();
}

void OutputController::showScreen(int mode) { model_.setScreen(mode); }

bool OutputController::setBlackout(bool on) {
  if (!ready()) return false;
  return model_.setBlackout(on);
}

bool OutputController::placeOnSecondScreen() {
  if (!ready()) return true;
  const SecondScreenPlace place = placeOnNextScreen(gatherMonitors(), request());
  placedFor_ = model_.settings();
  model_.placeOutput(place.rect);
  return place.found;
}

void OutputController::displayChanged() {
  if (!ready() || !model_.place().placed) return;  // never shown: its first showing places it
  const OutputRequest now = request();
  const PixelRect rect = placeAfterDisplayChange(gatherMonitors(), now);
  if (rect == now.current) return;
  if (model_.outputVisible()) {
    model_.placeOutput(rect);
  } else {
    // Hidden: only moved, for its next showing.
    model_.outputMoved(rect.left, rect.top);
    ::SetWindowPos(window_->m_hWnd, nullptr, rect.left, rect.top, rect.width(), rect.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void OutputController::togglePreview(HWND owner) {
  if (!preview_) {
    preview_.reset(new PreviewWindow());
    if (!preview_->create(owner, model_.settings().width, model_.settings().height)) {
      preview_.reset();
      return;
    }
  }
  if (preview_->visible()) {
    preview_->hide();
    return;
  }
  preview_->show();
  if (!ready()) return;
  const FrameSurface* held = window_->heldFrame();
  if (model_.snapshot()->outputShown() && held && held->ok())
    showInPreview(*held);
  else
    refresh();
}

void OutputController::showInPreview(const FrameSurface& frame) {
  if (preview_ && preview_->visible()) preview_->showFrame(frame.bits(), frame.width(), frame.height());
}

void OutputController::refresh() {
  if (!ready()) return;
  const SnapshotPtr snapshot = model_.snapshot();
  window_->present(*snapshot);
  if (snapshot->outputShown() || !preview_ || !preview_->visible()) return;
  // What switching the output on would show, at the settings' size.
  WindowDC windowDC(window_->m_hWnd);
  FrameSurface surface(windowDC.get(), snapshot->settings.width, snapshot->settings.height);
  window_->composeFrame(*snapshot, surface);
  if (surface.ok()) showInPreview(surface);
}
