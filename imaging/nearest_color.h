#pragma once
// Nearest-colour matching against one colour table, remembering every answer: pictures
// repeat their colours, and the table is searched once per distinct colour.
#include <cstdint>
#include <unordered_map>

#include "imaging/color_table.h"

namespace tapestro {

class TNearestColor {
 public:
  explicit TNearestColor(TColorTable table) : table_(std::move(table)) {}

  uint8_t IndexOf(TColor color);

 private:
  TColorTable table_;
  std::unordered_map<TColor, uint8_t> known_;
};

}  // namespace tapestro
