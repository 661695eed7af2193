#pragma once
// Small animations for the painter's tests.
#include <vector>

#include "imaging/color.h"
#include "tests/support/gif_bytes.h"

namespace tapestro::test {

inline constexpr int kNoLoopExtension = -1;
inline constexpr int kNoGraphicControl = -1;

// Frame i's colour: red, blue, green, white, black, then again.
TColor FrameColor(int index);
// A 2 x 2 screen with one solid 2 x 2 frame per delay, frame i in FrameColor(i). A
// delay of kNoGraphicControl gives that frame no graphic control extension. The
// looping extension, with that count, comes before frame loopFrame.
Bytes SolidAnimation(const std::vector<int>& delays, int loopCount, size_t loopFrame = 0);

}  // namespace tapestro::test
