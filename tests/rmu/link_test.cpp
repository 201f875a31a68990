// Two radio units' link ends in one process, inside a private network
// namespace (loopback only): what one sends the other applies whole in its
// next frame, and a failing end is reported once and releases what it opened.
// (A peer whose line stays selected is measured by bench/rmu/link_bench.)
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "platform/message_box.h"
#include "platform/udp_multicast.h"
#include "rmu/rmu_link.h"
#include "rmu/rmu_state.h"
#include "tests/support/private_network.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// One unit's whole state; g_rmu is swapped in for its frame.
struct Unit {
  RmuState state;
  explicit Unit(int side) {
    g_rmu = RmuState{};
    rmu_state_start_values();
    g_rmu.settings.side = side;
    g_rmu.transponder.tcas_range = 40;
    state = g_rmu;
  }
  // The link's part of one frame: receive, then send.
  void frame() {
    g_rmu = state;
    rmu_link_receive();
    rmu_link_send();
    state = g_rmu;
  }
  void close() {
    g_rmu = state;
    rmu_link_close();
    state = g_rmu;
  }
};

int open_descriptors() {
  int count = 0;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) count += entry.is_symlink();
  return count;
}

std::string file_text(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class RmuLinkTest : public ::testing::Test {
 protected:
  void enter(bool multicast_route) {
    std::string why;
    if (!enter_private_network(multicast_route, &why)) GTEST_SKIP() << why;
    platform_set_headless(true);
    folder_ = std::make_unique<TempFolder>("rmu_link");
    previous_ = fs::current_path();
    fs::current_path(folder_->path);  // the error files are written in the working folder
  }
  void TearDown() override {
    if (folder_) fs::current_path(previous_);
  }
  std::unique_ptr<TempFolder> folder_;
  fs::path previous_;
};

// Along the multicast route to loopback, and with loopback named as the
// interface where no route to the groups exists.
class RmuLinkRoutes : public RmuLinkTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RmuLinkRoutes, TwoUnitsStayInStepAndAFullBurstIsAppliedInTheNextFrame) {
  bool routed = GetParam();
  enter(routed);
  if (IsSkipped()) return;
  uint32_t interface_address = routed ? 0 : 0x7F000001;
  // A listener of our own on RMU1's sending group sees the wire format.
  int error = 0;
  int64_t listener = platform_udp_open(&error);
  ASSERT_NE(listener, UDP_NO_SOCKET);
  ASSERT_TRUE(platform_udp_reuse_address(listener, &error));
  ASSERT_TRUE(platform_udp_bind_any(listener, 1001, &error));
  ASSERT_TRUE(platform_udp_join(listener, RMU_LINK_GROUPS[0], interface_address, &error)) << error;

  Unit rmu1(RMU_SIDE_1), rmu2(RMU_SIDE_2);
  rmu1.state.link.config.interface_address = rmu2.state.link.config.interface_address = interface_address;
  rmu1.frame();
  rmu2.frame();
  ASSERT_TRUE(rmu1.state.link.sender.ready && rmu1.state.link.receiver.ready);
  ASSERT_TRUE(rmu2.state.link.sender.ready && rmu2.state.link.receiver.ready);

  // RMU1's user sets 7700, range 6, band BELOW and TA AUTO in one frame: 20 datagrams.
  RmuTransponder& t = rmu1.state.transponder;
  t.digits[0] = 0, t.digits[1] = 0, t.digits[2] = 7, t.digits[3] = 7;
  t.tcas_range = 6;
  t.band = 2;
  t.ta_mode = 1;
  RmuLink& l = rmu1.state.link;
  l.send_transponder = l.send_range = l.send_band = l.send_ta_display = true;
  rmu1.frame();
  EXPECT_EQ(rmu1.state.link.datagrams_sent, 20u);
  rmu2.frame();
  const RmuTransponder& seen = rmu2.state.transponder;
  EXPECT_EQ(rmu2.state.link.last_frame_applied, 20);
  EXPECT_EQ(seen.code, 7700);
  EXPECT_EQ(seen.tcas_range, 6);
  EXPECT_EQ(seen.band, 2);
  EXPECT_EQ(seen.band_tuning, 2);  // a selected band line keeps the peer's band
  EXPECT_EQ(seen.ta_mode, 1);
  rmu1.frame();
  EXPECT_EQ(rmu1.state.link.datagrams_received, 0u);  // a unit never hears itself

  // On the wire: 256 bytes, "A0077" first, five copies of each in the order A, C, D, B.
  const char* expected[] = {"A0077", "C6", "D2", "B1"};
  for (const char* text : expected)
    for (int copy = 0; copy < 5; ++copy) {
      uint8_t bytes[300] = {};
      long got = platform_udp_receive(listener, bytes, sizeof bytes, &error);
      ASSERT_EQ(got, 256) << text;
      EXPECT_STREQ(reinterpret_cast<const char*>(bytes), text);
    }
  // Through the socket: a longer datagram and a short unterminated one are
  // dropped, the well-formed one after them is applied.
  uint8_t long_one[300] = {'C', '8'};
  const uint8_t short_one[2] = {'C', '9'};
  const uint8_t good[3] = {'C', '1', '0'};
  const uint8_t good_terminated[4] = {'C', '1', '0', 0};
  if (interface_address != 0) {
    ASSERT_TRUE(platform_udp_send_interface(listener, interface_address, &error));
  }
  for (auto [bytes, size] : {std::pair<const uint8_t*, size_t>{long_one, sizeof long_one}, {short_one, sizeof short_one},
                             {good, sizeof good}, {good_terminated, sizeof good_terminated}})
    ASSERT_TRUE(platform_udp_send_to(listener, RMU_LINK_GROUPS[0], 1001, bytes, size, &error)) << error;
  uint64_t dropped = rmu2.state.link.datagrams_dropped;
  rmu2.frame();
  EXPECT_EQ(rmu2.state.link.datagrams_dropped - dropped, 3u);
  EXPECT_EQ(rmu2.state.link.last_frame_applied, 1);
  EXPECT_EQ(rmu2.state.transponder.tcas_range, 10);

  platform_udp_close(listener);
  rmu1.close();
  rmu2.close();
}
INSTANTIATE_TEST_SUITE_P(DefaultRouteAndLoopbackInterface, RmuLinkRoutes, ::testing::Values(true, false));

// Without the multicast route joining fails; with an address that is not
// this machine's the sender cannot choose its interface. Each is logged
// once, shown at most once, and every attempt releases its socket.
TEST_F(RmuLinkTest, AFailingEndIsReportedOnceAndReleasesItsSocket) {
  enter(false);
  if (IsSkipped()) return;
  Unit rmu(RMU_SIDE_1);
  ASSERT_TRUE(rmu_link_set_interface(&rmu.state.link.config, "10.211.7.9"));
  int descriptors = open_descriptors();
  testing::internal::CaptureStderr();
  for (int attempt = 0; attempt < 20; ++attempt) {
    rmu.state.link.sender.next_attempt_ms = rmu.state.link.receiver.next_attempt_ms = 0;  // a second has passed
    rmu.frame();
  }
  std::string boxes = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(rmu.state.link.sender.ready);
  EXPECT_FALSE(rmu.state.link.receiver.ready);
  EXPECT_EQ(open_descriptors(), descriptors);
  size_t first = boxes.find("Cannot Create Server");
  EXPECT_NE(first, std::string::npos) << boxes;
  EXPECT_EQ(boxes.find("Cannot Create Server", first + 1), std::string::npos) << "shown again: " << boxes;
  std::string client = file_text("clientError.txt"), server = file_text("serverError.txt");
  EXPECT_EQ(std::count(client.begin(), client.end(), '\n'), 1) << client;
  EXPECT_EQ(client.rfind("Join Multicast Group Error: ", 0), 0u) << client;
  EXPECT_EQ(server.rfind("Multicast Interface Error: ", 0), 0u) << server;
}

}  // namespace
