#pragma once
// The server's side of a request block: check every record before anything
// is touched, then execute the whole batch at once under the space's lock.
#include <cstddef>
#include <cstdint>

#include "server/offset_space.h"

constexpr uint32_t BATCH_REPLY_OK = 1;       // the client copies its read results
constexpr uint32_t BATCH_REPLY_REFUSED = 0;  // anything but 1: the client reports bad data

enum BatchScan { BATCH_VALID, BATCH_MALFORMED, BATCH_TRUNCATED };

// Walks the records of `block` (only `length` bytes are looked at). VALID:
// every record has a known id, lies inside the block, and addresses only the
// offset space, and an end marker follows; `used` is then the length up to and
// including the end marker. TRUNCATED: the walk ran past `length` (more of the
// block may complete it). MALFORMED: anything else.
BatchScan batch_scan(const uint8_t* block, size_t length, size_t* used);

// Scans and, when valid, fills the reads and applies the writes in order under
// the space's lock, calling the write hook after each write. A batch that is not
// valid touches nothing. Returns the reply word for the client.
uint32_t batch_execute(OffsetSpace* space, uint8_t* block, size_t length, size_t* used);
