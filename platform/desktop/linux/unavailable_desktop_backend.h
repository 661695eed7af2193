#pragma once
// Where no desktop answers and no display is reachable (a text console, a broken
// session): the values are taken and the reload tells why nothing can show them.
#include "platform/desktop/linux/collecting_backend.h"

namespace tapestro::desktop {

class TUnavailableDesktopBackend final : public TCollectingDesktopBackend {
 public:
  std::string Name() const override { return "none"; }

 protected:
  void Apply(const TWallpaperRequest& request) override;
};

}  // namespace tapestro::desktop
