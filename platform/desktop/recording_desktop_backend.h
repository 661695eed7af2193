#pragma once
// A desktop back end that only records what it is asked, for tests of the wallpaper
// routine and of its callers. It can be told to fail at any step.
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop_backend.h"

namespace tapestro::desktop {

class TRecordingDesktopBackend final : public TDesktopBackend {
 public:
  std::string Name() const override { return "recording"; }
  bool OpenStore() override;
  TStoreResult SetStringValue(const std::string& name, const std::string& value) override;
  void CloseStore() override;
  void Reload() override;

  // Every call in order: "open", "set NAME=VALUE", "close", "reload".
  std::vector<std::string> Calls;

  bool FailOpen = false;
  // The zero-based value write that fails, and how.
  std::optional<size_t> FailingWrite;
  TStoreResult FailingWriteResult = TStoreResult::Refused;
  bool FailReload = false;

 private:
  size_t writes_ = 0;
};

}  // namespace tapestro::desktop
