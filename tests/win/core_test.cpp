// The core component on Windows: code page independence, the settings store beside the
// program, files with Chinese names, the save prompt, and the embedded manifest.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "kqcore/core_win.h"
#include "kqcore/file_io.h"
#include "kqcore/wide_win.h"
#include "tests/win/test_support_win.h"

TEST(CoreText, ConversionsIgnoreTheSystemCodePage) {
  // The test prefix runs with a Western code page on purpose.
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(gbkToWide("一组"), L"一组");
  EXPECT_EQ(wideToGbk(L"乣乗"), "\x81\x60\x81\x5C");
  EXPECT_EQ(wideToGbk(L"A\u0E01"), "A?");       // a Thai letter has no GBK form
  EXPECT_EQ(wideToGbk(L"\u00E9"), "\xA8\xA6");  // é has one (pinyin)
}

TEST(CoreSettings, StoreBesideTheProgramSurvivesARestart) {
  const std::string folder = makeTempAppFolder();
  CCore::overrideAppPath(folder);
  {
    CCore core;
    core.autoFileConfig();
    EXPECT_EQ(core.configPath(), folder + "Quillet.cfg");
    EXPECT_EQ(core.getConfigInt("width"), 1024);  // default before any save
    core.saveConfigStr("title", "第一届 知识竞赛");
    core.saveConfigClr("clrtitle", 0xFF102030u);
    core.saveConfigInt("cols", 4);
  }
  {
    CCore core;
    core.autoFileConfig();
    EXPECT_EQ(core.getConfigStr("title"), "第一届 知识竞赛");
    EXPECT_EQ(core.getConfigClr("clrtitle"), 0xFF102030u);
    EXPECT_EQ(core.getConfigInt("cols"), 4);
  }
  EXPECT_FALSE(fileio::exists(folder + "Quillet.cfg.tmp"));
  CCore::overrideAppPath(std::string());
  removeFolder(folder);
}

TEST(CoreFiles, ChineseNamesBoundedReadsAndTimeStamps) {
  const std::string folder = makeTempAppFolder();
  CCore core;
  const std::string path = folder + "名单（副本）.txt";
  ASSERT_TRUE(fileio::writeAtomic(path, "A01,一组\r\n"));
  EXPECT_TRUE(core.isFileExist(path));
  EXPECT_EQ(core.readTxtFile(path), "A01,一组\r\n");
  EXPECT_EQ(core.readTxtFile(folder + "missing.txt"), "");
  EXPECT_FALSE(core.isFileExist(folder + "missing.txt"));

  writeFileBytes(path, std::string(CCore::kMaxTextFile + 4096, 'x'));
  EXPECT_EQ(core.readTxtFile(path).size(), CCore::kMaxTextFile);

  const std::string sid = core.getCurTimeSid();
  EXPECT_EQ(sid.size(), 15u);
  EXPECT_EQ(sid.find_first_not_of("0123456789-"), std::string::npos);
  for (int i = 0; i < 200; ++i) {
    const int r = core.getRandInt(3, 5);
    EXPECT_TRUE(r >= 3 && r <= 5);
  }
  EXPECT_EQ(core.getStrFloat(-0.01f, 1), "0.0");
  EXPECT_EQ(core.getFg("乣`b", '`', 1), "b");
  removeFolder(folder);
}

TEST(CoreFiles, SavePromptOffersTheNameAndAsksBeforeReplacing) {
  const std::string folder = makeTempAppFolder();
  CCore core;
  const std::string target = folder + "结果.csv";
  {
    DialogAnswerer answer(target);
    EXPECT_EQ(core.fileTxtSave("计分结果20240501-093005.csv"), target);
    EXPECT_TRUE(answer.saveDialogSeen());
    EXPECT_EQ(answer.boxTexts(), "");
  }
  writeFileBytes(target, "old");
  {
    DialogAnswerer answer(target, IDYES);
    EXPECT_EQ(core.fileTxtSave("x.csv"), target);
    EXPECT_NE(answer.boxTexts(), "");  // the replace question was asked
  }
  {
    DialogAnswerer answer(target);
    answer.cancelSave = true;
    EXPECT_EQ(core.fileTxtSave("x.csv"), "");
  }
  removeFolder(folder);
}

TEST(Resources, ManifestRequestsCommonControlsSix) {
  HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(res, nullptr);
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, res)));
  const std::string manifest(data, SizeofResource(nullptr, res));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("processorArchitecture=\"x86\""), std::string::npos);
  // Per-monitor aware where the system knows it, system aware before that.
  EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128)), nullptr);
}

TEST(CoreDrawing, FontsFallBackSoTextIsAlwaysMeasuredAndDrawn) {
  CCore core;
  const Gdiplus::Size chinese = core.getTextBounds("黑体", 40, "测试文字");
  const Gdiplus::Size english = core.getTextBounds("SimHei", 40, "测试文字");
  const Gdiplus::Size unknown = core.getTextBounds("No Such Font", 40, "测试文字");
  EXPECT_GT(chinese.Width, 4 * 30);  // four full-width characters at 40 pixels
  EXPECT_EQ(chinese.Width, english.Width);
  EXPECT_GT(unknown.Width, 0);
  EXPECT_GT(core.getTextBounds("黑体", 40, "").Height, 30);  // an empty text keeps its line height
  const Gdiplus::Size bigger = core.getTextBounds("黑体", 80, "测试文字");
  EXPECT_GT(bigger.Width, chinese.Width * 3 / 2);

  // Drawn where measured: some pixel inside the bounds, none far outside.
  HDC screen = GetDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 400, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, dib);
  {
    Gdiplus::Graphics g(dc);
    core.drawStrSolid(&g, Gdiplus::Point(10, 10), 0, "测试文字", "黑体", Gdiplus::Color(0xFFFFFFFF), 40, 1);
  }
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  int inside = 0, outside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 400; ++x)
      if (px[y * 400 + x] != 0) {
        const bool in = x >= 8 && x < 10 + chinese.Width + 2 && y >= 8 && y < 10 + chinese.Height + 2;
        (in ? inside : outside) += 1;
      }
  EXPECT_GT(inside, 100);
  EXPECT_EQ(outside, 0);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  ReleaseDC(nullptr, screen);
}
