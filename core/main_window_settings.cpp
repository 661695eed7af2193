// The setting controls and the start-up step. Each choice of the cycle box's arrows,
// the three check boxes and the placement list is stored the moment it is made.
//
// The one-shot start-up step, a second after the message loop starts, brings the
// stored folder, cycle, choices and placement back (into what the window starts from
// while it is not built, where the folder's images are read for the rotation), and
// the window either stays the tray icon or comes to the front. The wallpaper is not
// changed there. A value the program never writes (hand-edited) is skipped with a beep, and the steps after it
// still run.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <optional>

#include "base/errors.h"
#include "base/path.h"
#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/file_listing.h"
#include "controls/folder_paths.h"
#include "controls/image.h"
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

// The images the file list would show for the stored folder, read while no list is
// made: those of the folder the tree goes to, unless the way down passes a hidden
// folder, which the tree does not list.
void ListRestoredFolder(TWindowState& shown, const std::string& folder, const std::vector<std::string>& mountPlaces) {
  const std::string absolute = ExcludeTrailingPathDelimiter(ExpandFileName(folder));
  const std::string root(1, kPathDelim);
  const TFolderToOpen target = FolderToOpen(absolute, folder, {root}, mountPlaces);
  for (const std::string& name : NamesBelow(root, target.Folder))
    if (name.front() == '.') return;
  shown.ListedFolder = target.Folder;
  shown.Names.Assign(ListFolder(target.Folder, kDefaultImageMask));
}

void RestoreCycle(TForm1& form, TWindowState& shown) {
  const std::string value = Read(form, settings::kCycle);
  const std::optional<int> cycle = IsStored(value) ? IntegerOrNone(value) : std::nullopt;
  // 0 would never tick; a negative one has no meaning.
  if (!cycle || *cycle <= 0) {
    if (IsStored(value)) form.WarningSound();
    form.ShowRotationState(false);
    return;
  }
  shown.CycleText = QString::number(*cycle / kMillisecondsPerMinute);
  form.Timer1->SetInterval(static_cast<uint32_t>(*cycle));
  if (!form.Timer1->Enabled()) form.Timer1->SetEnabled(true);
  form.ShowRotationState(true);
}

// A choice stored as "y" is stored again, as checking its box does.
bool RestoreChoice(TForm1& form, const char* key) {
  if (Read(form, key) != settings::kYes) return false;
  form.Settings.WriteSetting(settings::kSection, key, settings::kYes);
  return true;
}

void RestorePlacement(TForm1& form, TWindowState& shown) {
  const std::string value = Read(form, settings::kWallpaperLoc);
  if (value == settings::kMissing) return;
  if (const std::optional<int> index = IntegerOrNone(value)) {
    shown.Placement = *index >= 0 && *index < static_cast<int>(std::size(text::kPlacements)) ? *index : -1;
  } else if (!IsOriginSetting(value)) {
    form.WarningSound();
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
  ShowNotice();
  RestoreFolder();
  RestoreCycle(*this, shown_);
  shown_.Random = RestoreChoice(*this, settings::kRandom);
  shown_.AutoSize = RestoreChoice(*this, settings::kAutoSizeBox);
  RestorePlacement(*this, shown_);
  shown_.MinStartup = RestoreChoice(*this, settings::kMinStartup);
  if (built_) ShowRestoredSettings();
  // The window either stays the icon or comes to the front, built then.
  if (shown_.MinStartup)
    TrayIcon->MinimizeToTray();
  else
    TrayIcon->RestoreFromTray();
  // Once, when the restored window has drawn: no wake-up follows while idle.
  QTimer::singleShot(kSettleDelay, this, [] { ReturnFreedMemory(); });
}

void TForm1::RestoreFolder() {
  const std::string folder = Read(*this, settings::kWallDir);
  if (!IsStored(folder)) return;
  shown_.Folder = folder;
  try {
    if (built_)
      OpenRestoredFolder();
    else
      ListRestoredFolder(shown_, folder, volumes_->MountPlaces());
    shown_.FolderOpened = true;
  } catch (const Exception& missing) {
    // The folder is gone, or its volume is not there: the label keeps the stored text
    // and the setting stays, for the day the volume is back.
    WarningSound();
    ShowMessageText(QString::fromStdString(DisplayFileName(missing.what())));
  }
}

void TForm1::OpenRestoredFolder() {
  lblDirectorySelected->setText(QString::fromStdString(DisplayFileName(shown_.Folder)));
  DirTree->OpenFolder(shown_.Folder);  // points the file list there too
}

void TForm1::ShowNotice() {
  shown_.NoticeShown = true;
  if (!built_) return;
  StatusPane3->SetCaption(text::kNotice);
  StatusPane3->setToolTip(text::kNoticeHint);
}

void TForm1::ShowReports() {
  StatusPane1->SetCaption(shown_.Message);
  ShowRotationState(shown_.RotationRunning);
  if (shown_.NoticeShown) ShowNotice();
  if (shown_.Preview.empty()) return;
  try {
    Image1->Picture().LoadFromFile(shown_.Preview);
  } catch (const std::exception&) {
    // Gone or damaged since: the preview stays empty, as the change reported then.
  }
}

void TForm1::ShowRestoredFolder() {
  if (shown_.Folder.empty()) return;
  if (!shown_.FolderOpened) {
    lblDirectorySelected->setText(QString::fromStdString(DisplayFileName(shown_.Folder)));
    return;
  }
  // The list reads it again.
  KeepRotationPlace(shown_.Names, [this] {
    try {
      OpenRestoredFolder();
    } catch (const Exception& missing) {
      // Gone since the start-up step read it.
      ShowMessageText(QString::fromStdString(DisplayFileName(missing.what())));
    }
  });
  shown_.Names = TFileListItems();
}

void TForm1::ShowRestoredSettings() {
  // Set in code: the handlers that store each choice do not run for what is stored.
  txtChangeCycle->setText(shown_.CycleText);
  const QSignalBlocker random(ckRandom), autoSize(ckAutoSize), minStartup(ckMinStartup);
  ckRandom->setChecked(shown_.Random);
  ckAutoSize->setChecked(shown_.AutoSize);
  ckMinStartup->setChecked(shown_.MinStartup);
  cboAutoSize->setCurrentIndex(shown_.Placement);
}

}  // namespace tapestro
