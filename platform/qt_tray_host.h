#pragma once
// A notification area known only through the toolkit's own test.
#include "platform/tray_host.h"

namespace tapestro {

class TQtTrayHost final : public TTrayHost {
  Q_OBJECT

 public:
  using TTrayHost::TTrayHost;
  bool Available() const override;
};

}  // namespace tapestro
