#pragma once
// Giving freed memory back to the system. The start-up builds and drops more than the
// idle program keeps (icon renderings, listings, text layouts), and a replaced picture
// leaves many freed blocks (frame bitmaps, decoded images, an animation's buffers) amid
// the heap, where the allocator keeps them resident; the program returns them after
// the start-up step and after a preview changes.

namespace tapestro {

// Returns the free pages of the heap to the system (glibc's malloc_trim); nothing on
// systems whose allocator does that by itself.
void ReturnFreedMemory();

}  // namespace tapestro
