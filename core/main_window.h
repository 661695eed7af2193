#pragma once
// TForm1, the main window: the folder tree and the image file list on top, the change
// cycle's settings below, the preview, the status bar, the main menu, the tray menu and
// the file list's menu. It owns the settings and the values the whole run shares.
//
// At creation only the tray icon, its menu and the timers are made; the controls and
// the main menu are made when the window is first shown (window_state.h).
//
// Built in main_window.cpp; its handlers live in main_window_settings.cpp (the setting
// controls and the start-up step), main_window_rotation.cpp (the rotation and wallpaper
// preparation) and main_window_commands.cpp (preview, tray, Help menu, exit).
#include <QMainWindow>
#include <exception>
#include <functional>
#include <memory>

#include "controls/up_down_position.h"
#include "core/about_box.h"
#include "core/desktop_queue.h"
#include "core/rotation.h"
#include "core/settings.h"
#include "core/wallpaper_conversions.h"
#include "core/window_state.h"
#include "platform/app_folders.h"
#include "platform/autostart.h"
#include "platform/desktop/desktop_backend.h"
#include "platform/single_instance.h"
#include "platform/system_services.h"
#include "platform/tray_host.h"
#include "platform/volume_source.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QStatusBar;

namespace tapestro {

class TImage;
class TRzDirectoryTree;
class TRzFileListBox;
class TRzTrayIcon;
class TStatusPane;
class TTimer;
class TUpDown;

// The message boxes the main window's handlers show themselves (errors nobody caught go
// to the default error report instead). Behind an interface so that tests can answer
// them without a click.
class TMessageBoxes {
 public:
  virtual ~TMessageBoxes() = default;
  // Shows text and waits until the user closes the box.
  virtual void Show(const std::string& text) = 0;
};

// Modal boxes over owner, captioned with the application's title.
std::unique_ptr<TMessageBoxes> CreateMessageBoxes(QWidget* owner);

// The running program's autostart entry: its id, title and executable.
TAutostartEntry ProgramAutostartEntry();

// What the main window takes from the system: the notification area for its tray icon,
// the volumes at the top of its folder tree and the session's autostart entry. Tests
// hand in stand-ins.
struct TWindowServices {
  std::unique_ptr<TTrayHost> TrayHost = CreateTrayHost();
  std::unique_ptr<TVolumeSource> Volumes = CreateVolumeSource();
  std::unique_ptr<TAutostart> Autostart = CreateAutostart(ProgramAutostartEntry());
};

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Created minimised and not shown; once the message loop runs it is the tray icon
  // alone (or a minimised window where there is no notification area). The settings
  // file lives in folders.Settings.
  explicit TForm1(const TAppFolders& folders, TWindowServices services = {}, QWidget* parent = nullptr);
  ~TForm1() override;

  TAppFolders Folders;
  TSettings Settings;
  TProgramValues Values;

  // Makes the controls and the main menu now, from what Shown holds; the first show
  // does it otherwise. Until then the members below the tray menu are null.
  void BuildWindow();
  bool WindowBuilt() const { return built_; }
  // What the controls show while the window is not built.
  const TWindowState& Shown() const { return shown_; }
  void setVisible(bool visible) override;

  // The message pane's text, the preview's picture, the names the rotation takes and
  // the folder they are in: the controls' once the window is built, else Shown's.
  void ShowMessageText(const QString& text);
  void LoadPreview(const std::string& path);
  const TFileListItems& RotationNames() const;
  std::string ListedFolder() const;

  // Made at creation: the tray icon's menu.
  QMenu* pmnRight = nullptr;
  QAction* pitShow = nullptr;
  QAction* pitHide = nullptr;
  QAction* pupChangeWallpapernow = nullptr;
  QAction* mnuStartWithSession = nullptr;  // checkable; in the File menu too
  QAction* pitExit = nullptr;

  // Controls, top to bottom.
  QLabel* Label1 = nullptr;
  QLabel* lblDirectorySelected = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* pnlDirTree = nullptr;
  TRzDirectoryTree* DirTree = nullptr;
  TRzFileListBox* FileListBox1 = nullptr;
  QWidget* pnlSettings = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtChangeCycle = nullptr;
  TUpDown* UpDown1 = nullptr;
  QLabel* Label3 = nullptr;
  QCheckBox* ckRandom = nullptr;
  QCheckBox* ckAutoSize = nullptr;
  QComboBox* cboAutoSize = nullptr;
  QCheckBox* ckMinStartup = nullptr;
  QPushButton* btnOkay = nullptr;  // default button: Enter
  QPushButton* btnStop = nullptr;  // cancel button: Escape
  TImage* Image1 = nullptr;        // the preview
  QStatusBar* StatusBar1 = nullptr;
  TStatusPane* StatusPane1 = nullptr;  // messages
  TStatusPane* StatusPane2 = nullptr;  // rotation state
  TStatusPane* StatusPane3 = nullptr;  // notice

  // Main menu.
  QMenu* mnuFile = nullptr;
  QAction* mnuMinimize1 = nullptr;
  QAction* mnuExit1 = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuAbout1 = nullptr;
  QAction* Donatetoauthor1 = nullptr;
  QAction* mnuVisitTapestroHomepage = nullptr;
  // The file list's menu.
  QMenu* pmnFileList = nullptr;
  QAction* pupPreviewimage1 = nullptr;
  QAction* pupUpdatewallpaper = nullptr;
  QAction* pupRefreshList = nullptr;  // also F5 in the list

  TTimer* Timer1 = nullptr;   // the change cycle; disabled at creation
  TTimer* startup = nullptr;  // one-shot start-up step, 1000 ms after creation
  TRzTrayIcon* TrayIcon = nullptr;

  // The warning sound of a step that failed; tests count it through their own.
  std::function<void()> WarningSound = Beep;

  // Where wallpapers go: the session's desktop, chosen once at the first change unless
  // one was set before (at start, or by a test). The desktop queue takes it then.
  std::unique_ptr<desktop::TDesktopBackend> Desktop;
  // The desktop the program start set the kept wallpaper on: from now on it is watched
  // (its monitors) and takes the changes.
  void TakeDesktop(std::unique_ptr<desktop::TDesktopBackend> desktop);
  // Where the desktop's part of a change runs: empty for the desktop queue, off this
  // thread; tests that follow each step run it at once.
  TDesktopRunner DesktopRunner;
  // The boxes the handlers show themselves; tests put their own here.
  std::unique_ptr<TMessageBoxes> MessageBoxes = CreateMessageBoxes(this);
  // The JPEG and GIF conversions; tests put stand-ins here.
  TWallpaperConversions Conversions;
  // The about box, made when "&About" is first chosen unless one was set here before.
  TfrmAbout* frmAbout = nullptr;
  // Opens the two web pages; tests put a recorder here.
  TWebPageOpener OpenPage = OpenWebPage;

  // Setting controls.
  void UpDown1Click(TUDBtnType button);
  void ckRandomClick();
  void ckAutoSizeClick();
  void ckMinStartupClick();
  void cboAutoSizeSelect();
  // Start-up.
  void startupTimer();
  // Rotation.
  void btnOkayClick();
  void btnStopClick();
  void Timer1Timer();
  void get_bmpfile();
  void pupChangeWallpapernowClick();
  void pupUpdatewallpaperClick();
  // Reads the listed folder again; the rotation goes on after the file it took last.
  void pupRefreshListClick();
  // Second status pane: "Enabled" on lime or "Disabled" on the button face.
  void ShowRotationState(bool running);
  // Third status pane: the notice, from the start-up step on.
  void ShowNotice();
  // Wallpaper preparation of CurrentFile.
  void do_wallpaper();
  // Help menu.
  void mnuAbout1Click();
  void Donatetoauthor1Click();
  void mnuVisitTapestroHomepageClick();
  // Window commands.
  void FileListBox1Click();
  void pupPreviewimage1Click();
  void mnuMinimize1Click();
  void pitShowClick();
  void pitHideClick();
  // "Start with the session": writes or removes the autostart entry as checked; the
  // check mark always shows the entry as it is.
  void mnuStartWithSessionClick();
  void ShowStartWithSession();
  // A command a later start of the program handed over: show the window, change the
  // wallpaper now, or exit, each as its tray menu item does.
  void RemoteCommand(TInstanceCommand command);
  // Shutdown.
  bool FormCloseQuery();
  void mnuExit1Click();
  void pitExitClick();

 signals:
  // The window closed: the program ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildTrayMenu();
  void BuildMenus();
  void BuildBrowsingArea(QWidget* parent);
  void BuildSettingsPanel(QWidget* parent);
  void BuildChangeCycleGroup();
  void BuildStatusBar();
  void BuildTimers();
  void BuildTrayIcon(std::unique_ptr<TTrayHost> host);
  void SetTabOrder();
  void ConnectSettingHandlers();
  void ConnectRotationHandlers();
  void ConnectRotationControls();
  void ConnectTrayCommands();
  void ConnectWindowCommands();
  // The stored folder into the tree and the file list, or, before the window is built,
  // its images into Shown; a folder that is gone is reported with a beep.
  void RestoreFolder();
  // The stored folder's text in the label, and the folder opened in the tree; throws
  // what the tree's opening throws.
  void OpenRestoredFolder();
  // At the build: the folder restored before it, now in the tree and the list, where
  // the rotation goes on after the file it took last.
  void ShowRestoredFolder();
  // The restored cycle, choices and placement into the built controls.
  void ShowRestoredSettings();
  // Runs relist, which lists the rotation's names anew (before: the names until then),
  // and keeps the rotation going on after the file it took last.
  void KeepRotationPlace(const TFileListItems& before, const std::function<void()>& relist);
  // What the status bar and the preview showed before the window was built.
  void ShowReports();
  TDesktopQueue& DesktopQueue();
  // The monitors changed where the wallpaper is laid out per monitor by us: the kept
  // wallpaper is laid out again.
  void MonitorsChanged();
  std::unique_ptr<TAutostart> autostart_;
  void StoreFlag(const QCheckBox* box, const char* key);

  // A step that failed: during a tick its text goes to the message pane, with a beep;
  // otherwise to the default error report.
  void ReportStepFailure(const std::exception& error, bool timed);

  bool built_ = false;
  TWindowState shown_;
  // The tree's volumes, until the tree is made and takes them.
  std::unique_ptr<TVolumeSource> volumes_;
  std::unique_ptr<TfrmAbout> aboutBox_;
  bool shownOnce_ = false;
  // Set while a rotation step or an update runs: a tick that a message box's loop
  // delivers meanwhile is skipped instead of starting a step inside the step.
  bool stepRunning_ = false;
  // Set while a tick of the change cycle runs: its failures are reported in the message
  // pane, never in a box that would hold the rotation (docs/rotation.md).
  bool timedStep_ = false;
  // The about box was open when the window went to the tray: it comes back with it.
  bool aboutHiddenWithWindow_ = false;
  // Last: it goes first, finishing the desktop's work under way before what that
  // work's outcome refers to.
  std::unique_ptr<TDesktopQueue> desktopQueue_;
};

}  // namespace tapestro
