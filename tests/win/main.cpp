// Test runner for the Win32 tests: the one global set-up (common controls and GDI+ as the
// program has them) as a GoogleTest environment, and unbuffered output (a pipe under Wine is
// fully buffered).
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "tests/win/win_session_win.h"

namespace {

class WinSessionEnvironment : public testing::Environment {
 public:
  void SetUp() override { session_.reset(new WinSession()); }
  void TearDown() override { session_.reset(); }

 private:
  std::unique_ptr<WinSession> session_;
};

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new WinSessionEnvironment());
  const int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  return result;
}
