#include "platform/freed_heap.h"

#include <malloc.h>

namespace tapestro {

void ReturnFreedHeap() { ::malloc_trim(0); }

}  // namespace tapestro
