#include "core/window_preparation_context.h"

#include "controls/image.h"
#include "controls/status_pane.h"
#include "core/main_window.h"
#include "platform/system_services.h"

namespace tapestro {

void TWindowPreparationContext::ShowMessage(const std::string& text) {
  form_.StatusPane1->SetCaption(QString::fromStdString(text));
  // Painted now: a pause may follow, during which nothing is painted.
  form_.StatusPane1->repaint();
}

void TWindowPreparationContext::Beep() { form_.WarningSound(); }

void TWindowPreparationContext::Pause(int milliseconds) { PauseUserInterface(milliseconds); }

std::string TWindowPreparationContext::TemporaryFolder() const { return form_.Folders.Data; }

void TWindowPreparationContext::LoadPreview(const std::string& path) {
  form_.Image1->Picture().LoadFromFile(path);
}

void TWindowPreparationContext::ShowMessageBox(const std::string& text) { form_.MessageBoxes->Show(text); }

std::string TWindowPreparationContext::WindowsDirectory() { return SystemFolder(); }

std::string TWindowPreparationContext::LocalTimeText() { return CurrentLocalTimeText(); }

}  // namespace tapestro
