#include "core/window_preparation_context.h"

#include "controls/status_pane.h"
#include "core/main_window.h"
#include "platform/beep.h"
#include "platform/local_time.h"
#include "platform/system_folder.h"
#include "platform/ui_pause.h"

namespace tapestro {

void TWindowPreparationContext::ShowMessage(const std::string& text) {
  form_.StatusPane1->SetCaption(QString::fromStdString(text));
  // Painted now: a pause may follow, during which nothing is painted.
  form_.StatusPane1->repaint();
}

void TWindowPreparationContext::Beep() { tapestro::Beep(); }

void TWindowPreparationContext::Pause(int milliseconds) { PauseUserInterface(milliseconds); }

std::string TWindowPreparationContext::TemporaryFolder() const { return form_.Folders.Data; }

void TWindowPreparationContext::LoadPreview(const std::string&) {
  // INTEGRATION: the preview picture Image1 is still a stand-in with nothing to load
  // into; load path into it here once it is placed in the window.
}

void TWindowPreparationContext::ShowMessageBox(const std::string& text) { form_.MessageBoxes->Show(text); }

std::string TWindowPreparationContext::WindowsDirectory() { return SystemFolder(); }

std::string TWindowPreparationContext::LocalTimeText() { return CurrentLocalTimeText(); }

}  // namespace tapestro
