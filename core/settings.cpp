#include "core/settings.h"

#include "base/path.h"
#include "core/program_texts.h"

namespace tapestro {

namespace {

std::string DefaultIniPath() {
  const std::string executable = ExecutablePath();
  const std::string extension = ExtractFileExt(executable);
  return executable.substr(0, executable.size() - extension.size()) + ".ini";
}

}  // namespace

void TRzRegIniFile::SetPath(const std::string& path) {
  if (path == path_) return;
  path_ = path;
  reopen_ = true;
}

TIniFile& TRzRegIniFile::File() {
  if (reopen_ || !file_) {
    file_ = std::make_unique<TIniFile>(path_.empty() ? DefaultIniPath() : path_);
    reopen_ = false;
  }
  return *file_;
}

std::string TRzRegIniFile::ReadString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  return File().ReadString(section, key, defaultValue);
}

void TRzRegIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  File().WriteString(section, key, value);
}

void TRzRegIniFile::DeleteKey(const std::string& section, const std::string& key) { File().DeleteKey(section, key); }

void TSettings::ReadSetting(const std::string& section, const std::string& key) {
  SettingValue = RzRegIni.ReadString(section, key, settings::kMissing);
}

void TSettings::WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
  RzRegIni.WriteString(section, key, value);
}

void TSettings::DeleteSetting(const std::string& section, const std::string& key) {
  RzRegIni.DeleteKey(section, key);
}

}  // namespace tapestro
