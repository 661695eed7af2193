// Feeds bytes to the settings file as its whole content. Reading any key must not fail;
// a value written must read back as written, a deleted key must give the default, and
// the lines around them (garbage included) must survive each rewrite.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/errors.h"
#include "base/ini_file.h"

namespace {

using namespace tapestro;

void Check(bool condition) {
  if (!condition) std::abort();
}

// One file per process, rewritten for every input and removed at exit.
struct TSettingsFile {
  std::string Path =
      (std::filesystem::temp_directory_path() / ("tapestro-ini-fuzz-" + std::to_string(::getpid()) + ".ini")).string();
  ~TSettingsFile() { std::filesystem::remove(Path); }
};

const std::string& SettingsPath() {
  static const TSettingsFile file;
  return file.Path;
}

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = SettingsPath();
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TIniFile ini(path);
  for (const char* section : {"Options", "Folders", ""})
    for (const char* key : {"Folder", "Interval", "", "="})
      Check(ini.ReadString(section, key, "-").size() <= TIniFile::kMaxValueLength);
  try {
    ini.WriteString("Options", "Interval", "17");
    ini.WriteString("Fuzz", "New", "value");
  } catch (const EIniFileException&) {
    // Only a file over the size limit is kept from being rewritten.
    Check(size > TIniFile::kMaxFileSize);
    return 0;
  }
  Check(ini.ReadString("Options", "Interval", "-") == "17");
  Check(ini.ReadString("Fuzz", "New", "-") == "value");
  const std::string written = Contents(path);
  ini.DeleteKey("Fuzz", "New");
  Check(ini.ReadString("Fuzz", "New", "-") == "-");
  Check(ini.ReadString("Options", "Interval", "-") == "17");
  Check(Contents(path).size() < written.size());
  return 0;
}
