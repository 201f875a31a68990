#pragma once
// Where link servers put their sockets, shared by the client and the server:
// $COCKPIT_LINK_DIR if set, else $XDG_RUNTIME_DIR/cockpit-link, else
// /tmp/cockpit-link-<uid>.
#include <string>

std::string link_folder_path();
// The socket path of a server of window class `class_name` in `folder`.
std::string link_socket_path(const std::string& folder, const char* class_name);
// Creates the folder (owner-only) if missing; false with a message if that fails.
bool link_folder_ensure(const std::string& folder, std::string* error);
// Whether a socket path fits the system's limit.
bool link_socket_path_fits(const std::string& path);
