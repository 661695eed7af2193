#pragma once
// The INI file behind the settings. It keeps nothing in memory: every read and write
// goes to the file, so edits made from outside between two calls are seen.
//  - section and key names match without regard to case;
//  - a missing file, section or key gives the caller's default;
//  - a value is replaced in place, a new key is added at the end of its section;
//  - garbage lines, a UTF-8 byte-order mark, CRLF line ends and repeated sections are
//    read without harm and kept as they are when the file is rewritten;
//  - every write replaces the file atomically, so it is never left cut or empty.
#include <string>

namespace tapestro {

class TIniFile {
 public:
  // Values are seen through a 2048-character buffer: at most 2047 characters.
  static constexpr size_t kMaxValueLength = 2047;
  // A settings file larger than this is read up to this size and never rewritten.
  static constexpr size_t kMaxFileSize = 4 * 1024 * 1024;

  explicit TIniFile(std::string path) : path_(std::move(path)) {}

  const std::string& FileName() const { return path_; }
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // EIniFileException "Unable to write to %s" when the file cannot be replaced; the
  // old file is then untouched.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Removes every occurrence of the key in the section; never reports a failure.
  void DeleteKey(const std::string& section, const std::string& key);

 private:
  std::string path_;
};

}  // namespace tapestro
