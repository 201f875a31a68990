#pragma once
// The frames the two ends of the bridge exchange, one ZeroMQ message part
// each. Little-endian, fixed header, then the block of a batch:
//
//   0  u32 magic "KVB1"      8  u32 sequence       16  u32 block length
//   4  u8  kind              12 u32 reply word     20  block
//   5  u8  status
//   6  u16 reserved, 0
//
// A batch carries the request block exactly as the unit wrote it, up to and
// including its end marker; its answer carries the same block with the reads
// filled, or no block at all when the batch was refused. Every frame is
// checked whole before anything of it is used: nothing but a whole, valid
// batch is ever executed or handed back to a unit.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "simlink/simlink.h"

constexpr uint32_t BRIDGE_WIRE_MAGIC = 0x3142564B;  // "KVB1"
constexpr size_t BRIDGE_WIRE_HEADER_SIZE = 20;
// A unit never queues more than this, end marker included.
constexpr size_t BRIDGE_WIRE_MAX_BLOCK = SIMLINK_USABLE_SIZE;
constexpr size_t BRIDGE_WIRE_MAX_FRAME = BRIDGE_WIRE_HEADER_SIZE + BRIDGE_WIRE_MAX_BLOCK;

enum BridgeKind : uint8_t {
  BRIDGE_BATCH = 1,   // attaching end: execute this block
  BRIDGE_ANSWER = 2,  // serving end: the executed block, or the refusal
  BRIDGE_PING = 3,    // attaching end: are you there, is your link open
  BRIDGE_PONG = 4,    // serving end: status says whether its link is open
};

// Status of an answer: whether the serving end still had its link when the
// batch came. A lost link becomes the units' own "server gone".
constexpr uint8_t BRIDGE_ANSWER_DONE = 0;
constexpr uint8_t BRIDGE_ANSWER_LINK_LOST = 1;
// Status of a pong.
constexpr uint8_t BRIDGE_PONG_LINK_CLOSED = 0;
constexpr uint8_t BRIDGE_PONG_LINK_OPEN = 1;

struct BridgeFrame {
  BridgeKind kind = BRIDGE_PING;
  uint8_t status = 0;
  uint32_t sequence = 0;
  uint32_t word = 0;                // an answer's reply word: 1 executed, else refused
  const uint8_t* block = nullptr;   // points into the decoded bytes
  uint32_t length = 0;
};

// Appends nothing, replaces `out` with the encoded frame.
void bridge_wire_encode(const BridgeFrame& frame, std::vector<uint8_t>* out);
// True when `data` is one whole frame that keeps every rule above: known
// kind and status, reserved bits clear, the length exactly what follows and
// within bounds, a block only where one belongs, and that block a valid batch
// ending exactly at its end marker.
bool bridge_wire_decode(const uint8_t* data, size_t size, BridgeFrame* frame);
// True when an answer's block is the request's block with only the read data
// changed: same length, same records, same writes, same end. Anything else
// would hand a unit results for a batch it did not send.
bool bridge_answer_fits(const uint8_t* request, const uint8_t* answer, size_t length);
