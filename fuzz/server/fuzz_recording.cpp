// The flight recording reader on arbitrary files: it must never read past
// what it was given, never touch the server's own words of the space, and
// its times must only rise.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "server/offset_space.h"
#include "server/recording_format.h"
#include "server/recording_reader.h"

namespace {
uint8_t space[OFFSET_SPACE_SIZE];
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  RecordingReader reader;
  std::string text;
  if (!recording_reader_start(&reader, file, "fuzz", &text)) return 0;
  std::memset(space, 0x5A, sizeof space);
  uint64_t last_time = 0;
  while (recording_reader_next(&reader, &text) == RECORDING_READ_ENTRY) {
    if (reader.time_us < last_time || reader.time_us > RECORDING_MAX_LENGTH_US) std::abort();
    last_time = reader.time_us;
    recording_body_apply(reader.body.data(), reader.body.size(), space);
  }
  for (const SpaceRange& range : RECORDING_SKIPPED)
    for (uint32_t at = range.first; at < range.end; ++at)
      if (space[at] != 0x5A) std::abort();
  recording_reader_close(&reader);
  return 0;
}
