#pragma once
// The short warning sound of a failed step (MessageBeep on Windows).

namespace tapestro {

void Beep();

}  // namespace tapestro
