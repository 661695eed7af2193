#pragma once
// Whether the screen shows 256 colours or fewer, so that frames are dithered onto the
// colour cube instead of relying on the screen's own colour matching. Fixed once, when
// the GIF format is registered at start-up.

namespace tapestro {

bool LowColorDisplay();
// Takes the value from the display depth imaging was told (8 bits or fewer per pixel).
void FixLowColorDisplay();

}  // namespace tapestro
