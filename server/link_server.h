#pragma once
// Serving an offset space to link clients: a listener (a socket in a link
// folder on POSIX, a hidden window of the server's class on Windows) that
// executes each client's batch under the space's lock. Many clients at once;
// a client that misbehaves or dies never stops the server.
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

struct LinkServerOptions {
  std::string link_dir;                     // empty: the default link folder (POSIX listener only)
  std::string class_name = LINK_CLASS_MAIN; // or LINK_CLASS_LEGACY
  bool wrong_version = false;               // answer the handshake with a version that is too old
  LinkBatchHandler handler = nullptr;       // null: batch_execute
  void* handler_context = nullptr;
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

// Shared by the listeners: the handler that executes a batch for real, and
// the handshake words as the options want them.
uint32_t link_server_execute(void* context, OffsetSpace* space, uint8_t* block, size_t length, size_t* used);
void link_server_prepare_space(OffsetSpace* space, const LinkServerOptions& options);
