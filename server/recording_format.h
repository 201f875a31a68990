#pragma once
// The flight recording file: every change of the offset space with its time.
//
// Header, 16 bytes:
//   0  8  magic "KVREC\r\n\x1a" (a text-mode copy or a truncated download shows at once)
//   8  2  format version, u16 little-endian: 1
//  10  2  header size, u16: 16
//  12  4  reserved, zero
// Then entries to the end of the file, each one self-delimiting:
//   u8      0xE1 (entry mark)
//   varint  body length, 1..RECORDING_MAX_BODY
//   body:   varint  microseconds since the previous entry (the first: since
//                   the recording began), at most RECORDING_MAX_DELTA_US
//           varint  number of runs
//           runs, in rising offset order, never overlapping:
//             varint  gap: offset minus the end of the previous run (the first: minus 0)
//             varint  length, 1..65536
//             length  bytes: the new contents of the space there
//   u32     CRC-32 (the zlib polynomial) of the body, little-endian
// Varints are unsigned LEB128: seven bits a byte, low bits first, high bit
// set on every byte but the last, at most RECORDING_MAX_VARINT bytes.
//
// A replay starts from an empty space (zero, handshake words in place) and
// applies the entries in order, each at the sum of the deltas so far. An
// entry with no runs only marks time (the writer closes with one, so that a
// still end of the flight keeps its length). The control mailbox and the
// handshake words are never recorded and never replayed.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint8_t RECORDING_MAGIC[8] = {'K', 'V', 'R', 'E', 'C', '\r', '\n', 0x1A};
constexpr uint16_t RECORDING_VERSION = 1;
constexpr uint16_t RECORDING_HEADER_SIZE = 16;
constexpr uint8_t RECORDING_ENTRY_MARK = 0xE1;
constexpr size_t RECORDING_MAX_VARINT = 10;
// A whole space changed at once, in the worst run layout, fits.
constexpr uint32_t RECORDING_MAX_BODY = 0x40000;
constexpr uint64_t RECORDING_MAX_DELTA_US = 7ull * 24 * 3600 * 1000000;   // a week of stillness
constexpr uint64_t RECORDING_MAX_LENGTH_US = 1ull << 50;                  // 35 years

// The parts of the space that belong to this server, not to the flight.
struct SpaceRange {
  uint32_t first, end;
};
constexpr SpaceRange RECORDING_SKIPPED[] = {{0x3304, 0x330C},    // handshake words and library version
                                            {0xA000, 0xB000}};   // control mailbox

uint32_t recording_crc32(const uint8_t* data, size_t size);
// Appends `value` as a varint.
void recording_put_varint(std::string* out, uint64_t value);
// Reads a varint from [*at, end); false (and *at unchanged) when it is
// unfinished, too long or above `limit`.
bool recording_get_varint(const uint8_t** at, const uint8_t* end, uint64_t limit, uint64_t* value);
