#include "platform/system_services.h"

#include <windows.h>

namespace tapestro {

std::string SystemFolder() {
  // A buffer of MAX_PATH: a shorter one is left unfilled when the folder is longer,
  // which would read as no folder at all.
  char buffer[MAX_PATH + 1] = {};
  const UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length > MAX_PATH) return {};
  return std::string(buffer, length);
}

// The user's long time format, as the system writes it.
std::string CurrentLocalTimeText() {
  char text[128] = {};
  const int length = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
  return length > 1 ? std::string(text, static_cast<size_t>(length - 1)) : std::string();
}

// Only glibc's allocator is asked to give freed pages back.
void ReturnFreedMemory() {}
void ReturnLargeBlocksAtOnce() {}

}  // namespace tapestro
