#pragma once
// The three settings operations and the value of the last read. The main window owns
// one TSettings and hands it to whoever reads or writes a setting.
#include <string>

#include "core/settings_store.h"

namespace tapestro {

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
