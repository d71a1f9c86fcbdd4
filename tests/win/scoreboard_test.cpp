// The output window: frames composed into a premultiplied bitmap and read back, redraw
// rules, the console's placement of it, and no leak over a thousand frames.
#include <windows.h>

#include <gdiplus.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "console/console_dialog_win.h"
#include "framework/gdi_headroom_win.h"
#include "kqcore/core_win.h"
#include "kqcore/pixel_blend.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/scoreboard_window_win.h"
#include "tests/win/test_support_win.h"

namespace {

const Gdiplus::ARGB kBackground = 0xFF0A1450;
const std::uint32_t kTitleColour = 0xFFFFD700;
const std::uint32_t kTeamColour = 0xFF30FF60;

bool encoderClsid(const wchar_t* mime, CLSID* clsid) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<char> buf(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i)
    if (std::wstring(codecs[i].MimeType) == mime) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  return false;
}

// A solid picture saved as PNG (lossless, so colours read back exactly) under any name.
void writePicture(const std::string& path, int w, int h, Gdiplus::ARGB colour) {
  Gdiplus::Bitmap bmp(w, h, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&bmp);
    g.Clear(Gdiplus::Color(colour));
  }
  CLSID png;
  ASSERT_TRUE(encoderClsid(L"image/png", &png));
  ASSERT_EQ(bmp.Save(gbkToWide(path).c_str(), &png, nullptr), Gdiplus::Ok);
}

// The event as the program holds it, over a temporary data folder, and the output window
// showing its snapshot whenever a test says so (sync), as the output controller does.
class OutputFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = makeTempAppFolder();
    dataDir = folder + "data\\";
    core.reset(new CCore(settingsDefaults()));
    Settings s = defaultSettings();
    s.width = 400;
    s.height = 300;
    s.cols = 2;
    s.xsw = 1;
    s.title = "知识竞赛";
    s.clrtitle = kTitleColour;
    s.clrteam = kTeamColour;
    model.reset(new EventModel(s, [] { return LocalTime{2024, 5, 1, 9, 30, 5}; }));
    setRows(4, [](int i, std::string& name, std::string&) { name = "队" + std::to_string(i); });
    window = new ScoreboardWindow(*core, dataDir);
    ASSERT_TRUE(window->Create(IDD_SCOREBOARD));
  }
  void TearDown() override {
    delete window;
    model.reset();
    core.reset();
    removeFolder(folder);
  }

  // count rows named by fill, row i scoring i.
  void setRows(int count, const std::function<void(int, std::string&, std::string&)>& fill) {
    std::string roster;
    for (int i = 0; i < count; ++i) {
      std::string name, group;
      fill(i, name, group);
      roster += name + (group.empty() ? "" : "," + group) + "\r\n";
    }
    model->reload(roster);
    for (int i = 0; i < count; ++i) setScore(i, std::to_string(i));
  }
  void setScore(int row, const std::string& value) {
    ASSERT_EQ(model->applyScore(ScoreRequest{row, ScoreOp::Set, value}), ScoreOutcome::Applied);
  }
  void change(const std::function<void(Settings&)>& edit) {
    Settings s = model->settings();
    edit(s);
    model->applySettings(s);
  }
  // The output shown at (left, top) in the settings' size.
  void place(int left, int top) {
    model->setOutputLive(true);
    model->setOutputOn(true);
    model->placeOutput(PixelRect{left, top, left + model->settings().width, top + model->settings().height});
    sync();
  }
  void sync() { window->present(*model->snapshot()); }

  // Composes the chosen screen and returns the surface for reading; layout gets its layout.
  std::unique_ptr<FrameSurface> frame() {
    HDC screen = GetDC(nullptr);
    std::unique_ptr<FrameSurface> surface(new FrameSurface(screen, model->settings().width, model->settings().height));
    ReleaseDC(nullptr, screen);
    window->composeFrame(*model->snapshot(), *surface, &layout);
    return surface;
  }

  // True when some pixel of the rectangle has exactly this (opaque) colour.
  // True when some pixel of the rectangle has this opaque colour, each channel within
  // `tolerance` (antialiased small text rarely covers a pixel whole).
  static bool hasColour(const FrameSurface& s, int left, int top, int right, int bottom, std::uint32_t colour,
                        int tolerance = 0) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const std::uint32_t p = s.pixel(x, y);
        bool matches = (p >> 24) == 0xFF;
        for (int shift = 0; shift < 24 && matches; shift += 8)
          matches =
              std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((colour >> shift) & 0xFF)) <= tolerance;
        if (matches) return true;
      }
    return false;
  }

  std::string folder;
  std::string dataDir;
  std::unique_ptr<CCore> core;
  std::unique_ptr<EventModel> model;
  ScoreboardWindow* window = nullptr;
  BoardLayout layout{};
};

}  // namespace

TEST_F(OutputFixture, WelcomeFrameHasBackgroundLogoAndTitle) {
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);
  writePicture(dataDir + "logo.png", 40, 30, 0xFFFF0000);
  auto s = frame();
  ASSERT_TRUE(s->ok());
  EXPECT_EQ(s->pixel(0, 0), kBackground);
  // marginX = trunc(400 * 0.03f) = 11, marginY = trunc(300 * 0.03f) = 8: the logo is there.
  EXPECT_EQ(s->pixel(11, 8), 0xFFFF0000u);
  EXPECT_EQ(s->pixel(11 + 39, 8 + 29), 0xFFFF0000u);
  EXPECT_EQ(s->pixel(11 + 40, 8 + 30), kBackground);
  const BoardLayout& l = layout;
  EXPECT_EQ(l.contentTop, 30 + 6 + 8);
  const int titleX = 59;  // trunc(40 * 1.2f + 11)
  EXPECT_TRUE(hasColour(*s, titleX, 8, 400, l.contentTop, kTitleColour));
  EXPECT_FALSE(hasColour(*s, 0, l.contentTop, titleX, l.contentTop + 1, kTitleColour));
  EXPECT_FALSE(hasColour(*s, 0, l.contentTop, 400, 300, kTeamColour));  // no entries on the welcome screen
}

TEST_F(OutputFixture, ScoringBoardDrawsEntriesInTheBoardArea) {
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);
  model->setScreen(Scoring);
  auto s = frame();
  const BoardLayout& l = layout;
  EXPECT_EQ(l.contentLeft, 63);  // trunc(400 * 0.16f)
  EXPECT_TRUE(hasColour(*s, l.contentLeft, l.contentTop, l.contentLeft + l.contentWidth / 2,
                        l.contentTop + l.contentHeight / 2, kTeamColour, 60));
  EXPECT_FALSE(hasColour(*s, 0, l.contentTop, l.contentLeft, 300, kTeamColour, 60));
}

TEST_F(OutputFixture, TransparentWhereThereIsNoBackground) {
  writePicture(dataDir + "bg.jpg", 100, 50, kBackground);  // smaller than the frame
  auto s = frame();
  EXPECT_EQ(s->pixel(50, 25), kBackground);
  EXPECT_EQ(s->pixel(390, 290), 0u);

  // No background file at all: no decoration, but the board still draws with the layout a
  // logo-less frame would compute.
  DeleteFileW(gbkToWide(dataDir + "bg.jpg").c_str());
  model->setScreen(Scoring);
  auto bare = frame();
  EXPECT_EQ(bare->pixel(0, 0), 0u);
  EXPECT_FALSE(hasColour(*bare, 0, 0, 400, 40, kTitleColour));
  const BoardLayout& l = layout;
  EXPECT_EQ(l.contentLeft, 63);
  // On a transparent frame the text is the only thing drawn: it is there, and nothing else
  // visible (the boxes of drawn texts are lifted to the faintest alpha, a pixel or two past
  // their origin).
  int drawn = 0, stray = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      if (bare->pixel(x, y) > kFaintestPixel) (x >= l.contentLeft && y >= l.contentTop ? drawn : stray) += 1;
  EXPECT_GT(drawn, 20);
  EXPECT_EQ(stray, 0);
}

TEST_F(OutputFixture, PicturesAreReadAgainWhenTheFileChanges) {
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);
  EXPECT_EQ(frame()->pixel(5, 5), kBackground);
  Sleep(20);
  writePicture(dataDir + "bg.jpg", 400, 301, 0xFF804020);  // new content, new size
  EXPECT_EQ(frame()->pixel(5, 5), 0xFF804020u);
}

TEST_F(OutputFixture, ScoreChangesRedrawOnlyTheScoringBoard) {
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);
  place(10, 20);
  RECT r;
  window->GetWindowRect(&r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_TRUE(window->IsWindowVisible());
  EXPECT_TRUE(GetWindowLongW(window->m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(window->blend.SourceConstantAlpha, 253);
  const int afterPlace = window->framesPushed;
  EXPECT_EQ(afterPlace, 1);

  setScore(0, "5");  // welcome on show: nothing
  sync();
  EXPECT_EQ(window->framesPushed, afterPlace);
  model->setScreen(IndividualRanking);
  sync();
  setScore(0, "6");  // a ranking on show is not reordered by a score change
  sync();
  EXPECT_EQ(window->framesPushed, afterPlace + 1);
  model->setScreen(Scoring);
  sync();
  setScore(2, "2");  // a score whose text did not change: the frame stays as it is
  sync();
  EXPECT_EQ(window->framesPushed, afterPlace + 2);
  setScore(2, "42");  // pushed in part
  sync();
  EXPECT_EQ(window->framesPushed, afterPlace + 3);
  EXPECT_EQ(window->partialPushes, 1);
  EXPECT_EQ(window->failedPushes, 0);

  // A drag moves the frame along without a redraw; the event's place follows it.
  window->moved = [this](int left, int top) { model->outputMoved(left, top); };
  SetWindowPos(window->m_hWnd, nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  sync();
  EXPECT_EQ(model->place().rect, (PixelRect{60, 70, 460, 370}));
  EXPECT_EQ(window->framesPushed, afterPlace + 3);
  model->setOutputOn(false);
  sync();
  EXPECT_FALSE(window->IsWindowVisible());
}

namespace {

// A picture whose every pixel differs from its neighbours, so a misplaced or missing part of
// it shows in a byte comparison.
void writeGradient(const std::string& path, int w, int h) {
  Gdiplus::Bitmap bmp(w, h, PixelFormat32bppARGB);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, Gdiplus::Color(255, x * 255 / w, y * 255 / h, (x * y) & 0xFF));
  CLSID png;
  ASSERT_TRUE(encoderClsid(L"image/png", &png));
  ASSERT_EQ(bmp.Save(gbkToWide(path).c_str(), &png, nullptr), Gdiplus::Ok);
}

// Index of the first pixel where a and b differ; -1 when they are the same.
long firstDifference(const FrameSurface& a, const FrameSurface& b) {
  if (a.width() != b.width() || a.height() != b.height()) return 0;
  for (int y = 0; y < a.height(); ++y)
    if (std::memcmp(a.row(y), b.row(y), sizeof(std::uint32_t) * a.width()) != 0)
      for (int x = 0; x < a.width(); ++x)
        if (a.row(y)[x] != b.row(y)[x]) return static_cast<long>(y) * a.width() + x;
  return -1;
}

}  // namespace

TEST_F(OutputFixture, PartialRedrawsAreIdenticalToWholeFrames) {
  writeGradient(dataDir + "bg.jpg", 330, 240);             // part of the board lies over nothing
  writePicture(dataDir + "logo.png", 40, 30, 0x80FF0000);  // half transparent over the gradient
  setRows(11, [](int i, std::string& name, std::string& group) {
    name = "第" + std::to_string(i) + "队";
    group = i % 3 ? "一组" : "很长的组名会压到分数";
  });
  change([](Settings& s) { s.cols = 3; });
  model->setScreen(Scoring);
  place(0, 0);
  std::mt19937 random(16);
  const char* values[] = {"0", "7.5", "-3.25", "123456.7", "99.95", "1e7", "2"};
  for (int step = 0; step < 80; ++step) {
    if (step == 40) change([](Settings& s) { s.xsw = 2; });  // every score text wider
    const int changes = 1 + static_cast<int>(random() % 3);
    for (int c = 0; c < changes; ++c) {
      const int row = static_cast<int>(random() % 11);
      const unsigned kind = random() % 4;
      const ScoreRequest request = kind == 0   ? ScoreRequest{row, ScoreOp::Add, "1"}
                                   : kind == 1 ? ScoreRequest{row, ScoreOp::Subtract, "0.04"}
                                               : ScoreRequest{row, ScoreOp::Set, values[random() % 7]};
      model->applyScore(request);
      sync();
    }
    if (step == 60) {
      model->setScreen(Scoring);
      sync();
    }
    auto whole = frame();
    ASSERT_EQ(firstDifference(*window->heldFrame(), *whole), -1) << "after step " << step;
  }
  EXPECT_GT(window->partialPushes, 60);
  EXPECT_EQ(window->failedPushes, 0);
}

TEST_F(OutputFixture, TheLargestFrameWithTextOverNothingIsPushed) {
  // No background: every entry is antialiased text over transparent pixels, the frame whose
  // window shape once had too many pieces for the display server at this size.
  change([](Settings& s) {
    s.width = 8000;
    s.height = 2000;
    s.cols = 4;
  });
  setRows(50, [](int i, std::string& name, std::string& group) {
    name = "参赛队" + std::to_string(10 + i);
    group = "第" + std::to_string(i % 8) + "组";
  });
  model->setScreen(Scoring);
  place(0, 0);
  setScore(7, "1234.5");
  sync();
  EXPECT_EQ(window->framesPushed, 2);
  EXPECT_EQ(window->partialPushes, 1);
  EXPECT_EQ(window->failedPushes, 0);
  EXPECT_EQ(window->heldFrame()->pixel(7999, 1999), 0u);  // still transparent where nothing is drawn
}

namespace {

// Pixels of the window on screen whose colour differs from the held frame's (read from the
// screen after the thread has gone idle, when Wine hands painted pixels to the display).
int pixelsOffScreen(ScoreboardWindow& window) {
  pumpUntil([] { return false; }, 50);
  const FrameSurface& frame = *window.heldFrame();
  RECT r;
  window.GetWindowRect(&r);
  HDC screen = GetDC(nullptr);
  FrameSurface shot(screen, frame.width(), frame.height());
  BitBlt(shot.dc(), 0, 0, frame.width(), frame.height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  int differing = 0;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x)
      differing += (shot.pixel(x, y) & 0xFFFFFF) != (frame.pixel(x, y) & 0xFFFFFF);
  return differing;
}

}  // namespace

TEST_F(OutputFixture, OpaqueFramesArePaintedAndTransparentOnesPushedWithAlpha) {
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);  // covers the whole frame
  model->setScreen(Scoring);
  place(30, 40);
  EXPECT_TRUE(window->paintsFrame());
  EXPECT_EQ(pixelsOffScreen(*window), 0);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window->m_hWnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 253);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

  setScore(1, "77.5");
  sync();
  EXPECT_EQ(window->partialPushes, 1);
  EXPECT_EQ(pixelsOffScreen(*window), 0) << "the changed cell was not painted where it belongs";

  // No background: transparent pixels need per-pixel alpha, and back again.  Each switch
  // takes the layered style off and on, or the next call of the other kind fails.
  DeleteFileW(gbkToWide(dataDir + "bg.jpg").c_str());
  model->setScreen(Scoring);
  sync();
  EXPECT_FALSE(window->paintsFrame());
  EXPECT_FALSE(GetLayeredWindowAttributes(window->m_hWnd, nullptr, &alpha, &flags));
  setScore(1, "78.5");
  sync();
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);
  model->setScreen(Scoring);
  sync();
  EXPECT_TRUE(window->paintsFrame());
  EXPECT_EQ(pixelsOffScreen(*window), 0);

  model->setBlackout(true);  // black is opaque too, and hides the desktop completely
  sync();
  EXPECT_EQ(pixelsOffScreen(*window), 0);
  ASSERT_TRUE(GetLayeredWindowAttributes(window->m_hWnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 255);
  model->setBlackout(false);
  sync();
  ASSERT_TRUE(GetLayeredWindowAttributes(window->m_hWnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 253);
  EXPECT_EQ(pixelsOffScreen(*window), 0);
  EXPECT_EQ(window->failedPushes, 0);
}

namespace {

SIZE_T privateBytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
  return pmc.PrivateUsage;
}

}  // namespace

TEST_F(OutputFixture, AThousandFramesLeakNoHandlesAndNoMemory) {
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);
  writePicture(dataDir + "logo.png", 40, 30, 0xFFFF0000);
  place(0, 0);
  auto show = [this](int screen) {
    model->setScreen(screen);
    sync();
  };
  for (int i = 0; i < 50; ++i) show(i % 2 ? Scoring : Welcome);  // warm caches
  const int before = gdiHeadroom();
  const SIZE_T memoryBefore = privateBytes();
  for (int i = 0; i < 1000; ++i) show(i % 2 ? Scoring : Welcome);
  const int after = gdiHeadroom();
  const SIZE_T memoryAfter = privateBytes();
  EXPECT_GT(before, 1000);
  EXPECT_EQ(after, before);
  EXPECT_LT(memoryAfter, memoryBefore + 4u * 1024 * 1024) << memoryBefore << " -> " << memoryAfter;
}

TEST_F(OutputFixture, RankingScreensDrawFromTheScoresOfWhenTheyWereChosen) {
  writePicture(dataDir + "bg.jpg", 400, 300, kBackground);
  change([](Settings& s) { s.cols = 1; });
  model->setScreen(IndividualRanking);
  auto individual = frame();
  const BoardLayout l = layout;
  EXPECT_TRUE(hasColour(*individual, l.contentLeft, l.contentTop, 400, 300, kTeamColour, 60));
  // Ranked in a working copy: drawing leaves the contest's rows as they were.
  EXPECT_EQ(model->row(3).rank, 0);
  EXPECT_EQ(model->row(0).rank, 0);

  // Four contestants in four groups of one: no group qualifies, the screen is bare.
  setRows(4, [](int i, std::string& name, std::string& group) {
    name = "队" + std::to_string(i);
    group = std::to_string(i);
  });
  model->setScreen(GroupRanking);
  auto none = frame();
  EXPECT_FALSE(hasColour(*none, l.contentLeft, l.contentTop, 400, 300, kTeamColour, 60));

  setRows(4, [](int i, std::string& name, std::string& group) {
    name = "队" + std::to_string(i);
    group = "一组";
  });
  model->setScreen(GroupRanking);
  auto one = frame();
  EXPECT_TRUE(hasColour(*one, l.contentLeft, l.contentTop, 400, 300, kTeamColour, 60));
}
