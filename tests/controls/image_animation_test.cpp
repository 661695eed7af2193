// An animated GIF in the preview: frames drawn for the painter's thread reach the
// control on the user-interface thread and repaint it, and replacing the picture ends
// the animation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <memory>

#include "base/stream.h"
#include "controls/image.h"
#include "gif/gif_image.h"
#include "gif/painter/services.h"
#include "platform/qt_ui_dispatcher.h"

namespace tapestro {
namespace {

// Frame waits pass at once, so the animation runs as fast as the event loop goes.
class InstantClock final : public TPainterClock {
 public:
  int64_t NowMs() override { return now_; }
  bool WaitFor(TWakeEvent& event, std::optional<int64_t> timeoutMs) override {
    if (event.TryConsume()) return true;
    if (!timeoutMs) return event.Wait(std::nullopt);
    now_ += *timeoutMs;
    return false;
  }
  void Sleep(int64_t ms) override { now_ += ms; }
  void Yield() override { std::this_thread::yield(); }

 private:
  std::atomic<int64_t> now_{0};
};

// A 1 x 1 screen with a red, a blue and a green frame, each shown for 5 units, once.
std::unique_ptr<TGIFImage> ThreeFrames() {
  std::vector<uint8_t> bytes = {'G', 'I', 'F', '8', '9', 'a', 1, 0,   1, 0,   0xF1, 0,  0,
                                255, 0,   0,   0,   0,   255, 0, 255, 0, 255, 255,  255};
  for (uint8_t index : {0, 1, 2}) {
    // Graphic control: disposal 1, delay 5. Image 1 x 1 at 0, 0. LZW codes (3 bits):
    // clear, the index, end.
    const std::vector<uint8_t> frame = {0x21, 0xF9, 0x04, 0x04, 0x05, 0x00, 0x00,
                                        0x00, 0x2C, 0,    0,    0,    0,    1,
                                        0,    1,    0,    0,    0x02, 0x02, static_cast<uint8_t>(0x44 | index << 3),
                                        0x01, 0x00};
    bytes.insert(bytes.end(), frame.begin(), frame.end());
  }
  bytes.push_back(0x3B);
  auto gif = std::make_unique<TGIFImage>();
  TMemoryStream stream(bytes);
  gif->ReadFromStream(stream);
  return gif;
}

class PaintCounter : public QObject {
 public:
  int Count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Count;
    return false;
  }
};

QRgb Centre(TImage& image) {
  return image.grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(image.width() / 2, image.height() / 2);
}

TEST(ImageAnimationTest, EveryFrameRepaintsThePreviewUntilTheLastOneStays) {
  TQtUiDispatcher dispatcher;
  InstantClock clock;
  TImage image;
  image.resize(153, 145);
  std::unique_ptr<TGIFImage> gif = ThreeFrames();
  gif->Services = {&dispatcher, &clock};
  TGIFImage* animation = gif.get();
  image.Picture().SetGraphic(std::move(gif));
  PaintCounter paints;
  image.installEventFilter(&paints);
  image.show();
  // The first paint starts the animation; only the frames drawn after it ask the
  // control to paint again (frames that come faster than paints share one).
  EXPECT_TRUE(QTest::qWaitFor([&] { return !animation->Animating() && paints.Count >= 2; }, 10000));
  EXPECT_EQ(Centre(image), 0xFF00FF00);

  image.Picture().SetGraphic(ThreeFrames());
  EXPECT_EQ(Centre(image), 0xFFFF0000);
}

TEST(ImageAnimationTest, ReplacingThePictureWhileItAnimatesEndsThePainterFirst) {
  TQtUiDispatcher dispatcher;
  InstantClock clock;
  TImage image;
  image.resize(153, 145);
  std::unique_ptr<TGIFImage> gif = ThreeFrames();
  gif->Services = {&dispatcher, &clock};
  gif->AnimationSpeed = 0;  // waits without end after the first frame
  TGIFImage* animation = gif.get();
  image.Picture().SetGraphic(std::move(gif));
  image.show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return animation->Animating() && Centre(image) == 0xFFFF0000; }, 10000));
  image.Picture().SetGraphic(nullptr);
  QApplication::processEvents();
  EXPECT_EQ(image.Picture().Graphic(), nullptr);
}

}  // namespace
}  // namespace tapestro
