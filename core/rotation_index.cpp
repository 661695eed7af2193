#include "core/rotation_index.h"

#include <chrono>
#include <random>

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

}  // namespace tapestro
