// The server's batch walker on arbitrary blocks: it must never read or write
// outside the block or the space, and a refused batch must leave the space alone.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "server/batch.h"

namespace {
OffsetSpace space;
uint8_t before[OFFSET_SPACE_SIZE];
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (offset_space_init(&space), true);
  (void)ready;
  // Exactly as long as the input, so that the sanitizer sees any overrun.
  std::vector<uint8_t> block(data, data + (size > 0x8000 ? 0x8000 : size));
  std::memcpy(before, space.bytes, sizeof before);
  size_t used = 0;
  uint32_t reply = batch_execute(&space, block.data(), block.size(), &used);
  if (reply != BATCH_REPLY_OK && std::memcmp(before, space.bytes, sizeof before) != 0) std::abort();
  if (reply == BATCH_REPLY_OK && (used < 4 || used > block.size())) std::abort();
  return 0;
}
