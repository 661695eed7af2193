#pragma once
// How a top-level folder of the folder tree is captioned: "Label (/media/usb)".
#include <string>
#include <string_view>

namespace tapestro {

// The label lower-cased with its first letter upper-cased (a label PHOTOS becomes
// Photos), a blank and the mount point in brackets. An empty label keeps the blank:
// " (/)".
std::string VolumeCaption(std::string_view label, std::string_view mountPoint);
// "(/mnt/x)": a volume whose file system cannot be read.
std::string UnreadableVolumeCaption(std::string_view mountPoint);

}  // namespace tapestro
