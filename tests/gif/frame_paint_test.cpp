// Painting a GIF into a rectangle: where its first image goes, transparency, tiling,
// and paints that come back into the image.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gif/gif_image.h"
#include "imaging/canvas.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;

const std::vector<TGIFColor> kColors = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}};
constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kBlue = RGBColor(0, 0, 255);
constexpr TColor kBackground = RGBColor(1, 2, 3);

test::ImageOptions At(int left, int top) {
  test::ImageOptions options;
  options.minimumCodeSize = 2;
  options.left = left;
  options.top = top;
  return options;
}

// A canvas filled with kBackground, so unpainted pixels show.
struct Surface {
  Surface(int width, int height) : canvas(width, height, 24) {
    canvas.BrushColor = kBackground;
    canvas.FillRect(Rect(0, 0, width, height));
  }
  TColor At(int x, int y) { return canvas.Pixels().Get(canvas.Pixels().Row(y), x); }
  std::vector<TColor> Row(int y) {
    std::vector<TColor> colors;
    for (int x = 0; x < canvas.Width(); ++x) colors.push_back(At(x, y));
    return colors;
  }
  TSurfaceCanvas canvas;
};

TEST(GifPaintTest, PlaceRectScalesTheImagesPlaceOnTheScreenWithRounding) {
  const auto gif =
      test::ReadGif(GifBuilder().Header(40, 30, kColors).Image(20, 10, Bytes(200, 1), At(10, 10)).Trailer().Get());
  const TGIFSubImage& frame = gif.image->SubImage(0);
  EXPECT_EQ(frame.PlaceRect(Rect(0, 0, 40, 30)), Rect(10, 10, 30, 20));
  EXPECT_EQ(frame.PlaceRect(Rect(0, 0, 80, 60)), Rect(20, 20, 60, 40));
  EXPECT_EQ(frame.PlaceRect(Rect(5, 5, 45, 35)), Rect(15, 15, 35, 25));
  // The preview box: 38.25, 48.3, 114.75 and 96.7.
  EXPECT_EQ(frame.PlaceRect(Rect(0, 0, 153, 145)), Rect(38, 48, 115, 97));
}

TEST(GifPaintTest, ScreenOfNoSizeIsTakenAsLargeEnoughForTheImage) {
  const auto gif = test::ReadGif(GifBuilder().Header(0, 0, kColors).Image(4, 2, Bytes(8, 1), At(2, 0)).Trailer().Get());
  EXPECT_EQ(gif.image->SubImage(0).PlaceRect(Rect(0, 0, 12, 4)), Rect(4, 0, 12, 4));
}

TEST(GifPaintTest, OneImageFillsItsPartOfTheRectangle) {
  // 4 x 2 screen; a 2 x 1 image (red, blue) at (2, 1), drawn twice as large.
  const auto gif = test::ReadGif(GifBuilder().Header(4, 2, kColors).Image(2, 1, Bytes{0, 1}, At(2, 1)).Trailer().Get());
  Surface surface(8, 4);
  gif.image->Draw(surface.canvas, Rect(0, 0, 8, 4));
  const std::vector<TColor> untouched(8, kBackground);
  EXPECT_EQ(surface.Row(0), untouched);
  EXPECT_EQ(surface.Row(1), untouched);
  const std::vector<TColor> placed = {kBackground, kBackground, kBackground, kBackground, kRed, kRed, kBlue, kBlue};
  EXPECT_EQ(surface.Row(2), placed);
  EXPECT_EQ(surface.Row(3), placed);
}

TEST(GifPaintTest, TransparentPixelsAreLeftAloneUnlessTheOptionIsCleared) {
  const Bytes bytes =
      GifBuilder().Header(3, 1, kColors).GraphicControl(1).Image(3, 1, Bytes{0, 1, 0}, At(0, 0)).Trailer().Get();
  const auto gif = test::ReadGif(bytes);
  Surface masked(3, 1);
  gif.image->PaintInto(masked.canvas, Rect(0, 0, 3, 1));
  EXPECT_EQ(masked.Row(0), (std::vector<TColor>{kRed, kBackground, kRed}));

  const auto opaque = test::ReadGif(bytes);
  opaque.image->PaintOptions &= ~TGIFImage::kPaintTransparent;
  Surface painted(3, 1);
  opaque.image->PaintInto(painted.canvas, Rect(0, 0, 3, 1));
  EXPECT_EQ(painted.Row(0), (std::vector<TColor>{kRed, kBlue, kRed}));
}

TEST(GifPaintTest, TilingRepeatsTheImageAtNaturalSizeFromItsOffset) {
  const auto gif = test::ReadGif(GifBuilder().Header(3, 1, kColors).Image(2, 1, Bytes{0, 1}, At(1, 0)).Trailer().Get());
  gif.image->PaintOptions |= TGIFImage::kPaintTile;
  Surface surface(7, 2);
  // Tiles start at x = 1 + 1 and repeat every 2 pixels both ways, inside the rectangle only.
  gif.image->PaintInto(surface.canvas, Rect(1, 0, 6, 1));
  EXPECT_EQ(surface.Row(0), (std::vector<TColor>{kBackground, kBlue, kRed, kBlue, kRed, kBlue, kBackground}));
  EXPECT_EQ(surface.Row(1), std::vector<TColor>(7, kBackground));
}

TEST(GifPaintTest, AnimationShowsItsFirstImage) {
  const auto gif = test::ReadGif(GifBuilder()
                                     .Header(1, 1, kColors)
                                     .Image(1, 1, Bytes{1}, At(0, 0))
                                     .Image(1, 1, Bytes{0}, At(0, 0))
                                     .Trailer()
                                     .Get());
  Surface surface(2, 2);
  gif.image->PaintInto(surface.canvas, Rect(0, 0, 2, 2));
  EXPECT_EQ(surface.Row(1), (std::vector<TColor>{kBlue, kBlue}));
}

TEST(GifPaintTest, ImageWithoutImagesOrAPaintWithinAPaintDrawsNothing) {
  const auto empty = test::ReadGif(GifBuilder().Header(2, 2, kColors).Trailer().Get());
  Surface blank(2, 2);
  empty.image->PaintInto(blank.canvas, Rect(0, 0, 2, 2));
  EXPECT_EQ(blank.Row(0), std::vector<TColor>(2, kBackground));

  const auto gif = test::ReadGif(GifBuilder().Header(1, 1, kColors).Image(1, 1, Bytes{0}, At(0, 0)).Trailer().Get());
  Surface surface(1, 1);
  int changes = 0;
  surface.canvas.OnChange = [&](TCanvas& canvas) {
    ++changes;
    gif.image->PaintInto(canvas, Rect(0, 0, 1, 1));
  };
  gif.image->PaintInto(surface.canvas, Rect(0, 0, 1, 1));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(surface.At(0, 0), kRed);
}

}  // namespace
}  // namespace tapestro
