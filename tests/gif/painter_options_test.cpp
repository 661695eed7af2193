// What the paint options and the file's header change in an animation: the background
// colour, painting without transparency, straight onto the canvas, tiled, restoring the
// first image's area, and when nothing is animated at all.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gif/errors.h"
#include "gif/gif_image.h"
#include "gif/painter/painter.h"
#include "imaging/canvas.h"
#include "tests/gif/painter_fakes.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::FrameColor;
using test::kNoLoopExtension;
using test::SolidAnimation;

constexpr TColor kBackdrop = RGBColor(12, 34, 56);
const std::vector<TGIFColor> kColors = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 0}};
constexpr TColor kRed = RGBColor(255, 0, 0), kBlue = RGBColor(0, 0, 255), kYellow = RGBColor(255, 255, 0);

test::ImageOptions At(int left, int top) {
  test::ImageOptions options;
  options.minimumCodeSize = 2;
  options.left = left;
  options.top = top;
  return options;
}

class PainterOptionsTest : public ::testing::Test {
 protected:
  PainterOptionsTest() {
    canvas.BrushColor = kBackdrop;
    canvas.FillRect(Rect(0, 0, 4, 4));
  }
  std::unique_ptr<TGIFImage> Load(const Bytes& bytes) {
    std::unique_ptr<TGIFImage> image = std::move(test::ReadGif(bytes).image);
    image->Services = {&dispatcher, &clock};
    return image;
  }
  // Animates over the backdrop until the painter ends, noting WholeBitmap's row 0
  // after each frame.
  std::vector<std::vector<TColor>> Play(TGIFImage& image) {
    canvas.FillRect(Rect(0, 0, 4, 4));
    std::vector<std::vector<TColor>> rows;
    int work = 0;
    dispatcher.AfterWork = [&] {
      if (work++ % 2 != 0) return;
      const TPixelView pixels = image.WholeBitmap()->Pixels();
      auto& row = rows.emplace_back();
      for (int x = 0; x < pixels.Width(); ++x) row.push_back(pixels.Get(pixels.Row(0), x));
    };
    image.PaintInto(canvas, Rect(0, 0, 4, 4));
    EXPECT_TRUE(test::PumpUntil(dispatcher, [&] { return !image.Animating(); }));
    return rows;
  }
  TColor CanvasAt(int x, int y) { return canvas.Pixels().Get(canvas.Pixels().Row(y), x); }

  test::FakeClock clock;
  test::RecordingDispatcher dispatcher;
  TSurfaceCanvas canvas{4, 4, 24};
};

TEST_F(PainterOptionsTest, TheBackgroundIsTheHeadersColourOrTheWindowColour) {
  Bytes bytes = test::GifBuilder().Header(2, 1, kColors).Image(2, 1, Bytes{0, 1}, At(0, 0)).Trailer().Get();
  // The background colour index follows the screen size and the packed byte.
  bytes[11] = 3;
  EXPECT_EQ(AnimationBackgroundColor(*test::ReadGif(bytes).image), kYellow);

  bytes[11] = 9;
  const auto past = test::ReadGif(bytes);
  EXPECT_EQ(AnimationBackgroundColor(*past.image), kRed);
  EXPECT_THAT(past.WarningTexts(), ::testing::ElementsAre(msg::kGifInvalidColorIndex));

  test::ImageOptions local = At(0, 0);
  local.localColors = 4;
  const auto noTable = test::ReadGif(test::GifBuilder().Header(2, 1).Image(2, 1, Bytes{0, 1}, local).Trailer().Get());
  EXPECT_EQ(AnimationBackgroundColor(*noTable.image), kWindowColor);
}

TEST_F(PainterOptionsTest, WithoutTransparencyDisposalTwoFillsTheBackgroundColour) {
  // Background index 3 (yellow); a full red frame, then a blue one at (1, 0) that
  // restores to the background, then a one-pixel frame elsewhere.
  Bytes bytes = test::GifBuilder()
                    .Header(2, 1, kColors)
                    .GraphicControl(-1, 5, 1)
                    .Image(2, 1, Bytes{0, 0}, At(0, 0))
                    .GraphicControl(-1, 5, 2)
                    .Image(1, 1, Bytes{1}, At(1, 0))
                    .GraphicControl(-1, 5, 1)
                    .Image(1, 1, Bytes{0}, At(0, 0))
                    .Trailer()
                    .Get();
  bytes[11] = 3;
  const auto opaque = Load(bytes);
  opaque->PaintOptions &= ~TGIFImage::kPaintTransparent;
  using Row = std::vector<TColor>;
  EXPECT_THAT(Play(*opaque), ::testing::ElementsAre(Row{kRed, kRed}, Row{kRed, kBlue}, Row{kRed, kYellow}));
  // With transparency (the default) the area shows what the preview showed before.
  EXPECT_THAT(Play(*Load(bytes)), ::testing::ElementsAre(Row{kRed, kRed}, Row{kRed, kBlue}, Row{kRed, kBackdrop}));
}

TEST_F(PainterOptionsTest, RestoringTheFirstImagesAreaClearsWhatItsHolesShowedOnTheNextPass) {
  // Pass 2 draws frame 0 (red, transparent right pixel) over what pass 1 left: blue,
  // unless its area goes back to the background first. Frame 2 restores to the
  // background, so the frames are painted through the buffers.
  const Bytes bytes = test::GifBuilder()
                          .Header(2, 1, kColors)
                          .Application("NETSCAPE2.0", {{0x01, 0x02, 0x00}})
                          .GraphicControl(3, 5, 1)
                          .Image(2, 1, Bytes{0, 3}, At(0, 0))
                          .GraphicControl(-1, 5, 1)
                          .Image(1, 1, Bytes{1}, At(1, 0))
                          .GraphicControl(-1, 5, 2)
                          .Image(1, 1, Bytes{2}, At(0, 0))
                          .Trailer()
                          .Get();
  EXPECT_EQ(Play(*Load(bytes))[3], (std::vector<TColor>{kRed, kBlue}));
  const auto restoring = Load(bytes);
  restoring->PaintOptions |= TGIFImage::kPaintRestoreFirstImage;
  EXPECT_EQ(Play(*restoring)[3], (std::vector<TColor>{kRed, kBackdrop}));
}

TEST_F(PainterOptionsTest, PaintingThroughTheBuffersGivesThePlainPicture) {
  const Bytes bytes = test::GifBuilder()
                          .Header(2, 1, kColors)
                          .GraphicControl(3, 5, 1)
                          .Image(2, 1, Bytes{0, 3}, At(0, 0))
                          .GraphicControl(0, 5, 0)
                          .Image(2, 1, Bytes{0, 1}, At(0, 0))
                          .GraphicControl(-1, 5, 1)
                          .Image(1, 1, Bytes{3}, At(0, 0))
                          .Trailer()
                          .Get();
  const auto plain = Play(*Load(bytes));
  const auto buffered = Load(bytes);
  buffered->PaintOptions |= TGIFImage::kPaintAsIfRestoring;
  EXPECT_EQ(Play(*buffered), plain);
  EXPECT_EQ(plain.back(), (std::vector<TColor>{kYellow, kBlue}));
}

TEST_F(PainterOptionsTest, DirectPaintingDrawsOnTheCanvasAndKeepsOnePainterPerCanvas) {
  const auto image = Load(SolidAnimation({5, 5, 5}, 0));
  image->PaintOptions |= TGIFImage::kPaintDirect;
  image->PaintInto(canvas, Rect(2, 2, 4, 4));
  EXPECT_EQ(image->WholeBitmap(), nullptr);
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return CanvasAt(3, 3) == FrameColor(1); }));
  EXPECT_EQ(CanvasAt(1, 1), kBackdrop);
  const int handedOver = dispatcher.HandedOver();
  image->PaintInto(canvas, Rect(2, 2, 4, 4));
  EXPECT_TRUE(image->Animating());
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return dispatcher.HandedOver() > handedOver + 4; }));
  image->StopAnimation();
  EXPECT_FALSE(image->Animating());
}

TEST_F(PainterOptionsTest, TiledAnimationsRepeatTheWholeBitmap) {
  const auto image = Load(SolidAnimation({5, 5}, kNoLoopExtension));
  image->PaintOptions |= TGIFImage::kPaintTile;
  image->PaintInto(canvas, Rect(0, 0, 4, 3));
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  image->PaintInto(canvas, Rect(0, 0, 4, 3));
  EXPECT_EQ(CanvasAt(0, 0), FrameColor(1));
  EXPECT_EQ(CanvasAt(3, 2), FrameColor(1));
  EXPECT_EQ(CanvasAt(3, 3), kBackdrop);
}

TEST_F(PainterOptionsTest, StillImagesHugeScreensAndProgramsWithoutDispatcherShowTheFirstImage) {
  const auto still = Load(SolidAnimation({5}, 0));
  const auto huge = Load(SolidAnimation({5, 5}, 0));
  huge->Limits.MaxAnimatedScreenPixels = 3;
  const auto withoutDispatcher = Load(SolidAnimation({5, 5}, 0));
  withoutDispatcher->Services.Dispatcher = nullptr;
  for (TGIFImage* image : {still.get(), huge.get(), withoutDispatcher.get()}) {
    canvas.FillRect(Rect(0, 0, 4, 4));
    image->PaintInto(canvas, Rect(0, 0, 4, 4));
    EXPECT_FALSE(image->Animating());
    EXPECT_EQ(image->WholeBitmap(), nullptr);
    EXPECT_EQ(CanvasAt(3, 3), FrameColor(0));
  }
  EXPECT_EQ(dispatcher.HandedOver(), 0);
}

TEST_F(PainterOptionsTest, ACheckedTargetWithoutPixelsEndsTheRun) {
  const auto image = Load(SolidAnimation({5, 5}, 0));
  image->PaintOptions |= TGIFImage::kPaintDirect | TGIFImage::kPaintCheckTarget | TGIFImage::kPaintAsIfRestoring;
  TSurfaceCanvas none(nullptr, 0, 0, 0);
  image->PaintInto(none, Rect(0, 0, 2, 2));
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  EXPECT_EQ(image->AnimationError(), nullptr);
}

}  // namespace
}  // namespace tapestro
