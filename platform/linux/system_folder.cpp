#include "platform/system_folder.h"

#include <sys/stat.h>

namespace tapestro {

std::string SystemFolder() {
  struct stat root {};
  return ::stat("/", &root) == 0 && S_ISDIR(root.st_mode) ? "/" : "";
}

}  // namespace tapestro
