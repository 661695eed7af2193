#pragma once
// Sets environment variables for one test and puts the old values back.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tapestro::test {

class ScopedEnvironment {
 public:
  void Set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second)
        ::setenv(it->first, it->second->c_str(), 1);
      else
        ::unsetenv(it->first);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

}  // namespace tapestro::test
