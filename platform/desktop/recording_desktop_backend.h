#pragma once
// A desktop back end that only records what it is asked, for tests of the wallpaper
// routine and of its callers. It can be told to fail at any step.
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {

class TRecordingDesktopBackend final : public TDesktopBackend {
 public:
  std::string Name() const override { return "recording"; }
  bool OpenStore() override {
    Calls.push_back("open");
    return !FailOpen;
  }
  TStoreResult SetStringValue(const std::string& name, const std::string& value) override {
    Calls.push_back("set " + name + "=" + value);
    return FailingWrite == writes_++ ? FailingWriteResult : TStoreResult::Stored;
  }
  void CloseStore() override { Calls.push_back("close"); }
  void Reload() override {
    Calls.push_back("reload");
    if (FailReload) ThrowReloadError("recorded failure");
  }
  bool ForgetsWallpaper() const override { return Forgets; }

  // Every call in order: "open", "set NAME=VALUE", "close", "reload".
  std::vector<std::string> Calls;

  bool FailOpen = false;
  // The zero-based value write that fails, and how.
  std::optional<size_t> FailingWrite;
  TStoreResult FailingWriteResult = TStoreResult::Refused;
  bool FailReload = false;
  bool Forgets = false;

 private:
  size_t writes_ = 0;
};

}  // namespace tapestro::desktop
