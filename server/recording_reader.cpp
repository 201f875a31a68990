#include "server/recording_reader.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "server/offset_space.h"
#include "server/printable_text.h"
#include "server/recording_format.h"

namespace {

uint16_t get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

std::string where(const RecordingReader* r) {
  return printable_text(r->path) + ": byte " + std::to_string(r->position) + ": ";
}

// Reads up to `size` bytes; the count read. Notes whether any was not zero.
size_t read_bytes(FILE* f, uint8_t* to, size_t size, bool* nonzero) {
  size_t got = std::fread(to, 1, size, f);
  for (size_t i = 0; i < got && !*nonzero; ++i) *nonzero = to[i] != 0;
  return got;
}

// True when nothing but zero bytes is left: a file system that lost the end of
// a file in a crash fills it so.
bool only_zeros_left(FILE* f) {
  uint8_t chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
    for (size_t i = 0; i < got; ++i)
      if (chunk[i]) return false;
  return !std::ferror(f);
}

// Damage in the entry that starts at the reader's position: the end of a cut
// recording when it is the last thing in the file or zeros follow.
RecordingRead damaged(RecordingReader* r, bool entry_nonzero, bool was_last, const std::string& what,
                      std::string* problem) {
  if (was_last || (!entry_nonzero && only_zeros_left(r->file))) {
    *problem = where(r) + "the recording is cut short (" + what + "); replayed up to there";
    return RECORDING_READ_CUT_SHORT;
  }
  *problem = where(r) + what;
  return RECORDING_READ_BAD;
}

}  // namespace

bool recording_body_check(const uint8_t* body, size_t size, uint64_t* delta_us, std::string* problem) {
  const uint8_t* p = body;
  const uint8_t* end = body + size;
  uint64_t count = 0;
  if (!recording_get_varint(&p, end, RECORDING_MAX_DELTA_US, delta_us)) {
    *problem = "entry's time step is malformed or longer than a week";
    return false;
  }
  if (!recording_get_varint(&p, end, OFFSET_SPACE_SIZE, &count)) {
    *problem = "entry's run count is malformed";
    return false;
  }
  uint64_t next_free = 0;
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t gap = 0, length = 0;
    if (!recording_get_varint(&p, end, OFFSET_SPACE_SIZE, &gap) ||
        !recording_get_varint(&p, end, OFFSET_SPACE_SIZE, &length) || length == 0) {
      *problem = "entry's run " + std::to_string(i) + " is malformed";
      return false;
    }
    if (next_free + gap + length > OFFSET_SPACE_SIZE) {
      *problem = "entry's run " + std::to_string(i) + " reaches beyond the 64 KiB offset space";
      return false;
    }
    if (length > static_cast<uint64_t>(end - p)) {
      *problem = "entry's run " + std::to_string(i) + " is longer than the entry";
      return false;
    }
    p += length;
    next_free += gap + length;
  }
  if (p != end) {
    *problem = "entry has stray bytes after its runs";
    return false;
  }
  return true;
}

void recording_body_apply(const uint8_t* body, size_t size, uint8_t* space) {
  const uint8_t* p = body;
  const uint8_t* end = body + size;
  uint64_t delta = 0, count = 0, next_free = 0;
  if (!recording_get_varint(&p, end, RECORDING_MAX_DELTA_US, &delta) ||
      !recording_get_varint(&p, end, OFFSET_SPACE_SIZE, &count))
    return;
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t gap = 0, length = 0;
    if (!recording_get_varint(&p, end, OFFSET_SPACE_SIZE, &gap) ||
        !recording_get_varint(&p, end, OFFSET_SPACE_SIZE, &length) || next_free + gap + length > OFFSET_SPACE_SIZE ||
        length > static_cast<uint64_t>(end - p))
      return;   // never for a checked body
    const uint32_t offset = static_cast<uint32_t>(next_free + gap);
    for (uint32_t k = 0; k < length; ++k) {
      const uint32_t at = offset + k;
      bool skipped = false;
      for (const SpaceRange& range : RECORDING_SKIPPED) skipped |= at >= range.first && at < range.end;
      if (!skipped) space[at] = p[k];
    }
    p += length;
    next_free = offset + length;
  }
}

bool recording_reader_open(RecordingReader* r, const char* path, std::string* error) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
    *error = printable_text(path) + ": is not a regular file";   // a pipe would hold the server up
    return false;
  }
  FILE* file = std::fopen(path, "rb");
  if (!file) {
    *error = printable_text(path) + ": cannot open: " + std::strerror(errno);
    return false;
  }
  return recording_reader_start(r, file, path, error);
}

bool recording_reader_start(RecordingReader* r, FILE* file, const char* name, std::string* error) {
  r->file = file;
  r->path = name;
  r->position = 0;
  r->time_us = 0;
  r->entries = 0;
  const std::string shown = printable_text(name);
  uint8_t header[RECORDING_HEADER_SIZE];
  size_t got = std::fread(header, 1, sizeof header, r->file);
  std::string problem;
  if (got < sizeof header || std::memcmp(header, RECORDING_MAGIC, sizeof RECORDING_MAGIC) != 0)
    problem = ": not a flight recording (no recording header)";
  else if (get16(header + 8) != RECORDING_VERSION)
    problem = ": recording format version " + std::to_string(get16(header + 8)) + " (this sim_server reads version " +
              std::to_string(RECORDING_VERSION) + ")";
  else if (get16(header + 10) != RECORDING_HEADER_SIZE || get32(header + 12) != 0)
    problem = ": damaged recording header";
  if (!problem.empty()) {
    *error = shown + problem;
    recording_reader_close(r);
    return false;
  }
  r->position = RECORDING_HEADER_SIZE;
  return true;
}

RecordingRead recording_reader_next(RecordingReader* r, std::string* problem) {
  FILE* f = r->file;
  int mark = std::fgetc(f);
  if (mark == EOF) {
    if (!std::ferror(f)) return RECORDING_READ_END;
    *problem = where(r) + "read error: " + std::strerror(errno);
    return RECORDING_READ_BAD;
  }
  bool nonzero = mark != 0;
  if (mark != RECORDING_ENTRY_MARK) {
    const int after = std::fgetc(f);
    if (after != EOF) std::ungetc(after, f);
    return damaged(r, nonzero, after == EOF, "no entry mark", problem);
  }
  uint8_t length_bytes[RECORDING_MAX_VARINT];
  size_t used = 0;
  do {
    int c = std::fgetc(f);
    if (c == EOF) return damaged(r, nonzero, true, "the file ends inside an entry", problem);
    nonzero |= c != 0;
    length_bytes[used++] = static_cast<uint8_t>(c);
  } while ((length_bytes[used - 1] & 0x80) && used < RECORDING_MAX_VARINT);
  const uint8_t* p = length_bytes;
  uint64_t length = 0;
  if (!recording_get_varint(&p, length_bytes + used, RECORDING_MAX_BODY, &length) || length == 0)
    return damaged(r, nonzero, false, "entry length out of range", problem);
  r->body.resize(length);
  uint8_t crc[4];
  if (read_bytes(f, r->body.data(), length, &nonzero) < length || read_bytes(f, crc, 4, &nonzero) < 4)
    return damaged(r, nonzero, true, "the file ends inside an entry", problem);
  // A bad last entry is a torn write; one with more entries after it is damage.
  const int after = std::fgetc(f);
  const bool last = after == EOF;
  if (!last) std::ungetc(after, f);
  if (recording_crc32(r->body.data(), r->body.size()) != get32(crc))
    return damaged(r, nonzero, last, "entry checksum does not match", problem);
  uint64_t delta = 0;
  std::string why;
  if (!recording_body_check(r->body.data(), r->body.size(), &delta, &why))
    return damaged(r, nonzero, last, why, problem);
  if (r->time_us + delta > RECORDING_MAX_LENGTH_US)
    return damaged(r, nonzero, last, "the recording is too long", problem);
  r->time_us += delta;
  r->position += 1 + used + length + 4;
  ++r->entries;
  return RECORDING_READ_ENTRY;
}

void recording_reader_close(RecordingReader* r) {
  if (r->file) std::fclose(r->file);
  r->file = nullptr;
}

bool recording_scan(const char* path, RecordingSummary* s, std::string* error) {
  RecordingReader reader;
  if (!recording_reader_open(&reader, path, error)) return false;
  RecordingRead read;
  std::string problem;
  while ((read = recording_reader_next(&reader, &problem)) == RECORDING_READ_ENTRY) {
  }
  s->entries = reader.entries;
  s->length_us = reader.time_us;
  s->bytes = reader.position;
  s->cut_short = read == RECORDING_READ_CUT_SHORT;
  s->note = s->cut_short ? problem : std::string();
  recording_reader_close(&reader);
  if (read == RECORDING_READ_BAD) *error = problem;
  return read != RECORDING_READ_BAD;
}
