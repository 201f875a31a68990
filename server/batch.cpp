#include "server/batch.h"

#include <cstring>

#include "simlink/link_wire.h"

namespace {
constexpr uint32_t ID_END = 0;
constexpr uint32_t ID_READ = 1;
constexpr uint32_t ID_WRITE = 2;
constexpr uint64_t READ_HEADER_SIZE = 16;
constexpr uint64_t WRITE_HEADER_SIZE = 12;

// Positions are 64-bit so that no size a client writes can wrap the checks.
bool inside_space(uint32_t offset, uint32_t size) {
  return uint64_t(offset) + size <= OFFSET_SPACE_SIZE;
}
}  // namespace

BatchScan batch_scan(const uint8_t* block, size_t length, size_t* used) {
  uint64_t position = 0;
  for (;;) {
    if (position + 4 > length) return BATCH_TRUNCATED;
    uint32_t id = link_get_u32(block + position);
    if (id == ID_END) {
      *used = size_t(position + 4);
      return BATCH_VALID;
    }
    uint64_t header = id == ID_READ ? READ_HEADER_SIZE : id == ID_WRITE ? WRITE_HEADER_SIZE : 0;
    if (header == 0) return BATCH_MALFORMED;
    if (position + header > length) return BATCH_TRUNCATED;
    uint32_t offset = link_get_u32(block + position + 4);
    uint32_t size = link_get_u32(block + position + 8);
    if (!inside_space(offset, size)) return BATCH_MALFORMED;
    position += header + size;
  }
}

uint32_t batch_execute(OffsetSpace* space, uint8_t* block, size_t length, size_t* used) {
  *used = 0;
  if (batch_scan(block, length, used) != BATCH_VALID) return BATCH_REPLY_REFUSED;
  std::lock_guard<std::mutex> hold(space->lock);
  size_t position = 0;
  for (;;) {
    uint32_t id = link_get_u32(block + position);
    if (id == ID_END) break;
    uint32_t offset = link_get_u32(block + position + 4);
    uint32_t size = link_get_u32(block + position + 8);
    if (id == ID_READ) {
      std::memcpy(block + position + READ_HEADER_SIZE, space->bytes + offset, size);
      position += READ_HEADER_SIZE + size;
    } else {
      std::memcpy(space->bytes + offset, block + position + WRITE_HEADER_SIZE, size);
      space_protect_handshake(space, offset, size);
      if (space->write_hook && size > 0) space->write_hook(space->hook_context, offset, size, space->bytes);
      position += WRITE_HEADER_SIZE + size;
    }
  }
  return BATCH_REPLY_OK;
}
