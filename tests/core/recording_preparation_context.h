#pragma once
// A preparation context that records every message, beep, pause, preview and message
// box in order, previews through a real picture load by extension (so a missing file or
// a PNG fails there), and answers with a fixed time and a system folder the test
// chooses. Pauses take no time.
#include <string>
#include <vector>

#include "core/wallpaper_preparation.h"
#include "imaging/picture.h"

namespace tapestro::test {

class RecordingPreparationContext final : public TPreparationContext {
 public:
  explicit RecordingPreparationContext(std::string temporaryFolder = "/tmp/program/")
      : temporaryFolder_(std::move(temporaryFolder)) {}

  void ShowMessage(const std::string& text) override {
    Messages.push_back(text);
    Events.push_back("message " + text);
  }
  void Beep() override { Events.push_back("beep"); }
  void Pause(int milliseconds) override { Events.push_back("pause " + std::to_string(milliseconds)); }
  std::string TemporaryFolder() const override { return temporaryFolder_; }
  void LoadPreview(const std::string& path) override {
    Events.push_back("preview " + path);
    Preview.LoadFromFile(path);
  }
  void ShowMessageBox(const std::string& text) override { MessageBoxes.push_back(text); }
  std::string WindowsDirectory() override { return SystemFolder; }
  std::string LocalTimeText() override { return "12:34:56"; }

  std::string SystemFolder = "/";
  // "message TEXT", "beep", "pause MS", "preview PATH", in the order they came.
  std::vector<std::string> Events;
  std::vector<std::string> Messages;
  std::vector<std::string> MessageBoxes;
  TPicture Preview;

 private:
  std::string temporaryFolder_;
};

}  // namespace tapestro::test
