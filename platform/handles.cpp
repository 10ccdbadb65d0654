// Handle allocation: a counter, so handles are never reused within a run and
// runs that create things in the same order get the same handles.
#include "platform/handles.h"

namespace ip::platform {

namespace {
uint32_t next_handle = 0x10000;
}

uint32_t NewHandle() {
  if (next_handle == 0) next_handle = 0x10000;  // wrapped round: skip 0
  return next_handle++;
}

}  // namespace ip::platform
