#include "server/recording_format.h"

#include <zlib.h>

uint32_t recording_crc32(const uint8_t* data, size_t size) {
  // zlib's CRC-32, the one the PNG writer uses; bodies are far below 4 GiB.
  return static_cast<uint32_t>(crc32(0, data, static_cast<uInt>(size)));
}

void recording_put_varint(std::string* out, uint64_t value) {
  while (value >= 0x80) {
    out->push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out->push_back(static_cast<char>(value));
}

bool recording_get_varint(const uint8_t** at, const uint8_t* end, uint64_t limit, uint64_t* value) {
  uint64_t result = 0;
  const uint8_t* p = *at;
  for (size_t i = 0; i < RECORDING_MAX_VARINT && p < end; ++i, ++p) {
    uint64_t bits = *p & 0x7F;
    if (i == 9 && bits > 1) return false;   // beyond 64 bits
    result |= bits << (7 * i);
    if (!(*p & 0x80)) {
      if (result > limit) return false;
      *at = p + 1;
      *value = result;
      return true;
    }
  }
  return false;
}
