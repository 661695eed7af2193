#pragma once
// Wallpaper preparation on the command line: every text goes to standard error, there
// is no preview to show and no pause to wait out.
#include <string>

#include "core/wallpaper_preparation.h"

namespace tapestro::tool {

class TConsolePreparationContext final : public TPreparationContext {
 public:
  explicit TConsolePreparationContext(std::string temporaryFolder) : temporaryFolder_(std::move(temporaryFolder)) {}

  void ShowMessage(const std::string& text) override;
  void Beep() override {}
  void Pause(int) override {}
  std::string TemporaryFolder() const override { return temporaryFolder_; }
  void LoadPreview(const std::string&) override {}
  void ShowMessageBox(const std::string& text) override;
  std::string WindowsDirectory() override;
  std::string LocalTimeText() override;

 private:
  std::string temporaryFolder_;
};

}  // namespace tapestro::tool
