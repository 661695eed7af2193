#pragma once
// What the cycle box's arrows do to its text: up adds a minute, down takes one away
// but never goes below 1; an empty box becomes "1".
#include <string>

#include "controls/up_down_position.h"

namespace tapestro {

// EConvertError "'%s' is not a valid integer value" for text that is not a number;
// the box then keeps its text.
std::string CycleAfterArrow(const std::string& text, TUDBtnType button);

}  // namespace tapestro
