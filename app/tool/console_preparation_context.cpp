#include "app/tool/console_preparation_context.h"

#include <cstdio>

#include "platform/system_services.h"

namespace tapestro::tool {

void TConsolePreparationContext::ShowMessage(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

void TConsolePreparationContext::ShowMessageBox(const std::string& text) { ShowMessage(text); }

std::string TConsolePreparationContext::WindowsDirectory() { return SystemFolder(); }

std::string TConsolePreparationContext::LocalTimeText() { return CurrentLocalTimeText(); }

}  // namespace tapestro::tool
