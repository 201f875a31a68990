// The listener's limits: no client, however it behaves, stops or stalls the
// server or the other clients.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "server/link_server.h"
#include "server/link_server_testing.h"
#include "simlink/link_wire.h"
#include "simlink/simlink.h"
#include "simlink/simlink_testing.h"
#include "tests/support/programs.h"
#include "tests/support/private_link.h"

namespace {

using Clock = std::chrono::steady_clock;

// True when the server has closed the connection within `wait_ms`.
bool closed_by_server(int fd, int wait_ms) {
  pollfd wait{fd, POLLIN, 0};
  if (poll(&wait, 1, wait_ms) <= 0) return false;
  char byte;
  return recv(fd, &byte, 1, MSG_DONTWAIT) == 0;
}

void send_request(int fd, const std::string& name, uint32_t sequence) {
  char padded[LINK_WIRE_NAME_SIZE] = {};
  std::strncpy(padded, name.c_str(), sizeof padded - 1);
  uint8_t frame[LINK_WIRE_REQUEST_SIZE];
  link_wire_pack_request(frame, sequence, padded);
  ASSERT_EQ(send(fd, frame, sizeof frame, MSG_NOSIGNAL), ssize_t(sizeof frame));
}

class LinkLimits : public ::testing::Test {
 protected:
  void start(const LinkServerOptions& limits) {
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "limits", &error, limits)) << error;
    server = link.server;
    path = link_server_socket_path(server);
  }
  void TearDown() override {
    link_server_fail_thread_starts(0);
    simlink_set_timing(simlink_default_timing());
    for (int fd : held) close(fd);
    private_link_stop(&link);
  }
  // A proper client is served at once: one attempt, no retry.
  bool served_now() {
    uint32_t code = 0, version = 0;
    SimlinkTiming quick = simlink_default_timing();
    quick.send_timeout_ms = 1000;
    quick.send_attempts = 1;
    simlink_set_timing(quick);
    bool ok = simlink_is_open() || simlink_open(0, &code);
    ok = ok && simlink_read(0x3304, 4, &version, &code) && simlink_process(&code);
    return ok && version == SPACE_SERVER_VERSION;
  }
  PrivateLink link;
  std::string path;
  OffsetSpace space;
  LinkServer* server = nullptr;
  std::vector<int> held;
};

TEST_F(LinkLimits, AClientWithoutAThreadIsRefusedAloneAndTheServerLivesOn) {
  start(LinkServerOptions());
  constexpr int FAILING = 500;
  link_server_fail_thread_starts(FAILING);
  auto begin = Clock::now();
  int closed = 0;
  for (int i = 0; i < FAILING; ++i) {
    int fd = connect_raw(path);
    ASSERT_GE(fd, 0) << i;
    closed += closed_by_server(fd, 2000) ? 1 : 0;
    close(fd);
  }
  std::printf("%d connections refused for want of a thread in %lld ms\n", FAILING,
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count()));
  EXPECT_EQ(closed, FAILING);
  EXPECT_EQ(link_server_stats(server).refused_thread, uint64_t(FAILING));
  EXPECT_TRUE(served_now());
}

TEST_F(LinkLimits, QuietNewConnectionsAreClosedButAnEstablishedOneIsKept) {
  LinkServerOptions limits;
  limits.handshake_ms = 300;
  start(limits);
  ASSERT_TRUE(served_now());   // established before the others arrive
  struct Quiet { const char* what; size_t bytes_sent; };
  const Quiet quiet[] = {{"sends nothing", 0}, {"sends half a request", LINK_WIRE_REQUEST_SIZE / 2},
                         {"sends all but one byte", LINK_WIRE_REQUEST_SIZE - 1}};
  auto begin = Clock::now();
  for (const Quiet& q : quiet) {
    int fd = connect_raw(path);
    ASSERT_GE(fd, 0);
    std::vector<uint8_t> part(q.bytes_sent, 0x46);
    if (!part.empty()) {
      ASSERT_EQ(send(fd, part.data(), part.size(), MSG_NOSIGNAL), ssize_t(part.size()));
    }
    held.push_back(fd);
  }
  for (size_t i = 0; i < held.size(); ++i) EXPECT_TRUE(closed_by_server(held[i], 3000)) << quiet[i].what;
  std::printf("quiet connections kept %lld ms with a 300 ms handshake time\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count()));
  EXPECT_EQ(link_server_stats(server).handshake_timeouts, 3u);
  // The established client sent nothing for longer than the handshake time and is still served.
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_TRUE(served_now());
  EXPECT_EQ(link_server_client_count(server), 1);
}

TEST_F(LinkLimits, OneProcessHoldsOnlyItsShareOfABoundedTable) {
  LinkServerOptions limits;
  limits.max_per_process = 3;
  limits.max_clients = 5;
  start(limits);
  for (int i = 0; i < 4; ++i) {
    int fd = connect_raw(path);
    ASSERT_GE(fd, 0);
    held.push_back(fd);
  }
  EXPECT_TRUE(closed_by_server(held[3], 2000));   // this process's fourth
  EXPECT_FALSE(closed_by_server(held[0], 100));
  EXPECT_EQ(link_server_stats(server).refused_process, 1u);

  // Another process gets the two places left, then the table is full.
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  pid_t child = fork();
  if (child == 0) {
    int fds[3];
    char closed = 0;
    for (int& fd : fds) fd = connect_raw(path);
    for (int fd : fds) closed = char(closed * 2 + (closed_by_server(fd, 500) ? 1 : 0));
    ssize_t ignored = write(report[1], &closed, 1);
    (void)ignored;
    _exit(0);
  }
  char closed = -1;
  ASSERT_EQ(read(report[0], &closed, 1), 1);
  waitpid(child, nullptr, 0);
  close(report[0]);
  close(report[1]);
  EXPECT_EQ(closed, 1) << "first two served, the third refused";
  EXPECT_EQ(link_server_stats(server).refused_full, 1u);
}

TEST_F(LinkLimits, AStuckClientNeverHoldsUpTheOthers) {
  start(LinkServerOptions());
  ASSERT_TRUE(served_now());
  std::string block_name = std::string(LINK_MAPPING_PREFIX) + "STUCK:0";
  int block = shm_open(("/" + block_name).c_str(), O_CREAT | O_RDWR, 0600);
  ASSERT_GE(block, 0);
  ASSERT_EQ(ftruncate(block, 0x8000), 0);
  // One client never reads its replies until its socket is full; another
  // stops in the middle of a request.
  int flooder = connect_raw(path);
  ASSERT_GE(flooder, 0);
  held.push_back(flooder);
  uint8_t frame[LINK_WIRE_REQUEST_SIZE];
  char padded[LINK_WIRE_NAME_SIZE] = {};
  std::strncpy(padded, block_name.c_str(), sizeof padded - 1);
  link_wire_pack_request(frame, 1, padded);
  int sent = 0;
  while (sent < 100000 && send(flooder, frame, sizeof frame, MSG_NOSIGNAL | MSG_DONTWAIT) == ssize_t(sizeof frame))
    ++sent;
  int halfway = connect_raw(path);
  ASSERT_GE(halfway, 0);
  held.push_back(halfway);
  send_request(halfway, block_name, 9);
  ASSERT_EQ(send(halfway, frame, 10, MSG_NOSIGNAL), 10);
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(served_now()) << "batch " << i << " after " << sent << " unread requests";
  close(block);
  shm_unlink(("/" + block_name).c_str());
}

// A client killed between creating its block and reading its first reply
// never removes the block; the server does once the process is gone.
TEST_F(LinkLimits, BlocksOfClientsThatDiedBeforeTheirFirstReplyAreReclaimed) {
  start(LinkServerOptions());
  struct Case { const char* what; bool sends_request; bool dies; };
  const Case cases[] = {{"killed before asking", false, true},
                        {"killed before reading the reply", true, true},
                        {"alive after closing its connection", false, false}};
  for (const Case& c : cases) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
      char name[LINK_WIRE_NAME_SIZE];
      std::snprintf(name, sizeof name, "%s%X:0", LINK_MAPPING_PREFIX, unsigned(getpid()));
      int fd = connect_raw(path);
      int block = shm_open((std::string("/") + name).c_str(), O_CREAT | O_EXCL | O_RDWR, 0600);
      if (fd < 0 || block < 0 || ftruncate(block, 0x8000) != 0) _exit(1);
      if (c.sends_request) send_request(fd, name, 1);
      if (!c.dies) close(fd);
      ssize_t ignored = write(ready[1], "r", 1);
      (void)ignored;
      pause();
      _exit(0);
    }
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1) << c.what;
    close(ready[0]);
    close(ready[1]);
    char name[LINK_WIRE_NAME_SIZE];
    std::snprintf(name, sizeof name, "/dev/shm/%s%X:0", LINK_MAPPING_PREFIX, unsigned(child));
    if (c.dies) kill(child, SIGKILL);
    bool gone = false;
    for (int i = 0; i < (c.dies ? 300 : 70) && !gone; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      gone = !std::filesystem::exists(name);
    }
    EXPECT_EQ(gone, c.dies) << c.what;
    std::error_code ignored;
    std::filesystem::remove(name, ignored);
    if (!c.dies) kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  EXPECT_EQ(link_server_stats(server).reclaimed_blocks, 2u);
}

}  // namespace
