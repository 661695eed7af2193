// Feeds bytes to the BMP reader. Whatever loads is drawn, saved and reloaded, and must
// come back with the same size and format; after a row access (which drops kept file
// bytes) it must save and reload again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"

namespace {

using namespace tapestro;

// Larger pictures are only loaded: copying them around would spend the run on memcpy.
constexpr int64_t kMaxRoundTripPixels = int64_t{1} << 22;

void Check(bool condition) {
  if (!condition) std::abort();
}

void ExpectSameAfterReload(TBitmap& bitmap, TPixelFormat format) {
  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  saved.SetPosition(0);
  TBitmap reloaded;
  reloaded.LoadFromStream(saved);  // an error here escapes: the fuzzer reports it
  Check(reloaded.Width() == bitmap.Width());
  Check(reloaded.Height() == bitmap.Height());
  Check(reloaded.PixelFormat() == format);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TBitmap bitmap;
  try {
    TSpanStream input(std::span<const uint8_t>(data, size));
    bitmap.LoadFromStream(input);
  } catch (const Exception&) {
    return 0;
  }
  if (int64_t{bitmap.Width()} * bitmap.Height() > kMaxRoundTripPixels) return 0;

  // Drawn shrunk and enlarged, on a true-colour target and on one of 256 colours.
  TSurfaceCanvas trueColor(7, 5, 32);
  bitmap.Draw(trueColor, Rect(0, 0, 7, 5));
  TSurfaceCanvas fewColors(300, 2, 8);
  bitmap.Draw(fewColors, Rect(-3, 0, 300, 2));

  ExpectSameAfterReload(bitmap, bitmap.PixelFormat());
  if (bitmap.Empty() || bitmap.Height() == 0) return 0;
  bitmap.ScanLine(bitmap.Height() - 1);
  Check(!bitmap.HasKeptFileBytes());
  ExpectSameAfterReload(bitmap, bitmap.PixelFormat());
  return 0;
}
