// cockpit_ctl: its value conversions, and the program end to end against a
// sim_server of its own.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

#include "simlink/cells.h"
#include "tests/support/private_link.h"
#include "tests/support/programs.h"
#include "tools/cockpit_ctl_values.h"

namespace {

TEST(CockpitCtlValues, EveryCellIsReachableByName) {
  std::set<uint32_t> offsets;
  for (const NamedCell* cell = cell_table(); cell->name; ++cell) offsets.insert(cell->offset);
  // Every cell of the block, and the band cell, is reachable by a name.
  const uint32_t all_cells[] = {0x73D0, 0x73D1, 0x73D2, 0x73D3, 0x73D5, 0x73D6, 0x73D7, 0x73D8, 0x73D9,
                                0x73DA, 0x73DB, 0x73DC, 0x73DD, 0x73DE, 0x73F0, 0x73F1, 0x73F2, 0x73F3,
                                0x73F4, 0x73F5, 0x73F6, 0x73F7, 0x73F8, 0x73F9, 0x73FA, 0x73FB, 0x73FC,
                                0x73FD, 0x73FE, 0x73FF, 0x7842};
  for (uint32_t cell : all_cells) EXPECT_TRUE(offsets.count(cell)) << std::hex << cell;
  EXPECT_EQ(find_cell("du3.knob")->offset, CELL_DU3_KNOB);
  EXPECT_EQ(find_cell("pfd2.dimming")->offset, CELL_FO_PFD_DIMMING);
  EXPECT_EQ(find_cell("efis2.bearing1")->offset, CELL_FO_BEARING1_SOURCE);
  EXPECT_EQ(find_cell("rmu2.inner-knob")->offset, CELL_RMU2_INNER_KNOB);
  EXPECT_EQ(find_cell("nonsense"), nullptr);
}

TEST(CockpitCtlValues, LocationsAndFormats) {
  uint32_t offset = 0;
  bool is_cell = false;
  EXPECT_TRUE(parse_location("0x0330", &offset, &is_cell));
  EXPECT_EQ(offset, 0x330u);
  EXPECT_FALSE(is_cell);
  EXPECT_TRUE(parse_location("tcas-band", &offset, &is_cell));
  EXPECT_TRUE(is_cell);
  EXPECT_FALSE(parse_location("0x10000", &offset, &is_cell));
  EXPECT_FALSE(parse_location("-1", &offset, &is_cell));
  EXPECT_FALSE(parse_location("12abc", &offset, &is_cell));
  // Decimal unless written 0x: a leading zero never means octal.
  struct Number { const char* text; bool ok; uint32_t offset; };
  const Number numbers[] = {{"010", true, 10}, {"0x10", true, 16}, {"0X1f", true, 31}, {"0", true, 0},
                            {"08", true, 8},   {"0x", false, 0},   {" 1", false, 0},  {"1 ", false, 0},
                            {"+1", false, 0},  {"0b1", false, 0}};
  for (const Number& n : numbers) {
    offset = 0xFFFF;
    EXPECT_EQ(parse_location(n.text, &offset, &is_cell), n.ok) << n.text;
    if (n.ok) {
      EXPECT_EQ(offset, n.offset) << n.text;
    }
  }

  ValueFormat format{};
  std::string error;
  ASSERT_TRUE(make_format("", 0, &format, &error));
  EXPECT_EQ(format.type, TYPE_UNSIGNED);
  EXPECT_EQ(format.size, 1u);
  ASSERT_TRUE(make_format("i64", 8, &format, &error));
  EXPECT_EQ(format.type, TYPE_SIGNED);
  ASSERT_TRUE(make_format("", 6, &format, &error));  // 6-byte unsigned
  EXPECT_FALSE(make_format("i32", 2, &format, &error));
  EXPECT_FALSE(make_format("", 9, &format, &error));
  EXPECT_FALSE(make_format("text", 0, &format, &error));
  EXPECT_FALSE(make_format("float", 0, &format, &error));
}

TEST(CockpitCtlValues, EncodeChecksRangesAndDecodeKeepsSigns) {
  uint8_t bytes[16];
  std::string error;
  ValueFormat u16{TYPE_UNSIGNED, 2}, i16{TYPE_SIGNED, 2}, i64{TYPE_SIGNED, 8}, f32{TYPE_FLOAT, 4}, text{TYPE_TEXT, 6};
  EXPECT_TRUE(encode_value("16211", u16, bytes, &error));
  EXPECT_EQ(decode_value(bytes, u16), "16211");
  EXPECT_FALSE(encode_value("65536", u16, bytes, &error));
  EXPECT_FALSE(encode_value("-1", u16, bytes, &error));
  EXPECT_TRUE(encode_value("-32768", i16, bytes, &error));
  EXPECT_EQ(decode_value(bytes, i16), "-32768");
  EXPECT_FALSE(encode_value("32768", i16, bytes, &error));
  EXPECT_TRUE(encode_value("-5", i64, bytes, &error));
  EXPECT_EQ(decode_value(bytes, i64), "-5");
  EXPECT_TRUE(encode_value("29.92", f32, bytes, &error));
  EXPECT_EQ(decode_value(bytes, f32), "29.9200001");
  EXPECT_FALSE(encode_value("nan", f32, bytes, &error));
  EXPECT_FALSE(encode_value("1.5x", f32, bytes, &error));
  EXPECT_TRUE(encode_value("KVR01", text, bytes, &error));
  EXPECT_EQ(decode_value(bytes, text), "KVR01");
  EXPECT_FALSE(encode_value("KVR012", text, bytes, &error));  // no room for the terminator
  EXPECT_TRUE(encode_value("-010", i16, bytes, &error));
  EXPECT_EQ(decode_value(bytes, i16), "-10");
  EXPECT_TRUE(encode_value("-0x8000", i16, bytes, &error));
  EXPECT_EQ(decode_value(bytes, i16), "-32768");
  const uint8_t escape[6] = {0x1B, '[', '2', 'J', 'A', 0};   // never reaches the terminal raw
  EXPECT_EQ(decode_value(escape, text), "\\x1B[2JA");
  const uint8_t unterminated[6] = {'A', 'B', 'C', 'D', 'E', 'F'};
  EXPECT_EQ(decode_value(unterminated, text), "ABCDEF");
}

class CockpitCtlRun : public ::testing::Test {
 protected:
  void SetUp() override { folder = private_link_folder("ctl"); }
  void TearDown() override {
    if (server_pid > 0) stop_program(server_pid, SIGTERM);
    remove_link_folder(folder);
  }
  int ctl(const std::string& arguments, std::string* out, std::string* err = nullptr) {
    return run_command(cockpit_ctl_path() + " " + arguments, out, err);
  }
  std::string get(const std::string& arguments) {
    std::string out;
    EXPECT_EQ(ctl("get " + arguments, &out), 0) << arguments;
    return out;
  }
  std::string folder;
  int server_pid = -1;
};

TEST_F(CockpitCtlRun, ErrorsAreClearAndNonZero) {
  std::string out, err;
  EXPECT_EQ(ctl("get reversion", &out, &err), 1);  // no server yet
  EXPECT_EQ(err, "cockpit_ctl: Cannot link to FSUIPC or WideClient\n");
  EXPECT_TRUE(out.empty());
  ASSERT_EQ(chmod(folder.c_str(), 0777), 0);   // says why it will not look there
  EXPECT_EQ(ctl("get reversion", &out, &err), 1);
  EXPECT_NE(err.find("can be written by other users (mode 0777); refused"), std::string::npos) << err;
  ASSERT_EQ(chmod(folder.c_str(), 0700), 0);
  EXPECT_EQ(ctl("get 0x10000", &out, &err), 2);
  EXPECT_EQ(ctl("set 0x0330 70000 --size 2", &out, &err), 2);
  EXPECT_NE(err.find("not a 16-bit unsigned number"), std::string::npos) << err;
  EXPECT_EQ(ctl("get reversion --type i32", &out, &err), 2);
  EXPECT_EQ(ctl("dim reversion 3", &out, &err), 2);
  EXPECT_EQ(ctl("press alert 8", &out, &err), 2);
  EXPECT_EQ(ctl("fly", &out, &err), 2);
  EXPECT_EQ(ctl("get 0xFFFF --size 2", &out, &err), 2);

  server_pid = start_sim_server({"--hold", "--wrong-version"});
  ASSERT_GT(server_pid, 0);
  EXPECT_EQ(ctl("get reversion", &out, &err), 1);
  EXPECT_EQ(err, "cockpit_ctl: Incorrect version of FSUIPC, or not FSUIPC\n");
}

TEST_F(CockpitCtlRun, GetSetPressTurnDimAndWatch) {
  server_pid = start_sim_server({"--hold"});
  ASSERT_GT(server_pid, 0);
  std::string out;
  ASSERT_EQ(ctl("set 0x0330 16211 --size 2", &out), 0);
  EXPECT_EQ(get("0x0330 --size 2"), "16211\n");
  ASSERT_EQ(ctl("set 0x0560 -123456789012 --type i64", &out), 0);
  EXPECT_EQ(get("0x0560 --size 8 --type i64"), "-123456789012\n");
  ASSERT_EQ(ctl("set 0x3324 -1500.5 --type f64", &out), 0);
  EXPECT_EQ(get("0x3324 --type f64"), "-1500.5\n");
  ASSERT_EQ(ctl("set 0x0600 KVR --type text --size 6", &out), 0);
  EXPECT_EQ(get("0x0600 --type text --size 6"), "KVR\n");

  ASSERT_EQ(ctl("set 8 8", &out), 0);
  ASSERT_EQ(ctl("set 010 10", &out), 0);
  EXPECT_EQ(get("0x0A"), "10\n");
  EXPECT_EQ(get("010"), "10\n");
  EXPECT_EQ(get("08"), "8\n");

  ASSERT_EQ(ctl("set reversion 1", &out), 0);
  EXPECT_EQ(get("0x73FB"), "1\n");
  // press: the bit is set for a moment, then cleared, and other bits stay.
  ASSERT_EQ(ctl("set du3.softkeys 0x20", &out), 0);
  ASSERT_EQ(ctl("press du3.softkeys 2 --hold-ms 20", &out), 0);
  EXPECT_EQ(get("du3.softkeys"), "32\n");
  // turn: one change per step, across the wrap.
  ASSERT_EQ(ctl("set pfd1.minimums-knob 254", &out), 0);
  ASSERT_EQ(ctl("turn pfd1.minimums-knob +3 --pause-ms 5", &out), 0);
  EXPECT_EQ(get("pfd1.minimums-knob"), "1\n");
  ASSERT_EQ(ctl("turn rmu2.outer-knob -2 --pause-ms 5", &out), 0);
  EXPECT_EQ(get("rmu2.outer-knob"), "254\n");
  ASSERT_EQ(ctl("dim pfd2.dimming 128", &out), 0);
  EXPECT_EQ(get("0x73DA"), "128\n");

  // watch prints the value, then each change, and stops after --count lines.
  int watcher = spawn_program("/bin/sh", {"-c", cockpit_ctl_path() + " watch tcas-range --count 2 --interval-ms 5 > " +
                                                    folder + "/watch.txt"});
  ASSERT_GT(watcher, 0);
  usleep(300000);
  ASSERT_EQ(ctl("set tcas-range 40", &out), 0);
  EXPECT_EQ(wait_program(watcher, 10000), 0);
  ASSERT_EQ(run_command("cat " + folder + "/watch.txt", &out), 0);
  EXPECT_EQ(out, "0\n40\n");
}

// Both link programs: --help answers on standard output, an unknown option or
// a missing value is exit 2 with a message, and bytes from a file are shown
// in printable form.
TEST_F(CockpitCtlRun, CommandLinesOfTheLinkPrograms) {
  std::string dir = folder + "/scenarios";
  std::string fifo = folder + "/pipe";
  ASSERT_EQ(run_command("mkdir " + dir + " && mkfifo " + fifo + " && printf 'name x\\n\\033]0;owned\\007 on\\n' > " + folder +
                            "/binary.scenario",
                        nullptr),
            0);
  const std::string server = sim_server_path(), control = cockpit_ctl_path();
  struct Case { std::string command; int status; bool on_stdout; const char* text; };
  const Case cases[] = {
      {control + " --help", 0, true, "usage: cockpit_ctl get"},
      {control + " help", 0, true, "numbers are decimal unless written 0x"},
      {control + " get 1 --bogus 2", 2, false, "cockpit_ctl: unknown option --bogus"},
      {control + " get 1 --size", 2, false, "cockpit_ctl: --size needs a value"},
      {control + " get 1 --size 0x", 2, false, "--size needs a whole number"},
      {control + " scenario load " + dir, 3, false, "is a folder, not a scenario file"},
      {control + " scenario load " + fifo, 3, false, "is not a regular file"},
      {control + " scenario load " + folder + "/binary.scenario", 3, false, "unknown statement '\\x1B]0;owned\\x07'"},
      {server + " --help", 0, true, "--max-per-process N"},
      {server + " --bogus", 2, false, "sim_server: unknown argument \"--bogus\""},
      {server + " --link-dir", 2, false, "sim_server: --link-dir needs a value"},
      {server + " --max-clients 0", 2, false, "--max-clients needs a whole number 1..4096"},
      {server + " --handshake-timeout x", 2, false, "--handshake-timeout needs seconds"},
      {server + " --scenario " + dir, 2, false, "is a folder, not a scenario file"},
  };
  for (const Case& c : cases) {
    std::string out, err;
    EXPECT_EQ(run_command(c.command, &out, &err), c.status) << c.command;
    EXPECT_NE((c.on_stdout ? out : err).find(c.text), std::string::npos) << c.command << "\n" << out << err;
    EXPECT_EQ((out + err).find('\x1b'), std::string::npos) << c.command;
  }
}

}  // namespace
