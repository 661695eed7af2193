#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace tapestro::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  const fs::path root = fs::temp_directory_path();
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const fs::path candidate = root / ("tapestro-test-" + std::to_string(random()));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) path_ = candidate.string();
  }
  if (path_.empty()) throw std::runtime_error("cannot make a temporary folder under " + root.string());
}

TempDir::~TempDir() {
  std::error_code ec;
  // Tests may take write permission away; give it back so the folder can go.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ec))
    if (entry.is_directory()) fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& contents) const {
  const std::string path = File(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
  return path;
}

}  // namespace tapestro::test
