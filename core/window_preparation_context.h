#pragma once
// Wallpaper preparation inside the main window: texts go to the message pane, message
// boxes through the window's own, the temporary pictures to the program's data folder.
#include "core/wallpaper_preparation.h"

namespace tapestro {

class TForm1;

class TWindowPreparationContext final : public TPreparationContext {
 public:
  explicit TWindowPreparationContext(TForm1& form) : form_(form) {}

  void ShowMessage(const std::string& text) override;
  void Beep() override;
  void Pause(int milliseconds) override;
  std::string TemporaryFolder() const override;
  void LoadPreview(const std::string& path) override;
  void ShowMessageBox(const std::string& text) override;
  std::string WindowsDirectory() override;
  std::string LocalTimeText() override;

 private:
  TForm1& form_;
};

}  // namespace tapestro
