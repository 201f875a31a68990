#include "platform/renderer_memory.h"

#include <cstdlib>  // defines __GLIBC__ with the C library's headers
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// More than a frame's binned triangles: kept in the process between frames.
constexpr int KEPT_FREE_BYTES = 256 * 1024 * 1024;
// Grow the heap in steps large enough that a frame needs one at most (pages
// are only backed when they are touched).
constexpr int HEAP_GROWTH_PAD_BYTES = 64 * 1024 * 1024;
}  // namespace

void platform_keep_renderer_memory() {
#ifdef __GLIBC__
  static bool done = false;
  if (done) return;
  done = true;
  mallopt(M_TRIM_THRESHOLD, KEPT_FREE_BYTES);
  mallopt(M_TOP_PAD, HEAP_GROWTH_PAD_BYTES);
#endif
}
