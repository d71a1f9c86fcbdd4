// What a screen draws, decided without drawing: pictures and text runs at frame positions.
// The Win32 side measures text with the core component and draws these runs; the portable
// screen code never touches a device.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TextSize {
  int width;
  int height;
};

// Width and height of text as it is drawn at the given font and size.
using MeasureText = std::function<TextSize(const std::string& font, int size, const std::string& text)>;

// Text styles of the core component's drawing call, and marks of the board's own: a struck
// run is drawn with a line through it (inside the text's own rectangle); a clock run may
// change its place and colour from one frame to the next (the time's digits and colours).
enum TextStyle : int { kEntryStyle = 1, kTitleStyle = 2, kStruck = 0x100, kClock = 0x200 };
// The bits the core component's drawing call takes.
inline int drawnStyle(int style) { return style & ~(kStruck | kClock); }

struct TextRun {
  std::string text;
  int x;
  int y;
  int size;
  int style;
  std::uint32_t colour;  // ARGB
};

struct PictureRun {
  std::string path;
  int x;
  int y;
  std::uint64_t version = 0;  // which decoding of the file: a replaced picture is a new one
};

struct FrameRuns {
  std::vector<PictureRun> pictures;  // drawn first, in order
  std::vector<TextRun> texts;        // then these, in order
};

// Every screen draws with this one font family.
extern const char kBoardFont[];
