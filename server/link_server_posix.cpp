// The POSIX listener: a Unix-domain socket in the link folder, one thread per
// client. A request names the client's shared-memory block; the block is read
// into a private buffer (never mapped, so a client shrinking or rewriting it
// cannot hurt the server), executed, and the used part written back.
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <list>
#include <thread>
#include <vector>

#include "server/batch.h"
#include "server/link_server.h"
#include "simlink/link_folder.h"
#include "simlink/link_wire.h"

namespace {
constexpr size_t BLOCK_SIZE = 0x8000;
constexpr size_t FIRST_READ = 4096;   // most batches end within the first page
constexpr size_t MAX_CLIENTS = 128;
constexpr int LISTEN_BACKLOG = 64;
}  // namespace

struct ServedClient {
  int fd = -1;
  std::thread thread;
  std::atomic<bool> done{false};
};

struct LinkServer {
  OffsetSpace* space = nullptr;
  LinkBatchHandler handler = nullptr;
  void* handler_context = nullptr;
  std::string path;
  ino_t inode = 0;
  int listen_fd = -1;
  int wake[2] = {-1, -1};
  std::thread acceptor;
  std::mutex clients_lock;
  std::list<ServedClient> clients;
};

namespace {

bool receive_exact(int fd, uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t got = recv(fd, data, size, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got;
    size -= size_t(got);
  }
  return true;
}

bool send_exact(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t sent = send(fd, data, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    data += sent;
    size -= size_t(sent);
  }
  return true;
}

bool valid_mapping_name(const char* name) {
  size_t prefix = std::strlen(LINK_MAPPING_PREFIX);
  if (std::strncmp(name, LINK_MAPPING_PREFIX, prefix) != 0) return false;
  return std::strchr(name, '/') == nullptr;
}

struct ClientMapping {
  int fd = -1;
  char name[LINK_WIRE_NAME_SIZE] = {};
};

// Opens the named block, reusing the one of the previous request when the name is the same.
int open_mapping(ClientMapping* mapping, const char* name) {
  if (mapping->fd >= 0 && std::strcmp(mapping->name, name) == 0) return mapping->fd;
  if (mapping->fd >= 0) close(mapping->fd);
  mapping->fd = -1;
  if (!valid_mapping_name(name)) return -1;
  std::string shm_name = std::string("/") + name;
  mapping->fd = shm_open(shm_name.c_str(), O_RDWR | O_CLOEXEC, 0);
  if (mapping->fd >= 0) std::memcpy(mapping->name, name, sizeof mapping->name);
  return mapping->fd;
}

bool read_block(int fd, uint8_t* buffer, size_t from, size_t to) {
  while (from < to) {
    ssize_t got = pread(fd, buffer + from, to - from, off_t(from));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // a block shorter than agreed is refused
    from += size_t(got);
  }
  return true;
}

uint32_t serve_request(LinkServer* server, ClientMapping* mapping, const char* name, uint8_t* buffer) {
  int fd = open_mapping(mapping, name);
  if (fd < 0) return BATCH_REPLY_REFUSED;
  size_t have = FIRST_READ, used = 0;
  if (!read_block(fd, buffer, 0, have)) return BATCH_REPLY_REFUSED;
  if (batch_scan(buffer, have, &used) == BATCH_TRUNCATED) {
    if (!read_block(fd, buffer, have, BLOCK_SIZE)) return BATCH_REPLY_REFUSED;
    have = BLOCK_SIZE;
  }
  uint32_t reply = server->handler(server->handler_context, server->space, buffer, have, &used);
  if (reply != BATCH_REPLY_OK) return reply;
  size_t written = 0;
  while (written < used) {
    ssize_t put = pwrite(fd, buffer + written, used - written, off_t(written));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return BATCH_REPLY_REFUSED;
    written += size_t(put);
  }
  return reply;
}

void serve_client(LinkServer* server, ServedClient* client) {
  std::vector<uint8_t> buffer(BLOCK_SIZE);
  ClientMapping mapping;
  uint8_t request[LINK_WIRE_REQUEST_SIZE];
  while (receive_exact(client->fd, request, sizeof request)) {
    uint32_t sequence = 0;
    char name[LINK_WIRE_NAME_SIZE];
    link_wire_unpack_request(request, &sequence, name);
    uint32_t word = serve_request(server, &mapping, name, buffer.data());
    uint8_t reply[LINK_WIRE_REPLY_SIZE];
    link_wire_pack_reply(reply, sequence, word);
    if (!send_exact(client->fd, reply, sizeof reply)) break;
  }
  if (mapping.fd >= 0) close(mapping.fd);
  client->done = true;
}

// Joins and forgets the clients whose threads have ended.
void reap_clients(LinkServer* server) {
  std::lock_guard<std::mutex> hold(server->clients_lock);
  for (auto it = server->clients.begin(); it != server->clients.end();) {
    if (it->done) {
      it->thread.join();
      close(it->fd);
      it = server->clients.erase(it);
    } else {
      ++it;
    }
  }
}

void accept_clients(LinkServer* server) {
  pollfd waits[2] = {{server->listen_fd, POLLIN, 0}, {server->wake[0], POLLIN, 0}};
  for (;;) {
    int ready = poll(waits, 2, 1000);
    if (ready < 0 && errno != EINTR) break;
    if (waits[1].revents) break;
    reap_clients(server);
    if (ready <= 0 || !(waits[0].revents & POLLIN)) continue;
    int fd = accept4(server->listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::lock_guard<std::mutex> hold(server->clients_lock);
    if (server->clients.size() >= MAX_CLIENTS) {
      close(fd);
      continue;
    }
    server->clients.emplace_back();
    ServedClient* client = &server->clients.back();
    client->fd = fd;
    client->thread = std::thread(serve_client, server, client);
  }
}

// True when something answers on the path: a live server that must be left alone.
bool socket_is_live(const std::string& path) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  bool live = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return live;
}

bool bind_socket(LinkServer* server, std::string* error) {
  struct stat st;
  if (lstat(server->path.c_str(), &st) == 0) {
    if (!S_ISSOCK(st.st_mode)) {
      *error = server->path + " exists and is not a socket";
      return false;
    }
    if (socket_is_live(server->path)) {
      *error = "another link server is already serving " + server->path;
      return false;
    }
    unlink(server->path.c_str());  // stale: its server died without removing it
  }
  server->listen_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (server->listen_fd < 0) {
    *error = std::string("cannot create a socket: ") + std::strerror(errno);
    return false;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, server->path.c_str(), server->path.size() + 1);
  if (bind(server->listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(server->listen_fd, LISTEN_BACKLOG) != 0) {
    *error = "cannot serve " + server->path + ": " + std::strerror(errno);
    return false;
  }
  if (stat(server->path.c_str(), &st) == 0) server->inode = st.st_ino;
  return true;
}

void release(LinkServer* server) {
  if (server->listen_fd >= 0) close(server->listen_fd);
  for (int fd : server->wake)
    if (fd >= 0) close(fd);
  delete server;
}

}  // namespace

LinkServer* link_server_start(OffsetSpace* space, const LinkServerOptions& options, std::string* error) {
  std::string folder = options.link_dir.empty() ? link_folder_path() : options.link_dir;
  if (options.class_name != LINK_CLASS_MAIN && options.class_name != LINK_CLASS_LEGACY) {
    *error = "unknown window class " + options.class_name;
    return nullptr;
  }
  if (!link_folder_ensure(folder, error)) return nullptr;
  LinkServer* server = new LinkServer;
  server->space = space;
  server->handler = options.handler ? options.handler : link_server_execute;
  server->handler_context = options.handler_context;
  server->path = link_socket_path(folder, options.class_name.c_str());
  if (!link_socket_path_fits(server->path)) {
    *error = "link socket path too long: " + server->path;
    release(server);
    return nullptr;
  }
  if (!bind_socket(server, error) || pipe2(server->wake, O_CLOEXEC) != 0) {
    if (error->empty()) *error = std::string("cannot create a pipe: ") + std::strerror(errno);
    release(server);
    return nullptr;
  }
  link_server_prepare_space(space, options);
  server->acceptor = std::thread(accept_clients, server);
  return server;
}

void link_server_stop(LinkServer* server) {
  if (!server) return;
  char wake = 1;
  if (write(server->wake[1], &wake, 1) < 0) {
    // Only a full pipe fails here, and a full pipe wakes the acceptor as well.
  }
  server->acceptor.join();
  {
    std::lock_guard<std::mutex> hold(server->clients_lock);
    for (ServedClient& client : server->clients) shutdown(client.fd, SHUT_RDWR);
  }
  for (ServedClient& client : server->clients) {
    client.thread.join();
    close(client.fd);
  }
  server->clients.clear();
  struct stat st;
  if (stat(server->path.c_str(), &st) == 0 && st.st_ino == server->inode) unlink(server->path.c_str());
  release(server);
}

std::string link_server_socket_path(const LinkServer* server) { return server->path; }

int link_server_client_count(LinkServer* server) {
  std::lock_guard<std::mutex> hold(server->clients_lock);
  int count = 0;
  for (const ServedClient& client : server->clients) count += client.done ? 0 : 1;
  return count;
}
#endif
