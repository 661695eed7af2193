#include "imaging/nearest_color.h"

namespace tapestro {

uint8_t TNearestColor::IndexOf(TColor color) {
  const auto found = known_.find(color);
  if (found != known_.end()) return found->second;
  // Tables hold at most 256 entries, so the index fits a byte.
  const auto index = static_cast<uint8_t>(NearestColorIndex(table_, color));
  known_.emplace(color, index);
  return index;
}

}  // namespace tapestro
