#pragma once
// Where the rotation goes next in an image file list of count items.
#include <cstdint>

namespace tapestro {

// The item after current, wrapping to the first; 0 for an empty list. A position left
// over from a longer list wraps to the first item too.
int32_t NextRotationIndex(int32_t current, int32_t count);

// Any item, each equally likely; count must be at least 1. The generator is seeded
// anew from the steady clock at every draw, so that no two runs repeat an order.
int32_t RandomRotationIndex(int32_t count);

}  // namespace tapestro
