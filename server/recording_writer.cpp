#include "server/recording_writer.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "server/printable_text.h"
#include "server/recording_format.h"

namespace {

// Changed bytes this close together go into one run: a run's own gap and
// length cost about as much.
constexpr uint32_t MERGE_GAP = 4;
constexpr uint64_t FLUSH_EVERY_US = 100000;

void put_entry(Recorder* r, uint64_t delta_us, uint64_t run_count, const std::string& runs) {
  std::string body;
  recording_put_varint(&body, delta_us);
  recording_put_varint(&body, run_count);
  body += runs;
  r->entry.push_back(static_cast<char>(RECORDING_ENTRY_MARK));
  recording_put_varint(&r->entry, body.size());
  r->entry += body;
  uint32_t crc = recording_crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size());
  for (int i = 0; i < 4; ++i) r->entry.push_back(static_cast<char>(crc >> (8 * i)));
  ++r->entries;
}

// Empty entries carry a stillness longer than one entry's time step may be.
uint64_t put_long_wait(Recorder* r, uint64_t delta_us) {
  while (delta_us > RECORDING_MAX_DELTA_US) {
    put_entry(r, RECORDING_MAX_DELTA_US, 0, std::string());
    delta_us -= RECORDING_MAX_DELTA_US;
  }
  return delta_us;
}

// The runs of one sample; each run's bytes become the file's at once.
struct RunBuilder {
  uint8_t* previous = nullptr;
  std::string runs;
  uint64_t count = 0;
  uint32_t previous_end = 0;
  void add(const uint8_t* space, uint32_t first, uint32_t end) {
    recording_put_varint(&runs, first - previous_end);
    recording_put_varint(&runs, end - first);
    runs.append(reinterpret_cast<const char*>(space + first), end - first);
    std::memcpy(previous + first, space + first, end - first);
    previous_end = end;
    ++count;
  }
};

// Finds the changed runs of [first, end) and takes them into `previous`.
void diff_segment(Recorder* r, const uint8_t* space, uint32_t first, uint32_t end, RunBuilder* out) {
  bool open = false;
  uint32_t run_first = 0, run_end = 0;
  for (uint32_t i = first; i < end;) {
    if (i + 8 <= end && std::memcmp(space + i, r->previous + i, 8) == 0 && (!open || i > run_end + MERGE_GAP)) {
      i += 8;
      continue;
    }
    if (space[i] != r->previous[i]) {
      if (open && i - run_end <= MERGE_GAP) {
        run_end = i + 1;
      } else {
        if (open) out->add(space, run_first, run_end);
        open = true;
        run_first = i;
        run_end = i + 1;
      }
    }
    ++i;
  }
  if (open) out->add(space, run_first, run_end);
}

bool fail(Recorder* r, const std::string& why, std::string* message) {
  r->failed = true;
  if (r->file) std::fclose(r->file);
  r->file = nullptr;
  *message = "recording to " + printable_text(r->path) + " stopped: " + why + "; the flight up to then is in " +
             printable_text(r->part_path);
  return false;
}

}  // namespace

bool recorder_open(Recorder* r, const char* path, uint64_t now_us, std::string* error) {
  r->path = path;
  r->part_path = r->path + ".part";
  std::error_code ec;
  if (std::filesystem::is_directory(r->path, ec)) {
    *error = printable_text(r->path) + ": is a folder; the recording needs a file name";
    return false;
  }
  r->file = std::fopen(r->part_path.c_str(), "wb");
  if (!r->file) {
    *error = printable_text(r->part_path) + ": cannot create: " + std::strerror(errno);
    return false;
  }
  std::memset(r->previous, 0, sizeof r->previous);
  r->entry.assign(reinterpret_cast<const char*>(RECORDING_MAGIC), sizeof RECORDING_MAGIC);
  const uint8_t rest[8] = {RECORDING_VERSION & 0xFF, RECORDING_VERSION >> 8, RECORDING_HEADER_SIZE & 0xFF,
                           RECORDING_HEADER_SIZE >> 8, 0, 0, 0, 0};
  r->entry.append(reinterpret_cast<const char*>(rest), sizeof rest);
  r->start_us = r->last_entry_us = r->last_flush_us = now_us;
  r->bytes = 0;
  r->entries = 0;
  r->failed = false;
  return true;
}

void recorder_sample(Recorder* r, const uint8_t* space, uint64_t now_us) {
  if (r->failed) return;
  RunBuilder runs;
  runs.previous = r->previous;
  uint32_t from = 0;
  for (const SpaceRange& skipped : RECORDING_SKIPPED) {
    diff_segment(r, space, from, skipped.first, &runs);
    from = skipped.end;
  }
  diff_segment(r, space, from, OFFSET_SPACE_SIZE, &runs);
  if (runs.count == 0) return;
  uint64_t delta = now_us > r->last_entry_us ? now_us - r->last_entry_us : 0;
  put_entry(r, put_long_wait(r, delta), runs.count, runs.runs);
  r->last_entry_us = now_us > r->last_entry_us ? now_us : r->last_entry_us;
}

bool recorder_write(Recorder* r, uint64_t now_us, std::string* message) {
  if (r->failed) return true;   // said once already
  if (!r->entry.empty()) {
    errno = 0;
    if (std::fwrite(r->entry.data(), 1, r->entry.size(), r->file) != r->entry.size())
      return fail(r, errno ? std::strerror(errno) : "write error", message);
    r->bytes += r->entry.size();
    r->entry.clear();
  }
  if (now_us - r->last_flush_us >= FLUSH_EVERY_US) {
    r->last_flush_us = now_us;
    errno = 0;
    if (std::fflush(r->file) != 0) return fail(r, errno ? std::strerror(errno) : "write error", message);
  }
  return true;
}

bool recorder_step(Recorder* r, OffsetSpace* space, uint64_t now_us, std::string* message) {
  if (r->failed) return true;
  {
    std::lock_guard<std::mutex> hold(space->lock);
    recorder_sample(r, space->bytes, now_us);
  }
  return recorder_write(r, now_us, message);
}

bool recorder_finish(Recorder* r, uint64_t now_us, std::string* message) {
  if (r->failed) {
    *message = "recording to " + printable_text(r->path) + " failed; the flight up to then is in " +
               printable_text(r->part_path);
    return false;
  }
  // The still end of the flight keeps its length.
  uint64_t delta = now_us > r->last_entry_us ? now_us - r->last_entry_us : 0;
  put_entry(r, put_long_wait(r, delta), 0, std::string());
  r->last_entry_us = now_us;
  if (!recorder_write(r, now_us, message)) return false;
  errno = 0;
  const bool flushed = std::fflush(r->file) == 0;
  const std::string why = errno ? std::strerror(errno) : "write error";
  const bool closed = std::fclose(r->file) == 0;
  r->file = nullptr;
  if (!flushed || !closed) return fail(r, flushed ? "cannot close the file" : why, message);
  std::error_code ec;
  std::filesystem::rename(r->part_path, r->path, ec);
  std::error_code probe;
  if (ec && std::filesystem::exists(r->path, probe)) {
    // A system whose rename keeps an existing file: the old recording goes first.
    std::error_code removed;
    std::filesystem::remove(r->path, removed);
    ec.clear();
    std::filesystem::rename(r->part_path, r->path, ec);
  }
  if (ec) return fail(r, "cannot rename it: " + ec.message(), message);
  *message = "recorded " + std::to_string((now_us - r->start_us) / 1000000) + " s in " + std::to_string(r->entries) +
             " entries, " + std::to_string(r->bytes) + " bytes, to " + printable_text(r->path);
  return true;
}
