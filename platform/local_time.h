#pragma once
// The current local time as the user writes it: the locale's long time format (the
// user's long time format on Windows).
#include <string>

namespace tapestro {

std::string CurrentLocalTimeText();

}  // namespace tapestro
