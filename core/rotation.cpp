#include "core/rotation.h"

#include <chrono>
#include <climits>
#include <random>

#include "base/errors.h"

namespace tapestro {

int32_t NextRotationIndex(int32_t current, int32_t count) {
  // Compared before adding, so that no position can overflow.
  return current >= count - 1 ? 0 : current + 1;
}

int32_t RandomRotationIndex(int32_t count) {
  const auto ticks = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::seed_seq seed{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
  std::mt19937 generator(seed);
  return std::uniform_int_distribution<int32_t>(0, count - 1)(generator);
}

int32_t RotationIndexOfName(const std::string& name, const TFileListItems& items) {
  int32_t before = 0;
  for (int32_t i = 0; i < items.Count(); ++i) {
    if (items[i] == name) return i;
    if (CompareNames(items[i], name) < 0) ++before;
  }
  return before - 1;
}

std::optional<uint32_t> CycleInterval(int32_t minutes) {
  if (minutes < kShortestCycleMinutes || minutes > kLongestCycleMinutes) return std::nullopt;
  return static_cast<uint32_t>(minutes) * kMillisecondsPerMinute;
}

std::string CycleAfterArrow(const std::string& text, TUDBtnType button) {
  if (text.empty()) return "1";
  const int minutes = StrToInt(text);
  if (button == TUDBtnType::btNext) return std::to_string(minutes == INT_MAX ? minutes : minutes + 1);
  return std::to_string(minutes >= 2 ? minutes - 1 : 1);
}

}  // namespace tapestro
