#pragma once
// RzRegIni's class: the settings component every settings access goes through. It
// makes a new INI file object whenever its path changed since the last access, so the
// file named by Path is always the one used.
#include <memory>
#include <string>

#include "base/ini_file.h"

namespace tapestro {

enum class TRzRegIniPathType { ptIniFile, ptRegistry };

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

}  // namespace tapestro
