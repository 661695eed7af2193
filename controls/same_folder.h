#pragma once
// The one test of "is this the folder we are in already", shared by the image file list
// and the folder tree so that both treat a name in other letter case alike.
#include <string>

namespace tapestro {

// True when requested names the folder current names. Names that differ only in letter
// case stand for one folder, as on Windows, unless requested leads to another existing
// folder (which a Linux file system allows): only then is it a different one.
bool SameFolder(const std::string& current, const std::string& requested);

}  // namespace tapestro
