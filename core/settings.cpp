#include "core/settings.h"

#include "core/program_texts.h"

namespace tapestro {

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
