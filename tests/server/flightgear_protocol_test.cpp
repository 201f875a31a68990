// The FlightGear protocol file and the parser agree field by field, and a
// packet out of shape is refused whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "server/flightgear_protocol.h"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> nodes_of(const std::string& section) {
  std::vector<std::string> nodes;
  std::regex node("<node>([^<]*)</node>");
  for (auto m = std::sregex_iterator(section.begin(), section.end(), node); m != std::sregex_iterator(); ++m)
    nodes.push_back((*m)[1]);
  return nodes;
}

std::string first_recorded_line() {
  std::ifstream in(std::string(COCKPIT_SOURCE_DIR) + "/tests/server/data/fg_stream.txt");
  std::string line;
  std::getline(in, line);
  return line;
}

// The line with field `index` replaced.
std::string with_field(const std::string& line, int index, const std::string& value) {
  size_t start = 0;
  for (int i = 0; i < index; ++i) start = line.find(',', start) + 1;
  size_t end = line.find(',', start);
  return line.substr(0, start) + value + (end == std::string::npos ? "" : line.substr(end));
}

TEST(FlightGearProtocol, TheProtocolFileListsTheParsersFieldsInOrder) {
  std::string xml = read_file(std::string(COCKPIT_SOURCE_DIR) + "/server/flightgear/korvu.xml");
  size_t input = xml.find("<input>");
  ASSERT_NE(input, std::string::npos);
  std::vector<std::string> out = nodes_of(xml.substr(0, input)), in = nodes_of(xml.substr(input));
  ASSERT_EQ(out.size(), size_t(F_COUNT));
  for (int i = 0; i < F_COUNT; ++i) EXPECT_EQ(out[i], fg_field(i).node) << "field " << i;
  FgSettings settings{29.92, {118.1, 124.35}, {121.9, 127.0}, {112.2, 115.3}, {109.1, 113.9}, 242, {270, 90}, 1200, true};
  char line[256];
  size_t n = fg_format_settings(settings, line, sizeof line);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(std::string(line, n), "29.920,118.100,121.900,124.350,127.000,112.200,109.100,115.300,113.900,242.0,270,90,1200,1\n");
  EXPECT_EQ(size_t(std::count(line, line + n, ',')) + 1, in.size());
}

TEST(FlightGearProtocol, APacketOutOfShapeIsRefusedWhole) {
  std::string good = first_recorded_line();
  ASSERT_FALSE(good.empty()) << "the recorded stream is missing";
  struct Case { const char* name; std::string line; bool accepted; };
  const Case cases[] = {
      {"as recorded", good, true},
      {"with CR LF", good + "\r\n", true},
      {"a field short", good.substr(0, good.rfind(',')), false},
      {"a field more", good + ",0", false},
      {"empty", "", false},
      {"not a number", with_field(good, F_PITCH, "nan"), false},
      {"infinite", with_field(good, F_PITCH, "inf"), false},
      {"hexadecimal", with_field(good, F_PITCH, "0x10"), false},
      {"empty number", with_field(good, F_IAS, ""), false},
      {"trailing junk", with_field(good, F_IAS, "104.3kt"), false},
      {"latitude out of range", with_field(good, F_LATITUDE, "91"), false},
      {"overflowing", with_field(good, F_ALTITUDE, "1e999"), false},
      {"bool of 2", with_field(good, F_ON_GROUND, "2"), false},
      {"fractional clock", with_field(good, F_UTC_DAY_SECONDS, "1.5"), false},
      {"squawk digit 8", with_field(good, F_SQUAWK, "7800"), false},
      {"control byte in an ident", with_field(good, F_NAV_ID_0, "H\x1bL"), false},
      {"long ident cut", with_field(good, F_NAV_ID_0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"), true},
      {"longer than a packet", good + std::string(FG_MAX_PACKET, ' '), false},
  };
  for (const Case& c : cases) {
    FgPacket packet;
    std::memset(&packet, 0x5A, sizeof packet);
    FgPacket before = packet;
    bool accepted = fg_parse_packet(c.line.data(), c.line.size(), &packet);
    EXPECT_EQ(accepted, c.accepted) << c.name;
    if (!c.accepted) {
      EXPECT_EQ(std::memcmp(&packet, &before, sizeof packet), 0) << c.name << ": changed";
    } else if (accepted) {
      EXPECT_LT(std::strlen(packet.text[F_NAV_ID_0]), FG_TEXT_SIZE) << c.name;
    }
  }
}

}  // namespace
