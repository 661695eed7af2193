#pragma once
// Hands the heap's free pages back to the system. The start-up builds and drops more
// than the idle program keeps (icon renderings, listings, text layouts); without this
// the freed pages stay with the process for its whole run.

namespace tapestro {

void ReturnFreedHeap();

}  // namespace tapestro
