#pragma once
// The colour depth of the screen pictures are drawn for. It chooses how bitmaps are
// scaled and whether they need a palette. The program sets it at start from the
// platform layer; without a screen it stays 24.

namespace tapestro {

inline constexpr int kDefaultDisplayBitsPerPixel = 24;

int DisplayBitsPerPixel();
void SetDisplayBitsPerPixel(int bitsPerPixel);

}  // namespace tapestro
