#pragma once
// The order of folder names in the folder tree: the image file list's order, so that
// folders and files read alike. Keep the two on one collation.
#include <string>
#include <vector>

namespace tapestro {

// Sorts names (as stored on disk) by the user's locale without regard to case; under
// the C or POSIX locale by the root collation, so that "alpha" comes before "Beta".
// Names that differ only in case, which a Linux folder may hold, keep a fixed order.
void SortFolderNames(std::vector<std::string>& names);

}  // namespace tapestro
