#pragma once
// Runs a command's work and turns the program's errors into their text on standard
// error and exit code 1.
#include <functional>

namespace tapestro::tool {

int ReportErrors(const std::function<void()>& work);

}  // namespace tapestro::tool
