#pragma once
// Bits per pixel of the primary screen (the screen device's colour depth on Windows).

namespace tapestro {

// Without a screen (a headless run) the common 24 bits are assumed.
int PrimaryScreenBitsPerPixel();

}  // namespace tapestro
