#include "scoreboard/panel_screen.h"

#include <algorithm>

#include "contest/contestant_text.h"

void composePanelShow(const PanelShow& show, std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs) {
  if (!show.running) return;
  const int size = layout.entryFontSize;
  const int line = size * 3 / 2;
  const int judges = static_cast<int>(show.entry.scores.size());
  const int columns = std::max(1, std::min(judges, 5));
  const int rows = (judges + columns - 1) / columns;
  const int cell = layout.contentWidth / columns;
  auto add = [&](const std::string& text, int x, int y, int at, int style) {
    runs.texts.push_back(TextRun{text, x, y, at, style, colour});
  };
  ContestantRecord record{};
  std::snprintf(record.name, kTextField, "%s", show.name.c_str());
  std::snprintf(record.group, kTextField, "%s", show.group.c_str());
  add(contestantLabel(record), layout.contentLeft, layout.contentTop, size, kEntryStyle);

  const std::vector<bool> struck = struckJudges(show.entry.scores, show.entry.result);
  for (int k = 0; k < judges; ++k) {
    const int x = layout.contentLeft + (k % columns) * cell;
    const int y = layout.contentTop + line * (1 + 2 * (k / columns));
    const std::int32_t score = show.entry.scores[static_cast<std::size_t>(k)];
    add("评委" + std::to_string(k + 1), x, y, size, kEntryStyle);
    const bool strike = show.showsDropped() && struck[static_cast<std::size_t>(k)];
    add(score == kNoScore ? "—" : hundredthsText(score), x, y + line, size, kEntryStyle | (strike ? kStruck : 0));
  }
  const int droppedY = layout.contentTop + line * (1 + 2 * rows);
  const PanelResult& r = show.entry.result;
  add(show.showsDropped() ? droppedLine(r) : "", layout.contentLeft, droppedY, size, kEntryStyle);
  const int large = std::min(size * 2, 100);
  add(show.showsFinal() ? "最后得分 " + hundredthsText(r.finalHundredths) : "", layout.contentLeft, droppedY + line,
      large, kEntryStyle);
}
