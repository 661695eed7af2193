#pragma once
// The program's icon: a framed landscape, drawn rather than loaded, so the program
// needs no file beside it.
#include <QIcon>

namespace tapestro {

QIcon ProgramIcon();

}  // namespace tapestro
