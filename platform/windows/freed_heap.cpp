#include "platform/freed_heap.h"

#include <windows.h>

namespace tapestro {

void ReturnFreedHeap() { ::HeapCompact(::GetProcessHeap(), 0); }

}  // namespace tapestro
