// The rotation: Save/Start, Stop, the change cycle's ticks, "Change wallpaper now" and
// "Update wallpaper with selected file".
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "base/errors.h"
#include "base/scoped_flag.h"
#include "base/text.h"
#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/status_pane.h"
#include "core/cycle_interval.h"
#include "core/error_report.h"
#include "core/main_window.h"
#include "core/main_window_texts.h"
#include "core/rotation_index.h"
#include "core/settings_keys.h"
#include "core/wallpaper_texts.h"
#include "core/window_timer.h"

namespace tapestro {

void TForm1::ConnectRotationHandlers() {
  Timer1->OnTimer = [this] { Timer1Timer(); };
  connect(btnOkay, &QPushButton::clicked, this, Guarded([this] { btnOkayClick(); }));
  connect(btnStop, &QPushButton::clicked, this, Guarded([this] { btnStopClick(); }));
  connect(pupChangeWallpapernow, &QAction::triggered, this, Guarded([this] { pupChangeWallpapernowClick(); }));
  connect(pupUpdatewallpaper, &QAction::triggered, this, Guarded([this] { pupUpdatewallpaperClick(); }));
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
  const int32_t count = FileListBox1->Items().Count();
  Values.CurrentIndex = NextRotationIndex(Values.CurrentIndex, count);
  Settings.ReadSetting(settings::kSection, settings::kRandom);
  if (Settings.SettingValue == settings::kYes && count > 0) Values.CurrentIndex = RandomRotationIndex(count);
  get_bmpfile();
  // Also without a new name: an empty folder's step fails on the previous file.
  do_wallpaper();
}

void TForm1::get_bmpfile() {
  const TFileListItems& items = FileListBox1->Items();
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

}  // namespace tapestro
