#include "platform/volume_caption.h"

#include "base/text.h"

namespace tapestro {

std::string VolumeCaption(std::string_view label, std::string_view mountPoint) {
  std::string name = LowerCase(label);
  if (!name.empty()) name = UpperCase(name.substr(0, 1)) + name.substr(1);
  return name + " " + UnreadableVolumeCaption(mountPoint);
}

std::string UnreadableVolumeCaption(std::string_view mountPoint) {
  return std::string("(").append(mountPoint).append(")");
}

}  // namespace tapestro
