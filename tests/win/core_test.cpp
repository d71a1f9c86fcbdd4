// The core component on Windows: code page independence, the settings store beside the
// program, files with Chinese names, the save prompt, and the embedded manifest.
#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "kqcore/core_win.h"
#include "kqcore/file_io.h"
#include "kqcore/wide_win.h"
#include "tests/win/test_support_win.h"

TEST(CoreText, ConversionsIgnoreTheSystemCodePage) {
  // The suites run under a Western code page (1252) and a Chinese one (936).  The system's
  // own conversion differs between them; the program's never does.
  const UINT acp = GetACP();
  ASSERT_TRUE(acp == 1252u || acp == 936u) << "unexpected code page " << acp;
  wchar_t meant[16] = L"";  // the test command says which run this is
  if (GetEnvironmentVariableW(L"QUILLET_CODE_PAGE", meant, 16) > 0) {
    EXPECT_EQ(acp, std::wcstoul(meant, nullptr, 10)) << "this run was meant for another code page";
  }
  wchar_t system[4] = L"";
  const int n = MultiByteToWideChar(CP_ACP, 0, "\xD2\xBB", 2, system, 4);  // 一 in GBK
  EXPECT_EQ(std::wstring(system, n), acp == 936u ? L"一" : L"\u00D2\u00BB");
  EXPECT_EQ(gbkToWide("一组"), L"一组");
  EXPECT_EQ(wideToGbk(L"乣乗"), "\x81\x60\x81\x5C");
  EXPECT_EQ(wideToGbk(L"A\u0E01"), "A?");       // a Thai letter has no GBK form
  EXPECT_EQ(wideToGbk(L"\u00E9"), "\xA8\xA6");  // é has one (pinyin)
}

TEST(CoreSettings, StoreBesideTheProgramSurvivesARestart) {
  const std::string folder = makeTempAppFolder();
  CCore::overrideAppPath(folder);
  {
    CCore core(settingsDefaults());
    core.autoFileConfig();
    EXPECT_EQ(core.configPath(), folder + "Quillet.cfg");
    EXPECT_EQ(core.getConfigInt("width"), 1024);  // default before any save
    core.saveConfigStr("title", "第一届 知识竞赛");
    core.saveConfigClr("clrtitle", 0xFF102030u);
    core.saveConfigInt("cols", 4);
  }
  {
    CCore core(settingsDefaults());
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
}

namespace {

// A 32-bit DIB section as every frame uses, top-down or bottom-up; pixels() gives its rows
// from the top whichever way they lie in memory.
class Surface {
 public:
  Surface(int w, int h, bool bottomUp) : w_(w), h_(h), bottomUp_(bottomUp) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, bottomUp ? h : -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, dib_);
  }
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(dib_);
  }
  void draw(CCore& core, const std::string& text, int x, int y) {
    Gdiplus::Graphics g(dc_);
    core.drawStrSolid(&g, Gdiplus::Point(x, y), 0, text, "黑体", Gdiplus::Color(0xFFFFFFFF), 40, 1);
  }
  std::vector<std::uint32_t> pixels() const {
    GdiFlush();
    const auto* px = static_cast<const std::uint32_t*>(bits_);
    std::vector<std::uint32_t> rows;
    for (int y = 0; y < h_; ++y) {
      const std::uint32_t* row = px + static_cast<std::size_t>(bottomUp_ ? h_ - 1 - y : y) * w_;
      rows.insert(rows.end(), row, row + w_);
    }
    return rows;
  }

 private:
  int w_, h_;
  bool bottomUp_;
  void* bits_ = nullptr;
  HBITMAP dib_;
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace

TEST(CoreDrawing, TextLandsWhereMeasuredOnEitherKindOfSurfaceAndTheCacheStaysBounded) {
  CCore core;
  core.setTextCacheLimit(8);
  const Gdiplus::Size box = core.getTextBounds("黑体", 40, "测试文字");
  std::vector<std::uint32_t> topDown;
  for (bool bottomUp : {false, true}) {
    Surface surface(400, 100, bottomUp);
    surface.draw(core, "测试文字", 10, 10);
    const std::vector<std::uint32_t> px = surface.pixels();
    // Drawn where measured: some pixel inside the bounds, none far outside.
    int inside = 0, outside = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 400; ++x)
        if (px[y * 400 + x] != 0) {
          const bool in = x >= 8 && x < 10 + box.Width + 2 && y >= 8 && y < 10 + box.Height + 2;
          (in ? inside : outside) += 1;
        }
    EXPECT_GT(inside, 100) << "bottom-up " << bottomUp;
    EXPECT_EQ(outside, 0) << "bottom-up " << bottomUp;
    if (bottomUp) {
      EXPECT_TRUE(px == topDown) << "the two kinds of surface differ";
    }
    topDown = px;
  }

  // Many different texts: the cache keeps to its bound, and a text it let go of is drawn
  // again exactly as before.
  for (int i = 0; i < 30; ++i) {
    Surface scratch(200, 60, false);
    scratch.draw(core, std::to_string(i), 0, 0);
    EXPECT_LE(core.cachedTexts(), 8u);
  }
  Surface again(400, 100, false);
  again.draw(core, "测试文字", 10, 10);
  EXPECT_TRUE(again.pixels() == topDown);
}
