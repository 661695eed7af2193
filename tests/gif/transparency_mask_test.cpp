// The transparency mask: which pixels it marks, when it is made, and that the bitmap
// keeps the transparent pixels' own colours.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/errors.h"
#include "gif/gif_image.h"
#include "tests/gif/bitmap_probe.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;

std::vector<TGIFColor> EightColors() {
  std::vector<TGIFColor> colors;
  for (int i = 0; i < 8; ++i) colors.push_back({static_cast<uint8_t>(30 * i), static_cast<uint8_t>(i), 99});
  return colors;
}

test::ImageOptions ThreeBitCodes() {
  test::ImageOptions options;
  options.minimumCodeSize = 3;
  return options;
}

// A width x height image of the eight colours, index 5 transparent when asked.
test::RecordingGif ReadImage(int width, int height, const Bytes& pixels, int transparentIndex = 5) {
  return test::ReadGif(GifBuilder()
                           .Header(width, height, EightColors())
                           .GraphicControl(transparentIndex)
                           .Image(width, height, pixels, ThreeBitCodes())
                           .Trailer()
                           .Get());
}

Bytes Marks(const Bytes& pixels, uint8_t index) {
  Bytes marks;
  for (const uint8_t p : pixels) marks.push_back(p == index ? 1 : 0);
  return marks;
}

TEST(TransparencyMaskTest, MarksExactlyThePixelsOfTheTransparentIndex) {
  const Bytes pixels = {0, 5, 1, 2, 3, 4, 5, 6, 5, 7, 0, 1};
  const auto gif = ReadImage(4, 3, pixels);
  TGIFSubImage& frame = gif.image->SubImage(0);
  const TBitmap* mask = frame.TransparencyMask();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->Width(), 4);
  EXPECT_EQ(mask->Height(), 3);
  EXPECT_EQ(mask->PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(test::RawPixels(*mask), Marks(pixels, 5));
  // The bitmap keeps index 5 and its colour; only the mask knows it is transparent.
  TBitmap& bitmap = *frame.FrameBitmap();
  EXPECT_EQ(test::RawPixels(bitmap), pixels);
  EXPECT_EQ(test::ColorAt(bitmap, 1, 0), EightColors()[5]);
}

TEST(TransparencyMaskTest, BitsRunFromTheMostSignificantBitAcrossBytes) {
  Bytes pixels(17 * 2, 1);
  for (const size_t at : {0u, 8u, 16u, 17u + 7u, 17u + 9u}) pixels[at] = 5;
  const auto gif = ReadImage(17, 2, pixels);
  const TBitmap* mask = gif.image->SubImage(0).TransparencyMask();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(test::RawPixels(*mask), Marks(pixels, 5));
  EXPECT_EQ(mask->Pixels().Row(0)[0], 0x80);  // pixel 0 of the top row
}

TEST(TransparencyMaskTest, NoMaskWithoutTransparentPixelsOrForOpaqueImages) {
  const Bytes noFives = {0, 1, 2, 3, 4, 6};
  EXPECT_EQ(ReadImage(3, 2, noFives).image->SubImage(0).TransparencyMask(), nullptr);
  const Bytes withFives = {5, 5, 5, 5, 5, 5};
  const auto opaque = test::ReadGif(GifBuilder()
                                        .Header(3, 2, EightColors())
                                        .GraphicControl()
                                        .Image(3, 2, withFives, ThreeBitCodes())
                                        .Trailer()
                                        .Get());
  TGIFSubImage& frame = opaque.image->SubImage(0);
  EXPECT_EQ(frame.TransparencyMask(), nullptr);
  EXPECT_NE(frame.FrameBitmap(), nullptr);
}

TEST(TransparencyMaskTest, AskingForTheMaskFirstBuildsTheBitmapOnce) {
  const auto gif = ReadImage(2, 1, Bytes{5, 1});
  TGIFSubImage& frame = gif.image->SubImage(0);
  const TBitmap* mask = frame.TransparencyMask();
  ASSERT_NE(mask, nullptr);
  TBitmap* bitmap = frame.FrameBitmap();
  EXPECT_EQ(frame.TransparencyMask(), mask);
  EXPECT_EQ(frame.FrameBitmap(), bitmap);
}

TEST(TransparencyMaskTest, CancelledBuildLeavesNoBitmapAndTheMaskStillDue) {
  const auto gif = ReadImage(2, 1, Bytes{5, 1});
  gif.image->OnProgress = [](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&, const std::string&) {
    if (stage == TProgressStage::psRunning) throw EAbort("cancelled");
  };
  TGIFSubImage& frame = gif.image->SubImage(0);
  EXPECT_EQ(frame.FrameBitmap(), nullptr);
  gif.image->OnProgress = nullptr;
  EXPECT_NE(frame.TransparencyMask(), nullptr);
  EXPECT_NE(frame.FrameBitmap(), nullptr);
}

}  // namespace
}  // namespace tapestro
