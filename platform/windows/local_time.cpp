#include "platform/local_time.h"

#include <windows.h>

namespace tapestro {

// The user's long time format, as the system writes it.
std::string CurrentLocalTimeText() {
  char text[128] = {};
  const int length = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
  return length > 1 ? std::string(text, static_cast<size_t>(length - 1)) : std::string();
}

}  // namespace tapestro
