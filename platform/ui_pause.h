#pragma once
// Holds the user-interface thread for a while, so that a message in the status bar can
// be read before the next step overwrites it. Nothing is processed meanwhile, as with
// Sleep on Windows.

namespace tapestro {

void PauseUserInterface(int milliseconds);

}  // namespace tapestro
