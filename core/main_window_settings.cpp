// Handlers of the setting controls: the cycle box's arrows, the three check boxes and
// the placement list. Each choice is stored the moment it is made.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "controls/up_down.h"
#include "core/application.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "core/rotation.h"

namespace tapestro {

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

}  // namespace tapestro
