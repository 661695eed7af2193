#include "controls/folder_icons.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace tapestro {
namespace {

// The tree draws 16-pixel icons; larger renderings kept beside them would stay in
// memory for the whole run.
TEST(FolderIcons, KeepOnlyTheSizeTheTreeDraws) {
  const TFolderIcons icons;
  if (icons.Folder().isNull()) GTEST_SKIP() << "no folder icon on this platform";
  for (const QIcon& icon : {icons.Folder(), icons.OpenFolder(), icons.TopLevel("/")}) {
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_EQ(sizes.size(), 1);
    EXPECT_LE(sizes.front().width(), 16 * qApp->devicePixelRatio());
  }
}

}  // namespace
}  // namespace tapestro
