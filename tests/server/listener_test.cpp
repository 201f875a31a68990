// The listener against hostile clients, and its socket's life cycle.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "server/link_server.h"
#include "simlink/link_folder.h"
#include "simlink/link_wire.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"
#include "tests/support/programs.h"

namespace {

int connect_waiting(const std::string& path) {
  int fd = connect_raw(path);
  timeval tv{2, 0};
  if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  return fd;
}

// Sends one request naming `name` and returns the reply word (or -1).
long ask(int fd, const char* name, uint32_t sequence = 7) {
  char padded[LINK_WIRE_NAME_SIZE] = {};
  std::memcpy(padded, name, std::min(std::strlen(name), sizeof padded));  // may fill all 64 bytes, unterminated
  uint8_t frame[LINK_WIRE_REQUEST_SIZE];
  link_wire_pack_request(frame, sequence, padded);
  if (send(fd, frame, sizeof frame, MSG_NOSIGNAL) != ssize_t(sizeof frame)) return -1;
  uint8_t reply[LINK_WIRE_REPLY_SIZE];
  if (recv(fd, reply, sizeof reply, MSG_WAITALL) != ssize_t(sizeof reply)) return -1;
  uint32_t answered = 0, word = 0;
  link_wire_unpack_reply(reply, &answered, &word);
  return answered == sequence ? long(word) : -1;
}

// A shared-memory block of the given size and contents, named like a client's.
struct Block {
  std::string name;
  int fd = -1;
  Block(const char* suffix, size_t size) : name(std::string(LINK_MAPPING_PREFIX) + suffix) {
    shm_unlink(("/" + name).c_str());
    fd = shm_open(("/" + name).c_str(), O_CREAT | O_RDWR, 0600);
    if (ftruncate(fd, off_t(size)) != 0) {
      ADD_FAILURE() << "ftruncate";
    }
  }
  ~Block() {
    close(fd);
    shm_unlink(("/" + name).c_str());
  }
  void put(size_t at, const void* data, size_t size) {
    if (pwrite(fd, data, size, off_t(at)) != ssize_t(size)) {
      ADD_FAILURE() << "pwrite";
    }
  }
};

class ListenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = private_link_folder("srv");
    offset_space_init(&space);
    LinkServerOptions options;
    options.link_dir = folder;
    std::string error;
    server = link_server_start(&space, options, &error);
    ASSERT_NE(server, nullptr) << error;
    path = link_server_socket_path(server);
  }
  void TearDown() override {
    simlink_close();
    link_server_stop(server);
    remove_link_folder(folder);
  }
  // The server still serves a proper client.
  void expect_still_serving() {
    uint32_t code = 0, version = 0;
    ASSERT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
    ASSERT_TRUE(simlink_read(0x3304, 4, &version, &code));
    EXPECT_TRUE(simlink_process(&code));
    EXPECT_EQ(version, SPACE_SERVER_VERSION);
    simlink_close();
  }
  std::string folder, path;
  OffsetSpace space;
  LinkServer* server = nullptr;
};

TEST_F(ListenerTest, BadNamesAndBadBlocksAreRefused) {
  int fd = connect_waiting(path);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(ask(fd, "not-a-link-block"), 0);
  EXPECT_EQ(ask(fd, "FsasmLib:IPC:../../etc/passwd"), 0);
  EXPECT_EQ(ask(fd, "FsasmLib:IPC:DOES:NOTEXIST"), 0);
  std::string long_name(LINK_WIRE_NAME_SIZE, 'F');
  EXPECT_EQ(ask(fd, long_name.c_str()), 0);

  {
    Block tiny("T1:0", 100);  // shorter than a block: refused, never mapped
    uint32_t end = 0;
    tiny.put(0, &end, 4);
    EXPECT_EQ(ask(fd, tiny.name.c_str()), 0);
  }
  {
    Block garbage("T2:0", 0x8000);
    std::vector<uint8_t> noise(0x8000);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 131 + 17);
    garbage.put(0, noise.data(), noise.size());
    EXPECT_EQ(ask(fd, garbage.name.c_str()), 0);
  }
  {
    // A batch that needs more than the first page is read in full.
    Block long_batch("T3:0", 0x8000);
    uint8_t header[16];
    link_put_u32(header, 1), link_put_u32(header + 4, 0x3304), link_put_u32(header + 8, 6000), link_put_u32(header + 12, 1);
    long_batch.put(0, header, 16);
    uint32_t end = 0;
    long_batch.put(16 + 6000, &end, 4);
    EXPECT_EQ(ask(fd, long_batch.name.c_str()), 1);
    uint32_t version = 0;
    ASSERT_EQ(pread(long_batch.fd, &version, 4, 16), 4);
    EXPECT_EQ(version, SPACE_SERVER_VERSION);
  }
  close(fd);
  expect_still_serving();
}

TEST_F(ListenerTest, ClientsThatVanishMidRequestDoNotHurtTheServer) {
  for (int i = 0; i < 40; ++i) {
    int fd = connect_waiting(path);
    ASSERT_GE(fd, 0);
    uint8_t half[LINK_WIRE_REQUEST_SIZE / 2] = {1, 2, 3};
    if (i % 2) {
      ASSERT_EQ(send(fd, half, sizeof half, MSG_NOSIGNAL), ssize_t(sizeof half));
    }
    close(fd);
  }
  // A client that asks and leaves before the answer.
  Block block("T4:0", 0x8000);
  int fd = connect_waiting(path);
  uint8_t frame[LINK_WIRE_REQUEST_SIZE];
  char name[LINK_WIRE_NAME_SIZE] = {};
  std::strncpy(name, block.name.c_str(), sizeof name - 1);
  link_wire_pack_request(frame, 1, name);
  ASSERT_EQ(send(fd, frame, sizeof frame, MSG_NOSIGNAL), ssize_t(sizeof frame));
  close(fd);
  expect_still_serving();
  for (int i = 0; i < 200 && link_server_client_count(server) > 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(link_server_client_count(server), 0);
}

TEST_F(ListenerTest, SocketLifeCycle) {
  // A second server on the same folder is refused while the first lives.
  LinkServerOptions options;
  options.link_dir = folder;
  std::string error;
  EXPECT_EQ(link_server_start(&space, options, &error), nullptr);
  EXPECT_NE(error.find("already serving"), std::string::npos) << error;

  // Stopping removes the socket.
  link_server_stop(server);
  server = nullptr;
  EXPECT_FALSE(std::filesystem::exists(path));

  // A stale socket (bound, never removed) is replaced.
  int stale = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(stale);
  error.clear();
  server = link_server_start(&space, options, &error);
  ASSERT_NE(server, nullptr) << error;
  expect_still_serving();
  link_server_stop(server);
  server = nullptr;

  // Something that is not a socket is left alone.
  std::ofstream(path) << "mine";
  error.clear();
  EXPECT_EQ(link_server_start(&space, options, &error), nullptr);
  EXPECT_NE(error.find("not a socket"), std::string::npos) << error;
  options.class_name = "OTHER";
  EXPECT_EQ(link_server_start(&space, options, &error), nullptr);
}

}  // namespace
