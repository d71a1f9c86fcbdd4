// The options dialog's number checks, as the settings table drives them.
#include <gtest/gtest.h>

#include "contest/settings.h"
#include "resources/resource.h"

namespace {
OptionsCheck check(const std::string& xsw, const std::string& cols, const std::string& width, const std::string& height,
                   Settings* out = nullptr, const std::string& scoreinit = "0") {
  Settings values = defaultSettings();
  const OptionsCheck result = checkOptionNumbers({{IDC_OPT_XSW, xsw},
                                                  {IDC_OPT_COLS, cols},
                                                  {IDC_OPT_SCOREINIT, scoreinit},
                                                  {IDC_OPT_WIDTH, width},
                                                  {IDC_OPT_HEIGHT, height}},
                                                 values);
  if (out) *out = values;
  return result;
}
}  // namespace

TEST(OptionsCheck, EveryBoundAcceptedAndRefused) {
  EXPECT_TRUE(check("0", "1", "100", "100").ok);
  EXPECT_TRUE(check("2", "10", "8000", "2000").ok);
  EXPECT_EQ(check("3", "1", "100", "100").message, "小数位数必须是0到2之间的整数");
  EXPECT_EQ(check("1", "0", "100", "100").message, "显示列数必须是1到10之间的整数");
  EXPECT_EQ(check("1", "11", "100", "100").field, IDC_OPT_COLS);
  EXPECT_EQ(check("1", "2", "99", "100").message, "输出显示宽度必须是100到8000之间的整数");
  EXPECT_EQ(check("1", "2", "8001", "100").field, IDC_OPT_WIDTH);
  EXPECT_EQ(check("1", "2", "100", "2001").message, "输出显示高度必须是100到2000之间的整数");
  EXPECT_EQ(check("1", "2", "100", "99").field, IDC_OPT_HEIGHT);
}

TEST(OptionsCheck, EmptyFieldsAndTheOrderOfChecks) {
  Settings v;
  EXPECT_TRUE(check("", "1", "100", "100", &v).ok);  // empty decimals is 0
  EXPECT_EQ(v.xsw, 0);
  EXPECT_EQ(check("1", "", "100", "100").field, IDC_OPT_COLS);
  EXPECT_EQ(check("1", "2", "", "100").field, IDC_OPT_WIDTH);
  EXPECT_EQ(check("1", "2", "100", "").field, IDC_OPT_HEIGHT);
  // Only the first failure is reported.
  EXPECT_EQ(check("3", "0", "1", "1").field, IDC_OPT_XSW);
  EXPECT_EQ(check("2", "0", "1", "1").field, IDC_OPT_COLS);
}

TEST(OptionsCheck, NumbersThatDoNotFitNeverWrapIntoRange) {
  // 4294967396 would wrap to 100 in 32 bits.
  EXPECT_FALSE(check("1", "2", "4294967396", "100").ok);
  EXPECT_FALSE(check("1", "2", "99999999999", "100").ok);
  EXPECT_FALSE(check("4294967297", "2", "100", "100").ok);
  Settings v;
  ASSERT_TRUE(check("1", "2", "1024", "768", &v, "99999999999").ok);
  EXPECT_EQ(v.scoreinit, 2147483647);  // no range of its own: the largest it can hold
  ASSERT_TRUE(check("1", "2", "1024", "768", &v, "-5").ok);
  EXPECT_EQ(v.scoreinit, -5);
  EXPECT_EQ(readIntField("  42abc").value, 42);
  EXPECT_EQ(readIntField("abc").value, 0);
  EXPECT_TRUE(readIntField("2147483647").fits);
  EXPECT_FALSE(readIntField("2147483648").fits);
  // Far more digits than 64 bits hold: 2^64 + 100 and a long run must neither overflow
  // (the sanitizers stop on that) nor come back in range.
  EXPECT_FALSE(check("1", "2", "18446744073709551716", "100").ok);
  EXPECT_FALSE(readIntField("-1234567890123456789012345").fits);
}

TEST(OptionsCheck, ARefusedDialogChangesNoValue) {
  Settings v = defaultSettings();
  v.cols = 3;
  const Settings before = v;
  const OptionsCheck result = checkOptionNumbers({{IDC_OPT_XSW, "2"}, {IDC_OPT_COLS, "1"}, {IDC_OPT_WIDTH, "1"}}, v);
  EXPECT_EQ(result.field, IDC_OPT_WIDTH);
  EXPECT_EQ(v, before);  // xsw and cols were good, but nothing is taken from a refused dialog
}

TEST(OptionsCheck, JudgePanelFieldsAfterTheOthersWithTheirOwnMessages) {
  auto panel = [](const std::string& judges, const std::string& trim, const std::string& lo, const std::string& hi,
                  const std::string& spread, Settings* out = nullptr) {
    Settings v = defaultSettings();
    const OptionsCheck r = checkOptionNumbers({{IDC_OPT_XSW, "1"},
                                               {IDC_OPT_JUDGES, judges},
                                               {IDC_OPT_TRIM, trim},
                                               {IDC_OPT_JUDGEMIN, lo},
                                               {IDC_OPT_JUDGEMAX, hi},
                                               {IDC_OPT_SPREAD, spread}},
                                              v);
    if (out) *out = v;
    return r;
  };
  Settings v;
  ASSERT_TRUE(panel("15", "3", "-1000000", "1000000", "0.05", &v).ok);
  EXPECT_EQ(v.judges, 15);
  EXPECT_EQ(v.spread, 5);
  EXPECT_EQ(panel("16", "1", "0", "100", "0").message, "评委人数必须是0到15之间的整数");
  EXPECT_EQ(panel("5", "4", "0", "100", "0").message, "去掉最高分和最低分的个数必须是0到3之间的整数");
  for (const auto& bounds : {std::make_pair("10", "10"), std::make_pair("11", "10"), std::make_pair("-1000001", "5")}) {
    const OptionsCheck r = panel("5", "1", bounds.first, bounds.second, "0");
    EXPECT_EQ(r.message, "评委分数范围的下限必须小于上限") << bounds.first;
    EXPECT_EQ(r.field, IDC_OPT_JUDGEMIN);
  }
  for (const char* spread : {"-1", "0.005", "abc", ""})
    EXPECT_EQ(panel("5", "1", "0", "100", spread).message, "差异提醒必须是不小于0的数，最多两位小数") << spread;
  // The earlier fields are checked first.
  EXPECT_EQ(checkOptionNumbers({{IDC_OPT_XSW, "9"}, {IDC_OPT_JUDGES, "99"}}, v).field, IDC_OPT_XSW);
}
