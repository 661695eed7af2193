#pragma once
// The pixel formats of a bitmap. A format is derived from the bitmap's description,
// never stored.

namespace tapestro {

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// "pf8bit" and so on.
const char* PixelFormatName(TPixelFormat format);

}  // namespace tapestro
