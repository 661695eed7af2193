#include "platform/system_services.h"

#include <glib.h>
#include <sys/stat.h>

#include <QLocale>
#include <QTime>
#include <algorithm>
#include <memory>

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

std::string DisplayFileName(std::string_view name) {
  // Plain ASCII reads the same in every file-name encoding: most names need no work.
  if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(name);
  // GLib wants a terminated string; a name never holds a NUL.
  const std::string terminated(name);
  const std::unique_ptr<gchar, decltype(&g_free)> shown(g_filename_display_name(terminated.c_str()), &g_free);
  return shown ? std::string(shown.get()) : terminated;
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
