#include "core/main_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "base/path.h"
#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/status_pane.h"
#include "controls/tray_icon.h"
#include "controls/up_down.h"
#include "core/window_timer.h"
#include "tests/core/message_box_watcher.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { form.BuildWindow(); }
  void TearDown() override { SetCurrentDir(startFolder); }

  std::string Ini() const {
    const auto bytes = test::ReadAll(dir.File("Tapestro.ini"));
    return std::string(bytes.begin(), bytes.end());
  }
  std::string Cycle() const { return form.txtChangeCycle->text().toStdString(); }
  void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  }

  std::string startFolder = GetCurrentDir();
  test::TempDir dir;
  TForm1 form{TAppFolders{dir.Path() + "/", dir.Path() + "/"}};
};

TEST_F(MainWindowTest, StartsAsTheIconWithTheStartupTimerRunning) {
  EXPECT_EQ(form.windowTitle(), "Tapestro");
  // The tray icon minimises the window once the message loop runs; it is never shown
  // before that.
  QSignalSpy minimised(form.TrayIcon, &TRzTrayIcon::OnMinimizeApp);
  EXPECT_FALSE(form.isVisible());
  QApplication::processEvents();
  EXPECT_EQ(minimised.count(), 1);
  EXPECT_TRUE(form.isHidden() || form.isMinimized());
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_TRUE(form.startup->Enabled());
  EXPECT_EQ(form.startup->Interval(), 1000u);
  EXPECT_EQ(form.Settings.RzRegIni.Path(), dir.File("Tapestro.ini"));
  EXPECT_EQ(form.Values.CurrentIndex, -1);
  EXPECT_EQ(form.FileListBox1->Mask(), "*.jpg;*.bmp;*.gif;*.png");
  EXPECT_EQ(form.cboAutoSize->currentIndex(), -1);
  EXPECT_EQ(form.StatusPane2->Caption(), "Disabled");
  EXPECT_EQ(form.StatusPane2->toolTip(), "Wallpaper Update");
}

TEST_F(MainWindowTest, TabOrderFollowsTheSettingsPanel) {
  const std::vector<QWidget*> expected = {form.DirTree,   form.FileListBox1, form.txtChangeCycle, form.UpDown1,
                                          form.ckRandom,  form.ckMinStartup, form.btnOkay,        form.btnStop,
                                          form.ckAutoSize, form.cboAutoSize};
  QWidget* widget = form.DirTree;
  for (size_t i = 1; i < expected.size(); ++i) {
    do widget = widget->nextInFocusChain();
    while (widget->focusPolicy() == Qt::NoFocus);
    EXPECT_EQ(widget, expected[i]) << i;
  }
}

TEST_F(MainWindowTest, ArrowsMoveTheCycleOnlyWhenTheirOwnPositionMoves) {
  form.UpDown1->Press(TUDBtnType::btPrev);  // the arrows' own position is still 0
  EXPECT_EQ(Cycle(), "5");
  form.UpDown1->Press(TUDBtnType::btNext);
  EXPECT_EQ(Cycle(), "6");
  form.UpDown1->Press(TUDBtnType::btPrev);
  EXPECT_EQ(Cycle(), "5");
  for (const char* text : {"1", "0", "-3", ""}) {
    form.UpDown1->Press(TUDBtnType::btNext);
    form.txtChangeCycle->setText(text);
    form.UpDown1->Press(TUDBtnType::btPrev);
    EXPECT_EQ(Cycle(), "1") << text;
  }
  EXPECT_FALSE(FileExists(dir.File("Tapestro.ini")));  // the cycle is stored by Save/Start only
}

TEST_F(MainWindowTest, ArrowKeysPressTheArrows) {
  Key(form.UpDown1, Qt::Key_Up);
  EXPECT_EQ(Cycle(), "6");
  Key(form.UpDown1, Qt::Key_Down);
  EXPECT_EQ(Cycle(), "5");
}

TEST_F(MainWindowTest, AnArrowOnTextThatIsNoNumberIsReportedAndTheTextStays) {
  test::MessageBoxWatcher boxes;
  form.txtChangeCycle->setText("abc");
  form.UpDown1->Press(TUDBtnType::btNext);
  ASSERT_EQ(boxes.Texts().size(), 1u);
  EXPECT_EQ(boxes.Texts()[0], "'abc' is not a valid integer value");
  EXPECT_EQ(Cycle(), "abc");
  form.txtChangeCycle->setText("7");
  form.UpDown1->Press(TUDBtnType::btNext);  // and the window goes on working
  EXPECT_EQ(Cycle(), "8");
}

TEST_F(MainWindowTest, CheckBoxesStoreEveryChangeAlsoFromCode) {
  form.ckRandom->click();
  EXPECT_EQ(Ini(), "[Settings]\nrandom=y\n");
  form.ckAutoSize->setChecked(true);
  form.ckMinStartup->setChecked(true);
  EXPECT_EQ(Ini(), "[Settings]\nrandom=y\nckAutosize=y\nminstartup=y\n");
  form.ckRandom->click();
  form.ckAutoSize->setChecked(false);
  form.ckMinStartup->setChecked(false);
  EXPECT_EQ(Ini(), "[Settings]\n");
}

TEST_F(MainWindowTest, OnlyTheUsersPlacementChoiceIsStored) {
  form.cboAutoSize->setCurrentIndex(1);
  EXPECT_FALSE(FileExists(dir.File("Tapestro.ini")));
  form.cboAutoSize->setCurrentIndex(-1);
  for (int i = 0; i < 3; ++i) Key(form.cboAutoSize, Qt::Key_Down);
  EXPECT_EQ(form.cboAutoSize->currentText(), "Size to Fit");
  EXPECT_EQ(Ini(), "[Settings]\nWallpaperloc=2\n");
  // Fill and Fit follow the first three, whose codes keep their meaning.
  for (int i = 0; i < 2; ++i) Key(form.cboAutoSize, Qt::Key_Down);
  EXPECT_EQ(form.cboAutoSize->currentText(), "Fit");
  EXPECT_EQ(form.cboAutoSize->itemText(3), "Fill");
  EXPECT_EQ(Ini(), "[Settings]\nWallpaperloc=4\n");
}

TEST_F(MainWindowTest, EnterAndEscapeReachTheDefaultAndCancelButtons) {
  int saves = 0, stops = 0;
  QObject::connect(form.btnOkay, &QPushButton::clicked, [&] { ++saves; });
  QObject::connect(form.btnStop, &QPushButton::clicked, [&] { ++stops; });
  Key(form.txtChangeCycle, Qt::Key_Return);
  Key(form.ckRandom, Qt::Key_Enter);
  Key(form.txtChangeCycle, Qt::Key_Escape);
  EXPECT_EQ(saves, 2);
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(form.ckRandom->isChecked());
}

TEST_F(MainWindowTest, ARefusedSettingsWriteIsReportedAndTheWindowGoesOn) {
  test::MessageBoxWatcher boxes;
  form.Settings.RzRegIni.SetPath(dir.File("missing/Tapestro.ini"));
  form.ckRandom->click();
  ASSERT_EQ(boxes.Texts().size(), 1u);
  EXPECT_EQ(boxes.Texts()[0], "Unable to write to " + dir.File("missing/Tapestro.ini"));
  EXPECT_TRUE(form.ckRandom->isChecked());
}

TEST_F(MainWindowTest, EveryWayOfClosingEndsWithoutWriting) {
  dir.Write("Tapestro.ini", "[Settings]\ncycle=300000\n");
  int closed = 0;
  QObject::connect(&form, &TForm1::Closed, [&] { ++closed; });
  form.txtChangeCycle->setText("9");
  EXPECT_TRUE(form.FormCloseQuery());
  form.show();
  form.close();
  form.show();
  form.mnuExit1->trigger();
  form.show();
  form.pitExit->trigger();
  EXPECT_EQ(closed, 3);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Ini(), "[Settings]\ncycle=300000\n");
}

TEST_F(MainWindowTest, FileListShowsTheFolderTreesFolder) {
  // At creation the tree selects the top-level folder that holds the current directory.
  EXPECT_FALSE(form.DirTree->SelectedFolder().empty());
  EXPECT_EQ(form.FileListBox1->CurrentFolder(), form.DirTree->SelectedFolder());
  dir.Write("a.gif", "");
  form.FileListBox1->SetCurrentFolder(dir.Path());
  ASSERT_EQ(form.FileListBox1->Items().Count(), 1);
  // The listed folder is never entered: it would keep its volume busy.
  EXPECT_EQ(GetCurrentDir(), startFolder);
}

}  // namespace
}  // namespace tapestro
