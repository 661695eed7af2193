// The window's place for the tree, the tray icon and the preview, and the commands
// that preview a file, show, hide or minimise the window, start with the session, and
// come from a later start.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/image.h"
#include "controls/status_pane.h"
#include "controls/tray_icon.h"
#include "imaging/bitmap.h"
#include "tests/core/form_fixture.h"
#include "tests/core/message_box_watcher.h"

namespace tapestro {
namespace {

class WindowCommandsTest : public test::FormFixture {
 protected:
  void WriteBitmap(const std::string& name, int width, int height) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    bitmap.SaveToFile(Volume() + "/" + name);
  }
  void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  }
  // The window with Volume() chosen in the tree.
  TForm1& ListVolume() {
    TForm1& made = MakeForm();
    made.DirTree->OpenFolder(Volume());
    return made;
  }
  TGraphic* Shown() const { return form->Image1->Picture().Graphic(); }
  QString Message() const { return form->StatusPane1->Caption(); }
};

TEST_F(WindowCommandsTest, TreeTrayIconAndPreviewSitWhereTheWindowPutsThem) {
  TForm1& form = MakeForm();
  EXPECT_EQ(form.DirTree->parentWidget(), form.pnlDirTree);
  EXPECT_EQ(form.DirTree->indentation(), 19);
  EXPECT_EQ(form.DirTree->DirLabel(), form.lblDirectorySelected);
  const QPalette palette = form.DirTree->palette();
  EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight), palette.color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(form.Image1->parentWidget(), form.pnlSettings);
  EXPECT_EQ(form.Image1->geometry(), QRect(496, 0, 153, 145));
  EXPECT_TRUE(form.Image1->Stretch());
  EXPECT_EQ(form.Image1->Picture().Graphic(), nullptr);
  EXPECT_EQ(form.TrayIcon->Hint(), "Tapestro");
  EXPECT_EQ(form.TrayIcon->PopupMenu(), form.pmnRight);
  EXPECT_EQ(form.TrayIcon->RestoreOn(), ticLeftClickUp);
  EXPECT_TRUE(form.TrayIcon->Enabled());
  EXPECT_FALSE(form.windowIcon().isNull());
}

TEST_F(WindowCommandsTest, TheTreesSelectionDrivesTheFileListAndTheLabel) {
  std::filesystem::create_directories(Volume() + "/Summer");
  dir.Write("vol/Summer/beach.jpg", "");
  TForm1& form = ListVolume();
  EXPECT_EQ(form.FileListBox1->CurrentFolder(), Volume());
  form.DirTree->OpenFolder(Volume() + "/Summer");
  EXPECT_EQ(form.FileListBox1->CurrentFolder(), Volume() + "/Summer");
  ASSERT_EQ(form.FileListBox1->Items().Count(), 1);
  EXPECT_TRUE(form.lblDirectorySelected->text().endsWith("Summer"));
}

TEST_F(WindowCommandsTest, ArrowKeysPreviewEachFileInTurnAndAFailureKeepsThePicture) {
  WriteBitmap("a.bmp", 40, 30);
  dir.Write("vol/b.png", "\x89PNG");  // listed, but no picture class reads it
  WriteBitmap("c.bmp", 20, 10);
  TForm1& form = ListVolume();
  ASSERT_EQ(form.FileListBox1->Items().Count(), 3);
  form.StatusPane1->SetCaption("Wallpaper updated");

  form.FileListBox1->setFocus();
  Key(form.FileListBox1, Qt::Key_Down);
  ASSERT_EQ(form.FileListBox1->ItemIndex(), 0);
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->Width(), 40);
  EXPECT_EQ(Message(), "");
  TGraphic* first = Shown();

  Key(form.FileListBox1, Qt::Key_Down);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(Message(), "Preview error...");
  EXPECT_EQ(Shown(), first);

  Key(form.FileListBox1, Qt::Key_Down);
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->Width(), 20);
  EXPECT_EQ(Message(), "");
  EXPECT_EQ(beeps, 1);
  // The hourglass is gone after every preview, failed or not.
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowCommandsTest, ThePreviewMenuItemPreviewsTheSelectedFile) {
  WriteBitmap("a.bmp", 8, 6);
  dir.Write("vol/broken.bmp", "BM not a bitmap");
  TForm1& form = ListVolume();
  form.FileListBox1->SetItemIndex(1);  // selected in code: no preview yet
  EXPECT_EQ(Shown(), nullptr);
  form.pupPreviewimage1->trigger();
  EXPECT_EQ(Shown(), nullptr);
  EXPECT_EQ(Message(), "Preview error...");
  form.FileListBox1->SetItemIndex(0);
  form.pupPreviewimage1->trigger();
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->Height(), 6);
  EXPECT_EQ(Message(), "");
  EXPECT_EQ(beeps, 1);
}

TEST_F(WindowCommandsTest, APictureThatCannotDrawReachesTheErrorReport) {
  TForm1& form = MakeForm();
  test::MessageBoxWatcher boxes;
  emit form.Image1->PaintFailed("JPEG error #9");
  EXPECT_TRUE(boxes.Texts().empty());  // never inside the paint itself
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.Texts().empty(); }, 10000));
  EXPECT_EQ(boxes.Texts().size(), 1u);
  EXPECT_EQ(boxes.Texts()[0], "JPEG error #9");
}

TEST_F(WindowCommandsTest, TheTrayMenuAndMinimiseHideAndShowTheWindow) {
  TForm1& form = MakeForm();
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.isVisible());  // the program starts as its icon

  form.pitShow->trigger();
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isMinimized());
  form.pitHide->trigger();
  EXPECT_FALSE(form.isVisible());
  // Hidden in the tray it gives up its native window, made again at the next show.
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.testAttribute(Qt::WA_WState_Created));
  form.TrayIcon->findChild<QSystemTrayIcon*>()->activated(QSystemTrayIcon::Trigger);  // left click
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.testAttribute(Qt::WA_WState_Created));
  form.mnuMinimize1->trigger();
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowCommandsTest, WithoutANotificationAreaTheWindowStaysReachable) {
  TForm1& form = MakeForm(false);
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.isVisible());  // a minimised window, not an invisible one
  EXPECT_TRUE(form.isMinimized());
  form.pitShow->trigger();
  EXPECT_FALSE(form.isMinimized());
  form.mnuMinimize1->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.isMinimized());
  form.pitHide->trigger();
  EXPECT_TRUE(form.isVisible());
}

TEST_F(WindowCommandsTest, StartWithTheSessionSitsInBothMenusAndShowsTheEntryAsItIs) {
  TForm1& form = MakeForm();
  QAction* item = form.mnuStartWithSession;
  EXPECT_TRUE(form.mnuFile->actions().contains(item));
  EXPECT_TRUE(form.pmnRight->actions().contains(item));
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());  // off by default

  item->trigger();
  EXPECT_TRUE(autostart->On);
  EXPECT_TRUE(item->isChecked());
  autostart->On = false;  // removed behind the program's back
  emit form.pmnRight->aboutToShow();
  EXPECT_FALSE(item->isChecked());

  autostart->Refuse = true;
  test::MessageBoxWatcher boxes;
  item->trigger();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Cannot create file \"autostart\"."});
  EXPECT_FALSE(item->isChecked());
}

TEST_F(WindowCommandsTest, ALaterStartShowsTheWindowOrEndsTheProgramAsTheTrayMenuDoes) {
  TForm1& form = MakeForm();
  QCoreApplication::processEvents();
  ASSERT_FALSE(form.isVisible());
  form.RemoteCommand(TInstanceCommand::Show);
  EXPECT_TRUE(form.isVisible());
  QSignalSpy closed(&form, &TForm1::Closed);
  form.RemoteCommand(TInstanceCommand::Quit);
  EXPECT_EQ(closed.size(), 1);
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace tapestro
