#include "console/log_format.h"

#include <gtest/gtest.h>

#include <cstring>

#include "kqcore/numbers.h"

TEST(LogFormat, LineIsTimeStampSpaceText) {
  EXPECT_EQ(formatLogLine({2024, 5, 1, 9, 30, 5}, "-- 程序启动"), "2024-05-01 09:30:05 -- 程序启动");
  EXPECT_EQ(formatLogLine({2024, 12, 31, 23, 59, 59}, ""), "2024-12-31 23:59:59 ");
}

TEST(LogFormat, ResultsFileBytes) {
  ContestantRecord rows[3] = {};
  std::strcpy(rows[0].name, "A01");
  std::strcpy(rows[0].group, "一组");
  rows[0].score = 12.5f;
  std::strcpy(rows[1].name, "B02");
  rows[1].score = -0.01f;
  std::strcpy(rows[2].name, "乣");
  std::strcpy(rows[2].group, "乗");
  rows[2].score = 3.0f;
  auto text = [&](int decimals) {
    return resultsFileText(rows, 3, [&](int i) { return numbers::floatText(rows[i].score, decimals); });
  };
  EXPECT_EQ(text(0), "分组,姓名,分数\r\n一组,A01,13\r\n,B02,0\r\n乗,乣,3\r\n");
  EXPECT_EQ(text(2), "分组,姓名,分数\r\n一组,A01,12.50\r\n,B02,-0.01\r\n乗,乣,3.00\r\n");
  EXPECT_EQ(resultsFileText(rows, 0, [](int) { return std::string("x"); }), "分组,姓名,分数\r\n");
}

TEST(LogFormat, LogFileAndNames) {
  EXPECT_EQ(logFileText({"a", "b c", ""}), "a\r\nb c\r\n\r\n");
  EXPECT_EQ(logFileText({}), "");
  EXPECT_EQ(resultsFileName("20240501-093005"), "计分结果20240501-093005.csv");
  EXPECT_EQ(logFileName("20240501-093005"), "操作日志20240501-093005.txt");
}
