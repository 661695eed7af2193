// "Start with the session" on Windows: a value named after the program under the
// user's Run key, holding the quoted path of the executable, which the shell starts at
// logon. The entry is on while the value is there.
#include <windows.h>

#include "base/errors.h"
#include "base/text.h"
#include "platform/autostart.h"

namespace tapestro {

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kCannotWrite[] = "Cannot write the value \"%s\" under HKEY_CURRENT_USER\\%s. %s";
constexpr char kCannotRemove[] = "Cannot remove the value \"%s\" under HKEY_CURRENT_USER\\%s. %s";

// The system's text for a registry status, without its line break.
std::string SystemReason(LSTATUS status) {
  char text[512] = {};
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(status), 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
  return length > 0 ? std::string(text, length) : Format("Error %d.", static_cast<long long>(status));
}

class TRunKeyAutostart final : public TAutostart {
 public:
  explicit TRunKeyAutostart(TAutostartEntry entry) : entry_(std::move(entry)) {}

  bool Enabled() const override {
    // Either string type starts the program; asking for the expandable one needs NOEXPAND.
    return ::RegGetValueA(HKEY_CURRENT_USER, kRunKey, entry_.Name.c_str(),
                          RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
  }

  void SetEnabled(bool enabled) override {
    if (enabled) {
      Write();
    } else {
      Remove();
    }
  }

 private:
  // Quoted, so that a path with blanks names one program.
  void Write() const {
    const std::string command = "\"" + entry_.Program + "\"";
    HKEY key = nullptr;
    LSTATUS status = ::RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                       nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
      // REG_SZ data includes the terminating NUL.
      status = ::RegSetValueExA(key, entry_.Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>(command.size() + 1));
      ::RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS) throw EOSError(Format(kCannotWrite, entry_.Name, kRunKey, SystemReason(status)));
  }

  void Remove() const {
    const LSTATUS status = ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, entry_.Name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
      throw EOSError(Format(kCannotRemove, entry_.Name, kRunKey, SystemReason(status)));
  }

  TAutostartEntry entry_;
};

}  // namespace

std::unique_ptr<TAutostart> CreateAutostart(TAutostartEntry entry) {
  return std::make_unique<TRunKeyAutostart>(std::move(entry));
}

}  // namespace tapestro
