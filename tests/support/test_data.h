#pragma once
// Where the test inputs are: the project's own files under tests/data, and the shared
// public conformance images, which may be absent (tests then skip).
#include <optional>
#include <string>
#include <vector>

namespace tapestro::test {

std::string ProjectDataDir();  // tests/data
std::string BinaryDir();       // the build folder (the executables live there)
// $TAPESTRO_TESTDATA, or the shared folder beside the checkout; empty when absent.
std::optional<std::string> SharedTestDataDir();
// Every regular file below folder whose name ends in one of the extensions (lower case,
// with dot), sorted.
std::vector<std::string> FilesBelow(const std::string& folder, const std::vector<std::string>& extensions);
std::vector<unsigned char> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace tapestro::test

// Skips the current test when the shared conformance images are not there.
#define TAPESTRO_REQUIRE_SHARED_TESTDATA(var)                                     \
  const auto var##_opt = ::tapestro::test::SharedTestDataDir();                   \
  if (!var##_opt) GTEST_SKIP() << "shared test data not present";                 \
  const std::string var = *var##_opt
