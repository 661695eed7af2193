#pragma once
// The settings: an INI file, section "Settings", reached through three operations. The
// main window owns one TSettings and hands it to whoever reads or writes a setting;
// every read and write goes to the file, so edits made from outside are seen.
#include <memory>
#include <string>

#include "base/ini_file.h"

namespace tapestro {

enum class TRzRegIniPathType { ptIniFile, ptRegistry };

// RzRegIni's class: the settings component every settings access goes through. It
// makes a new INI file object whenever its path changed since the last access, so the
// file named by Path is always the one used.
class TRzRegIniFile {
 public:
  explicit TRzRegIniFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path);
  // Only the INI-file kind is used.
  TRzRegIniPathType PathType() const { return TRzRegIniPathType::ptIniFile; }

  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue);
  // EIniFileException "Unable to write to %s" when the file cannot be written.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void DeleteKey(const std::string& section, const std::string& key);

 private:
  // The file for Path; an empty Path means the executable's name with ".ini".
  TIniFile& File();

  std::string path_;
  bool reopen_ = true;
  std::unique_ptr<TIniFile> file_;
};

// The three settings operations and the value of the last read.
class TSettings {
 public:
  explicit TSettings(std::string path) : RzRegIni(std::move(path)) {}

  // Puts the key's value, or "n/a" when file, section or key is missing, in SettingValue.
  void ReadSetting(const std::string& section, const std::string& key);
  // Creates file, section or key as needed. EIniFileException "Unable to write to %s".
  void WriteSetting(const std::string& section, const std::string& key, const std::string& value);
  // Removes the key; a missing key or a failed write is no error and is not reported.
  void DeleteSetting(const std::string& section, const std::string& key);

  TRzRegIniFile RzRegIni;
  // The value of the last ReadSetting; read it right after the call.
  std::string SettingValue;
};

}  // namespace tapestro
