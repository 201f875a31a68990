#include "server/offset_space.h"

#include <cstring>

void offset_space_init(OffsetSpace* space) {
  std::lock_guard<std::mutex> hold(space->lock);
  std::memset(space->bytes, 0, sizeof space->bytes);
  uint32_t server_version = SPACE_SERVER_VERSION;
  uint32_t sim_version = SPACE_SIM_VERSION;
  space_put(space->bytes, SPACE_OFFSET_SERVER_VERSION, &server_version, 4);
  space_put(space->bytes, SPACE_OFFSET_SIM_VERSION, &sim_version, 4);
  space->write_hook = nullptr;
  space->hook_context = nullptr;
}

// The space is little-endian like the host; values are copied byte for byte,
// clipped to the space so that a careless caller cannot write past it.
void space_put(uint8_t* bytes, uint32_t offset, const void* value, uint32_t size) {
  if (offset >= OFFSET_SPACE_SIZE) return;
  if (size > OFFSET_SPACE_SIZE - offset) size = OFFSET_SPACE_SIZE - offset;
  std::memcpy(bytes + offset, value, size);
}

void space_get(const uint8_t* bytes, uint32_t offset, void* value, uint32_t size) {
  std::memset(value, 0, size);
  if (offset >= OFFSET_SPACE_SIZE) return;
  if (size > OFFSET_SPACE_SIZE - offset) size = OFFSET_SPACE_SIZE - offset;
  std::memcpy(value, bytes + offset, size);
}
