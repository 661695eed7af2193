// "Start with the session" on Linux: a desktop file in the autostart folder of the
// desktop's base-directory rules, which every session manager that follows them reads
// at login. The entry is on while the file is there and does not say Hidden=true.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/file_system.h"
#include "base/text.h"
#include "platform/app_folders.h"
#include "platform/autostart.h"

namespace tapestro {

namespace {

constexpr char kCannotRemove[] = "Cannot remove file \"%s\". %s";
// An autostart file is a few lines; a larger one is read only this far.
constexpr size_t kMaxRead = 64 * 1024;

// Characters that make the Exec key's rules quote an argument.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// One argument of an Exec value: quoted when it holds a reserved character, with '"',
// '`', '$' and '\' escaped inside the quotes; '%' doubled, as field codes ask.
std::string ExecArgument(const std::string& argument) {
  const bool quoted = argument.find_first_of(kReserved) != std::string::npos;
  std::string out = quoted ? "\"" : "";
  for (const char c : argument) {
    if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c == '%' ? "%%" : std::string(1, c);
  }
  return quoted ? out + "\"" : out;
}

// A value of type string: backslashes and control characters escaped. Applied after
// the Exec quoting, as the rules say, so a backslash in a quoted path is written as four.
std::string StringValue(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string DesktopFile(const TAutostartEntry& entry) {
  return "[Desktop Entry]\nType=Application\nName=" + StringValue(entry.Name) +
         "\nComment=" + StringValue(entry.Comment) + "\nExec=" + StringValue(ExecArgument(entry.Program)) +
         "\nIcon=" + StringValue(entry.Id) + "\nTerminal=false\n";
}

// Whether a line of the file is "Hidden=true", blanks around the '=' allowed.
bool HidesEntry(std::string line) {
  std::erase_if(line, [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
  return line == "Hidden=true";
}

class TXdgAutostart final : public TAutostart {
 public:
  explicit TXdgAutostart(TAutostartEntry entry) : entry_(std::move(entry)) {}

  // Read without the C++ streams: the first stream a program opens sets up the standard
  // library's locale, about 250 KiB resident for as long as the program runs, and this
  // runs at every start.
  bool Enabled() const override {
    const int fd = fs::OpenForReading(Path());
    if (fd < 0) return false;
    std::string text(kMaxRead, '\0');
    const int64_t read = fs::ReadAt(fd, text.data(), text.size(), 0);
    fs::CloseFile(fd);
    if (read < 0) return false;
    text.resize(static_cast<size_t>(read));
    for (size_t start = 0; start < text.size();) {
      const size_t end = std::min(text.find('\n', start), text.size());
      if (HidesEntry(text.substr(start, end - start))) return false;
      start = end + 1;
    }
    return true;
  }

  void SetEnabled(bool enabled) override {
    const std::filesystem::path path = Path();
    if (enabled) {
      std::error_code ignored;  // a folder that cannot be made fails the write below
      std::filesystem::create_directories(path.parent_path(), ignored);
      ReplaceFileContents(path, DesktopFile(entry_));
      return;
    }
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
      throw EInOutError(Format(kCannotRemove, path.string(), std::strerror(errno)));
  }

 private:
  std::string Path() const {
    return XdgBaseFolder("XDG_CONFIG_HOME", ".config") + "/autostart/" + entry_.Id + ".desktop";
  }

  TAutostartEntry entry_;
};

}  // namespace

std::unique_ptr<TAutostart> CreateAutostart(TAutostartEntry entry) {
  return std::make_unique<TXdgAutostart>(std::move(entry));
}

}  // namespace tapestro
