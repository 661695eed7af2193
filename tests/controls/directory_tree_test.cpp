#include "controls/directory_tree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QSignalSpy>
#include <filesystem>

#include "base/errors.h"
#include "base/path.h"
#include "controls/folder_node.h"
#include "tests/controls/fakes.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

namespace fs = std::filesystem;
using test::TFakeVolumeSource;

class DirectoryTreeTest : public ::testing::Test {
 protected:
  // A volume "vol" under the temporary folder, holding x/Photos with mixed-case and
  // hidden subfolders.
  DirectoryTreeTest() : vol_(dir_.File("vol")) {
    for (const char* folder : {"x/Photos/gamma", "x/Photos/alpha/deep", "x/Photos/Beta", "x/Photos/.hidden/inside"})
      fs::create_directories(vol_ + "/" + folder);
    dir_.Write("vol/x/Photos/file.jpg", "not a folder");
  }

  std::unique_ptr<TRzDirectoryTree> MakeTree(std::vector<TVolumeInfo> volumes) {
    auto source = std::make_unique<TFakeVolumeSource>(std::move(volumes));
    source_ = source.get();
    auto tree = std::make_unique<TRzDirectoryTree>(nullptr, std::move(source));
    tree->SetFileList([this](const std::string& folder) { listed_.push_back(folder); });
    return tree;
  }
  std::unique_ptr<TRzDirectoryTree> MakeVolumeTree() { return MakeTree({Volume(vol_ + "/", 7)}); }
  static TVolumeInfo Volume(const std::string& path, int64_t serial) { return {path, "Vol (" + path + ")", serial}; }

  // Shows the tree and draws its rows now, as the screen would.
  static void Draw(TRzDirectoryTree& tree) {
    tree.show();
    QCoreApplication::processEvents();
    tree.viewport()->repaint();
  }
  static QStringList Captions(QTreeWidgetItem* node) {
    QStringList captions;
    for (int i = 0; i < node->childCount(); ++i) captions << node->child(i)->text(0);
    return captions;
  }
  // Folder times are set by hand so that the test, not the clock, decides whether a
  // stamp is old enough to trust.
  static fs::file_time_type LongAgo() { return fs::file_time_type::clock::now() - std::chrono::hours(1); }
  static void SetTime(const std::string& folder, fs::file_time_type time) { fs::last_write_time(folder, time); }
  // Opens photos' child alpha/deep, so that x, Photos and alpha are read, then closes Photos.
  QTreeWidgetItem* ReadPhotosAndClose(TRzDirectoryTree& tree) {
    tree.OpenFolder(vol_ + "/x/Photos/alpha/deep");
    QTreeWidgetItem* photos = tree.currentItem()->parent()->parent();
    tree.collapseItem(photos);
    return photos;
  }

  static QStringList TopCaptions(const TRzDirectoryTree& tree) {
    QStringList captions;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) captions << tree.topLevelItem(i)->text(0);
    return captions;
  }

  test::TempDir dir_;
  std::string vol_;
  TFakeVolumeSource* source_ = nullptr;
  std::vector<std::string> listed_;
};

TEST_F(DirectoryTreeTest, StartsOnATopLevelFolderAndHandsItToTheFileList) {
  auto tree = MakeVolumeTree();
  EXPECT_EQ(tree->SelectedFolder(), vol_);
  ASSERT_EQ(listed_.size(), 1u);  // the binding hands over the selection at once
  EXPECT_EQ(listed_.back(), vol_);
}

TEST_F(DirectoryTreeTest, StartsOnTheTopLevelFolderHoldingTheCurrentDirectory) {
  fs::create_directories(dir_.File("other"));
  const std::string before = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(vol_ + "/x/Photos"));
  auto tree = MakeTree({Volume(dir_.File("other/"), 1), Volume(vol_ + "/", 7)});
  SetCurrentDir(before);
  EXPECT_EQ(tree->SelectedFolder(), vol_);
}

TEST_F(DirectoryTreeTest, MissingFolderSelectsItsDeepestExistingAncestor) {
  auto tree = MakeVolumeTree();
  tree->OpenFolder(vol_ + "/x/Photos/Old");
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos");
  EXPECT_EQ(listed_.back(), vol_ + "/x/Photos");
  EXPECT_TRUE(tree->currentItem()->parent()->isExpanded());
}

TEST_F(DirectoryTreeTest, FolderWithNoExistingPrefixRaisesAndChangesNothing) {
  auto tree = MakeVolumeTree();
  tree->OpenFolder(vol_ + "/x");
  const size_t calls = listed_.size();
  // The volume's own folder is gone, as when a disc is taken out.
  fs::remove_all(vol_);
  const std::string gone = vol_ + "/x/Photos";
  try {
    tree->OpenFolder(gone);
    FAIL() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Message(), "The " + gone + " directory does not exist");
  }
  // Outside every top-level folder as well.
  const std::string outside = dir_.File("elsewhere/y");
  EXPECT_THROW(tree->OpenFolder(outside), EInOutError);
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x");
  EXPECT_EQ(listed_.size(), calls);
}

TEST_F(DirectoryTreeTest, UnreachableFoldersChangeNothing) {
  auto tree = MakeVolumeTree();
  tree->OpenFolder(vol_ + "/x");
  const size_t calls = listed_.size();
  tree->OpenFolder(vol_ + "/x/Photos/.hidden/inside");  // below a hidden folder
  tree->OpenFolder(dir_.Path());                         // outside every top-level folder
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x");
  EXPECT_EQ(listed_.size(), calls);
}

TEST_F(DirectoryTreeTest, OpeningTheSelectedFolderChangesNothing) {
  QLabel label;
  auto tree = MakeVolumeTree();
  tree->SetDirLabel(&label);
  tree->OpenFolder(vol_ + "/x/Photos");
  const size_t calls = listed_.size();
  label.setText("marker");
  tree->OpenFolder(vol_ + "/x/Photos/");
  tree->OpenFolder(vol_ + "/x/Photos/gamma/..");
  EXPECT_EQ(listed_.size(), calls);
  EXPECT_EQ(label.text(), "marker");
  // The same folder in other letter case, as the file list takes it.
  tree->OpenFolder(vol_ + "/X/PHOTOS");
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos");
  EXPECT_EQ(listed_.size(), calls);
  EXPECT_EQ(label.text(), "marker");
}

TEST_F(DirectoryTreeTest, AFolderNamedAlikeButForCaseIsAnotherFolderWhenItExists) {
  fs::create_directories(vol_ + "/x/PHOTOS");
  auto tree = MakeVolumeTree();
  tree->OpenFolder(vol_ + "/x/Photos");
  tree->OpenFolder(vol_ + "/x/PHOTOS");
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/PHOTOS");
  EXPECT_EQ(listed_.back(), vol_ + "/x/PHOTOS");
}

TEST_F(DirectoryTreeTest, SubfoldersSortWithoutRegardToCaseAndHideDotFolders) {
  auto tree = MakeVolumeTree();
  tree->OpenFolder(vol_ + "/x/Photos");
  QTreeWidgetItem* photos = tree->currentItem();
  tree->expandItem(photos);
  EXPECT_EQ(Captions(photos), (QStringList{"alpha", "Beta", "gamma"}));
  // Only a folder with subfolders of its own shows an expand button, from the moment
  // its row is drawn.
  Draw(*tree);
  EXPECT_EQ(photos->child(0)->childCount(), 1);
  EXPECT_EQ(photos->child(0)->child(0)->text(0), ":");
  EXPECT_EQ(photos->child(1)->childCount(), 0);

  tree->SetShowHiddenDirs(true);
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos");
  tree->expandItem(tree->currentItem());
  EXPECT_EQ(Captions(tree->currentItem()), (QStringList{".hidden", "alpha", "Beta", "gamma"}));
  tree->OpenFolder(vol_ + "/x/Photos/.hidden/inside");
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos/.hidden/inside");
}

TEST_F(DirectoryTreeTest, OnlyRowsOnScreenAreLookedIntoForAnExpandButton) {
  for (int i = 0; i < 40; ++i) fs::create_directories(vol_ + "/many/" + std::to_string(100 + i) + "/inner");
  auto tree = MakeVolumeTree();
  tree->resize(250, 150);
  tree->OpenFolder(vol_ + "/many");
  tree->expandItem(tree->currentItem());
  Draw(*tree);
  QTreeWidgetItem* many = tree->currentItem();
  ASSERT_EQ(many->childCount(), 40);
  EXPECT_EQ(many->child(0)->childCount(), 1);
  EXPECT_EQ(many->child(39)->childCount(), 0);
  tree->scrollToItem(many->child(39));
  tree->viewport()->repaint();
  EXPECT_EQ(many->child(39)->childCount(), 1);
}

TEST_F(DirectoryTreeTest, ExpandingReplacesThePlaceholderWithTheSubfolders) {
  auto tree = MakeVolumeTree();
  QTreeWidgetItem* top = tree->topLevelItem(0);
  ASSERT_EQ(Captions(top), QStringList{":"});
  tree->expandItem(top);
  EXPECT_EQ(Captions(top), QStringList{"x"});
  EXPECT_EQ(TFolderNode::Of(top->child(0))->Info().path, vol_ + "/x/");
}

TEST_F(DirectoryTreeTest, SelectedFolderKeepsTheDelimiterOnlyForTheRoot) {
  auto tree = MakeTree({{"/", " (/)", 1}, Volume(vol_ + "/", 7)});
  tree->OpenFolder("/");
  EXPECT_EQ(tree->SelectedFolder(), "/");
  tree->OpenFolder(vol_ + "/x/Photos/alpha/");
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos/alpha");
  // The deepest top-level folder holding a path is the way to it.
  EXPECT_EQ(tree->indexOfTopLevelItem(tree->currentItem()->parent()->parent()->parent()), 1);
}

TEST_F(DirectoryTreeTest, DriveRefreshInsertsAndRemovesNodesInOrder) {
  fs::create_directories(dir_.File("a/sub"));
  fs::create_directories(dir_.File("b/sub"));
  const TVolumeInfo a = Volume(dir_.File("a/"), 1), b = Volume(dir_.File("b/"), 2), v = Volume(vol_ + "/", 7);
  auto tree = MakeTree({a, v});
  QSignalSpy driveChanges(tree.get(), &TRzDirectoryTree::OnDriveChange);
  tree->OpenFolder(dir_.File("a/sub"));

  source_->Mount({a, b, v});
  EXPECT_EQ(TopCaptions(*tree), (QStringList{"Vol (" + QString::fromStdString(a.path) + ")",
                                             "Vol (" + QString::fromStdString(b.path) + ")",
                                             "Vol (" + QString::fromStdString(v.path) + ")"}));
  EXPECT_EQ(tree->SelectedFolder(), dir_.File("a/sub"));

  tree->OpenFolder(dir_.File("b/sub"));
  const int changesBefore = driveChanges.count();
  source_->Mount({a, v});  // the selected volume goes
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(TFolderNode::Of(tree->topLevelItem(1))->Info().path, v.path);
  EXPECT_FALSE(tree->SelectedFolder().empty());
  EXPECT_NE(tree->SelectedFolder(), dir_.File("b/sub"));
  EXPECT_EQ(listed_.back(), tree->SelectedFolder());
  EXPECT_EQ(driveChanges.count(), changesBefore + 1);
}

TEST_F(DirectoryTreeTest, OtherMediaInTheSelectedVolumeRebuildItsNode) {
  auto tree = MakeVolumeTree();
  tree->OpenFolder(vol_ + "/x/Photos");
  const size_t calls = listed_.size();
  source_->SwapMedia(vol_ + "/", 8, "Other (" + vol_ + ")");
  emit tree->itemClicked(tree->currentItem(), 0);
  QTreeWidgetItem* top = tree->topLevelItem(0);
  EXPECT_EQ(top->text(0).toStdString(), "Other (" + vol_ + ")");
  // The subfolders read from the old media are gone, and the selection with them.
  EXPECT_EQ(tree->SelectedFolder(), vol_);
  EXPECT_EQ(Captions(top), QStringList{":"});
  EXPECT_EQ(listed_.back(), vol_);
  // Once caught up, a click is an ordinary click.
  emit tree->itemClicked(tree->currentItem(), 0);
  EXPECT_EQ(listed_.size(), calls + 1);
}

TEST_F(DirectoryTreeTest, AFolderMadeAfterItsParentWasReadShowsWhenTheParentOpensAgain) {
  SetTime(vol_ + "/x/Photos", LongAgo());
  auto tree = MakeVolumeTree();
  QTreeWidgetItem* photos = ReadPhotosAndClose(*tree);
  QTreeWidgetItem* alpha = photos->child(0);
  const size_t calls = listed_.size();
  fs::create_directories(vol_ + "/x/Photos/Wallpapers/2024");

  tree->expandItem(photos);
  ASSERT_EQ(Captions(photos), (QStringList{"alpha", "Beta", "gamma", "Wallpapers"}));
  // The new node gets its button; the kept one keeps what was read below it, and the
  // selection stays where it was.
  Draw(*tree);
  EXPECT_EQ(Captions(photos->child(3)), QStringList{":"});
  EXPECT_EQ(photos->child(0), alpha);
  EXPECT_TRUE(TFolderNode::Of(alpha)->Info().filled);
  EXPECT_EQ(Captions(alpha), QStringList{"deep"});
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos/alpha/deep");
  EXPECT_EQ(listed_.size(), calls);
}

TEST_F(DirectoryTreeTest, AFolderRemovedSinceItsParentWasReadGoesWhenTheParentOpensAgain) {
  auto tree = MakeVolumeTree();
  QTreeWidgetItem* photos = ReadPhotosAndClose(*tree);
  tree->OpenFolder(vol_ + "/x/Photos/gamma");
  tree->collapseItem(photos);
  fs::remove_all(vol_ + "/x/Photos/gamma");
  fs::remove_all(vol_ + "/x/Photos/Beta");

  tree->expandItem(photos);
  ASSERT_EQ(Captions(photos), QStringList{"alpha"});
  EXPECT_EQ(Captions(photos->child(0)), QStringList{"deep"});
  // The selected folder went: its parent stands in, and the file list follows.
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos");
  EXPECT_EQ(listed_.back(), vol_ + "/x/Photos");
}

TEST_F(DirectoryTreeTest, OpenFolderFindsAFolderMadeAfterItsParentWasRead) {
  SetTime(vol_ + "/x/Photos", LongAgo());
  auto tree = MakeVolumeTree();
  QTreeWidgetItem* photos = ReadPhotosAndClose(*tree);
  QTreeWidgetItem* alpha = photos->child(0);
  fs::create_directories(vol_ + "/x/Photos/Wallpapers/2024");

  tree->OpenFolder(vol_ + "/x/Photos/Wallpapers/2024");
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos/Wallpapers/2024");
  EXPECT_EQ(listed_.back(), vol_ + "/x/Photos/Wallpapers/2024");
  EXPECT_EQ(photos->child(0), alpha);
  EXPECT_EQ(Captions(alpha), QStringList{"deep"});
  // A folder on disk that the tree does not list stays out of reach after the read.
  tree->OpenFolder(vol_ + "/x/Photos/.hidden/inside");
  EXPECT_EQ(tree->SelectedFolder(), vol_ + "/x/Photos/Wallpapers/2024");
}

TEST_F(DirectoryTreeTest, AFolderIsReadAgainWhenItsTimeMovedOrWasTooRecentToTrust) {
  const std::string photosPath = vol_ + "/x/Photos";
  // Read within the file system's time step: a change in the same step keeps the time.
  const fs::file_time_type recent = fs::file_time_type::clock::now();
  SetTime(photosPath, recent);
  auto tree = MakeVolumeTree();
  QTreeWidgetItem* photos = ReadPhotosAndClose(*tree);
  fs::create_directories(photosPath + "/delta");
  SetTime(photosPath, recent);
  tree->expandItem(photos);
  EXPECT_TRUE(Captions(photos).contains("delta"));

  // An old time that stays put means nothing changed: no read.
  SetTime(photosPath, LongAgo());
  tree->collapseItem(photos);
  tree->expandItem(photos);  // reads, as the time moved
  const fs::file_time_type settled = fs::last_write_time(photosPath);
  fs::create_directories(photosPath + "/epsilon");
  SetTime(photosPath, settled);
  tree->collapseItem(photos);
  tree->expandItem(photos);
  EXPECT_FALSE(Captions(photos).contains("epsilon"));
  SetTime(photosPath, LongAgo() + std::chrono::minutes(1));
  tree->collapseItem(photos);
  tree->expandItem(photos);
  EXPECT_TRUE(Captions(photos).contains("epsilon"));
}

TEST(DirectoryTreeLabel, TreeShortensWithTheLabelsFontToTheLabelsFixedWidth) {
  test::TempDir dir;
  const std::string deep = dir.File("one/two/three/four/five");
  std::filesystem::create_directories(deep);
  TRzDirectoryTree tree(
      nullptr, std::make_unique<test::TFakeVolumeSource>(std::vector<TVolumeInfo>{{dir.Path() + "/", "Temp", 1}}));
  QLabel label;
  label.setFixedWidth(QFontMetrics(label.font()).horizontalAdvance("/.../four/five") + 1);
  tree.SetDirLabel(&label);
  tree.OpenFolder(deep);
  EXPECT_EQ(label.text(), ".../five");

  // A label that sizes itself to its text is measured against the tree's width.
  QLabel growing;
  tree.resize(10000, 150);
  tree.SetDirLabel(&growing);
  EXPECT_EQ(growing.text().toStdString(), deep);
}

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
