#pragma once
// Adds JPEG images to the picture registry (extensions jpeg and jpg). main() calls it
// at start-up, after the display depth is known and before the GIF format registers.

namespace tapestro {

// Decodes to 8 bits per pixel from now on when the display shows 8 or fewer.
void RegisterJpegFormat();
void UnregisterJpegFormat();

}  // namespace tapestro
