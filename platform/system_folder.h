#pragma once
// The operating system's own folder: the Windows directory on Windows, the file system
// root elsewhere. Wallpaper preparation only asks whether there is one.
#include <string>

namespace tapestro {

// Empty when the system does not name one.
std::string SystemFolder();

}  // namespace tapestro
