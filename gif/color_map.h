#pragma once
// Colour tables as stored in the file: red, green, blue per entry, in file order.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/color.h"

namespace tapestro {

class TStream;

struct TGIFColor {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

class TGIFColorMap {
 public:
  static constexpr int kMaxColors = 256;

  virtual ~TGIFColorMap() = default;

  int Count() const { return static_cast<int>(colors_.size()); }
  bool Empty() const { return colors_.empty(); }
  const TGIFColor& operator[](int index) const { return colors_[static_cast<size_t>(index)]; }
  const std::vector<TGIFColor>& Colors() const { return colors_; }
  void Clear();
  // Replaces the entries by count entries (2 to 256) read from the stream; a table cut
  // short raises "Premature end of data" and leaves the map as it was.
  void ReadFromStream(TStream& stream, int count);

  // A palette of the entries in order, each with the no-collapse flag; none when empty.
  HPALETTE MakePalette() const;

  // The entry count announced by a packed byte: 2 << (packed AND 7).
  static int CountFromPacked(uint8_t packed) { return 2 << (packed & 7); }

 private:
  std::vector<TGIFColor> colors_;
};

// The logical screen's table (owned by the header).
class TGIFGlobalColorMap final : public TGIFColorMap {};
// A sub-image's own table.
class TGIFLocalColorMap final : public TGIFColorMap {};

}  // namespace tapestro
