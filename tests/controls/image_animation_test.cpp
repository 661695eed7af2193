// An animated GIF in the preview: frames drawn for the painter's thread reach the
// control on the user-interface thread and repaint it, and replacing the picture ends
// the animation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <memory>

#include "controls/image.h"
#include "gif/gif_image.h"
#include "gif/painter/services.h"
#include "platform/qt_ui_dispatcher.h"
#include "tests/support/gif_bytes.h"

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

// A red, a blue and a green frame, each shown for 5 units, once.
std::unique_ptr<TGIFImage> ThreeFrames() {
  return std::move(test::ReadGif(test::SolidAnimation({5, 5, 5}, test::kNoLoopExtension)).image);
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
