#pragma once
// Error-diffusion dithering onto the colour cube, one row at a time, the rows walked
// in alternating directions (serpentine), so that errors do not pile up on one side.
#include <array>
#include <cstdint>
#include <vector>

#include "gif/color_cube.h"

namespace tapestro {

// Where a ditherer stands: the row's direction (+1 left to right, -1 right to left),
// the column of the next pixel, the row's width and the colour lookup.
class TDitherEngine {
 public:
  TDitherEngine(int width, const TNetscapeColorLookup& lookup) : width_(width), lookup_(lookup) {}

  int Direction() const { return direction_; }
  int Column() const { return column_; }
  // Passes over a pixel that is not dithered (a transparent one): only the column moves.
  void SkipPixel() { column_ += direction_; }

 protected:
  // The next row runs the other way, from its first column in that direction.
  void Reverse() {
    direction_ = -direction_;
    column_ = direction_ > 0 ? 0 : width_ - 1;
  }

  int direction_ = 1;
  int column_ = 0;
  int width_;
  const TNetscapeColorLookup& lookup_;
};

// Floyd-Steinberg weights (7 ahead, 3, 5 and 1 on the row below) in sixteenths, with
// one error row per channel carried from row to row.
class TFloydSteinbergDitherer final : public TDitherEngine {
 public:
  TFloydSteinbergDitherer(int width, const TNetscapeColorLookup& lookup);

  // The cube index for the pixel at Column(), its error spread on; the column moves on.
  uint8_t Dither(uint8_t red, uint8_t green, uint8_t blue);
  // Ends the row: the last error goes below, and the walk turns.
  void NextLine();

 private:
  struct TChannelErrors {
    std::vector<int> Row;  // width + 2 cells, one beyond each end
    int Current = 0;       // carried to the next pixel of this row
    int Below = 0;
    int BelowPrevious = 0;
  };

  // The error pointer: the same cell of every channel's row.
  size_t StartCell() const { return direction_ > 0 ? 0 : static_cast<size_t>(width_) + 1; }

  std::array<TChannelErrors, 3> channels_;  // red, green, blue
  size_t cell_ = 0;
};

}  // namespace tapestro
