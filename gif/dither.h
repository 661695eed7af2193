#pragma once
// Dithering frames onto the fixed 6 x 6 x 6 colour cube for screens of 256 colours or
// fewer: whether the screen is such a screen, the cube and its colour lookup, and
// error diffusion one row at a time, the rows walked in alternating directions
// (serpentine), so that errors do not pile up on one side.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/color.h"

namespace tapestro {

// Whether the screen shows 256 colours or fewer, so that frames are dithered onto the
// colour cube instead of relying on the screen's own colour matching. Fixed once, when
// the GIF format is registered at start-up.
bool LowColorDisplay();
// Takes the value from the display depth imaging was told (8 bits or fewer per pixel).
void FixLowColorDisplay();

// Entry 36 r + 6 g + b of the cube has the channels r, g and b times 51.
inline constexpr int kCubeLevelsPerChannel = 6;
inline constexpr int kCubeLevelStep = 51;  // 5 x 51 = 255
inline constexpr int kCubeColors = kCubeLevelsPerChannel * kCubeLevelsPerChannel * kCubeLevelsPerChannel;

// The cube as a palette, a new handle on every call.
HPALETTE CubePalette();

// A colour's place in the cube, each channel taken to level (value + 3) div 51.
class TNetscapeColorLookup {
 public:
  struct TCubeColor {
    uint8_t Index = 0;
    // The levels 0..5 of red, green and blue; the colour is each level times 51.
    uint8_t Levels[3] = {};
  };

  static constexpr int Level(int value) { return (value + 3) / kCubeLevelStep; }
  TCubeColor Lookup(uint8_t red, uint8_t green, uint8_t blue) const {
    TCubeColor cube;
    cube.Levels[0] = static_cast<uint8_t>(Level(red));
    cube.Levels[1] = static_cast<uint8_t>(Level(green));
    cube.Levels[2] = static_cast<uint8_t>(Level(blue));
    cube.Index = static_cast<uint8_t>(cube.Levels[2] + kCubeLevelsPerChannel * cube.Levels[1] +
                                      kCubeLevelsPerChannel * kCubeLevelsPerChannel * cube.Levels[0]);
    return cube;
  }
};

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
