// Progress notifications while decoding: their pacing, and what listeners that cancel
// or fail leave behind. Also the caller palette dropping a decoded picture.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_decoder.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/imaging/jpeg_encoder.h"
#include "tests/imaging/jpeg_references.h"

namespace tapestro {
namespace {

using test::JpegOf;

TJpegProgressState Rows(int32_t scanline, int32_t height = 100) {
  TJpegProgressState state;
  state.PassCounter = scanline;
  state.PassLimit = height;
  state.TotalPasses = 1;
  state.OutputWidth = 10;
  state.OutputHeight = height;
  state.OutputScanline = scanline;
  return state;
}

TEST(JpegProgressPacerTest, ReportsAtMostEvery500MsAndOncePerPercent) {
  int64_t now = 1000;
  TJpegProgressPacer pacer([&] { return now; });
  EXPECT_FALSE(pacer.Next(Rows(1)));  // starts the clock
  now += 499;
  EXPECT_FALSE(pacer.Next(Rows(20)));
  now += 1;
  const auto first = pacer.Next(Rows(20));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Percent, 20);
  EXPECT_EQ(first->Rect, Rect(0, 0, 10, 20));
  EXPECT_TRUE(first->RedrawNow);

  now += 600;
  EXPECT_FALSE(pacer.Next(Rows(20)));  // the same percent again
  now += 1;
  const auto second = pacer.Next(Rows(22));
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Rect, Rect(0, 20, 10, 22));
  EXPECT_FALSE(second->RedrawNow);  // fewer than 4 rows
}

TEST(JpegProgressPacerTest, PercentCountsPassesAndANewPassReportsToTheBottom) {
  int64_t now = 0;
  TJpegProgressPacer pacer([&] { return now += 1000; });
  pacer.Next(Rows(0));
  TJpegProgressState state = Rows(90);
  state.TotalPasses = 2;
  EXPECT_EQ(pacer.Next(state)->Percent, 45);
  state = Rows(10);
  state.TotalPasses = 2;
  state.CompletedPasses = 1;
  const auto report = pacer.Next(state);
  EXPECT_EQ(report->Percent, 55);
  EXPECT_EQ(report->Rect, Rect(0, 90, 10, 100));
  state.PassLimit = 0;  // nothing known yet
  EXPECT_EQ(pacer.Next(state)->Percent, 0);
}

class JpegListenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TJpegRecipe recipe;
    recipe.Width = 48;
    recipe.Height = 200;
    jpeg_ = JpegOf(test::EncodeJpeg(recipe));
    // Every look at the clock is 600 ms later: every new percent is reported.
    jpeg_->TickCount = [this] { return clock_ += 600; };
  }
  void ListenWith(const std::function<void(TProgressStage, uint8_t)>& listener) {
    jpeg_->OnProgress = [listener](TGraphic&, TProgressStage stage, uint8_t percent, bool, const TRect&,
                                   const std::string&) { listener(stage, percent); };
  }
  // Rows a listener cut short stay as the bitmap made them: white.
  bool BottomRowIsWhite() {
    const TPixelView view = jpeg_->Bitmap().Pixels();
    const uint8_t* row = view.Row(view.Height() - 1);
    return std::all_of(row, row + 48 * 3, [](uint8_t v) { return v == 0xFF; });
  }

  std::unique_ptr<TJPEGImage> jpeg_;
  int64_t clock_ = 0;
};

TEST_F(JpegListenerTest, RunningReportsArriveInOrderAndTheEndIsFull) {
  std::vector<int> running;
  std::vector<int> ending;
  ListenWith([&](TProgressStage stage, uint8_t percent) {
    if (stage == TProgressStage::psRunning) running.push_back(percent);
    if (stage == TProgressStage::psEnding) ending.push_back(percent);
  });
  jpeg_->Bitmap();
  ASSERT_GE(running.size(), 3u);
  EXPECT_TRUE(std::is_sorted(running.begin(), running.end()));
  EXPECT_EQ(std::adjacent_find(running.begin(), running.end()), running.end());
  EXPECT_EQ(ending, std::vector<int>{100});
  EXPECT_FALSE(BottomRowIsWhite());
}

TEST_F(JpegListenerTest, AbortEndsDecodingQuietlyWithTheRowsSoFar) {
  ListenWith([](TProgressStage stage, uint8_t) {
    if (stage == TProgressStage::psRunning) throw EAbort("stop");
  });
  EXPECT_NO_THROW(jpeg_->Bitmap());
  EXPECT_EQ(jpeg_->Bitmap().Height(), 200);
  EXPECT_TRUE(BottomRowIsWhite());
}

TEST_F(JpegListenerTest, OtherListenerErrorsPassOnAndTheCutPictureStays) {
  std::vector<int> ending;
  ListenWith([&](TProgressStage stage, uint8_t percent) {
    if (stage == TProgressStage::psEnding) ending.push_back(percent);
    if (stage == TProgressStage::psRunning) throw EConvertError("listener failed");
  });
  EXPECT_THROW(jpeg_->Bitmap(), EConvertError);
  EXPECT_EQ(ending, std::vector<int>{0});
  jpeg_->OnProgress = nullptr;
  EXPECT_EQ(jpeg_->Bitmap().Height(), 200);
  EXPECT_TRUE(BottomRowIsWhite());
}

TEST_F(JpegListenerTest, ListenerThatLoadsAnotherFileMidDecodeFreesNothingInUse) {
  const std::vector<uint8_t> other = test::EncodeJpeg({});
  bool reloaded = false;
  ListenWith([&](TProgressStage stage, uint8_t) {
    if (stage != TProgressStage::psRunning || reloaded) return;
    reloaded = true;
    TSpanStream stream(other);
    jpeg_->LoadFromStream(stream);
  });
  // The bitmap returned is the new file's.
  EXPECT_EQ(jpeg_->Bitmap().Height(), 24);
  EXPECT_TRUE(reloaded);
}

TEST(JpegPaletteTest, NewCallerPaletteDropsADecodedPictureOfAnotherPalette) {
  auto jpeg = JpegOf(test::EncodeJpeg({}));
  int starts = 0;
  int changes = 0;
  jpeg->OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&, const std::string&) {
    starts += stage == TProgressStage::psStarting;
  };
  jpeg->OnChange = [&](TGraphic&) { ++changes; };
  jpeg->Bitmap();
  EXPECT_EQ(jpeg->Palette(), nullptr);  // a 24-bit picture on a true-colour display
  jpeg->PaletteModified = false;
  changes = 0;

  const HPALETTE grey = MakeLogPalette({{0, 0, 0}, {128, 128, 128}, {255, 255, 255}});
  jpeg->SetPalette(grey);
  EXPECT_TRUE(jpeg->PaletteModified);
  EXPECT_EQ(changes, 1);
  jpeg->SetPalette(grey);  // the same palette: nothing
  EXPECT_EQ(changes, 1);
  jpeg->Bitmap();
  EXPECT_EQ(starts, 2);
}

}  // namespace
}  // namespace tapestro
