#pragma once
// What a new painter learns from its image: the colour areas are restored to, and
// which disposal methods the frames use (they decide whether buffers are needed).
#include <cstdint>

#include "imaging/color.h"

namespace tapestro {

class TGIFImage;

// The classic window colour, for images without a global colour table.
inline constexpr TColor kWindowColor = clWhite;

// The global colour of the header's background index; kWindowColor without a global
// table. An index past the table warns "Invalid color index" and takes entry 0.
TColor AnimationBackgroundColor(TGIFImage& image);
// Bit d is set when some graphic control extension of some sub-image uses disposal
// method d (0 to 7).
uint8_t UsedDisposalMethods(const TGIFImage& image);

}  // namespace tapestro
