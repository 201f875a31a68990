#include "tests/support/fake_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "server/batch.h"
#include "simlink/link_wire.h"

namespace {
constexpr size_t BLOCK = 0x8000;

bool wait_readable(FakeServer* server, int fd) {
  while (!server->stop) {
    pollfd wait{fd, POLLIN, 0};
    if (poll(&wait, 1, 20) > 0) return true;
  }
  return false;
}

bool receive_request(FakeServer* server, int fd, uint8_t* frame) {
  size_t have = 0;
  while (have < LINK_WIRE_REQUEST_SIZE) {
    if (!wait_readable(server, fd)) return false;
    ssize_t got = recv(fd, frame + have, LINK_WIRE_REQUEST_SIZE - have, 0);
    if (got <= 0) return false;
    have += size_t(got);
  }
  return true;
}

// Returns false when the connection is to be dropped. Like the real server it
// keeps the block of a connection open: the client removes the name once served.
bool answer(FakeServer* server, int fd, const uint8_t* frame, int* shm) {
  uint32_t sequence = 0;
  char name[LINK_WIRE_NAME_SIZE];
  link_wire_unpack_request(frame, &sequence, name);
  ++server->requests;
  int mode = server->mode;
  if (mode == FAKE_HANG_UP) return false;
  if (mode == FAKE_SILENT) return true;
  uint32_t word = BATCH_REPLY_REFUSED;
  if (*shm < 0) *shm = shm_open((std::string("/") + name).c_str(), O_RDWR, 0);
  if (*shm >= 0) {
    void* mapped = mmap(nullptr, BLOCK, PROT_READ | PROT_WRITE, MAP_SHARED, *shm, 0);
    if (mapped != MAP_FAILED) {
      uint8_t* view = static_cast<uint8_t*>(mapped);
      {
        std::lock_guard<std::mutex> hold(server->seen_lock);
        server->last_block.assign(view, view + 256);
      }
      if (mode != FAKE_REPLY_ZERO) {
        size_t used = 0;
        word = batch_execute(&server->space, view, BLOCK, &used);
        if (mode == FAKE_TAMPER) link_put_u32(view + 4, link_get_u32(view + 4) + 1);
      }
      munmap(mapped, BLOCK);
    }
  }
  uint8_t reply[LINK_WIRE_REPLY_SIZE];
  link_wire_pack_reply(reply, sequence, word);
  return send(fd, reply, sizeof reply, MSG_NOSIGNAL) == ssize_t(sizeof reply);
}

void run(FakeServer* server) {
  while (wait_readable(server, server->listen_fd)) {
    int fd = accept(server->listen_fd, nullptr, nullptr);
    if (fd < 0) continue;
    uint8_t frame[LINK_WIRE_REQUEST_SIZE];
    int shm = -1;
    while (receive_request(server, fd, frame) && answer(server, fd, frame, &shm)) {
    }
    if (shm >= 0) close(shm);
    close(fd);
  }
}
}  // namespace

bool fake_server_start(FakeServer* server, const std::string& folder) {
  offset_space_init(&server->space);
  server->path = folder + "/" + LINK_CLASS_NAME_MAIN;
  server->listen_fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, server->path.c_str(), sizeof address.sun_path - 1);
  unlink(server->path.c_str());
  if (bind(server->listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(server->listen_fd, 8) != 0)
    return false;
  server->thread = std::thread(run, server);
  return true;
}

void fake_server_stop(FakeServer* server) {
  server->stop = true;
  if (server->thread.joinable()) server->thread.join();
  if (server->listen_fd >= 0) close(server->listen_fd);
  unlink(server->path.c_str());
}
