// sim_server records a flight of the stand-in model and serves it again: a
// unit reading through the link sees the recorded space offset by offset,
// faster with a time scale; bad files and failed writes are reported, never
// taken for success.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "server/offset_table.h"
#include "server/recording_reader.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"
#include "tests/support/programs.h"

namespace {

constexpr size_t READS_PER_BATCH = 64;

// The space a replay of `path` ends in, read straight from the file.
std::vector<uint8_t> final_space(const std::string& path, uint64_t* length_us) {
  RecordingReader reader;
  std::string problem;
  std::vector<uint8_t> space(OFFSET_SPACE_SIZE, 0);
  if (!recording_reader_open(&reader, path.c_str(), &problem)) return {};
  while (recording_reader_next(&reader, &problem) == RECORDING_READ_ENTRY)
    recording_body_apply(reader.body.data(), reader.body.size(), space.data());
  *length_us = reader.time_us;
  recording_reader_close(&reader);
  return space;
}

class RecordAndReplay : public ::testing::Test {
 protected:
  std::string folder;
  int pid = -1;
  void SetUp() override { folder = private_link_folder("rec"); }
  void TearDown() override {
    simlink_close();
    if (pid > 0) stop_program(pid, SIGTERM);
    remove_link_folder(folder);
  }
  int ctl(const std::string& arguments, std::string* out, std::string* err) {
    return run_command(cockpit_ctl_path() + " " + arguments, out, err);
  }
};

TEST_F(RecordAndReplay, UnitsSeeTheRecordedFlightOffsetByOffset) {
  const std::string file = folder + "/flight.kvrec";
  pid = start_sim_server({"--record", file, "--time-scale", "100"});
  ASSERT_GT(pid, 0);
  std::this_thread::sleep_for(std::chrono::seconds(2));
  ASSERT_EQ(stop_program(pid, SIGTERM), 0);
  pid = -1;
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_FALSE(std::filesystem::exists(file + ".part"));
  // The same flight cut short inside its last entries, as a kill leaves it.
  std::string bytes;
  {
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::string cut = folder + "/cut.kvrec";
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() * 2 / 3);

  const std::string scenario = folder + "/short.scenario";
  std::ofstream(scenario) << "departure KSEA 16L 47.46379733 -122.30775222 180.34 433 11900\n"
                             "arrival KPDX 10R 45.59515 -122.621472 119.09 30 10977\n";
  size_t count;
  const OffsetEntry* table = offset_table(&count);
  // Also a flight recorded from FlightGear: recordings of the first format
  // version stay readable.
  const std::string flightgear = std::string(COCKPIT_SOURCE_DIR) + "/tests/server/data/fg_flight.kvrec";
  for (const auto& [path, scale] : {std::pair<std::string, const char*>{file, "10"}, {cut, "10"}, {flightgear, "100"}}) {
    SCOPED_TRACE(path);
    uint64_t length_us = 0;
    std::vector<uint8_t> want = final_space(path, &length_us);
    ASSERT_EQ(want.size(), OFFSET_SPACE_SIZE);
    ASSERT_GT(length_us, 1000000u);
    pid = start_sim_server({"--replay", path, "--time-scale", scale});
    ASSERT_GT(pid, 0);
    // Faster: over well before the recording's own length.
    const auto start = std::chrono::steady_clock::now();
    std::string out, err;
    while (std::chrono::steady_clock::now() - start < std::chrono::microseconds(length_us)) {
      ASSERT_EQ(ctl("state", &out, &err), 0) << err;
      if (out.find("replay ended") != std::string::npos) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    char length_text[32];
    std::snprintf(length_text, sizeof length_text, "%.1f s", length_us / 1e6);
    EXPECT_NE(out.find(std::string("replay ended at ") + length_text + " of " + length_text), std::string::npos) << out;
    uint32_t code = 0;
    ASSERT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
    std::vector<uint8_t> seen(OFFSET_SPACE_SIZE, 0xEE);
    for (size_t first = 0; first < count; first += READS_PER_BATCH) {
      for (size_t i = first; i < count && i < first + READS_PER_BATCH; ++i)
        ASSERT_TRUE(simlink_read(table[i].offset, table[i].size, &seen[table[i].offset], &code));
      ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code);
    }
    int differing = 0;
    for (size_t i = 0; i < count; ++i)
      for (uint32_t k = 0; k < table[i].size; ++k)
        differing += seen[table[i].offset + k] != want[table[i].offset + k];
    EXPECT_EQ(differing, 0);
    simlink_close();
    // No model runs under a replay.
    EXPECT_EQ(ctl("fail air-data", &out, &err), 3);
    EXPECT_EQ(ctl("scenario load " + scenario, &out, &err), 3);
    EXPECT_NE(err.find("being replayed"), std::string::npos) << err;
    EXPECT_EQ(stop_program(pid, SIGTERM), 0);
    pid = -1;
  }
}

TEST_F(RecordAndReplay, BadFilesAndFailedWritesAreReported) {
  const std::string server = sim_server_path();
  const std::string text = folder + "/text.kvrec";
  std::ofstream(text) << "name Short hop\n";
  struct Case {
    const char* name;
    std::string command;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"not a recording", server + " --replay " + text, 2, "not a flight recording"},
      {"missing recording", server + " --replay " + folder + "/none.kvrec", 2, "cannot open"},
      {"replay and scenario", server + " --replay " + text + " --scenario x", 2, "exclude each other"},
      {"recording into no folder", server + " --hold --record " + folder + "/none/f.kvrec", 2, "cannot create"},
      // A file size limit stands in for a full disk; the server keeps serving.
      {"write fails",
       "((ulimit -f 16; trap '' XFSZ; exec " + server + " --record " + folder + "/full.kvrec --time-scale 100) & " +
           "sleep 1.5; " + cockpit_ctl_path() + " state >/dev/null && echo still serving >&2; kill $!; wait $!)",
       1, "stopped: File too large; the flight up to then is in"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out, err;
    EXPECT_EQ(run_command(c.command, &out, &err), c.status) << err;
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    if (c.status == 1) {
      EXPECT_NE(err.find("still serving"), std::string::npos) << err;
    }
  }
}

}  // namespace
