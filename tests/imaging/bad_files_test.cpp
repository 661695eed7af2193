// Inputs the fuzzer found troublesome, kept under tests/data/bad: each must end as
// recorded here, quickly and without harm.
#include <gtest/gtest.h>

#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "imaging/jpeg/jpeg_errors.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

std::string BadFile(const std::string& name) { return test::ProjectDataDir() + "/bad/" + name; }

// A 5 x 327677 top-down 1-bit picture: drawn wide and flat, each target pixel covers
// 163838 source rows. The AND rule of monochrome bitmaps once re-read those rows for
// every repeated column.
TEST(BadFilesTest, TallMonochromePictureDrawsWideAndFlat) {
  TBitmap bitmap;
  bitmap.LoadFromFile(BadFile("tall-monochrome-drawn-wide.bmp"));
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 327677);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf1bit);
  TSurfaceCanvas canvas(300, 2, 8);
  bitmap.Draw(canvas, Rect(-3, 0, 300, 2));
  // Every pixel the file holds, and every missing one, is colour-table entry 0: dark red,
  // shown as it is through the bitmap's own palette.
  const TPixelView shown = canvas.Pixels();
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 300; ++x) ASSERT_EQ(shown.Get(shown.Row(y), x), RGBColor(47, 0, 0)) << x << "," << y;
}

// Hostile JPEG files, named after what they would cost: each fails with its own text
// before it takes that.
TEST(BadFilesTest, HostileJpegFilesFailWithTheirOwnTexts) {
  const std::pair<const char*, const char*> cases[] = {
      // One 8 x 8 block, its last scan repeated: each scan revisits every block.
      {"jpeg-501-scans-of-one-block.jpg", "JPEG image has too many scans for its size to decode"},
      // 523 bytes declaring 16384 x 16384 progressive with full colour resolution.
      {"jpeg-progressive-444-coefficients-of-1.5-gib.jpg", "JPEG image needs too much memory to decode"},
  };
  for (const auto& [name, expected] : cases) {
    SCOPED_TRACE(name);
    TJPEGImage jpeg;
    jpeg.LoadFromFile(BadFile(name));
    try {
      jpeg.Bitmap();
      ADD_FAILURE() << "decoded";
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Message(), expected);
    }
  }
}

}  // namespace
}  // namespace tapestro
