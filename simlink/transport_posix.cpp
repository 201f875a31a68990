// POSIX transport: the server is a Unix-domain socket named after its window
// class in the link folder; the mapping is a POSIX shared-memory object; a
// send writes the mapping name (with a sequence number) and waits for the
// one-word reply.
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "simlink/link_folder.h"
#include "simlink/link_wire.h"
#include "simlink/transport.h"

namespace {

struct PosixTransport {
  int socket_fd = -1;
  int64_t group_id = LINK_NO_GROUP;  // the server's user is another member of this group
  int shm_fd = -1;
  uint8_t* view = nullptr;
  uint32_t view_size = 0;
  bool created_name = false;
  std::string shm_name;          // with the leading slash
  char wire_name[LINK_WIRE_NAME_SIZE] = {};
  uint32_t sequence = 0;
  uint32_t receive_timeout_ms = 0;  // what SO_RCVTIMEO is set to now (0: never set)
  uint8_t reply[LINK_WIRE_REPLY_SIZE] = {};
  size_t reply_have = 0;         // a reply may arrive in pieces across attempts
};
PosixTransport transport;

// Connects only to a socket in a folder nobody else could have put it in, and
// only when the process listening is the one that owns it: the mapping name
// that follows is never sent to a stranger.
int connect_to(const std::string& folder, const char* class_name) {
  const std::string path = link_socket_path(folder, class_name);
  LinkEndpoint endpoint;
  std::string why;
  if (!link_socket_path_fits(path) || link_endpoint_check(folder, path, &endpoint, &why) != LINK_TRUSTED) return -1;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ucred peer{};
  socklen_t peer_size = sizeof peer;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &peer_size) != 0 || peer.uid != endpoint.owner_uid) {
    close(fd);
    return -1;
  }
  transport.group_id = endpoint.group_id;
  return fd;
}

bool set_receive_timeout(uint32_t timeout_ms) {
  if (transport.receive_timeout_ms == timeout_ms) return true;
  timeval tv{};
  tv.tv_sec = timeout_ms / 1000;
  tv.tv_usec = static_cast<suseconds_t>((timeout_ms % 1000) * 1000);
  if (setsockopt(transport.socket_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) != 0) return false;
  transport.receive_timeout_ms = timeout_ms;
  return true;
}

bool send_all(const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t sent = send(transport.socket_fd, data, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

}  // namespace

TransportFind transport_find_server() {
  transport_close();
  const std::string folder = link_folder_path();
  transport.socket_fd = connect_to(folder, LINK_CLASS_NAME_MAIN);
  if (transport.socket_fd >= 0) return TRANSPORT_FOUND_MAIN;
  transport.socket_fd = connect_to(folder, LINK_CLASS_NAME_LEGACY);
  if (transport.socket_fd >= 0) return TRANSPORT_FOUND_LEGACY;
  return TRANSPORT_NOT_FOUND;
}

bool transport_register_message() { return transport.socket_fd >= 0; }

bool transport_add_name(const char* mapping_name) {
  size_t length = std::strlen(mapping_name);
  if (length == 0 || length >= LINK_WIRE_NAME_SIZE) return false;
  std::memset(transport.wire_name, 0, sizeof transport.wire_name);
  std::memcpy(transport.wire_name, mapping_name, length);
  return true;
}

bool transport_create_mapping(const char* mapping_name, uint32_t size) {
  transport.shm_name = std::string("/") + mapping_name;
  int fd = shm_open(transport.shm_name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) return false;  // includes "already existed"
  transport.created_name = true;
  transport.shm_fd = fd;
  // A server of another account of the cockpit's group opens the block through the group.
  if (transport.group_id != LINK_NO_GROUP &&
      (fchown(fd, uid_t(-1), gid_t(transport.group_id)) != 0 || fchmod(fd, 0660) != 0))
    return false;
  if (ftruncate(fd, size) != 0) return false;
  transport.view_size = size;
  return true;
}

uint8_t* transport_map_view(uint32_t size) {
  if (transport.shm_fd < 0 || size > transport.view_size) return nullptr;
  void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, transport.shm_fd, 0);
  if (view == MAP_FAILED) return nullptr;
  transport.view = static_cast<uint8_t*>(view);
  return transport.view;
}

TransportSend transport_send(uint32_t timeout_ms, uint32_t* reply) {
  if (transport.socket_fd < 0) return TRANSPORT_SEND_ERROR;
  uint8_t request[LINK_WIRE_REQUEST_SIZE];
  uint32_t sequence = ++transport.sequence;
  link_wire_pack_request(request, sequence, transport.wire_name);
  if (!send_all(request, sizeof request)) return TRANSPORT_SEND_ERROR;
  if (!set_receive_timeout(timeout_ms == 0 ? 1 : timeout_ms)) return TRANSPORT_SEND_ERROR;
  for (;;) {
    // Waits in poll for input alone: a thread asleep in recv is also woken
    // whenever the server takes in a request (room to send again), only to
    // sleep once more, a wasted wake-up on every round trip.
    pollfd wait{transport.socket_fd, POLLIN, 0};
    int ready = poll(&wait, 1, int(std::min<uint32_t>(timeout_ms == 0 ? 1 : timeout_ms, uint32_t(INT_MAX))));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return TRANSPORT_TIMED_OUT;
    ssize_t got = recv(transport.socket_fd, transport.reply + transport.reply_have,
                       sizeof transport.reply - transport.reply_have, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return TRANSPORT_TIMED_OUT;
    if (got <= 0) return TRANSPORT_SEND_ERROR;  // reset or closed by the server
    transport.reply_have += static_cast<size_t>(got);
    if (transport.reply_have < sizeof transport.reply) continue;
    transport.reply_have = 0;
    uint32_t reply_sequence = 0, word = 0;
    link_wire_unpack_reply(transport.reply, &reply_sequence, &word);
    // A late answer to an attempt that already timed out is dropped.
    if (reply_sequence != sequence) continue;
    *reply = word;
    if (word == 1 && transport.created_name) {
      // The server now holds the block open for this connection, so the name
      // can go: a client that crashes later leaves nothing behind.
      shm_unlink(transport.shm_name.c_str());
      transport.created_name = false;
    }
    return TRANSPORT_SENT;
  }
}

void transport_close() {
  if (transport.socket_fd >= 0) close(transport.socket_fd);
  transport.socket_fd = -1;
  transport.group_id = LINK_NO_GROUP;
  if (transport.view) munmap(transport.view, transport.view_size);
  transport.view = nullptr;
  if (transport.shm_fd >= 0) close(transport.shm_fd);
  transport.shm_fd = -1;
  if (transport.created_name) shm_unlink(transport.shm_name.c_str());
  transport.created_name = false;
  transport.view_size = 0;
  transport.receive_timeout_ms = 0;
  transport.reply_have = 0;
  std::memset(transport.wire_name, 0, sizeof transport.wire_name);
}
#endif

#ifndef _WIN32
#include "simlink/simlink_process_id.h"
uint32_t simlink_process_id() { return static_cast<uint32_t>(getpid()); }
#endif
