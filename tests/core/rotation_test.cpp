// The rotation in the main window, with a recording desktop and message boxes that
// record instead of waiting for a click.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "base/path.h"
#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/status_pane.h"
#include "core/main_window.h"
#include "core/window_timer.h"
#include "platform/desktop/recording_desktop_backend.h"
#include "tests/controls/fakes.h"
#include "tests/core/message_box_watcher.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

class RecordingMessageBoxes final : public TMessageBoxes {
 public:
  void Show(const std::string& text) override { Texts.push_back(text); }
  std::vector<std::string> Texts;
};

constexpr char kOutOfRange[] = "Please enter a cycle of 1 to 35791 minutes.";

class RotationTest : public ::testing::Test {
 protected:
  // shown: the window is up, as when its buttons are clicked; else only the icon, in a
  // notification area that takes it.
  explicit RotationTest(bool shown = true) : inTray_(!shown) {
    auto recording = std::make_unique<desktop::TRecordingDesktopBackend>();
    desktop = recording.get();
    form.Desktop = std::move(recording);
    // Each step is followed as it happens: the desktop's part runs at once.
    form.DesktopRunner = RunAtOnce(*desktop);
    auto recordingBoxes = std::make_unique<RecordingMessageBoxes>();
    boxes = recordingBoxes.get();
    form.MessageBoxes = std::move(recordingBoxes);
    for (const char* name : {"A.bmp", "B.png", "C.bmp"}) pics.Write(name, "");
    if (shown) form.showNormal();
  }
  void TearDown() override { SetCurrentDir(startFolder); }

  // Chosen in the folder tree, which points the file list at it.
  void List(const test::TempDir& folder) { form.DirTree->OpenFolder(folder.Path()); }
  void SaveStart(const char* cycle) {
    form.txtChangeCycle->setText(cycle);
    form.btnOkay->click();
  }
  void Step() { form.pupChangeWallpapernow->trigger(); }
  // The bare names the desktop was given, in order.
  std::vector<std::string> Applied() const {
    std::vector<std::string> names;
    for (const std::string& call : desktop->Calls)
      if (call.rfind("set Wallpaper=", 0) == 0) names.push_back(ExtractFileName(call));
    return names;
  }
  // The settings file without the kept last wallpaper, which every change writes.
  std::string Ini() const {
    const auto bytes = test::ReadAll(program.File("Tapestro.ini"));
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string ini;
    for (std::string line; std::getline(lines, line);)
      if (line.rfind("LastWallpaper", 0) != 0) ini += line + "\n";
    return ini;
  }
  std::string Pane(const TStatusPane* pane) const { return pane->Caption().toStdString(); }
  // Runs the message loop until done() holds, for five seconds at most.
  template <typename Condition>
  bool RunUntil(Condition done) {
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
  }
  void ExpectStopped() {
    EXPECT_FALSE(form.Timer1->Enabled());
    EXPECT_EQ(Pane(form.StatusPane2), "Disabled");
    EXPECT_EQ(form.StatusPane2->FillColor(), form.StatusPane2->palette().color(QPalette::Button));
  }

  static TWindowServices Services(bool inTray) {
    TWindowServices services;
    if (inTray) services.TrayHost = std::make_unique<test::TFakeTrayHost>(true);
    return services;
  }

  std::string startFolder = GetCurrentDir();
  const bool inTray_;
  test::TempDir program;
  test::TempDir pics;
  TForm1 form{TAppFolders{program.Path() + "/", program.Path() + "/"}, Services(inTray_)};
  desktop::TRecordingDesktopBackend* desktop;
  RecordingMessageBoxes* boxes;
};

TEST_F(RotationTest, SaveStartAppliesTheFirstFileAtOnceAndEachTickTheNextInListOrder) {
  List(pics);
  SaveStart("5");
  EXPECT_EQ(Applied(), std::vector<std::string>{"A.bmp"});
  EXPECT_EQ(desktop->Calls.at(1), "set Wallpaper=" + pics.File("A.bmp"));
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 300000u);
  EXPECT_EQ(Pane(form.StatusPane2), "Enabled");
  EXPECT_EQ(form.StatusPane2->FillColor(), kLime);
  EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMinimized));
  EXPECT_EQ(Ini(), "[Settings]\nwalldir=" + pics.Path() + "\ncycle=300000\n");
  EXPECT_EQ(Pane(form.StatusPane1).rfind("Wallpaper updated at ", 0), 0u);
  EXPECT_EQ(Pane(form.StatusPane1).substr(Pane(form.StatusPane1).size() - 8), " (A.bmp)");
  EXPECT_EQ(form.Values.CurrentFile, "A.bmp");

  for (int i = 0; i < 4; ++i) form.Timer1->OnTimer();
  EXPECT_EQ(Applied(), (std::vector<std::string>{"A.bmp", "B.png", "C.bmp", "A.bmp", "B.png"}));

  // The timer itself drives the steps.
  form.Timer1->SetInterval(5);
  EXPECT_TRUE(RunUntil([&] { return Applied().size() >= 6; }));
  EXPECT_EQ(Applied()[5], "C.bmp");
}

class RotationInTheTrayTest : public RotationTest {
 protected:
  RotationInTheTrayTest() : RotationTest(false) {}
};

TEST_F(RotationInTheTrayTest, TheRestoredFolderTurnsBeforeTheWindowIsMadeAndGoesOnInItsList) {
  program.Write("Tapestro.ini", "[Settings]\nwalldir=" + pics.Path() + "\ncycle=60000\nminstartup=y\n");
  form.startupTimer();
  Step();
  ASSERT_FALSE(form.WindowBuilt());
  EXPECT_EQ(Applied(), std::vector<std::string>{"A.bmp"});
  const std::string report = form.Shown().Message.toStdString();
  EXPECT_NE(report.find("(A.bmp)"), std::string::npos) << report;

  // Listed first once the window reads the folder: the rotation still goes on after A.
  pics.Write("0.bmp", "");
  form.pitShowClick();
  ASSERT_TRUE(form.WindowBuilt());
  EXPECT_EQ(Pane(form.StatusPane1), report);
  EXPECT_EQ(Pane(form.StatusPane2), "Enabled");
  Step();
  EXPECT_EQ(Applied(), (std::vector<std::string>{"A.bmp", "B.png"}));
}

TEST_F(RotationTest, AFolderWithOneFileTakesItAtEveryStep) {
  test::TempDir one;
  one.Write("only.png", "");
  List(one);
  SaveStart("5");
  Step();
  Step();
  EXPECT_EQ(Applied(), (std::vector<std::string>{"only.png", "only.png", "only.png"}));
  EXPECT_EQ(form.Values.CurrentIndex, 0);
}

TEST_F(RotationTest, AnEmptyFolderAppliesNothingAndReportsTheLoadFailure) {
  test::TempDir empty;
  List(empty);
  SaveStart("5");
  EXPECT_TRUE(desktop->Calls.empty());
  // The first step of the run has no name at all: it fails to load as a JPEG image.
  EXPECT_EQ(Pane(form.StatusPane1), "Error loading non-GIF resource (myjpeg):");
  EXPECT_EQ(form.Values.CurrentIndex, 0);
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_TRUE(boxes->Texts.empty());
}

TEST_F(RotationTest, SwitchingFoldersKeepsThePositionAndWrapsOnAShorterList) {
  // Made before the tree reads their parent folder, as folders the user picks are.
  test::TempDir four, two;
  for (const char* name : {"w.png", "x.png", "y.png", "z.png"}) four.Write(name, "");
  for (const char* name : {"p.bmp", "q.bmp"}) two.Write(name, "");
  List(pics);
  Step();
  Step();
  EXPECT_EQ(form.Values.CurrentIndex, 1);
  List(four);
  Step();
  EXPECT_EQ(form.Values.CurrentIndex, 2);
  List(two);
  Step();
  EXPECT_EQ(form.Values.CurrentIndex, 0);
  EXPECT_EQ(Applied(), (std::vector<std::string>{"A.bmp", "B.png", "y.png", "p.bmp"}));
}

TEST_F(RotationTest, RandomModeDrawsOnlyItemsOfTheList) {
  form.ckRandom->setChecked(true);
  List(pics);
  for (int i = 0; i < 30; ++i) {
    Step();
    const int32_t index = form.Values.CurrentIndex;
    ASSERT_GE(index, 0);
    ASSERT_LT(index, 3);
    EXPECT_EQ(Applied().back(), form.FileListBox1->Items()[index]);
  }
  EXPECT_EQ(Applied().size(), 30u);
}

TEST_F(RotationTest, ChangeWallpaperNowWhileStoppedChangesOnceAndStaysDisabled) {
  List(pics);
  Step();
  EXPECT_EQ(Applied(), std::vector<std::string>{"A.bmp"});
  EXPECT_EQ(form.Values.CurrentIndex, 0);
  ExpectStopped();
  EXPECT_EQ(Ini(), "[Settings]\n");
}

TEST_F(RotationTest, ALaterStartsChangeNowIsOneStep) {
  List(pics);
  form.RemoteCommand(TInstanceCommand::ChangeNow);
  form.RemoteCommand(TInstanceCommand::ChangeNow);
  EXPECT_EQ(Applied(), (std::vector<std::string>{"A.bmp", "B.png"}));
}

TEST_F(RotationTest, UpdateWithTheSelectedFileKeepsTheRotationsPlace) {
  List(pics);
  form.FileListBox1->SetItemIndex(2);
  form.pupUpdatewallpaper->trigger();
  EXPECT_EQ(desktop->Calls.at(1), "set Wallpaper=" + pics.File("C.bmp"));
  EXPECT_EQ(form.Values.CurrentFile, "C.bmp");
  EXPECT_EQ(form.Values.CurrentIndex, -1);
  Step();
  EXPECT_EQ(Applied().back(), "A.bmp");
}

TEST_F(RotationTest, RefreshListBringsInNewPicturesAndGoesOnAfterTheCurrentFile) {
  List(pics);
  Step();
  Step();                       // on B.png
  pics.Write("AB.png", "");     // sorts before the current file
  pics.Write("Beach.bmp", "");  // after it
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.FileListBox1->setFocus();
  QTest::keyClick(form.FileListBox1, Qt::Key_F5);
  ASSERT_EQ(form.FileListBox1->Items().Count(), 5);
  EXPECT_EQ(form.FileListBox1->Items()[form.Values.CurrentIndex], "B.png");
  Step();
  // The current file gone since: the next step takes the one that sorts after it.
  std::filesystem::remove(pics.File("Beach.bmp"));
  std::filesystem::remove(pics.File("C.bmp"));
  form.pupRefreshList->trigger();
  Step();
  Step();
  EXPECT_EQ(Applied(), (std::vector<std::string>{"A.bmp", "B.png", "Beach.bmp", "A.bmp", "AB.png"}));
}

TEST_F(RotationTest, ABareNameIsAppliedFromTheListedFolderEvenWhenItIsGone) {
  test::TempDir outer;
  const std::string folder = outer.File("photos");
  std::filesystem::create_directories(folder);
  for (const char* name : {"a.png", "b.png"}) outer.Write(std::string("photos/") + name, "");
  form.DirTree->OpenFolder(folder);
  Step();
  std::filesystem::remove_all(folder);
  Step();
  // Never against some other folder, nor the root: the desktop reports what is missing.
  EXPECT_EQ(desktop->Calls.at(1), "set Wallpaper=" + folder + "/a.png");
  EXPECT_NE(std::find(desktop->Calls.begin(), desktop->Calls.end(), "set Wallpaper=" + folder + "/b.png"),
            desktop->Calls.end());
}

TEST_F(RotationTest, TheRightButtonPicksTheFileTheMenuAppliesWithoutPreviewingIt) {
  List(pics);
  int clicks = 0;
  form.FileListBox1->OnClick = [&] { ++clicks; };
  const QRect row = form.FileListBox1->visualRect(form.FileListBox1->model()->index(2, 0));
  QTest::mouseClick(form.FileListBox1->viewport(), Qt::RightButton, Qt::NoModifier, row.center());
  EXPECT_EQ(form.FileListBox1->ItemIndex(), 2);
  EXPECT_EQ(clicks, 0);
  form.pmnFileList->hide();
  form.pupUpdatewallpaper->trigger();
  EXPECT_EQ(Applied(), std::vector<std::string>{"C.bmp"});
}

TEST_F(RotationTest, TenMinutesAreStoredAsMillisecondsAndStopKeepsThem) {
  List(pics);
  SaveStart("10");
  EXPECT_EQ(form.Timer1->Interval(), 600000u);
  EXPECT_EQ(Ini(), "[Settings]\nwalldir=" + pics.Path() + "\ncycle=600000\n");
  form.btnStop->click();
  ExpectStopped();
  EXPECT_EQ(Ini(), "[Settings]\nwalldir=" + pics.Path() + "\ncycle=600000\n");
  EXPECT_EQ(Applied().size(), 1u);
}

TEST_F(RotationTest, AnEmptyCycleBoxIsRefusedAfterTheFolderIsStored) {
  List(pics);
  form.ckAutoSize->setChecked(true);
  SaveStart("");
  EXPECT_EQ(boxes->Texts, std::vector<std::string>{"Sorry, you missed the cycle (time) option. Please enter a value."});
  ExpectStopped();
  EXPECT_TRUE(desktop->Calls.empty());
  EXPECT_FALSE(form.windowState().testFlag(Qt::WindowMinimized));
  EXPECT_EQ(Ini(), "[Settings]\nckAutosize=y\nwalldir=" + pics.Path() + "\n");

  // A running rotation keeps running as it was.
  SaveStart("5");
  SaveStart("");
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 300000u);
  EXPECT_EQ(Pane(form.StatusPane2), "Enabled");
  EXPECT_EQ(Applied().size(), 1u);
}

TEST_F(RotationTest, CyclesTheTimerCannotRunAreRefusedWithWhatIsAllowed) {
  List(pics);
  for (const char* cycle : {"0", "-5", "99999999", "35792"}) {
    SaveStart(cycle);
    ExpectStopped();
  }
  EXPECT_EQ(boxes->Texts, std::vector<std::string>(4, kOutOfRange));
  EXPECT_TRUE(desktop->Calls.empty());
  EXPECT_EQ(Ini(), "[Settings]\nwalldir=" + pics.Path() + "\n");
  SaveStart("35791");
  EXPECT_EQ(form.Timer1->Interval(), 2147460000u);
  EXPECT_TRUE(form.Timer1->Enabled());
}

TEST_F(RotationTest, ACycleThatIsNoNumberReachesTheErrorReport) {
  test::MessageBoxWatcher reports;
  List(pics);
  SaveStart("ten");
  ASSERT_EQ(reports.Texts().size(), 1u);
  EXPECT_EQ(reports.Texts()[0], "'ten' is not a valid integer value");
  ExpectStopped();
  EXPECT_TRUE(desktop->Calls.empty());
}

TEST_F(RotationTest, ATickDuringARunningStepIsSkipped) {
  test::TempDir photos;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) photos.Write(name, "");
  List(photos);
  std::vector<int32_t> positions;
  form.Conversions.Jpeg = [&](const std::string&, TConversionContext&) {
    positions.push_back(form.Values.CurrentIndex);
    // What a message box's loop could deliver while the step waits.
    form.Timer1->OnTimer();
    form.pupChangeWallpapernow->trigger();
    form.pupUpdatewallpaper->trigger();
    return TConversionOutcome{true, program.File("tempwp.bmp")};
  };
  Step();
  EXPECT_EQ(positions, std::vector<int32_t>{0});
  EXPECT_EQ(desktop->Calls.at(1), "set Wallpaper=" + program.File("tempwp.bmp"));
  EXPECT_EQ(Applied().size(), 1u);
  EXPECT_EQ(form.Values.CurrentFile, "a.jpg");
  Step();  // the next step runs as usual
  EXPECT_EQ(positions, (std::vector<int32_t>{0, 1}));
}

TEST_F(RotationTest, AFailedTickReportsInTheMessagePaneAndTheNextTickGoesOn) {
  test::MessageBoxWatcher reports;
  int beeps = 0;
  form.WarningSound = [&] { ++beeps; };
  List(pics);
  SaveStart("5");
  desktop->FailReload = true;
  form.Timer1->OnTimer();
  // Nobody asked for this change: no box holds the rotation, and the text of the
  // change before gives way to the failure's.
  EXPECT_TRUE(reports.Texts().empty());
  EXPECT_TRUE(boxes->Texts.empty());
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(Pane(form.StatusPane1), "The desktop did not take the wallpaper: recorded failure");
  EXPECT_TRUE(form.Timer1->Enabled());

  desktop->FailReload = false;
  form.Timer1->OnTimer();
  EXPECT_EQ(Applied(), (std::vector<std::string>{"A.bmp", "B.png", "C.bmp"}));
  EXPECT_TRUE(Pane(form.StatusPane1).ends_with(" (C.bmp)"));

  // A change the user asks for may still say so in a box.
  desktop->FailReload = true;
  Step();
  EXPECT_EQ(reports.Texts(), std::vector<std::string>{"The desktop did not take the wallpaper: recorded failure"});
  EXPECT_EQ(beeps, 1);
}

}  // namespace
}  // namespace tapestro
