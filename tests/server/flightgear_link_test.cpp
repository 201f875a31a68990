// sim_server fed by a recorded FlightGear stream over loopback: the offsets
// the units read carry the recording's values, a silent stream goes stale and
// rejoins, and the units' settings go back as FlightGear input lines.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "server/offset_table.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"
#include "tests/support/programs.h"

namespace {

std::string source_file(const std::string& name) {
  std::ifstream in(std::string(COCKPIT_SOURCE_DIR) + "/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.push_back("");
  return fields;
}

// A UDP socket on loopback; port 0 takes any free one.
int udp_socket(uint16_t port) {
  int s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(s);
    return -1;
  }
  return s;
}

uint16_t port_of(int s) {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
  return ntohs(a.sin_port);
}

class FlightGearSource : public ::testing::Test {
 protected:
  std::string folder;
  int pid = -1, sender = -1, receiver = -1;
  uint16_t stream_port = 0;
  std::vector<std::string> lines;
  std::map<std::string, std::string> last;   // property -> text of the last recorded packet

  // FlightGear's own recording, or one made with the protocol that has every
  // receiver, the autopilot and traffic in use.
  void load(const std::string& name) {
    lines.clear();
    last.clear();
    std::stringstream stream(source_file("tests/server/data/" + name));
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    ASSERT_GT(lines.size(), 10u) << name << " is missing";
    std::string xml = source_file("server/flightgear/korvu.xml");
    xml = xml.substr(0, xml.find("<input>"));
    std::vector<std::string> fields = split(lines.back());
    std::regex node("<node>([^<]*)</node>");
    size_t i = 0;
    for (auto m = std::sregex_iterator(xml.begin(), xml.end(), node); m != std::sregex_iterator(); ++m, ++i)
      if (i < fields.size()) last[(*m)[1]] = fields[i];
  }

  void SetUp() override {
    folder = private_link_folder("fg");
    load("fg_stream.txt");
    // Free ports of our own: the stream's, and the settings' (the test receiver).
    int probe = udp_socket(0);
    stream_port = port_of(probe);
    close(probe);
    receiver = udp_socket(0);
    sender = udp_socket(0);
    ASSERT_GE(receiver, 0);
    pid = start_sim_server({"--source", "flightgear", "--fg-host", "127.0.0.1", "--fg-out",
                            std::to_string(stream_port), "--fg-in", std::to_string(port_of(receiver))});
    ASSERT_GT(pid, 0);
    uint32_t code = 0;
    ASSERT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
  }
  void TearDown() override {
    simlink_close();
    if (pid > 0) stop_program(pid, SIGTERM);
    if (sender >= 0) close(sender);
    if (receiver >= 0) close(receiver);
    remove_link_folder(folder);
  }
  void send_line(const std::string& line) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(stream_port);
    sendto(sender, line.data(), line.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
  }
  // The recording at its own pace, until sim_server has taken the last packet.
  void replay() {
    for (const std::string& line : lines) {
      send_line(line + "\n");
      std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  }
  double read_offset(uint32_t offset) {
    const OffsetEntry* e = offset_entry_at(offset);
    uint8_t bytes[8] = {};
    uint32_t code = 0;
    EXPECT_TRUE(simlink_read(offset, e->size, bytes, &code));
    EXPECT_TRUE(simlink_process(&code)) << simlink_error_message(code);
    return offset_decode(*e, bytes);
  }
  double number(const std::string& property) { return std::stod(last.at(property)); }
  bool flag(const std::string& property) { return number(property) != 0; }
  std::string state() {
    std::string out;
    run_command(cockpit_ctl_path() + " state", &out);
    return out;
  }
  // The newest settings line that arrives within a second.
  std::vector<std::string> settings_received() {
    std::string newest;
    char buffer[512];
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    pollfd p{receiver, POLLIN, 0};
    while (std::chrono::steady_clock::now() < until && poll(&p, 1, newest.empty() ? 1000 : 50) > 0) {
      ssize_t got = recv(receiver, buffer, sizeof buffer, 0);
      if (got > 0) newest.assign(buffer, size_t(got));
    }
    return split(newest.substr(0, newest.find('\n')));
  }
};

TEST_F(FlightGearSource, TheOffsetsCarryTheRecordedValues) {
  for (const char* recording : {"fg_stream.txt", "fg_stream_synthetic.txt"}) {
    SCOPED_TRACE(recording);
    load(recording);
    replay();
    const std::string nav = "/instrumentation/nav[0]/", adf = "/instrumentation/adf[0]/";
    bool nav1 = flag(nav + "in-range"), dme1 = flag(nav + "dme-in-range"), adf1 = flag(adf + "in-range");
    double n1 = number("/engines/engine[0]/n1"), capacity = number("/consumables/fuel/tank[0]/capacity-gal_us");
    std::string heading_lock = last.at("/autopilot/locks/heading");
    struct Row { uint32_t offset; double expected, tolerance; };
    const Row rows[] = {
        {0x0560, number("/position/latitude-deg"), 1e-6},
        {0x0568, number("/position/longitude-deg"), 1e-6},
        {0x0570, number("/position/altitude-ft"), 0.01},
        {0x0578, number("/orientation/pitch-deg"), 1e-3},
        {0x057C, number("/orientation/roll-deg"), 1e-3},
        {0x0580, std::fmod(number("/orientation/heading-deg") + 360, 360), 1e-3},
        {0x02BC, number("/instrumentation/airspeed-indicator/indicated-speed-kt"), 0.01},
        {0x02C8, number("/velocities/vertical-speed-fps") * 60, 0.5},
        {0x3324, number("/instrumentation/altimeter/indicated-altitude-ft"), 0.5},
        {0x0330, number("/instrumentation/altimeter/setting-inhg") * 33.8639, 1.0 / 16},
        {0x0238, std::floor(number("/sim/time/utc/day-seconds") / 3600), 0},
        {0x034E, number("/instrumentation/comm[0]/frequencies/selected-mhz"), 0.005},
        {0x311A, number("/instrumentation/comm[0]/frequencies/standby-mhz"), 0.005},
        {0x0350, number(nav + "frequencies/selected-mhz"), 0.005},
        {0x0354, number("/instrumentation/transponder/id-code"), 0},
        {0x0C4E, number(nav + "radials/selected-deg"), 0.5},
        {0x0300, dme1 ? number(nav + "nav-distance") / 1852 : 0, 0.1},
        {0x2AAC, nav1 ? number(nav + "heading-needle-deflection-norm") * 127 : 0, 1e-3},
        {0x0C6A, adf1 ? std::fmod(number(adf + "indicated-bearing-deg") + 360, 360) : 0, 0.01},
        // A piston's rpm stands for N1.
        {0x0898, n1 > 0 ? n1 : number("/engines/engine[0]/rpm") / 2700 * 100, 0.01},
        {0x0B7C, capacity > 0 ? number("/consumables/fuel/tank[0]/level-gal_us") / capacity * 100 : 0, 1e-4},
        {0x281C, double(flag("/controls/switches/master-bat") || flag("/controls/electric/battery-switch")), 0},
        {0x07C8, double(heading_lock == "dg-heading-hold" || heading_lock == "true-heading-hold"), 0},
        {0x0366, number("/gear/gear[0]/wow"), 0},
        {0xF084, flag("/ai/models/aircraft[0]/valid") ? number("/ai/models/aircraft[0]/position/latitude-deg") : 0, 1e-5},
    };
    for (const Row& r : rows) EXPECT_NEAR(read_offset(r.offset), r.expected, r.tolerance) << std::hex << r.offset;
    char ident[7] = {};
    uint32_t code = 0;
    ASSERT_TRUE(simlink_read(0x3000, 6, ident, &code));
    ASSERT_TRUE(simlink_process(&code));
    EXPECT_EQ(std::string(ident), nav1 ? last.at(nav + "nav-id") : "");
  }
}

TEST_F(FlightGearSource, ASilentStreamGoesStaleKeepingItsValuesAndRejoins) {
  EXPECT_NE(state().find("flightgear stale: no packet yet"), std::string::npos);
  replay();
  EXPECT_NE(state().find("flightgear live"), std::string::npos) << state();
  std::this_thread::sleep_for(std::chrono::milliseconds(1300));
  std::string stale = state();
  EXPECT_NE(stale.find("flightgear stale: no packet for"), std::string::npos) << stale;
  EXPECT_NEAR(read_offset(0x0578), number("/orientation/pitch-deg"), 1e-3);
  // A packet out of shape is no sign of FlightGear: still stale, and the state names the field.
  std::string bad = lines.front();
  size_t pitch = 0;
  for (int i = 0; i < 8; ++i) pitch = bad.find(',', pitch) + 1;
  send_line(bad.substr(0, pitch) + "nan" + bad.substr(bad.find(',', pitch)) + "\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  stale = state();
  EXPECT_NE(stale.find("flightgear stale"), std::string::npos) << stale;
  EXPECT_NE(stale.find("last dropped packet: /orientation/pitch-deg"), std::string::npos) << stale;
  send_line(lines.front() + "\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_NE(state().find("flightgear live"), std::string::npos) << state();
  // The model's controls would answer and change nothing: refused.
  for (const char* command : {"pause", "time-scale 2", "fail air-data"}) {
    std::string out, err;
    EXPECT_NE(run_command(cockpit_ctl_path() + " " + command, &out, &err), 0) << command;
    EXPECT_NE(err.find("FlightGear flies the aircraft"), std::string::npos) << err;
  }
}

TEST_F(FlightGearSource, TheUnitsSettingsGoBackAsOneWholeInputLine) {
  replay();
  struct Write { const char* what; uint32_t offset; uint32_t size; uint32_t value; int field; const char* expected; };
  const Write writes[] = {
      {"baro 1013.25 hPa", 0x0330, 2, 16212, 0, "29.921"},
      {"COM1 standby", 0x311A, 2, 0x2250, 2, "122.500"},
      {"COM1 swapped in", 0x034E, 2, 0x2250, 1, "122.500"},
      {"NAV1", 0x0350, 2, 0x1070, 5, "110.700"},
      {"ADF", 0x034C, 2, 0x0350, 9, "350.0"},
      {"NAV1 course", 0x0C4E, 2, 123, 10, "123"},
      {"squawk", 0x0354, 2, 0x7700, 12, "7700"},
      {"NAV/GPS on GPS", 0x132C, 4, 1, 13, "1"},
  };
  std::vector<std::string> line;
  for (const Write& w : writes) {
    uint32_t code = 0;
    ASSERT_TRUE(simlink_write(w.offset, w.size, &w.value, &code));
    ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code);
    line = settings_received();
    ASSERT_EQ(line.size(), 14u) << w.what;
    EXPECT_EQ(line[w.field], w.expected) << w.what;
  }
  // Every earlier write still stands, and what no unit touched is FlightGear's own.
  for (const Write& w : writes) EXPECT_EQ(line[w.field], w.expected) << w.what;
  EXPECT_EQ(line[3], last.at("/instrumentation/comm[1]/frequencies/selected-mhz"));
  EXPECT_EQ(line[11], std::to_string(std::lround(number("/instrumentation/nav[1]/radials/selected-deg"))));
}

}  // namespace
