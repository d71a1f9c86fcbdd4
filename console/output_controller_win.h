// OutputController: what the audience sees, on the operator's side.  It owns the output
// window and the preview, keeps both showing the event's snapshot, and turns the operator's
// output commands (switch, screens, blackout, second screen, the reveal) and the system's
// display changes into changes of the event model, placing the window by the placement rules.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "console/placement.h"
#include "contest/event_model.h"

class CCore;
class CWnd;
class FrameSurface;
class PreviewWindow;
class ScoreboardWindow;

class OutputController : private EventObserver {
 public:
  OutputController(EventModel& model, CCore& core, std::string dataDir);
  ~OutputController() override;
  OutputController(const OutputController&) = delete;
  OutputController& operator=(const OutputController&) = delete;

  // Creates the output window owned by `owner` and makes the output live: from now on it
  // follows the event (placed and shown when the output is on).
  void start(CWnd* owner);
  bool ready() const;
  ScoreboardWindow* window() const { return window_.get(); }
  PreviewWindow* preview() const { return preview_.get(); }

  // The output switched: placed by the rules and shown, or hidden.
  void setOutputOn(bool on);
  void reapply();
  void showScreen(int mode);
  // False when there is nothing to black out yet (the output window does not exist).
  bool setBlackout(bool on);
  // To the next monitor that is not the primary one; false when there is none (the window is
  // then shown where it would be anyway).
  bool placeOnSecondScreen();
  void displayChanged();
  // Opens or closes the preview beside the console window `owner`.
  void togglePreview(HWND owner);

  // Ends what it owns before the model and the core go: nothing may draw afterwards.
  void shutDown();

 private:
  void rowChanged(int) override { refresh(); }
  void rowsReset() override { refresh(); }
  // New settings: a window whose size rules changed is placed again (and drawn once).
  void settingsChanged(unsigned rows) override;
  void audienceChanged() override { refresh(); }
  // A tick of the clock: only its cells change on the frame.
  void timerChanged() override { refresh(); }
  void buzzerChanged() override { refresh(); }
  // Both views show the snapshot: the window pushes what changed; the preview shows what the
  // audience sees, or while the output is hidden what switching it on would show.
  void refresh();
  void showInPreview(const FrameSurface& frame);
  OutputRequest request() const;

  EventModel& model_;
  CCore& core_;
  std::string dataDir_;
  std::unique_ptr<ScoreboardWindow> window_;
  std::unique_ptr<PreviewWindow> preview_;
  Settings placedFor_;  // the settings of the last placement
};
