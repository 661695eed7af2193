#pragma once
// The look of a status-bar pane for a control's border: flat, and sunken while the
// mouse is over the control.
class QFrame;

namespace tapestro {

void SinkFrameWhileHovered(QFrame* frame);

}  // namespace tapestro
