#pragma once
// Four-component JPEG pictures, shown in colour. The library delivers CMYK (YCCK
// converted to CMYK); a 24-bit bitmap row holds blue, green, red.
#include <cstddef>
#include <cstdint>

namespace tapestro {

// pixels CMYK quadruples to blue, green, red triples: red = (255 - cyan ink) x
// (255 - black ink) / 255, and so on. Files with an Adobe marker store each channel as
// 255 - ink (inverted), the others store the ink itself.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, size_t pixels, bool inverted);

}  // namespace tapestro
