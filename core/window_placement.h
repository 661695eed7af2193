#pragma once
// Where a window first appears.
class QWidget;

namespace tapestro {

// Moves the window, frame included, to the middle of its screen's free area.
void CenterOnScreen(QWidget& window);

}  // namespace tapestro
