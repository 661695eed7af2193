#pragma once
// What the main window takes from the system: the notification area for its tray icon
// and the volumes at the top of its folder tree. Tests hand in stand-ins.
#include <memory>

#include "platform/tray_host.h"
#include "platform/volume_source.h"

namespace tapestro {

struct TWindowServices {
  std::unique_ptr<TTrayHost> TrayHost = CreateTrayHost();
  std::unique_ptr<TVolumeSource> Volumes = CreateVolumeSource();
};

}  // namespace tapestro
