// The animation's timing and looping: frame waits of 12 ms units, the shortest and the
// default delay, the looping extension's count, the lateness correction, the speed,
// restarts, and the painter that runs inside the paint call.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "gif/gif_image.h"
#include "gif/painter/painter.h"
#include "imaging/canvas.h"
#include "tests/gif/painter_fakes.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::FrameColor;
using test::kNoGraphicControl;
using test::kNoLoopExtension;
using test::SolidAnimation;
using ::testing::Each;
using ::testing::ElementsAre;

class PainterTimingTest : public ::testing::Test {
 protected:
  std::unique_ptr<TGIFImage> Load(const test::Bytes& bytes) {
    std::unique_ptr<TGIFImage> image = std::move(test::ReadGif(bytes).image);
    image->Services = {&dispatcher, &clock};
    return image;
  }

  // Paints the image, which shows the first frame at once, and from then on records
  // the colour WholeBitmap shows after each piece of handed-over work that changed it.
  void Start(TGIFImage& image) {
    image.OnChange = [&](TGraphic&) {
      changed = true;
      if (std::this_thread::get_id() != testThread) ++changesOffThread;
    };
    dispatcher.AfterWork = [&] {
      if (!changed) return;
      changed = false;
      const TPixelView pixels = image.WholeBitmap()->Pixels();
      shown.push_back(pixels.Get(pixels.Row(0), 0));
    };
    image.PaintInto(canvas, Rect(0, 0, 4, 4));
  }

  std::vector<TColor> Frames(std::initializer_list<int> indices) {
    std::vector<TColor> colors;
    for (int index : indices) colors.push_back(FrameColor(index));
    return colors;
  }

  TColor CanvasColor() { return canvas.Pixels().Get(canvas.Pixels().Row(3), 3); }

  const std::thread::id testThread = std::this_thread::get_id();
  const int threadsBefore = test::SettledThreadCount();
  test::FakeClock clock;
  test::RecordingDispatcher dispatcher;
  TSurfaceCanvas canvas{4, 4, 24};
  bool changed = false;
  int changesOffThread = 0;
  std::vector<TColor> shown;
};

TEST_F(PainterTimingTest, LoopCountZeroCyclesEverySixHundredMsWithoutEnd) {
  const auto image = Load(SolidAnimation({50, 50, 50}, 0));
  Start(*image);
  EXPECT_EQ(CanvasColor(), FrameColor(0));
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return shown.size() >= 10; }));
  EXPECT_TRUE(image->Animating());
  EXPECT_EQ(std::vector<TColor>(shown.begin(), shown.begin() + 10), Frames({0, 1, 2, 0, 1, 2, 0, 1, 2, 0}));
  const std::vector<int64_t> waits = clock.Waits();
  ASSERT_GE(waits.size(), 9u);
  EXPECT_THAT(std::vector<int64_t>(waits.begin(), waits.begin() + 9), Each(600));
  // The painter's thread only timed: every drawing and notification ran here.
  EXPECT_GT(dispatcher.HandedOver(), 0);
  EXPECT_EQ(changesOffThread, 0);

  image->StopAnimation();
  EXPECT_FALSE(image->Animating());
  EXPECT_EQ(image->WholeBitmap(), nullptr);
  EXPECT_TRUE(test::ThreadsComeBackTo(threadsBefore));
  EXPECT_EQ(image->AnimationError(), nullptr);
}

TEST_F(PainterTimingTest, WithoutLoopingExtensionThePainterEndsOnTheLastFrameAndItStays) {
  const auto image = Load(SolidAnimation({50, 50, 50}, kNoLoopExtension));
  Start(*image);
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  EXPECT_EQ(shown, Frames({0, 1, 2}));
  EXPECT_THAT(clock.Waits(), ElementsAre(600, 600));
  image->PaintInto(canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(CanvasColor(), FrameColor(2));
  ASSERT_NE(image->WholeBitmap(), nullptr);
  EXPECT_TRUE(test::ThreadsComeBackTo(threadsBefore));
}

TEST_F(PainterTimingTest, ShortDelaysLastThreeUnitsAndMissingOnesTen) {
  // The delay after a frame is its own: 1 unit (raised to 3), 0 (the default 10),
  // none at all (10), then 4 units as they stand.
  const auto image = Load(SolidAnimation({1, 0, kNoGraphicControl, 4, 9}, kNoLoopExtension));
  Start(*image);
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  EXPECT_THAT(clock.Waits(), ElementsAre(36, 120, 120, 48));
  EXPECT_EQ(shown, Frames({0, 1, 2, 3, 4}));
}

TEST_F(PainterTimingTest, LoopCountPlaysThatManyPasses) {
  for (const int passes : {1, 2, 3}) {
    SCOPED_TRACE(passes);
    shown.clear();
    const auto image = Load(SolidAnimation({5, 5}, passes));
    Start(*image);
    ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
    EXPECT_EQ(shown.size(), static_cast<size_t>(2 * passes));
    EXPECT_EQ(shown.back(), FrameColor(1));
  }
}

TEST_F(PainterTimingTest, LoopingStartsOverAtTheImageThatCarriesTheExtension) {
  // Two passes, the extension before the second image: the first is shown once.
  const auto image = Load(SolidAnimation({5, 5, 5}, 2, 1));
  Start(*image);
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  EXPECT_EQ(shown, Frames({0, 1, 2, 1, 2}));
  EXPECT_THAT(clock.Waits(), ElementsAre(60, 60, 60, 60));
}

TEST_F(PainterTimingTest, ALateFrameShortensTheNextWaitByHalfItsLateness) {
  const auto image = Load(SolidAnimation({50, 50, 50}, kNoLoopExtension));
  Start(*image);
  // From now on every piece of work on the user-interface thread takes 100 ms: frame 1
  // is built 100 ms after frame 0 was shown (600 - 50), and frame 2 comes 200 ms late
  // (painting frame 1 and building frame 2), so 600 - 100.
  dispatcher.AfterWork = [&, record = dispatcher.AfterWork] {
    record();
    clock.Advance(100);
  };
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !image->Animating(); }));
  EXPECT_THAT(clock.Waits(), ElementsAre(550, 500));
}

TEST_F(PainterTimingTest, SpeedScalesTheWaitsAndZeroWaitsUntilStopped) {
  const auto fast = Load(SolidAnimation({50, 50}, kNoLoopExtension));
  fast->AnimationSpeed = 200;
  Start(*fast);
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return !fast->Animating(); }));
  EXPECT_THAT(clock.Waits(), ElementsAre(300));

  const auto halted = Load(SolidAnimation({50, 50}, kNoLoopExtension));
  halted->AnimationSpeed = 0;
  Start(*halted);
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return clock.EndlessWaits() == 1; }));
  // The end request wakes the endless wait.
  halted->StopAnimation();
  EXPECT_FALSE(halted->Animating());
  EXPECT_TRUE(test::ThreadsComeBackTo(threadsBefore));
}

TEST_F(PainterTimingTest, ARestartRequestPlaysFromTheFirstImageAgain) {
  const auto image = Load(SolidAnimation({5, 5, 5}, kNoLoopExtension));
  std::vector<TColor> painted;
  TGIFPainter painter(*image, canvas, Rect(0, 0, 4, 4), image->PaintOptions);
  dispatcher.AfterWork = [&] {
    const TColor color = CanvasColor();
    if (!painted.empty() && painted.back() == color) return;
    painted.push_back(color);
    // Asked while the painter waits for its second frame to be drawn.
    if (painted.size() == 2) painter.Restart();
  };
  painter.Start();
  ASSERT_TRUE(test::PumpUntil(dispatcher, [&] { return painter.Ended(); }));
  EXPECT_EQ(painted, Frames({0, 1, 0, 1, 2}));
  EXPECT_EQ(painter.ActiveImage(), -1);
}

TEST_F(PainterTimingTest, WithoutThreadTheWholeAnimationRunsInsideThePaintCall) {
  const auto image = Load(SolidAnimation({50, 50, 50}, 0));
  image->PaintOptions &= ~TGIFImage::kPaintThreaded;
  image->Services.Dispatcher = nullptr;
  const TColor backdrop = CanvasColor();
  image->PaintInto(canvas, Rect(0, 0, 4, 4));
  // One unit before the first frame, then 600 ms before each other one, in slices of
  // at most 100 ms; a count of 0 loops without end only on a thread.
  EXPECT_THAT(clock.Sleeps(), ElementsAre(12, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100));
  EXPECT_FALSE(image->Animating());
  // That paint finished without drawing; the next one shows the last frame.
  EXPECT_EQ(CanvasColor(), backdrop);
  image->PaintInto(canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(CanvasColor(), FrameColor(2));
}

}  // namespace
}  // namespace tapestro
