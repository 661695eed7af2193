#include "controls/same_folder.h"

#include <sys/stat.h>

#include "controls/name_order.h"

namespace tapestro {

namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return TNameOrder::ToText(a).toLower() == TNameOrder::ToText(b).toLower();
}

bool IsOtherExistingFolder(const std::string& current, const std::string& requested) {
  struct stat a {}, b {};
  if (::stat(requested.c_str(), &b) != 0 || !S_ISDIR(b.st_mode)) return false;
  if (::stat(current.c_str(), &a) != 0) return true;
  return a.st_dev != b.st_dev || a.st_ino != b.st_ino;
}

}  // namespace

bool SameFolder(const std::string& current, const std::string& requested) {
  if (current == requested) return true;
  return SameNameIgnoringCase(current, requested) && !IsOtherExistingFolder(current, requested);
}

}  // namespace tapestro
