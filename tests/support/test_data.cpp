#include "tests/support/test_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace tapestro::test {

std::string ProjectDataDir() { return std::string(TAPESTRO_SOURCE_DIR) + "/tests/data"; }
std::string BinaryDir() { return TAPESTRO_BINARY_DIR; }

std::optional<std::string> SharedTestDataDir() {
  std::vector<std::string> candidates;
  if (const char* env = std::getenv("TAPESTRO_TESTDATA")) candidates.emplace_back(env);
  candidates.push_back(std::string(TAPESTRO_SOURCE_DIR) + "/../shared/testdata");
  candidates.emplace_back("/work/shared/testdata");
  for (const std::string& dir : candidates) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return fs::canonical(dir, ec).generic_string();
  }
  return std::nullopt;
}

std::vector<std::string> FilesBelow(const std::string& folder, const std::vector<std::string>& extensions) {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(folder, ec)) {
    if (!entry.is_regular_file()) continue;
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (std::find(extensions.begin(), extensions.end(), ext) != extensions.end())
      out.push_back(entry.path().generic_string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tapestro::test
