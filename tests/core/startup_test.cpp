// The start-up step: what comes back from the settings file, and what a damaged or
// missing value leaves.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>

#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/status_pane.h"
#include "controls/tray_icon.h"
#include "core/program_texts.h"
#include "core/window_timer.h"
#include "tests/core/form_fixture.h"

namespace tapestro {
namespace {

namespace fs = std::filesystem;

class StartupTest : public test::FormFixture {
 protected:
  bool ButtonFace(const TStatusPane* pane) const {
    return pane->FillColor() == QApplication::palette().color(QPalette::Button);
  }
};

TEST_F(StartupTest, WithoutASettingsFileTheDefaultsStayAndTheWindowComesToTheFront) {
  TForm1& form = MakeForm();
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.isVisible());  // the tray icon alone until the step
  const std::string treeFolder = form.DirTree->SelectedFolder();
  EXPECT_EQ(form.StatusPane3->Caption(), "");

  form.startupTimer();
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.startup->Enabled());
  EXPECT_EQ(form.Settings.RzRegIni.Path(), dir.File("Tapestro.ini"));
  EXPECT_EQ(form.StatusPane2->Caption(), "Disabled");
  EXPECT_TRUE(ButtonFace(form.StatusPane2));
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(form.txtChangeCycle->text(), "5");
  EXPECT_FALSE(form.ckRandom->isChecked());
  EXPECT_FALSE(form.ckAutoSize->isChecked());
  EXPECT_FALSE(form.ckMinStartup->isChecked());
  EXPECT_EQ(form.cboAutoSize->currentIndex(), -1);
  EXPECT_EQ(form.DirTree->SelectedFolder(), treeFolder);
  EXPECT_EQ(form.StatusPane3->Caption(), text::kNotice);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isMinimized());
  EXPECT_EQ(QApplication::activeWindow(), &form);
  EXPECT_EQ(beeps, 0);
  EXPECT_FALSE(FileExists(dir.File("Tapestro.ini")));  // reading writes nothing
}

TEST_F(StartupTest, RestoredInTheTrayTheWindowIsMadeAtItsFirstShowFromWhatTheStepRestored) {
  fs::create_directories(dir.File("pics"));
  for (const char* name : {"b.png", "a.jpg", "C.bmp", "notes.txt"}) dir.Write(std::string("pics/") + name, "");
  dir.Write("Tapestro.ini", "[Settings]\nwalldir=" + dir.File("pics") +
                                "\ncycle=600000\nrandom=y\nckAutosize=y\nWallpaperloc=2\nminstartup=y\n");
  TForm1& form = MakeForm(true, false);
  QCoreApplication::processEvents();
  form.startupTimer();
  QCoreApplication::processEvents();
  // In the tray: nothing made, the rotation runs over the folder's images in list order.
  EXPECT_FALSE(form.WindowBuilt());
  EXPECT_EQ(form.DirTree, nullptr);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.ListedFolder(), dir.File("pics"));
  ASSERT_EQ(form.RotationNames().Count(), 3);
  EXPECT_EQ(form.RotationNames()[0], "a.jpg");
  EXPECT_EQ(form.RotationNames()[2], "C.bmp");
  const std::string stored = Ini();

  form.pitShowClick();
  QCoreApplication::processEvents();
  ASSERT_TRUE(form.WindowBuilt());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.DirTree->SelectedFolder(), dir.File("pics"));
  EXPECT_EQ(form.FileListBox1->CurrentFolder(), dir.File("pics"));
  EXPECT_EQ(form.FileListBox1->Items().Count(), 3);
  EXPECT_TRUE(form.lblDirectorySelected->text().endsWith("pics"));
  EXPECT_EQ(form.txtChangeCycle->text(), "10");
  EXPECT_TRUE(form.ckRandom->isChecked());
  EXPECT_TRUE(form.ckAutoSize->isChecked());
  EXPECT_TRUE(form.ckMinStartup->isChecked());
  EXPECT_EQ(form.cboAutoSize->currentIndex(), 2);
  EXPECT_EQ(form.StatusPane2->Caption(), "Enabled");
  EXPECT_EQ(form.StatusPane3->Caption(), text::kNotice);
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(Ini(), stored);  // showing what was restored stores nothing
}

TEST_F(StartupTest, InTheTrayAGoneFolderIsReportedOnceAndTheWindowShowsTheReportWhenMade) {
  dir.Write("Tapestro.ini", "[Settings]\nwalldir=" + Media() + "/usb/pics\nminstartup=y\n");
  TForm1& form = MakeForm(true, false);
  form.startupTimer();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(form.RotationNames().Count(), 0);
  EXPECT_THAT(form.Shown().Message.toStdString(), ::testing::HasSubstr("/usb/pics directory does not exist"));
  form.BuildWindow();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(form.StatusPane1->Caption(), form.Shown().Message);
  EXPECT_TRUE(form.lblDirectorySelected->text().endsWith("/usb/pics"));
}

TEST_F(StartupTest, AStoredCycleShowsWholeMinutesAndRunsTheTimerAtItsOwnLength) {
  for (const auto& [stored, shown] : {std::pair{"300000", "5"}, {"90000", "1"}, {"30000", "0"}}) {
    TForm1& form = StartWith(std::string("[Settings]\ncycle=") + stored + "\n");
    EXPECT_EQ(form.txtChangeCycle->text(), shown) << stored;
    EXPECT_TRUE(form.Timer1->Enabled()) << stored;
    EXPECT_EQ(form.Timer1->Interval(), static_cast<uint32_t>(std::stoul(stored))) << stored;
    EXPECT_EQ(form.StatusPane2->Caption(), "Enabled") << stored;
    EXPECT_EQ(form.StatusPane2->FillColor(), QColor(0, 255, 0)) << stored;
    // The first change comes one full cycle later: the step changes no wallpaper.
    EXPECT_GT(form.Timer1->RemainingTime(), 0) << stored;
  }
  EXPECT_EQ(beeps, 0);
}

TEST_F(StartupTest, ACycleThatIsNoUsableNumberIsSkippedWithABeepAndTheRestIsRestored) {
  const char* const damaged[] = {"abc", "0", "-60000", "3000000000", "5 minutes", ""};
  int expectedBeeps = 0;
  for (const char* cycle : damaged) {
    TForm1& form = StartWith(std::string("[Settings]\ncycle=") + cycle +
                             "\nrandom=y\nckAutosize=y\nWallpaperloc=2\nminstartup=y\n");
    // An empty value counts as none stored.
    if (*cycle != '\0') ++expectedBeeps;
    EXPECT_EQ(beeps, expectedBeeps) << cycle;
    EXPECT_FALSE(form.Timer1->Enabled()) << cycle;
    EXPECT_EQ(form.StatusPane2->Caption(), "Disabled") << cycle;
    EXPECT_TRUE(ButtonFace(form.StatusPane2)) << cycle;
    EXPECT_EQ(form.txtChangeCycle->text(), "5") << cycle;
    EXPECT_TRUE(form.ckRandom->isChecked()) << cycle;
    EXPECT_TRUE(form.ckAutoSize->isChecked()) << cycle;
    EXPECT_EQ(form.cboAutoSize->currentIndex(), 2) << cycle;
    EXPECT_TRUE(form.ckMinStartup->isChecked()) << cycle;
    EXPECT_FALSE(form.isVisible()) << cycle;
  }
}

TEST_F(StartupTest, OnlyAStoredPlacementTheListHasIsSelected) {
  struct Case {
    const char* stored;
    int index;
    int beeps;
  };
  // The comma form is an explicit origin that preparation reads: no entry, no beep.
  for (const Case& c : {Case{"0", 0, 0},
                        {"1", 1, 0},
                        {"4", 4, 0},
                        {"5", -1, 0},
                        {"-1", -1, 0},
                        {"100,50", -1, 0},
                        {"Center", -1, 1},
                        {"", -1, 1},
                        {"1,x", -1, 1}}) {
    beeps = 0;
    TForm1& form = StartWith(std::string("[Settings]\nWallpaperloc=") + c.stored + "\n");
    EXPECT_EQ(form.cboAutoSize->currentIndex(), c.index) << c.stored;
    EXPECT_EQ(beeps, c.beeps) << c.stored;
    // Selecting in code stores nothing.
    EXPECT_EQ(Ini(), std::string("[Settings]\nWallpaperloc=") + c.stored + "\n");
  }
}

TEST_F(StartupTest, CheckBoxesComeBackOnlyFromALowerCaseYAndStoreItAgain) {
  // Save/Start writes the auto-size key as "ckAutoSize": it is the same key.
  TForm1& form = StartWith("[Settings]\nrandom=Y\nckAutoSize=y\n");
  EXPECT_FALSE(form.ckRandom->isChecked());
  EXPECT_TRUE(form.ckAutoSize->isChecked());
  form.Settings.ReadSetting("Settings", "ckAutosize");
  EXPECT_EQ(form.Settings.SettingValue, "y");
  form.Settings.ReadSetting("Settings", "random");
  EXPECT_EQ(form.Settings.SettingValue, "Y");
}

TEST_F(StartupTest, MinimiseOnStartupKeepsTheWindowOutOfSight) {
  TForm1& form = StartWith("[Settings]\nminstartup=y\n");
  EXPECT_TRUE(form.ckMinStartup->isChecked());
  EXPECT_FALSE(form.isVisible());
  form.TrayIcon->RestoreFromTray();  // a click on the icon still brings it
  EXPECT_TRUE(form.isVisible());

  // Where no notification area takes the icon, it is a minimised window instead.
  TForm1& plain = StartWith("[Settings]\nminstartup=y\n", false);
  EXPECT_TRUE(plain.isVisible());
  EXPECT_TRUE(plain.isMinimized());
}

TEST_F(StartupTest, AnEmptyFolderValueLeavesLabelAndTreeAlone) {
  TForm1& form = MakeForm();
  const std::string folder = form.DirTree->SelectedFolder();
  const QString label = form.lblDirectorySelected->text();
  dir.Write("Tapestro.ini", "[Settings]\nwalldir=\n");
  form.startupTimer();
  EXPECT_EQ(form.DirTree->SelectedFolder(), folder);
  EXPECT_EQ(form.lblDirectorySelected->text(), label);
  EXPECT_EQ(beeps, 0);
}

TEST_F(StartupTest, AFolderOnAVolumeThatIsNotThereIsMissingAndTheRestGoesOn) {
  // No volume is mounted in Media(): the stick is not plugged in.
  const std::string gone = Media() + "/USBSTICK/Photos";
  const std::string ini = "[Settings]\nwalldir=" + gone + "\ncycle=120000\n";
  TForm1& form = StartWith(ini);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(form.StatusPane1->Caption().toStdString(), "The " + gone + " directory does not exist");
  EXPECT_EQ(form.lblDirectorySelected->text().toStdString(), gone);
  // Nothing the stick leaves behind stands in for it, and the setting waits for it.
  EXPECT_EQ(form.DirTree->SelectedFolder(), "/");
  EXPECT_EQ(Ini(), ini);
  EXPECT_EQ(form.txtChangeCycle->text(), "2");
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_TRUE(form.isVisible());
}

TEST_F(StartupTest, AStoredFolderThatLostItsLastPartSelectsWhatIsLeftAndListsItsFiles) {
  fs::create_directories(Volume() + "/x/Photos");
  dir.Write("vol/x/Photos/b.bmp", "");
  dir.Write("vol/x/Photos/a.jpg", "");
  dir.Write("vol/x/Photos/notes.txt", "");
  const std::string photos = Volume() + "/x/Photos";
  TForm1& form = StartWith("[Settings]\nwalldir=" + photos + "/Old\n");
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(form.DirTree->SelectedFolder(), photos);
  EXPECT_EQ(form.FileListBox1->CurrentFolder(), photos);
  ASSERT_EQ(form.FileListBox1->Items().Count(), 2);
  EXPECT_EQ(form.FileListBox1->Items()[0], "a.jpg");
  EXPECT_EQ(form.FileListBox1->Items()[1], "b.bmp");
  // The tree's change step puts the folder it selected in the label.
  EXPECT_TRUE(form.lblDirectorySelected->text().endsWith("Photos"));
}

TEST_F(StartupTest, TheStoredFolderIsFoundAmongTheSystemsOwnVolumes) {
  fs::create_directories(dir.File("x/Photos"));
  dir.Write("x/Photos/sunset.gif", "");
  dir.Write("Tapestro.ini", "[Settings]\nwalldir=" + dir.File("x/Photos/Old") + "\n");
  TForm1 form(TAppFolders{dir.Path() + "/", dir.Path() + "/"});
  form.BuildWindow();
  form.WarningSound = [this] { ++beeps; };
  form.startupTimer();
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(form.DirTree->SelectedFolder(), dir.File("x/Photos"));
  ASSERT_EQ(form.FileListBox1->Items().Count(), 1);
  EXPECT_EQ(form.FileListBox1->Items()[0], "sunset.gif");
}

}  // namespace
}  // namespace tapestro
