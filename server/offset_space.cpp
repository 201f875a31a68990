#include "server/offset_space.h"

#include <cstring>

void offset_space_init(OffsetSpace* space) {
  std::lock_guard<std::mutex> hold(space->lock);
  std::memset(space->bytes, 0, sizeof space->bytes);
  space->server_version = SPACE_SERVER_VERSION;
  space->sim_version = SPACE_SIM_VERSION;
  space->client_library_version = 0;
  space_put(space->bytes, SPACE_OFFSET_SERVER_VERSION, &space->server_version, 4);
  space_put(space->bytes, SPACE_OFFSET_SIM_VERSION, &space->sim_version, 4);
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

void space_protect_handshake(OffsetSpace* space, uint32_t offset, uint32_t size) {
  const uint32_t first = SPACE_OFFSET_SERVER_VERSION, end = SPACE_OFFSET_SIM_VERSION + 4;
  if (uint64_t(offset) + size <= first || offset >= end) return;
  if (offset <= SPACE_OFFSET_LIBRARY_VERSION && uint64_t(offset) + size >= SPACE_OFFSET_LIBRARY_VERSION + 2)
    space_get(space->bytes, SPACE_OFFSET_LIBRARY_VERSION, &space->client_library_version, 2);
  space_put(space->bytes, SPACE_OFFSET_SERVER_VERSION, &space->server_version, 4);
  space_put(space->bytes, SPACE_OFFSET_SIM_VERSION, &space->sim_version, 4);
}
