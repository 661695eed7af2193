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

std::string DisplayFileName(std::string_view name) {
  if (name.empty()) return {};
  const int size = static_cast<int>(name.size());
  const int wide = ::MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
  if (wide <= 0) return std::string(name);
  std::wstring text(static_cast<size_t>(wide), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, name.data(), size, text.data(), wide);
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string shown(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, shown.data(), bytes, nullptr, nullptr);
  return shown;
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
