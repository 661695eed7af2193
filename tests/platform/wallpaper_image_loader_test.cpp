#include "platform/desktop/linux/x11/wallpaper_image_loader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>

#include "tests/support/temp_dir.h"

namespace tapestro::desktop {
namespace {

TEST(WallpaperImageLoader, ReadsAPictureWhoseNameIsNotUtf8) {
  test::TempDir dir;
  // "Café" as a Latin-1 file system holds it: the byte E9 alone is no UTF-8.
  const std::string path = dir.File("Caf\xE9.png");
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(Qt::red);
  const std::string written = dir.File("plain.png");
  ASSERT_TRUE(picture.save(QString::fromStdString(written), "PNG"));
  ASSERT_EQ(std::rename(written.c_str(), path.c_str()), 0);

  const QImage loaded = LoadWallpaperImage(path);
  ASSERT_FALSE(loaded.isNull());
  EXPECT_EQ(loaded.size(), QSize(3, 2));
  EXPECT_EQ(loaded.pixelColor(2, 1), QColor(Qt::red));
  EXPECT_TRUE(LoadWallpaperImage(dir.File("missing.png")).isNull());
}

}  // namespace
}  // namespace tapestro::desktop
