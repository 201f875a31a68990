// Scenario files from disk: only regular files are read, problems are told
// in printable text, and a load asked for over the link reads the file
// outside the space's lock and answers without the file's contents.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "server/aircraft_control.h"
#include "server/printable_text.h"
#include "server/scenario_file.h"

namespace fs = std::filesystem;

namespace {

const char* const SHORT_FLIGHT =
    "name Short hop\n"
    "departure KSEA 16L 47.46379733 -122.30775222 180.34 433 11900\n"
    "arrival KPDX 10R 45.59515 -122.621472 119.09 30 10977\n";

class ScenarioFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("scenario-files-" + std::to_string(getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string file(const std::string& name, const std::string& text) {
    std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  fs::path folder;
};

TEST_F(ScenarioFiles, OnlyRegularFilesAreReadAndProblemsArePrintable) {
  std::string fifo = (folder / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case { std::string path; const char* message; };
  const Case cases[] = {
      {fifo, "is not a regular file"},   // would block for ever if opened for reading
      {"/dev/null", "is not a regular file"},
      {folder.string(), "is a folder, not a scenario file"},
      {(folder / "missing").string(), "cannot open: No such file or directory"},
      {file("large", std::string(SCENARIO_MAX_FILE + 1, '#')), "file is larger than 1 MiB"},
      {file("binary", "\x1b]0;owned\x07 x\n"), "unknown statement '\\x1B]0;owned\\x07'"},
  };
  for (const Case& c : cases) {
    auto scenario = std::make_unique<Scenario>();
    ScenarioError error;
    EXPECT_FALSE(scenario_load_file(c.path.c_str(), scenario.get(), &error)) << c.path;
    std::string text = scenario_error_text(error);
    EXPECT_NE(text.find(c.message), std::string::npos) << text;
    EXPECT_EQ(text.find('\x1b'), std::string::npos) << c.path;
  }
  auto scenario = std::make_unique<Scenario>();
  ScenarioError error;
  EXPECT_TRUE(scenario_load_file(file("short", SHORT_FLIGHT).c_str(), scenario.get(), &error))
      << scenario_error_text(error);
}

TEST(PrintableText, ControlBytesAndBrokenUtf8AreEscapedTextIsKept) {
  struct Case { std::string in; bool keep_lines; std::string out; };
  const Case cases[] = {
      {"KSEA 16L", false, "KSEA 16L"},
      {"\xC3\x9C" "bung", false, "\xC3\x9C" "bung"},      // U+00DC stays readable
      {"\x1B[2J\x7F", false, "\\x1B[2J\\x7F"},
      {"\xC2\x9B" "31m", false, "\\xC2\\x9B31m"},      // C1 control, encoded
      {"\x9B" "31m", false, "\\x9B31m"},                 // C1 control, raw byte
      {"\xED\xA0\x80", false, "\\xED\\xA0\\x80"},      // surrogate
      {"\xE2\x82", false, "\\xE2\\x82"},                // cut short
      {"a\nb\tc", false, "a\\x0Ab\\x09c"},
      {"a\nb\tc", true, "a\nb\tc"},
  };
  for (const Case& c : cases) EXPECT_EQ(printable_text(c.in, c.keep_lines), c.out) << c.in;
}

class ScenarioLoadOverTheLink : public ScenarioFiles {
 protected:
  void SetUp() override {
    ScenarioFiles::SetUp();
    offset_space_init(&space);
    aircraft = std::make_unique<Aircraft>();
    control = ModelControl{aircraft.get(), true, false, 1.0, PendingLoad{}, nullptr};
  }
  // Writes the request as a client's batch does, under the lock.
  void request(const std::string& command, uint32_t sequence) {
    std::lock_guard<std::mutex> hold(space.lock);
    std::memset(space.bytes + CONTROL_REQUEST_TEXT, 0, CONTROL_REQUEST_TEXT_SIZE);
    std::memcpy(space.bytes + CONTROL_REQUEST_TEXT, command.data(), command.size());
    space_put(space.bytes, CONTROL_REQUEST_SEQUENCE, &sequence, 4);
    control_handle(&control, space.bytes);
  }
  uint32_t answered() {
    uint32_t sequence = 0;
    space_get(space.bytes, CONTROL_REPLY_SEQUENCE, &sequence, 4);
    return sequence;
  }
  std::string reply() { return reinterpret_cast<const char*>(space.bytes + CONTROL_REPLY_TEXT); }
  OffsetSpace space;
  std::unique_ptr<Aircraft> aircraft;
  ModelControl control;
};

TEST_F(ScenarioLoadOverTheLink, FilesAreReadOutsideTheLockAndRefusalsShowNoContents) {
  std::string fifo = (folder / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case { std::string path; bool loads; std::string reply; std::string logged; };
  const Case cases[] = {
      {fifo, false, fifo + ": is not a regular file", "is not a regular file"},
      {file("secret", "HUNTER2 is the password\n"), false,
       (folder / "secret").string() + ":1: not a valid scenario line", "unknown statement 'HUNTER2'"},
      {file("short", SHORT_FLIGHT), true, "scenario Short hop loaded", ""},
  };
  uint32_t sequence = 0;
  std::string log_line;
  for (const Case& c : cases) {
    request("scenario load " + c.path, ++sequence);
    EXPECT_NE(answered(), sequence) << "nothing is read under the lock: " << c.path;
    request("scenario load " + c.path, sequence + 100);
    EXPECT_EQ(answered(), sequence + 100) << "one load at a time";
    EXPECT_NE(reply().find("still being loaded"), std::string::npos);
    ASSERT_TRUE(control_serve_pending(&control, &space, &log_line));
    EXPECT_EQ(answered(), sequence);
    EXPECT_EQ(reply().rfind(c.reply, 0), 0u) << reply();
    EXPECT_EQ(reply().find("HUNTER2"), std::string::npos);
    EXPECT_EQ(control.hold, !c.loads) << "a loaded scenario flies";
    // The server's own output says why.
    EXPECT_EQ(log_line.empty(), c.logged.empty()) << log_line;
    EXPECT_NE(log_line.find(c.logged), std::string::npos) << log_line;
  }
  EXPECT_FALSE(control_serve_pending(&control, &space, &log_line));
}

}  // namespace
