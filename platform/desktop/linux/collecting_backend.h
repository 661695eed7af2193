#pragma once
// The base of the Linux back ends. Their desktops have no store shaped like the five
// values, so the values are gathered and checked as they are written and the reload
// hands the whole request to the desktop at once.
#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

class TCollectingDesktopBackend : public TDesktopBackend {
 public:
  bool OpenStore() override;
  TStoreResult SetStringValue(const std::string& name, const std::string& value) override;
  void CloseStore() override {}
  void Reload() override;

 protected:
  // Shows the request; EDesktopReloadError when the desktop does not take it.
  virtual void Apply(const TWallpaperRequest& request) = 0;

 private:
  TWallpaperValues values_;
};

}  // namespace tapestro::desktop
