#include "bridge/bridge_wire.h"

#include <cstring>

#include "server/batch.h"
#include "simlink/link_wire.h"

namespace {
constexpr uint32_t ID_END = 0;
constexpr uint32_t ID_READ = 1;
constexpr size_t READ_HEADER_SIZE = 16;
constexpr size_t WRITE_HEADER_SIZE = 12;

bool whole_batch(const uint8_t* block, size_t length) {
  size_t used = 0;
  return length > 0 && batch_scan(block, length, &used) == BATCH_VALID && used == length;
}

bool status_known(const BridgeFrame& frame) {
  switch (frame.kind) {
    case BRIDGE_BATCH:
    case BRIDGE_PING:
      return frame.status == 0 && frame.word == 0;
    case BRIDGE_ANSWER:
      return frame.status == BRIDGE_ANSWER_DONE || frame.status == BRIDGE_ANSWER_LINK_LOST;
    case BRIDGE_PONG:
      return (frame.status == BRIDGE_PONG_LINK_CLOSED || frame.status == BRIDGE_PONG_LINK_OPEN) && frame.word == 0;
  }
  return false;
}

// Which frames carry a block: a batch always, an answer only when executed.
bool block_expected(const BridgeFrame& frame) {
  return frame.kind == BRIDGE_BATCH ||
         (frame.kind == BRIDGE_ANSWER && frame.word == BATCH_REPLY_OK && frame.status == BRIDGE_ANSWER_DONE);
}
}  // namespace

void bridge_wire_encode(const BridgeFrame& frame, std::vector<uint8_t>* out) {
  out->assign(BRIDGE_WIRE_HEADER_SIZE + frame.length, 0);
  uint8_t* at = out->data();
  link_put_u32(at, BRIDGE_WIRE_MAGIC);
  at[4] = frame.kind;
  at[5] = frame.status;
  link_put_u32(at + 8, frame.sequence);
  link_put_u32(at + 12, frame.word);
  link_put_u32(at + 16, frame.length);
  if (frame.length > 0) std::memcpy(at + BRIDGE_WIRE_HEADER_SIZE, frame.block, frame.length);
}

bool bridge_wire_decode(const uint8_t* data, size_t size, BridgeFrame* frame) {
  if (size < BRIDGE_WIRE_HEADER_SIZE || size > BRIDGE_WIRE_MAX_FRAME) return false;
  if (link_get_u32(data) != BRIDGE_WIRE_MAGIC || data[6] != 0 || data[7] != 0) return false;
  if (data[4] < BRIDGE_BATCH || data[4] > BRIDGE_PONG) return false;
  BridgeFrame decoded;
  decoded.kind = BridgeKind(data[4]);
  decoded.status = data[5];
  decoded.sequence = link_get_u32(data + 8);
  decoded.word = link_get_u32(data + 12);
  decoded.length = link_get_u32(data + 16);
  if (decoded.length != size - BRIDGE_WIRE_HEADER_SIZE || !status_known(decoded)) return false;
  decoded.block = decoded.length > 0 ? data + BRIDGE_WIRE_HEADER_SIZE : nullptr;
  if (block_expected(decoded) ? !whole_batch(decoded.block, decoded.length) : decoded.length != 0) return false;
  *frame = decoded;
  return true;
}

bool bridge_answer_fits(const uint8_t* request, const uint8_t* answer, size_t length) {
  if (!whole_batch(request, length) || !whole_batch(answer, length)) return false;
  size_t position = 0;
  for (;;) {
    uint32_t id = link_get_u32(request + position);
    if (id == ID_END) return link_get_u32(answer + position) == ID_END;
    uint32_t size = link_get_u32(request + position + 8);
    // A read's header (with the unit's token) must come back as it went; a
    // write comes back whole, data and all.
    size_t fixed = id == ID_READ ? READ_HEADER_SIZE : WRITE_HEADER_SIZE + size;
    if (std::memcmp(request + position, answer + position, fixed) != 0) return false;
    position += id == ID_READ ? READ_HEADER_SIZE + size : fixed;
  }
}
