// The rotation: Save/Start, Stop, the change cycle's ticks, "Change wallpaper now" and
// "Update wallpaper with selected file", and the wallpaper preparation they run: the
// same preparation the tool runs, with the window's message pane, message boxes and
// desktop.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

#include "base/errors.h"
#include "base/scoped_flag.h"
#include "base/text.h"
#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/image.h"
#include "controls/status_pane.h"
#include "core/application.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "core/rotation.h"
#include "core/wallpaper_preparation.h"
#include "core/wallpaper_restore.h"
#include "core/window_timer.h"
#include "platform/desktop/desktop_factory.h"
#include "platform/system_services.h"

namespace tapestro {

namespace {

// Wallpaper preparation inside the main window: texts go to the message pane, message
// boxes through the window's own, the temporary pictures to the program's data folder.
// In a change the timer made, which nobody is watching, a message box would hold the
// rotation until answered: its text goes to the message pane instead, with a beep.
class TWindowPreparationContext final : public TPreparationContext {
 public:
  TWindowPreparationContext(TForm1& form, bool timed) : form_(form), timed_(timed) {}

  void ShowMessage(const std::string& text) override {
    form_.ShowMessageText(QString::fromStdString(DisplayFileName(text)));
  }
  void Beep() override { form_.WarningSound(); }
  void Pause(int milliseconds) override { PauseUserInterface(milliseconds); }
  std::string TemporaryFolder() const override { return form_.Folders.Data; }
  void LoadPreview(const std::string& path) override { form_.LoadPreview(path); }
  void ShowMessageBox(const std::string& text) override {
    if (timed_) {
      Beep();
      ShowMessage(text);
    } else {
      form_.MessageBoxes->Show(text);
    }
  }
  std::string WindowsDirectory() override { return SystemFolder(); }
  std::string LocalTimeText() override { return CurrentLocalTimeText(); }
  std::string ListedFolder() const override { return form_.ListedFolder(); }

 private:
  TForm1& form_;
  bool timed_;
};

}  // namespace

void TForm1::ConnectRotationHandlers() {
  Timer1->OnTimer = [this] {
    const TScopedFlag timed(timedStep_);
    try {
      Timer1Timer();
    } catch (const std::exception& error) {
      ReportStepFailure(error, true);
    }
  };
  connect(pupChangeWallpapernow, &QAction::triggered, this, Guarded([this] { pupChangeWallpapernowClick(); }));
}

void TForm1::ConnectRotationControls() {
  connect(btnOkay, &QPushButton::clicked, this, Guarded([this] { btnOkayClick(); }));
  connect(btnStop, &QPushButton::clicked, this, Guarded([this] { btnStopClick(); }));
  connect(pupUpdatewallpaper, &QAction::triggered, this, Guarded([this] { pupUpdatewallpaperClick(); }));
  connect(pupRefreshList, &QAction::triggered, this, Guarded([this] { pupRefreshListClick(); }));
}

void TForm1::btnOkayClick() {
  Settings.WriteSetting(settings::kSection, settings::kWallDir, DirTree->SelectedFolder());
  if (ckAutoSize->isChecked()) Settings.WriteSetting(settings::kSection, settings::kAutoSizeAtStart, settings::kYes);

  const std::string cycle = txtChangeCycle->text().toStdString();
  if (cycle.empty()) {
    WarningSound();
    MessageBoxes->Show(text::kMissedCycle);
    return;
  }
  const std::optional<uint32_t> interval = CycleInterval(StrToInt(cycle));
  if (!interval) {
    WarningSound();
    MessageBoxes->Show(Format(text::kCycleOutOfRange, kShortestCycleMinutes, kLongestCycleMinutes));
    return;
  }
  Timer1->SetInterval(*interval);
  Settings.WriteSetting(settings::kSection, settings::kCycle, std::to_string(Timer1->Interval()));
  Timer1->SetEnabled(true);
  ShowRotationState(true);
  // Minimising hands the window to the tray icon.
  showMinimized();
  Timer1Timer();
}

void TForm1::btnStopClick() {
  Timer1->SetEnabled(false);
  ShowRotationState(false);
}

void TForm1::ShowRotationState(bool running) {
  shown_.RotationRunning = running;
  if (!built_) return;
  if (running) {
    StatusPane2->SetCaption(text::kEnabled);
    StatusPane2->SetFillColor(kLime);
  } else {
    StatusPane2->SetCaption(text::kDisabled);
    StatusPane2->SetButtonFaceColor();
  }
}

void TForm1::Timer1Timer() {
  if (stepRunning_) return;
  const TScopedFlag step(stepRunning_);
  const int32_t count = RotationNames().Count();
  Values.CurrentIndex = NextRotationIndex(Values.CurrentIndex, count);
  Settings.ReadSetting(settings::kSection, settings::kRandom);
  if (Settings.SettingValue == settings::kYes && count > 0) Values.CurrentIndex = RandomRotationIndex(count);
  get_bmpfile();
  // Also without a new name: an empty folder's step fails on the previous file.
  do_wallpaper();
}

void TForm1::get_bmpfile() {
  const TFileListItems& items = RotationNames();
  if (items.Count() == 0) return;
  try {
    Values.CurrentFile = items[Values.CurrentIndex];
  } catch (const EListError&) {
    WarningSound();
  }
}

void TForm1::pupChangeWallpapernowClick() { Timer1Timer(); }

void TForm1::pupUpdatewallpaperClick() {
  if (stepRunning_) return;
  const TScopedFlag step(stepRunning_);
  Values.CurrentFile = FileListBox1->SelectedPath();
  do_wallpaper();
}

const TFileListItems& TForm1::RotationNames() const { return built_ ? FileListBox1->Items() : shown_.Names; }

std::string TForm1::ListedFolder() const { return built_ ? FileListBox1->CurrentFolder() : shown_.ListedFolder; }

void TForm1::ShowMessageText(const QString& text) {
  if (!built_) {
    shown_.Message = text;
    return;
  }
  StatusPane1->SetCaption(text);
  // Painted now: a pause may follow, during which nothing is painted.
  StatusPane1->repaint();
}

void TForm1::LoadPreview(const std::string& path) {
  // A hidden window has no preview to show: the picture is loaded when the window is.
  if (!built_) {
    shown_.Preview = path;
    return;
  }
  Image1->Picture().LoadFromFile(path);
}

void TForm1::pupRefreshListClick() {
  KeepRotationPlace(FileListBox1->Items(), [this] { FileListBox1->RefreshFiles(); });
}

void TForm1::KeepRotationPlace(const TFileListItems& before, const std::function<void()>& relist) {
  const bool placed = Values.CurrentIndex >= 0 && Values.CurrentIndex < before.Count();
  const std::string current = placed ? before[Values.CurrentIndex] : std::string();
  relist();
  // A position that names no file (none taken yet, or left from a longer folder) stays.
  if (placed) Values.CurrentIndex = RotationIndexOfName(current, RotationNames());
}

TDesktopQueue& TForm1::DesktopQueue() {
  // Made at the first change rather than at start: asking the desktops whether they
  // answer costs time the start-up does not need to spend (and the queue's thread asks).
  if (!desktopQueue_) {
    desktopQueue_ = std::make_unique<TDesktopQueue>(std::move(Desktop), DesktopSetupOf(Settings, Folders),
                                                    [this] { MonitorsChanged(); });
  }
  return *desktopQueue_;
}

void TForm1::TakeDesktop(std::unique_ptr<desktop::TDesktopBackend> desktop) {
  Desktop = std::move(desktop);
  DesktopQueue();
}

void TForm1::ReportStepFailure(const std::exception& error, bool timed) {
  if (!timed) {
    ShowException(error);
    return;
  }
  if (dynamic_cast<const EAbort*>(&error) != nullptr) return;
  WarningSound();
  TWindowPreparationContext(*this, true).ShowMessage(error.what());
}

void TForm1::do_wallpaper() {
  // Shared with the desktop's outcome, which comes after this returns. The desktop's
  // error, when it comes, is reported as the step's own would be.
  const bool timed = timedStep_;
  auto context = std::make_shared<TWindowPreparationContext>(*this, timed);
  TDesktopRunner runner = DesktopRunner ? DesktopRunner : [this, context, timed](TDesktopWork work, TDesktopDone done) {
    DesktopQueue().Post(std::move(work), [this, context, timed, done = std::move(done)](std::exception_ptr error) {
      try {
        done(error);
      } catch (const std::exception& failure) {
        ReportStepFailure(failure, timed);
      }
    });
  };
  TWallpaperPreparation(Settings, Values, *context, std::move(runner), Conversions).do_wallpaper();
}

void TForm1::MonitorsChanged() {
  const std::optional<TKeptWallpaper> kept = KeptWallpaper(Settings);
  if (!kept) return;
  DesktopQueue().Post([kept = *kept](desktop::TDesktopBackend& desktop) { SetKeptWallpaper(desktop, kept); },
                      [this](std::exception_ptr error) {
                        try {
                          if (error) std::rethrow_exception(error);
                        } catch (const Exception& failure) {
                          TWindowPreparationContext(*this, false).ShowMessage(failure.what());
                        }
                      });
}

}  // namespace tapestro
