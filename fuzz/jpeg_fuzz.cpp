// Arbitrary bytes read as a JPEG file and decoded with options taken from the last
// byte. Whatever decodes must have the size and format the header promised, draw, and
// save as a BMP file of exactly the size its rows need; a failed decode keeps its
// partial picture and never fails again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "imaging/jpeg/jpeg_image.h"
#include "imaging/pixel_format.h"

namespace {

using namespace tapestro;

// Larger pictures are only loaded: decoding them would spend the run filling memory.
constexpr int64_t kMaxDecodedPixels = int64_t{1} << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

TJPEGOptions OptionsOf(uint8_t bits) {
  TJPEGOptions options;
  options.Scale = static_cast<TJPEGScale>(bits & 3);
  options.PixelFormat = (bits & 4) != 0 ? TJPEGPixelFormat::jf8Bit : TJPEGPixelFormat::jf24Bit;
  options.Grayscale = (bits & 8) != 0;
  options.ProgressiveDisplay = (bits & 16) != 0;
  options.Performance = (bits & 32) != 0 ? TJPEGPerformance::jpBestSpeed : TJPEGPerformance::jpBestQuality;
  options.Smoothing = (bits & 64) == 0;
  return options;
}

void CheckSaved(TJPEGImage& jpeg) {
  TBitmap bitmap;
  bitmap.Assign(&jpeg);
  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  if (bitmap.Width() == 0 || bitmap.Height() == 0) return;
  const size_t table = bitmap.BitsPerPixel() == 8 ? 256 * 4 : 0;
  Check(static_cast<size_t>(saved.Size()) ==
        54 + table + PixelSize(bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel()).ImageBytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TJPEGImage jpeg;
  jpeg.SetOptions(OptionsOf(data[size - 1]));
  try {
    TSpanStream input(std::span<const uint8_t>(data, size));
    jpeg.LoadFromStream(input);
  } catch (const Exception&) {
    return 0;
  }
  const int32_t width = jpeg.Width();
  const int32_t height = jpeg.Height();
  const TPixelFormat format = jpeg.PixelFormat();
  if (int64_t{width} * height > kMaxDecodedPixels) return 0;
  try {
    jpeg.Bitmap();
  } catch (const Exception&) {
    jpeg.Bitmap();  // the partial picture, without a new error
    return 0;
  }
  Check(jpeg.Bitmap().Width() == width && jpeg.Bitmap().Height() == height);
  Check(jpeg.Bitmap().PixelFormat() == format);
  TSurfaceCanvas canvas(9, 7, 32);
  jpeg.Draw(canvas, Rect(0, 0, 9, 7));
  CheckSaved(jpeg);
  return 0;
}
