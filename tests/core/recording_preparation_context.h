#pragma once
// A preparation context that records every message, beep, pause, preview and message
// box, answers with a fixed time and a system folder the test chooses, and fails to
// preview files that do not exist.
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/path.h"
#include "core/preparation_context.h"

namespace tapestro::test {

class RecordingPreparationContext final : public TPreparationContext {
 public:
  explicit RecordingPreparationContext(std::string temporaryFolder = "/tmp/program/")
      : temporaryFolder_(std::move(temporaryFolder)) {}

  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void Beep() override { ++Beeps; }
  void Pause(int milliseconds) override { Pauses.push_back(milliseconds); }
  std::string TemporaryFolder() const override { return temporaryFolder_; }
  void LoadPreview(const std::string& path) override {
    Previews.push_back(path);
    if (!FileExists(path)) throw EInvalidGraphic("cannot preview " + path);
  }
  void ShowMessageBox(const std::string& text) override { MessageBoxes.push_back(text); }
  std::string WindowsDirectory() override { return SystemFolder; }
  std::string LocalTimeText() override { return "12:34:56"; }

  std::string SystemFolder = "/";
  std::vector<std::string> Messages;
  int Beeps = 0;
  std::vector<int> Pauses;
  std::vector<std::string> Previews;
  std::vector<std::string> MessageBoxes;

 private:
  std::string temporaryFolder_;
};

}  // namespace tapestro::test
