#include "net/judge_tokens_win.h"

#include <windows.h>
// (windows.h before bcrypt.h: it needs its types.)
#include <bcrypt.h>

#include <array>
#include <vector>

#include "net/judge_desk.h"

std::string freshJudgeTokens() {
  std::vector<std::string> tokens;
  for (int k = 0; k < kMaxJudges; ++k) {
    std::array<std::uint8_t, 16> bytes{};
    if (!BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()),
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
      return std::string();
    tokens.push_back(judgeToken(bytes));
  }
  return joinTokens(tokens);
}
