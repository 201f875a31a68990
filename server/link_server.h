#pragma once
// Serving an offset space to link clients: a listener (a socket in a link
// folder on POSIX, a hidden window of the server's class on Windows) that
// executes each client's batch under the space's lock. Many clients at once;
// a client that misbehaves or dies never stops or stalls the server.
#include <cstddef>
#include <cstdint>
#include <string>

#include "server/offset_space.h"

// The two window classes a client looks for, in its order of preference.
constexpr const char* LINK_CLASS_MAIN = "UIPCMAIN";
constexpr const char* LINK_CLASS_LEGACY = "FS98MAIN";

// Executes one client's block (a private copy of it) and returns the reply
// word; `used` is set to the bytes that go back to the client. The server uses
// batch_execute; tests put a misbehaving server here (a reply other than 1, a
// block changed behind the client's back, an answer that comes too late).
typedef uint32_t (*LinkBatchHandler)(void* context, OffsetSpace* space, uint8_t* block, size_t length,
                                     size_t* used);

// A handler's answer that no client ever sees: the listener closes the
// connection without a reply, as a server that has gone away would, so the
// client reports a lost server and reopens. (The Windows listener holds no
// connection; there the batch is refused.)
constexpr uint32_t LINK_HANDLER_HANG_UP = 0xFFFFFFFFu;

constexpr int LINK_DEFAULT_MAX_CLIENTS = 256;
constexpr int LINK_DEFAULT_MAX_PER_PROCESS = 8;     // a unit holds one connection
constexpr int LINK_DEFAULT_HANDSHAKE_MS = 5000;     // a client asks within milliseconds of connecting

struct LinkServerOptions {
  std::string link_dir;                     // empty: the default link folder (POSIX listener only)
  std::string class_name = LINK_CLASS_MAIN; // or LINK_CLASS_LEGACY
  bool wrong_version = false;               // answer the handshake with a version that is too old
  LinkBatchHandler handler = nullptr;       // null: batch_execute
  void* handler_context = nullptr;
  int max_clients = LINK_DEFAULT_MAX_CLIENTS;
  int max_per_process = LINK_DEFAULT_MAX_PER_PROCESS;
  // A connection that has not had a request served by then is closed; one
  // that has is kept however long it stays quiet (a minimised unit).
  int handshake_ms = LINK_DEFAULT_HANDSHAKE_MS;
  std::string allow_group{};                // also serve the members of this group
};

// What the server turned away or cleaned up, since it started.
struct LinkServerStats {
  uint64_t refused_user;          // peer of another user (and not of the allowed group)
  uint64_t refused_full;          // client table full
  uint64_t refused_process;       // that process already holds its share of connections
  uint64_t refused_thread;        // no thread could be started for it
  uint64_t handshake_timeouts;    // closed for asking nothing in time
  uint64_t reclaimed_blocks;      // blocks left behind by clients that died
};

struct LinkServer;  // opaque: listener thread, client threads, socket path

// Binds the socket "<link folder>/<class name>" (POSIX) or creates the window of
// that class (Windows) and starts serving `space`. A stale socket of a dead
// server is replaced; a live server is never taken over.
// On failure returns null and a message for the user in `error`.
LinkServer* link_server_start(OffsetSpace* space, const LinkServerOptions& options, std::string* error);
// Stops accepting, disconnects every client, joins the threads and removes the
// socket (only if it is still ours). Safe with null.
void link_server_stop(LinkServer* server);
// Where the link is served: the socket path, or the window class on Windows.
std::string link_server_socket_path(const LinkServer* server);
// Number of clients connected now (for tests and status lines); always 0 on
// Windows, where a client holds no connection between its messages.
int link_server_client_count(LinkServer* server);
LinkServerStats link_server_stats(LinkServer* server);

// Shared by the listeners: the handler that executes a batch for real, and
// the handshake words as the options want them.
uint32_t link_server_execute(void* context, OffsetSpace* space, uint8_t* block, size_t length, size_t* used);
void link_server_prepare_space(OffsetSpace* space, const LinkServerOptions& options);
