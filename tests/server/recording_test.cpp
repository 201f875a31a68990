// Flight recordings: what the recorder writes reads back to the same spaces
// at the same times, and a damaged file is either replayed up to its last
// whole entry (cut short) or refused with the reason.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "server/offset_space.h"
#include "server/recording_format.h"
#include "server/recording_reader.h"
#include "server/recording_writer.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr uint64_t WEEK_US = RECORDING_MAX_DELTA_US;

struct Sample {
  uint64_t at_us;
  uint32_t offset;
  std::string bytes;
};

// Offsets at both ends of the space, beside and inside the skipped words,
// one change of many bytes, a change back to zero and a stillness of two weeks.
const Sample SAMPLES[] = {
    {0, 0x0000, "\x01"},
    {10000, 0xFFFC, "\x7F\x00\x00\x42"},
    {20000, 0x3300, std::string("\x11\x22\x33\x44\x55\x66\x77\x88\x99\xAA\xBB\xCC\xDD\xEE", 14)},
    {30000, 0xA100, "command text"},
    {40000, 0x0560, std::string(600, '\x5A')},
    {50000, 0x0000, std::string("\x00", 1)},
    {50000 + 2 * WEEK_US + 7, 0x0238, "\x0C\x1E"},
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A whole entry, with a correct checksum, of these varints and bytes.
std::string entry_of(std::vector<uint64_t> numbers, const std::string& tail = "") {
  std::string body, out(1, static_cast<char>(RECORDING_ENTRY_MARK));
  for (uint64_t n : numbers) recording_put_varint(&body, n);
  body += tail;
  recording_put_varint(&out, body.size());
  uint32_t crc = recording_crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size());
  for (int i = 0; i < 4; ++i) body.push_back(static_cast<char>(crc >> (8 * i)));
  return out + body;
}

class Recordings : public ::testing::Test {
 protected:
  TempFolder folder{"recordings"};
  std::string path = (folder.path / "flight.kvrec").string();
  std::unique_ptr<OffsetSpace> space = std::make_unique<OffsetSpace>();
  std::vector<std::vector<uint8_t>> expected;   // the space after each sample

  void SetUp() override {
    offset_space_init(space.get());
    Recorder recorder;
    std::string message;
    ASSERT_TRUE(recorder_open(&recorder, path.c_str(), 1000, &message)) << message;
    for (const Sample& s : SAMPLES) {
      std::memcpy(space->bytes + s.offset, s.bytes.data(), s.bytes.size());
      ASSERT_TRUE(recorder_step(&recorder, space.get(), 1000 + s.at_us, &message)) << message;
      expected.emplace_back(space->bytes, space->bytes + OFFSET_SPACE_SIZE);
    }
    ASSERT_TRUE(recorder_finish(&recorder, 1000 + SAMPLES[6].at_us + 5000, &message)) << message;
  }

  // Replays `file` into a fresh space; the status of the last read.
  RecordingRead replay(const std::string& file, std::vector<uint64_t>* times, std::vector<uint8_t>* last,
                       std::string* problem) {
    RecordingReader reader;
    if (!recording_reader_open(&reader, file.c_str(), problem)) return RECORDING_READ_BAD;
    auto fresh = std::make_unique<OffsetSpace>();
    offset_space_init(fresh.get());
    RecordingRead read;
    while ((read = recording_reader_next(&reader, problem)) == RECORDING_READ_ENTRY) {
      recording_body_apply(reader.body.data(), reader.body.size(), fresh->bytes);
      times->push_back(reader.time_us);
    }
    recording_reader_close(&reader);
    last->assign(fresh->bytes, fresh->bytes + OFFSET_SPACE_SIZE);
    return read;
  }
};

// The server's own words are neither recorded nor replayed.
void expect_same_flight(const std::vector<uint8_t>& seen, const std::vector<uint8_t>& recorded) {
  auto init = std::make_unique<OffsetSpace>();
  offset_space_init(init.get());
  for (uint32_t at = 0; at < OFFSET_SPACE_SIZE; ++at) {
    bool skipped = false;
    for (const SpaceRange& r : RECORDING_SKIPPED) skipped |= at >= r.first && at < r.end;
    ASSERT_EQ(seen[at], skipped ? init->bytes[at] : recorded[at]) << "offset " << at;
  }
}

TEST_F(Recordings, ARecordingReplaysEverySampleAtItsTime) {
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  std::vector<uint64_t> times;
  std::vector<uint8_t> last;
  std::string problem;
  ASSERT_EQ(replay(path, &times, &last, &problem), RECORDING_READ_END) << problem;
  // Each sample but the one that changed only the mailbox, two empty entries
  // carrying the stillness, and the closing time mark.
  std::vector<uint64_t> want;
  for (const Sample& s : SAMPLES)
    if (s.offset != 0xA100) want.push_back(s.at_us);
  want.insert(want.begin() + 5, {50000 + WEEK_US, 50000 + 2 * WEEK_US});
  want.push_back(SAMPLES[6].at_us + 5000);
  EXPECT_EQ(times, want);
  expect_same_flight(last, expected.back());
  RecordingSummary summary;
  ASSERT_TRUE(recording_scan(path.c_str(), &summary, &problem)) << problem;
  EXPECT_EQ(summary.length_us, want.back());
  EXPECT_EQ(summary.bytes, read_file(path).size());
}

TEST_F(Recordings, DamagedFilesAreCutShortOrRefused) {
  const std::string good = read_file(path);
  const std::string header = good.substr(0, RECORDING_HEADER_SIZE);
  // Mark, length, body (time, run count, gap, length, one byte), checksum.
  const size_t first_entry_end = RECORDING_HEADER_SIZE + 1 + 1 + 5 + 4;
  std::string bad_crc = good;
  bad_crc[first_entry_end - 1] ^= 0x40;
  std::string torn = good;
  torn.back() ^= 0x01;
  std::string bad_version = good;
  bad_version[8] = 2;
  struct Case {
    const char* name;
    std::string bytes;
    RecordingRead status;
    size_t entries;      // replayed before it stops
    const char* problem;
  };
  const Case cases[] = {
      {"cut inside the last entry", good.substr(0, good.size() - 3), RECORDING_READ_CUT_SHORT, 8,
       "ends inside an entry"},
      {"cut inside the fourth", good.substr(0, good.find(std::string(20, '\x5A'))), RECORDING_READ_CUT_SHORT, 3,
       "ends inside an entry"},
      {"zeros after a crash", good + std::string(5000, '\0'), RECORDING_READ_CUT_SHORT, 9, "no entry mark"},
      {"torn last entry", torn, RECORDING_READ_CUT_SHORT, 8, "checksum"},
      {"no entries", header, RECORDING_READ_END, 0, ""},
      {"checksum in the middle", bad_crc, RECORDING_READ_BAD, 0, "byte 16: entry checksum does not match"},
      {"stray byte between entries", good.substr(0, first_entry_end) + "x" + good.substr(first_entry_end),
       RECORDING_READ_BAD, 1, "no entry mark"},
      {"run beyond the space", header + entry_of({0, 1, 0xFFF0, 0x20}, std::string(0x20, 'a')) + good.substr(16),
       RECORDING_READ_BAD, 0, "beyond the 64 KiB offset space"},
      {"run longer than its entry", header + entry_of({0, 1, 0, 8}, "abc") + good.substr(16), RECORDING_READ_BAD,
       0, "longer than the entry"},
      {"time step over a week", header + entry_of({WEEK_US + 1, 0}) + good.substr(16), RECORDING_READ_BAD, 0,
       "time step"},
      {"huge entry length", header + "\xE1\xFF\xFF\xFF\x0F" + good.substr(16), RECORDING_READ_BAD, 0,
       "entry length out of range"},
      {"not a recording", "name Short hop\ndeparture KSEA\n", RECORDING_READ_BAD, 0, "not a flight recording"},
      {"newer format", bad_version, RECORDING_READ_BAD, 0, "recording format version 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = (folder.path / "damaged.kvrec").string();
    std::ofstream(file, std::ios::binary) << c.bytes;
    std::vector<uint64_t> times;
    std::vector<uint8_t> last;
    std::string problem;
    EXPECT_EQ(replay(file, &times, &last, &problem), c.status) << problem;
    EXPECT_EQ(times.size(), c.entries);
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    // The sample each entry count ends at: entries 6 and 7 carry the
    // stillness before the last sample, 9 is the closing mark.
    const size_t SAMPLE_AFTER[] = {0, 0, 1, 2, 4, 5, 5, 5, 6, 6};
    const size_t sample = SAMPLE_AFTER[c.entries];
    if (c.status == RECORDING_READ_CUT_SHORT) expect_same_flight(last, expected[sample]);
    RecordingSummary summary;
    EXPECT_EQ(recording_scan(file.c_str(), &summary, &problem), c.status != RECORDING_READ_BAD);
    EXPECT_EQ(summary.cut_short, c.status == RECORDING_READ_CUT_SHORT);
  }
}

}  // namespace
