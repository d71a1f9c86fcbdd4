// Any body sent to /api/judge: the answer is one of the desk's statuses with a JSON body, and
// only a well-formed submission from a known seat with a score in the range is ever taken.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "net/judge_desk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  JudgingDoor door;
  door.tokens = {std::string(22, 'A'), std::string(22, 'B')};
  door.lo = -5;
  door.hi = 10;
  door.open = size % 3 == 0 ? -1 : 2;
  door.opening = 1;
  JudgeDesk desk;
  // Twice: the second is a repeat, acknowledged or refused the same way, never taken again.
  const JudgeAnswer first = desk.submit(door, body, JudgeDesk::Clock::time_point{});
  const JudgeAnswer again = desk.submit(door, body, JudgeDesk::Clock::time_point{});
  if (again.taken || first.status != again.status) std::abort();
  switch (first.status) {
    case 200:
    case 400:
    case 401:
    case 409:
    case 413:
      break;
    default:
      std::abort();
  }
  if (nlohmann::json::parse(first.body, nullptr, false).is_discarded()) std::abort();
  const std::vector<JudgeScore> taken = desk.take();
  if (taken.size() != (first.taken ? 1u : 0u)) std::abort();
  for (const JudgeScore& s : taken)
    if (s.contestant != 2 || s.seat < 1 || s.seat > 2 || s.hundredths < -500 || s.hundredths > 1000) std::abort();
  JudgeSubmission parsed;
  if (first.status == 200 && !parseJudgeBody(body, parsed)) std::abort();
  return 0;
}
