#include "platform/system_services.h"

#include <sys/stat.h>

#include <QLocale>
#include <QTime>
// Any C library header says whether the library is glibc.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tapestro {

std::string SystemFolder() {
  struct stat root {};
  return ::stat("/", &root) == 0 && S_ISDIR(root.st_mode) ? "/" : "";
}

// The locale's long time format stands in for the user's own.
std::string CurrentLocalTimeText() {
  return QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat).toStdString();
}

void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

void ReturnLargeBlocksAtOnce() {
#if defined(__GLIBC__)
  // glibc's own starting limit; set by hand it stays there.
  constexpr int kLargeBlockBytes = 128 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
}

}  // namespace tapestro
