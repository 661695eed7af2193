// The setting controls and the start-up step. Each choice of the cycle box's arrows,
// the three check boxes and the placement list is stored the moment it is made.
//
// The one-shot start-up step, a second after the message loop starts, brings the
// stored folder, cycle, choices and placement back, and the window either stays the
// tray icon or comes to the front. The wallpaper is not changed there. A value the
// program never writes (hand-edited) is skipped with a beep, and the steps after it
// still run.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <optional>

#include "base/errors.h"
#include "controls/directory_tree.h"
#include "controls/status_pane.h"
#include "controls/tray_icon.h"
#include "controls/up_down.h"
#include "core/application.h"
#include "core/desktop_wallpaper.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "core/rotation.h"
#include "core/window_timer.h"
#include "platform/system_services.h"

namespace tapestro {

namespace {

// From the start-up step until its window has been drawn and the program is idle.
constexpr int kSettleDelay = 300;

bool IsStored(const std::string& value) { return !value.empty() && value != settings::kMissing; }

std::optional<int> IntegerOrNone(const std::string& text) {
  try {
    return StrToInt(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

const std::string& Read(TForm1& form, const char* key) {
  form.Settings.ReadSetting(settings::kSection, key);
  return form.Settings.SettingValue;
}

void RestoreFolder(TForm1& form) {
  const std::string folder = Read(form, settings::kWallDir);
  if (!IsStored(folder)) return;
  form.lblDirectorySelected->setText(QString::fromStdString(DisplayFileName(folder)));
  try {
    form.DirTree->OpenFolder(folder);  // points the file list there too
  } catch (const Exception& missing) {
    // The folder is gone, or its volume is not there: the label keeps the stored text
    // and the setting stays, for the day the volume is back.
    form.WarningSound();
    form.StatusPane1->SetCaption(QString::fromStdString(DisplayFileName(missing.what())));
  }
}

void RestoreCycle(TForm1& form) {
  const std::string value = Read(form, settings::kCycle);
  const std::optional<int> cycle = IsStored(value) ? IntegerOrNone(value) : std::nullopt;
  // 0 would never tick; a negative one has no meaning.
  if (!cycle || *cycle <= 0) {
    if (IsStored(value)) form.WarningSound();
    form.ShowRotationState(false);
    return;
  }
  form.txtChangeCycle->setText(QString::number(*cycle / kMillisecondsPerMinute));
  form.Timer1->SetInterval(static_cast<uint32_t>(*cycle));
  if (!form.Timer1->Enabled()) form.Timer1->SetEnabled(true);
  form.ShowRotationState(true);
}

// Checking a box runs its handler, which stores the "y" again.
void RestoreCheckBox(TForm1& form, QCheckBox* box, const char* key) {
  if (Read(form, key) == settings::kYes) box->setChecked(true);
}

void RestorePlacement(TForm1& form) {
  const std::string value = Read(form, settings::kWallpaperLoc);
  if (value == settings::kMissing) return;
  if (const std::optional<int> index = IntegerOrNone(value)) {
    // Set in code, so the list's own handler does not store it again.
    form.cboAutoSize->setCurrentIndex(*index >= 0 && *index < form.cboAutoSize->count() ? *index : -1);
  } else if (!IsOriginSetting(value)) {
    form.WarningSound();
  }
}

void RestoreWindow(TForm1& form) {
  if (Read(form, settings::kMinStartup) == settings::kYes) {
    form.ckMinStartup->setChecked(true);
    form.TrayIcon->MinimizeToTray();
  } else {
    form.TrayIcon->RestoreFromTray();
  }
}

}  // namespace

void TForm1::ConnectSettingHandlers() {
  UpDown1->OnClick = [this](TUDBtnType button) { RunGuarded([&] { UpDown1Click(button); }); };
  // toggled fires on every change, also when the box is set in code.
  connect(ckRandom, &QCheckBox::toggled, this, Guarded([this] { ckRandomClick(); }));
  connect(ckAutoSize, &QCheckBox::toggled, this, Guarded([this] { ckAutoSizeClick(); }));
  connect(ckMinStartup, &QCheckBox::toggled, this, Guarded([this] { ckMinStartupClick(); }));
  // activated fires only on the user's choice, not when an index is set in code.
  connect(cboAutoSize, &QComboBox::activated, this, Guarded([this] { cboAutoSizeSelect(); }));
}

void TForm1::UpDown1Click(TUDBtnType button) {
  // Nothing is stored: Save/Start stores the cycle.
  txtChangeCycle->setText(QString::fromStdString(CycleAfterArrow(txtChangeCycle->text().toStdString(), button)));
}

void TForm1::StoreFlag(const QCheckBox* box, const char* key) {
  if (box->isChecked())
    Settings.WriteSetting(settings::kSection, key, settings::kYes);
  else
    Settings.DeleteSetting(settings::kSection, key);
}

void TForm1::ckRandomClick() { StoreFlag(ckRandom, settings::kRandom); }
void TForm1::ckAutoSizeClick() { StoreFlag(ckAutoSize, settings::kAutoSizeBox); }
void TForm1::ckMinStartupClick() { StoreFlag(ckMinStartup, settings::kMinStartup); }

void TForm1::cboAutoSizeSelect() {
  Settings.WriteSetting(settings::kSection, settings::kWallpaperLoc, std::to_string(cboAutoSize->currentIndex()));
}

void TForm1::startupTimer() {
  startup->SetEnabled(false);
  Settings.RzRegIni.SetPath(Folders.SettingsFile());
  StatusPane3->SetCaption(text::kNotice);
  StatusPane3->setToolTip(text::kNoticeHint);
  RestoreFolder(*this);
  RestoreCycle(*this);
  RestoreCheckBox(*this, ckRandom, settings::kRandom);
  RestoreCheckBox(*this, ckAutoSize, settings::kAutoSizeBox);
  RestorePlacement(*this);
  RestoreWindow(*this);
  // Once, when the restored window has drawn: no wake-up follows while idle.
  QTimer::singleShot(kSettleDelay, this, [] { ReturnFreedMemory(); });
}

}  // namespace tapestro
