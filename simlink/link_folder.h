#pragma once
// Where link servers put their sockets, shared by the client and the server:
// $COCKPIT_LINK_DIR if set, else $XDG_RUNTIME_DIR/cockpit-link, else
// /tmp/cockpit-link-<uid>.
//
// Trust: the folder belongs to the user and nobody else can write in it, so
// nobody else can put a socket of their own where a client looks. A cockpit
// whose units run under several accounts shares the link with one group:
// the server is started with that group, the clients find it named in
// $COCKPIT_LINK_GROUP.
#include <cstdint>
#include <string>

constexpr int64_t LINK_NO_GROUP = -1;   // the link is the owner's alone

std::string link_folder_path();
// The socket path of a server of window class `class_name` in `folder`.
std::string link_socket_path(const std::string& folder, const char* class_name);
// Whether a socket path fits the system's limit.
bool link_socket_path_fits(const std::string& path);

// The id of a group by name; false with a message when there is none.
bool link_group_id(const std::string& name, int64_t* group_id, std::string* error);

// Server side. Creates the folder 0700 (0750 for the group with `group_id`)
// or checks an existing one: a folder, the user's own, writable by nobody
// else. False with a message for the user.
bool link_folder_ensure(const std::string& folder, int64_t group_id, std::string* error);
// Gives a freshly bound socket its mode: 0600, or 0660 for the group.
bool link_socket_restrict(const std::string& path, int64_t group_id, std::string* error);

// Client side: whether the folder and the socket in it may be connected to.
enum LinkTrust { LINK_TRUSTED, LINK_MISSING, LINK_UNTRUSTED };
struct LinkEndpoint {
  uint32_t owner_uid = 0;          // who must be listening on the socket
  int64_t group_id = LINK_NO_GROUP;  // the shared group, when the owner is another user
};
// Trusted: the folder is writable by its owner alone, and folder and socket
// are this user's, or (with $COCKPIT_LINK_GROUP) the socket's owner shares
// them with that group. MISSING: no such folder or socket. `why` tells the
// user what was refused.
LinkTrust link_endpoint_check(const std::string& folder, const std::string& socket_path, LinkEndpoint* endpoint,
                              std::string* why);
