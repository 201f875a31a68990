#pragma once
// Serving an offset space to link clients: a listener in a link folder that
// executes each client's batch under the space's lock. Many clients at once;
// a client that misbehaves or dies never stops the server.
#include <string>

#include "server/offset_space.h"

// The two window classes a client looks for, in its order of preference.
constexpr const char* LINK_CLASS_MAIN = "UIPCMAIN";
constexpr const char* LINK_CLASS_LEGACY = "FS98MAIN";

struct LinkServerOptions {
  std::string link_dir;                     // empty: the default link folder
  std::string class_name = LINK_CLASS_MAIN; // or LINK_CLASS_LEGACY
  bool wrong_version = false;               // answer the handshake with a version that is too old
};

struct LinkServer;  // opaque: listener thread, client threads, socket path

// Binds the socket "<link folder>/<class name>" and starts serving `space`.
// A stale socket of a dead server is replaced; a live one is never taken over.
// On failure returns null and a message for the user in `error`.
LinkServer* link_server_start(OffsetSpace* space, const LinkServerOptions& options, std::string* error);
// Stops accepting, disconnects every client, joins the threads and removes the
// socket (only if it is still ours). Safe with null.
void link_server_stop(LinkServer* server);
// The socket path being served.
std::string link_server_socket_path(const LinkServer* server);
// Number of clients connected now (for tests and status lines).
int link_server_client_count(LinkServer* server);
