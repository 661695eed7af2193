#pragma once
// Opens a web page in the user's browser (ShellExecute "open" on Windows). Whether
// that worked is not looked at: no browser is no error of ours.
#include <string>

namespace tapestro {

void OpenWebPage(const std::string& address);

}  // namespace tapestro
