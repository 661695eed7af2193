// Ending animations: a stopped, replaced or destroyed image leaves no thread behind and
// no painter that touches it, and a painter's failure never escapes its thread.
#include <gtest/gtest.h>

#include <stdexcept>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "imaging/canvas.h"
#include "imaging/picture.h"
#include "tests/gif/painter_fakes.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::FrameColor;
using test::kNoLoopExtension;
using test::SolidAnimation;

class PainterStopTest : public ::testing::Test {
 protected:
  std::unique_ptr<TGIFImage> Load(const test::Bytes& bytes) {
    std::unique_ptr<TGIFImage> image = std::move(test::ReadGif(bytes).image);
    image->Services = {&dispatcher, &clock};
    return image;
  }
  TColor Shown(const TGIFImage& image) {
    const TPixelView pixels = image.WholeBitmap()->Pixels();
    return pixels.Get(pixels.Row(0), 0);
  }
  // Spins until the painter has handed over work that has not run yet.
  bool WorkWaiting() {
    return test::PumpUntil(idle, [&] { return dispatcher.HandedOver() > dispatcher.WorkRun(); });
  }

  const int threadsBefore = test::SettledThreadCount();
  test::FakeClock clock;
  test::RecordingDispatcher dispatcher;
  test::RecordingDispatcher idle;  // pumps nothing of the painter's
  TSurfaceCanvas canvas{4, 4, 24};
};

TEST_F(PainterStopTest, DestroyingAnImageWhoseFrameWaitsForTheUserInterfaceDropsTheFrame) {
  auto image = Load(SolidAnimation({5, 5, 5}, 0));
  image->PaintInto(canvas, Rect(0, 0, 4, 4));
  int changes = 0;
  image->OnChange = [&](TGraphic&) { ++changes; };
  ASSERT_TRUE(WorkWaiting());
  image.reset();
  // The work the painter handed over ran, and did nothing to the image on its way out.
  EXPECT_EQ(dispatcher.WorkRun(), dispatcher.HandedOver());
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(test::ThreadsComeBackTo(threadsBefore));
}

TEST_F(PainterStopTest, ReadingTheImageAgainStopsItsAnimationFirst) {
  const auto image = Load(SolidAnimation({5, 5}, 0));
  image->PaintInto(canvas, Rect(0, 0, 4, 4));
  ASSERT_TRUE(WorkWaiting());
  TMemoryStream stream(SolidAnimation({5, 5, 5}, kNoLoopExtension));
  image->ReadFromStream(stream);
  EXPECT_FALSE(image->Animating());
  EXPECT_EQ(image->WholeBitmap(), nullptr);
  EXPECT_TRUE(test::ThreadsComeBackTo(threadsBefore));
  // The next paint animates the new content from its first frame.
  image->PaintInto(canvas, Rect(0, 0, 4, 4));
  EXPECT_TRUE(image->Animating());
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  EXPECT_EQ(Shown(*image), FrameColor(2));
}

TEST_F(PainterStopTest, SelectingAnotherPictureStopsThePainterBeforeTheOldImageIsFreed) {
  RegisterGifFormat();
  const TScopedPainterServices services({&dispatcher, &clock});
  test::TempDir dir;
  const std::string animation = dir.File("animation.gif"), still = dir.File("still.gif");
  test::WriteAll(animation, SolidAnimation({5, 5, 5}, 0));
  test::WriteAll(still, SolidAnimation({5}, kNoLoopExtension));
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TPicture&) { ++changes; };
  picture.LoadFromFile(animation);
  picture.Graphic()->Draw(canvas, Rect(0, 0, 4, 4));
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return changes >= 4; }));
  ASSERT_TRUE(WorkWaiting());
  picture.LoadFromFile(still);
  EXPECT_TRUE(test::ThreadsComeBackTo(threadsBefore));
  const int changesAfterReplacing = changes;
  dispatcher.RunPending();
  EXPECT_EQ(changes, changesAfterReplacing);
  picture.Graphic()->Draw(canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas.Pixels().Get(canvas.Pixels().Row(0), 0), FrameColor(0));
  UnregisterGifFormat();
}

// A progress handler that fails when the second frame's bitmap is built.
void FailOnSecondFrame(TGIFImage& image) {
  image.OnProgress = [builds = 0](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&,
                                  const std::string& message) mutable {
    if (stage == TProgressStage::psStarting && message == msg::kGifRendering && ++builds == 2)
      throw std::runtime_error("frame failed");
  };
}

TEST_F(PainterStopTest, AFailureEndsAThreadedPainterAndIsKeptNotRaised) {
  const auto image = Load(SolidAnimation({5, 5, 5}, 0));
  FailOnSecondFrame(*image);
  image->PaintInto(canvas, Rect(0, 0, 4, 4));
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  EXPECT_NO_THROW(image->PaintInto(canvas, Rect(0, 0, 4, 4)));
  ASSERT_NE(image->AnimationError(), nullptr);
  EXPECT_THROW(std::rethrow_exception(image->AnimationError()), std::runtime_error);
  EXPECT_EQ(Shown(*image), FrameColor(0));
  EXPECT_TRUE(test::ThreadsComeBackTo(threadsBefore));
}

TEST_F(PainterStopTest, AFailureOfAPainterInsideThePaintCallLeavesThatCall) {
  const auto image = Load(SolidAnimation({5, 5, 5}, 0));
  image->PaintOptions &= ~TGIFImage::kPaintThreaded;
  FailOnSecondFrame(*image);
  EXPECT_THROW(image->PaintInto(canvas, Rect(0, 0, 4, 4)), std::runtime_error);
  EXPECT_FALSE(image->Animating());
  EXPECT_EQ(Shown(*image), FrameColor(0));
}

}  // namespace
}  // namespace tapestro
