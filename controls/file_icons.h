#pragma once
// Small icons of listed entries, one per lower-case extension, kept for the whole run:
// a folder of thousands of pictures asks the icon provider a handful of times.
#include <QIcon>

#include "controls/file_listing.h"

namespace tapestro {

// The icon of an entry of the process's current directory.
QIcon FileIcon(const TRzFileInfo& entry);

}  // namespace tapestro
