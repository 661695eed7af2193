// The preview control: the picture fills the whole box whatever its proportions, the
// control repaints when the picture changes, and a failed load leaves what it showed.
#include "controls/image.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QImage>
#include <QStringList>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/picture.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

constexpr QRgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00;

// A 24-bit BMP file: the left half red, the right half blue, or one colour throughout.
std::string WriteBmp(const test::TempDir& dir, const std::string& name, int32_t width, int32_t height,
                     bool halves, TColor single = clLime) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  bitmap.Canvas().BrushColor = halves ? RGBColor(255, 0, 0) : single;
  bitmap.Canvas().FillRect(Rect(0, 0, halves ? width / 2 : width, height));
  if (halves) {
    bitmap.Canvas().BrushColor = RGBColor(0, 0, 255);
    bitmap.Canvas().FillRect(Rect(width / 2, 0, width, height));
  }
  bitmap.SaveToFile(dir.File(name));
  return dir.File(name);
}

QImage Shown(TImage& image) { return image.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int Count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Count;
    return false;
  }
};

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override { image_.setGeometry(496, 0, 153, 145); }
  test::TempDir dir_;
  TImage image_;
};

TEST_F(ImageTest, WidePictureIsSqueezedIntoTheWholeBox) {
  image_.Picture().LoadFromFile(WriteBmp(dir_, "wide.bmp", 1000, 100, true));
  const QImage shown = Shown(image_);
  ASSERT_EQ(shown.size(), QSize(153, 145));
  for (const int y : {0, 72, 144}) {
    EXPECT_EQ(shown.pixel(0, y), kRed) << y;
    EXPECT_EQ(shown.pixel(75, y), kRed) << y;
    EXPECT_EQ(shown.pixel(77, y), kBlue) << y;
    EXPECT_EQ(shown.pixel(152, y), kBlue) << y;
  }
}

TEST_F(ImageTest, WithoutStretchThePictureKeepsItsSizeAtTheTopLeft) {
  image_.SetStretch(false);
  image_.Picture().LoadFromFile(WriteBmp(dir_, "small.bmp", 10, 5, false));
  const QImage shown = Shown(image_);
  EXPECT_EQ(shown.pixel(9, 4), kGreen);
  EXPECT_NE(shown.pixel(10, 4), kGreen);
  EXPECT_NE(shown.pixel(9, 5), kGreen);
}

TEST_F(ImageTest, FailedLoadKeepsTheShownPicture) {
  image_.Picture().LoadFromFile(WriteBmp(dir_, "good.bmp", 4, 4, false));
  dir_.Write("broken.bmp", "BM but nothing else");
  EXPECT_THROW(image_.Picture().LoadFromFile(dir_.File("broken.bmp")), EInvalidGraphic);
  EXPECT_THROW(image_.Picture().LoadFromFile(dir_.Write("shot.png", "")), EInvalidGraphic);
  EXPECT_EQ(Shown(image_).pixel(100, 100), kGreen);
}

TEST_F(ImageTest, ChangedPictureIsRepainted) {
  image_.show();
  QApplication::processEvents();
  PaintCounter counter;
  image_.installEventFilter(&counter);
  image_.Picture().LoadFromFile(WriteBmp(dir_, "first.bmp", 2, 2, false));
  QApplication::processEvents();
  EXPECT_GE(counter.Count, 1);
  const int before = counter.Count;
  static_cast<TBitmap*>(image_.Picture().Graphic())->SetWidth(3);  // a change of the graphic
  QApplication::processEvents();
  EXPECT_GT(counter.Count, before);
  image_.removeEventFilter(&counter);
}

// A picture whose drawing fails, like a JPEG whose data are damaged past its header.
class TUndrawable : public TBitmap {
 public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  void LoadFromStream(TStream&) override {}
  void Draw(TCanvas&, const TRect&) override { throw EInvalidGraphic("cannot draw"); }
};
const TGraphicClass TUndrawable::Class{"TUndrawable", &TBitmap::Class,
                                       []() -> std::unique_ptr<TGraphic> { return std::make_unique<TUndrawable>(); }};

TEST_F(ImageTest, DrawingFailureIsReportedNotThrownOutOfThePaint) {
  RegisterFileFormat("undrawable", "Test", TUndrawable::Class);
  image_.Picture().LoadFromFile(dir_.Write("x.undrawable", ""));
  QStringList failures;
  QObject::connect(&image_, &TImage::PaintFailed, [&](const QString& message) { failures << message; });
  Shown(image_);
  UnregisterGraphicClass(TUndrawable::Class);
  EXPECT_EQ(failures, QStringList{"cannot draw"});
}

}  // namespace
}  // namespace tapestro
