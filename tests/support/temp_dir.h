#pragma once
#include <string>

namespace tapestro::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path of a name inside the folder.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes text (or bytes) to a file inside the folder and returns its path.
  std::string Write(const std::string& name, const std::string& contents) const;

 private:
  std::string path_;
};

}  // namespace tapestro::test
