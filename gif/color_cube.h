#pragma once
// The fixed 6 x 6 x 6 colour cube frames are dithered onto for screens of 256 colours
// or fewer: entry 36 r + 6 g + b has the channels r, g and b times 51.
#include <cstdint>

#include "imaging/color.h"

namespace tapestro {

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

}  // namespace tapestro
