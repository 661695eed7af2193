#pragma once
// The font the program's windows were laid out for: a narrow sans-serif, 8 points by
// default.
#include <QFont>

namespace tapestro {

inline constexpr int kWindowFontPointSize = 8;

// Helvetica-like faces keep the texts inside their boxes; wider ones are the fallback.
QFont ClassicWindowFont(int pointSize = kWindowFontPointSize);

}  // namespace tapestro
