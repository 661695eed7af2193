#include "controls/file_list_box.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <filesystem>

#include "base/errors.h"
#include "base/path.h"
#include "controls/file_listing.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

class FileListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.jpg", "a.png"}) dir.Write(name, "");
    list.SetCurrentFolder(dir.Path());
  }
  void TearDown() override { SetCurrentDir(startFolder); }

  std::string startFolder = GetCurrentDir();
  test::TempDir dir;
  TRzFileListBox list{nullptr, kDefaultImageMask};
};

TEST_F(FileListBoxTest, ReadingAFolderLeavesTheCurrentDirectoryAlone) {
  EXPECT_EQ(list.CurrentFolder(), dir.Path());
  ASSERT_EQ(list.Items().Count(), 2);
  EXPECT_EQ(list.Items()[0], "a.png");
  list.RefreshFiles();
  EXPECT_EQ(GetCurrentDir(), startFolder);
}

TEST_F(FileListBoxTest, ItemsOutOfRangeRaiseTheListError) {
  try {
    (void)list.Items()[2];
    FAIL() << "no error";
  } catch (const EListError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW((void)list.Items()[-1], EListError);
}

TEST_F(FileListBoxTest, SelectedPathJoinsFolderAndItem) {
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.SelectedPath(), "");
  list.SetItemIndex(1);
  EXPECT_EQ(list.SelectedPath(), dir.Path() + "/b.jpg");
}

TEST_F(FileListBoxTest, SelectedPathInTheRootHasOneSeparator) {
  list.SetFileType({TFileType::ftDirectory});
  list.SetMask("*");
  list.SetCurrentFolder("/");
  ASSERT_GT(list.Items().Count(), 0);
  list.SetItemIndex(0);
  EXPECT_EQ(list.SelectedPath(), "/" + list.Items()[0]);
}

TEST_F(FileListBoxTest, EmptyFolderListsNothing) {
  test::TempDir empty;
  list.SetCurrentFolder(empty.Path());
  EXPECT_EQ(list.Items().Count(), 0);
  list.SetItemIndex(0);
  EXPECT_EQ(list.SelectedPath(), "");
}

TEST_F(FileListBoxTest, SameFolderInOtherCaseDoesNotReRead) {
  dir.Write("c.gif", "");
  std::string upper = dir.Path();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  list.SetCurrentFolder(upper);
  EXPECT_EQ(list.Items().Count(), 2);
  EXPECT_EQ(list.CurrentFolder(), dir.Path());
}

TEST_F(FileListBoxTest, AnotherFolderNamedAlikeButForCaseIsEntered) {
  ::mkdir(dir.File("pics").c_str(), 0700);
  ::mkdir(dir.File("PICS").c_str(), 0700);
  dir.Write("PICS/x.jpg", "");
  list.SetCurrentFolder(dir.File("pics"));
  EXPECT_EQ(list.Items().Count(), 0);
  list.SetCurrentFolder(dir.File("PICS"));
  ASSERT_EQ(list.Items().Count(), 1);
  EXPECT_EQ(list.Items()[0], "x.jpg");
}

TEST_F(FileListBoxTest, AFolderThatCannotBeEnteredReReadsTheCurrentOne) {
  dir.Write("c.gif", "");
  list.SetCurrentFolder(dir.File("missing"));
  EXPECT_EQ(list.CurrentFolder(), dir.Path());
  EXPECT_EQ(list.Items().Count(), 3);
}

TEST_F(FileListBoxTest, OnlyAChangedMaskReReads) {
  dir.Write("c.gif", "");
  list.SetMask(kDefaultImageMask);
  EXPECT_EQ(list.Items().Count(), 2);
  list.SetMask("*.gif");
  EXPECT_EQ(list.Items().Count(), 1);
}

TEST_F(FileListBoxTest, UserSelectionFiresClickAndChangeButCodeDoesNot) {
  int clicks = 0, changes = 0, indexSeenByClick = -2;
  list.OnClick = [&] {
    ++clicks;
    indexSeenByClick = list.ItemIndex();
  };
  list.OnChange = [&] { ++changes; };
  list.SetItemIndex(0);
  EXPECT_EQ(clicks, 0);

  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(&list, &down);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(indexSeenByClick, 1);
  EXPECT_EQ(changes, 1);

  // A re-read leaves nothing selected and records that.
  list.RefreshFiles();
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(changes, 2);
}

TEST_F(FileListBoxTest, RowsAreEighteenHighWithIcons) {
  QFont font = list.font();
  font.setPointSize(8);
  list.setFont(font);
  EXPECT_EQ(list.ItemHeight(), 18);
  list.SetShowGlyphs(false);
  EXPECT_LT(list.ItemHeight(), 18);
}

TEST_F(FileListBoxTest, BusyCursorEndsWithTheRead) {
  for (int i = 0; i < 120; ++i) dir.Write(std::to_string(i) + ".jpg", "");
  list.RefreshFiles();
  EXPECT_EQ(list.Items().Count(), 122);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FileListBoxTest, EachTypeShowsItsIconFromTheIconTheme) {
  // A theme of two icons: JPEG pictures red, any other picture green.
  test::TempDir themes;
  std::filesystem::create_directories(themes.File("test-theme/16x16/mimetypes"));
  themes.Write("test-theme/index.theme",
               "[Icon Theme]\nName=test-theme\nDirectories=16x16/mimetypes\n\n"
               "[16x16/mimetypes]\nSize=16\nType=Fixed\nContext=MimeTypes\n");
  for (const auto& [name, colour] : {std::pair{"image-jpeg", Qt::red}, std::pair{"image-x-generic", Qt::green}}) {
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(colour);
    ASSERT_TRUE(
        icon.save(QString::fromStdString(themes.File(std::string("test-theme/16x16/mimetypes/") + name + ".png"))));
  }
  const QStringList searchPaths = QIcon::themeSearchPaths();
  const QString theme = QIcon::themeName();
  QIcon::setThemeSearchPaths({QString::fromStdString(themes.Path())});
  QIcon::setThemeName("test-theme");
  // Extensions no other test shows, as each extension's icon is kept for the run.
  for (const char* name : {"a.jpe", "b.tif", "c.txt"}) dir.Write(name, "");
  list.SetMask("*.jpe;*.tif;*.txt");
  const auto centre = [&](int row) {
    const QIcon icon = list.model()->data(list.model()->index(row, 0), Qt::DecorationRole).value<QIcon>();
    return icon.pixmap(16).toImage().pixelColor(8, 8);
  };
  EXPECT_EQ(centre(0), QColor(Qt::red));
  EXPECT_EQ(centre(1), QColor(Qt::green));
  EXPECT_NE(centre(2), QColor(Qt::red));
  EXPECT_NE(centre(2), QColor(Qt::green));
  QIcon::setThemeSearchPaths(searchPaths);
  QIcon::setThemeName(theme);
}

TEST_F(FileListBoxTest, AHorizontalScrollBarOnlyWhenANameDoesNotFit) {
  for (int i = 0; i < 300; ++i) dir.Write(std::to_string(i) + ".jpg", "");
  list.RefreshFiles();
  list.resize(200, 120);
  list.show();
  QApplication::processEvents();
  EXPECT_TRUE(list.verticalScrollBar()->isVisible());
  EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
  dir.Write(std::string(120, 'w') + ".jpg", "");
  list.RefreshFiles();
  QApplication::processEvents();
  EXPECT_TRUE(list.horizontalScrollBar()->isVisible());
}

}  // namespace
}  // namespace tapestro
