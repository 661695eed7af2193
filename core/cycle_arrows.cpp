#include "core/cycle_arrows.h"

#include <climits>

#include "base/errors.h"

namespace tapestro {

std::string CycleAfterArrow(const std::string& text, TUDBtnType button) {
  if (text.empty()) return "1";
  const int minutes = StrToInt(text);
  if (button == TUDBtnType::btNext) return std::to_string(minutes == INT_MAX ? minutes : minutes + 1);
  return std::to_string(minutes >= 2 ? minutes - 1 : 1);
}

}  // namespace tapestro
