// The POSIX listener: a Unix-domain socket in the link folder, one thread per
// client. A request names the client's shared-memory block; the block is read
// into a private buffer (never mapped, so a client shrinking or rewriting it
// cannot hurt the server), executed, and the used part written back.
//
// Nothing a client does may stop or stall the others: peers of other users
// are turned away at once, each process holds a bounded share of a bounded
// table, a connection that asks nothing is closed after the handshake time,
// and a client that cannot get a thread is refused alone.
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

#include "server/batch.h"
#include "server/link_peer_posix.h"
#include "server/link_server.h"
#include "server/link_server_testing.h"
#include "simlink/link_folder.h"
#include "simlink/link_wire.h"

namespace {
constexpr size_t BLOCK_SIZE = 0x8000;
constexpr size_t FIRST_READ = 4096;   // most batches end within the first page
constexpr int LISTEN_BACKLOG = 64;
constexpr int ACCEPT_POLL_MS = 1000;
constexpr int RECLAIM_POLL_MS = 100;
constexpr int RECLAIM_WATCH_MS = 5000;  // how long a departed client's process is watched for its end
constexpr int ACCEPT_BACKOFF_MS = 100;  // out of descriptors: let the clients that leave free some
constexpr int64_t LOG_INTERVAL_MS = 10000;

std::atomic<int> failing_thread_starts{0};

int64_t now_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

enum Refusal { REFUSED_USER, REFUSED_FULL, REFUSED_PROCESS, REFUSED_THREAD, HANDSHAKE_TIMEOUT, RECLAIMED, KIND_COUNT };
const char* const refusal_text[KIND_COUNT] = {
    "refused a client of another user",
    "refused a client: the client table is full",
    "refused a client: its process already holds its share of connections",
    "refused a client: no thread could be started for it",
    "closed a connection that asked nothing in time",
    "removed a block left behind by a client that died",
};
}  // namespace

struct ServedClient {
  LinkServer* server = nullptr;
  int fd = -1;
  LinkPeer peer{};
  pthread_t thread{};
  std::atomic<bool> done{false};
};

// A departed client's process, watched for a while: if it died, the blocks
// it created but never had answered are removed.
struct DepartedPeer {
  LinkPeer peer;
  int64_t until_ms;
};

struct LinkServer {
  OffsetSpace* space = nullptr;
  LinkServerOptions options;
  int64_t group_id = LINK_NO_GROUP;
  std::string path;
  ino_t inode = 0;
  int listen_fd = -1;
  int wake[2] = {-1, -1};
  std::thread acceptor;
  std::mutex clients_lock;
  std::list<ServedClient> clients;
  std::vector<DepartedPeer> departed;   // the acceptor's alone
  std::atomic<uint64_t> counts[KIND_COUNT] = {};
  std::mutex log_lock;
  int64_t last_log_ms[KIND_COUNT] = {};
};

namespace {

// Counts the event and tells the operator: the first time, then at most once
// per interval with the total, so that a flood never floods the log.
void note(LinkServer* server, Refusal kind, uint64_t amount = 1) {
  uint64_t total = server->counts[kind].fetch_add(amount) + amount;
  std::lock_guard<std::mutex> hold(server->log_lock);
  int64_t now = now_ms();
  if (total != amount && now - server->last_log_ms[kind] < LOG_INTERVAL_MS) return;
  server->last_log_ms[kind] = now;
  std::fprintf(stderr, "link server: %s (%llu so far)\n", refusal_text[kind], static_cast<unsigned long long>(total));
}

enum Receive { RECEIVED, CLOSED, TIMED_OUT };

// Receives exactly `size` bytes; with a deadline (ms on the steady clock, -1
// for none) gives up when it passes.
Receive receive_exact(int fd, uint8_t* data, size_t size, int64_t deadline_ms) {
  while (size > 0) {
    // Always through poll, which waits for input alone: a thread asleep in
    // recv is also woken whenever the client takes in a reply (room to send
    // again), only to sleep once more.
    int64_t left = -1;
    if (deadline_ms >= 0) {
      left = deadline_ms - now_ms();
      if (left <= 0) return TIMED_OUT;
    }
    pollfd wait{fd, POLLIN, 0};
    int ready = poll(&wait, 1, int(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return CLOSED;
    if (ready == 0) return TIMED_OUT;
    ssize_t got = recv(fd, data, size, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return CLOSED;
    data += got;
    size -= size_t(got);
  }
  return RECEIVED;
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

struct ClientMapping {
  int fd = -1;
  char name[LINK_WIRE_NAME_SIZE] = {};
};

// Opens the named block, reusing the one of the previous request when the name is the same.
int open_mapping(ClientMapping* mapping, const char* name, uid_t owner) {
  if (mapping->fd >= 0 && std::strcmp(mapping->name, name) == 0) return mapping->fd;
  if (mapping->fd >= 0) close(mapping->fd);
  mapping->fd = link_block_open(name, owner);
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

uint32_t serve_request(LinkServer* server, ClientMapping* mapping, const char* name, uid_t owner, uint8_t* buffer) {
  int fd = open_mapping(mapping, name, owner);
  if (fd < 0) return BATCH_REPLY_REFUSED;
  size_t have = FIRST_READ, used = 0;
  if (!read_block(fd, buffer, 0, have)) return BATCH_REPLY_REFUSED;
  if (batch_scan(buffer, have, &used) == BATCH_TRUNCATED) {
    if (!read_block(fd, buffer, have, BLOCK_SIZE)) return BATCH_REPLY_REFUSED;
    have = BLOCK_SIZE;
  }
  LinkBatchHandler handler = server->options.handler ? server->options.handler : link_server_execute;
  uint32_t reply = handler(server->options.handler_context, server->space, buffer, have, &used);
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

void* serve_client(void* argument) {
  ServedClient* client = static_cast<ServedClient*>(argument);
  LinkServer* server = client->server;
  std::vector<uint8_t> buffer(BLOCK_SIZE);
  ClientMapping mapping;
  uint8_t request[LINK_WIRE_REQUEST_SIZE];
  // Until a request has been served the connection must ask within the
  // handshake time; after that it may stay quiet for as long as it likes.
  int64_t deadline = now_ms() + server->options.handshake_ms;
  for (;;) {
    Receive got = receive_exact(client->fd, request, sizeof request, deadline);
    if (got == TIMED_OUT) note(server, HANDSHAKE_TIMEOUT);   // before the shutdown below shows it
    if (got != RECEIVED) break;
    uint32_t sequence = 0;
    char name[LINK_WIRE_NAME_SIZE];
    link_wire_unpack_request(request, &sequence, name);
    uint32_t word = serve_request(server, &mapping, name, client->peer.uid, buffer.data());
    if (word == LINK_HANDLER_HANG_UP) break;
    if (word == BATCH_REPLY_OK) deadline = -1;
    uint8_t reply[LINK_WIRE_REPLY_SIZE];
    link_wire_pack_reply(reply, sequence, word);
    if (!send_exact(client->fd, reply, sizeof reply)) break;
  }
  if (mapping.fd >= 0) close(mapping.fd);
  // The peer learns at once; the descriptor is closed when the thread is reaped.
  shutdown(client->fd, SHUT_RDWR);
  client->done = true;
  return nullptr;
}

// Joins and forgets the clients whose threads have ended; their processes
// are watched for a while in case they died.
void reap_clients(LinkServer* server) {
  std::lock_guard<std::mutex> hold(server->clients_lock);
  for (auto it = server->clients.begin(); it != server->clients.end();) {
    if (it->done) {
      pthread_join(it->thread, nullptr);
      close(it->fd);
      server->departed.push_back(DepartedPeer{it->peer, now_ms() + RECLAIM_WATCH_MS});
      it = server->clients.erase(it);
    } else {
      ++it;
    }
  }
}

// A client killed between creating its block and its first answer never
// removes it; once its process is gone, the server does.
void reclaim_departed(LinkServer* server) {
  int64_t now = now_ms();
  for (auto it = server->departed.begin(); it != server->departed.end();) {
    bool still_connected = false;
    {
      std::lock_guard<std::mutex> hold(server->clients_lock);
      for (const ServedClient& client : server->clients) still_connected |= client.peer.pid == it->peer.pid;
    }
    bool gone = !still_connected && link_process_gone(it->peer.pid);
    if (gone) {
      int removed = link_blocks_reclaim(it->peer.pid, it->peer.uid);
      if (removed > 0) note(server, RECLAIMED, uint64_t(removed));
    }
    if (gone || still_connected || now >= it->until_ms) {
      it = server->departed.erase(it);
    } else {
      ++it;
    }
  }
}

// False once the peer has hung up, even if its thread has not noticed yet:
// a process that reconnects quickly must not be counted twice.
bool still_connected(int fd) {
  pollfd wait{fd, POLLRDHUP, 0};
  return poll(&wait, 1, 0) == 0 || !(wait.revents & (POLLRDHUP | POLLHUP | POLLERR));
}

// Live clients in all, and of the process `pid`; the hang-up check only
// when it matters.
void count_clients(LinkServer* server, pid_t pid, bool exact, int* live, int* of_process) {
  *live = *of_process = 0;
  for (const ServedClient& client : server->clients) {
    if (client.done || (exact && !still_connected(client.fd))) continue;
    ++*live;
    *of_process += client.peer.pid == pid ? 1 : 0;
  }
}

// Whether one more client may join; the reason it may not otherwise.
bool admit(LinkServer* server, int fd, LinkPeer* peer, Refusal* refusal) {
  if (!link_peer_identify(fd, peer) || !link_peer_allowed(fd, *peer, server->group_id)) {
    *refusal = REFUSED_USER;
    return false;
  }
  const LinkServerOptions& limits = server->options;
  int live = 0, of_process = 0;
  count_clients(server, peer->pid, false, &live, &of_process);
  if (live >= limits.max_clients || of_process >= limits.max_per_process)
    count_clients(server, peer->pid, true, &live, &of_process);
  if (live >= limits.max_clients) {
    *refusal = REFUSED_FULL;
    return false;
  }
  if (of_process >= limits.max_per_process) {
    *refusal = REFUSED_PROCESS;
    return false;
  }
  return true;
}

bool start_thread(ServedClient* client) {
  int expected = failing_thread_starts.load();
  while (expected > 0)
    if (failing_thread_starts.compare_exchange_weak(expected, expected - 1)) return false;
  return pthread_create(&client->thread, nullptr, serve_client, client) == 0;
}

void accept_one(LinkServer* server) {
  int fd = accept4(server->listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) {
    if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
      pollfd wait{server->wake[0], POLLIN, 0};
      poll(&wait, 1, ACCEPT_BACKOFF_MS);
    }
    return;
  }
  std::lock_guard<std::mutex> hold(server->clients_lock);
  LinkPeer peer{};
  Refusal refusal = REFUSED_USER;
  // Counted before the peer can see the refusal.
  if (!admit(server, fd, &peer, &refusal)) {
    note(server, refusal);
    close(fd);
    return;
  }
  server->clients.emplace_back();
  ServedClient* client = &server->clients.back();
  client->server = server;
  client->fd = fd;
  client->peer = peer;
  if (!start_thread(client)) {
    server->clients.pop_back();
    note(server, REFUSED_THREAD);
    close(fd);
  }
}

void accept_clients(LinkServer* server) {
  pollfd waits[2] = {{server->listen_fd, POLLIN, 0}, {server->wake[0], POLLIN, 0}};
  for (;;) {
    int ready = poll(waits, 2, server->departed.empty() ? ACCEPT_POLL_MS : RECLAIM_POLL_MS);
    if (ready < 0 && errno != EINTR) break;
    if (waits[1].revents) break;
    reap_clients(server);
    reclaim_departed(server);
    if (ready > 0 && (waits[0].revents & POLLIN)) accept_one(server);
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
  if (bind(server->listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    *error = "cannot serve " + server->path + ": " + std::strerror(errno);
    return false;
  }
  if (stat(server->path.c_str(), &st) == 0) server->inode = st.st_ino;
  // The mode comes from the umask at bind; nobody can connect before listen.
  if (!link_socket_restrict(server->path, server->group_id, error)) return false;
  if (listen(server->listen_fd, LISTEN_BACKLOG) != 0) {
    *error = "cannot serve " + server->path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void release(LinkServer* server) {
  if (server->listen_fd >= 0) close(server->listen_fd);
  for (int fd : server->wake)
    if (fd >= 0) close(fd);
  delete server;
}

bool check_limits(const LinkServerOptions& options, std::string* error) {
  if (options.class_name != LINK_CLASS_MAIN && options.class_name != LINK_CLASS_LEGACY) {
    *error = "unknown window class " + options.class_name;
    return false;
  }
  if (options.max_clients < 1 || options.max_per_process < 1 || options.handshake_ms < 1) {
    *error = "the client limits and the handshake time must be at least 1";
    return false;
  }
  return true;
}

}  // namespace

void link_server_fail_thread_starts(int count) { failing_thread_starts = count; }

LinkServer* link_server_start(OffsetSpace* space, const LinkServerOptions& options, std::string* error) {
  std::string folder = options.link_dir.empty() ? link_folder_path() : options.link_dir;
  if (!check_limits(options, error)) return nullptr;
  int64_t group_id = LINK_NO_GROUP;
  if (!options.allow_group.empty() && !link_group_id(options.allow_group, &group_id, error)) return nullptr;
  if (!link_folder_ensure(folder, group_id, error)) return nullptr;
  LinkServer* server = new LinkServer;
  server->space = space;
  server->options = options;
  server->group_id = group_id;
  server->path = link_socket_path(folder, options.class_name.c_str());
  if (!link_socket_path_fits(server->path)) {
    *error = "link socket path too long: " + server->path;
    release(server);
    return nullptr;
  }
  if (!bind_socket(server, error) || pipe2(server->wake, O_CLOEXEC) != 0) {
    if (error->empty()) *error = std::string("cannot create a pipe: ") + std::strerror(errno);
    if (server->inode != 0) unlink(server->path.c_str());
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
    pthread_join(client.thread, nullptr);
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

LinkServerStats link_server_stats(LinkServer* server) {
  LinkServerStats stats{};
  stats.refused_user = server->counts[REFUSED_USER];
  stats.refused_full = server->counts[REFUSED_FULL];
  stats.refused_process = server->counts[REFUSED_PROCESS];
  stats.refused_thread = server->counts[REFUSED_THREAD];
  stats.handshake_timeouts = server->counts[HANDSHAKE_TIMEOUT];
  stats.reclaimed_blocks = server->counts[RECLAIMED];
  return stats;
}
#endif
