// Windows has no link folder: the client finds the server by its window
// class, and the system keeps the mapping to the session. Code that explains
// a refused folder (cockpit_ctl) finds nothing to refuse here.
#include "simlink/link_folder.h"

std::string link_folder_path() { return std::string(); }
std::string link_socket_path(const std::string&, const char*) { return std::string(); }
bool link_socket_path_fits(const std::string&) { return true; }

bool link_group_id(const std::string& name, int64_t*, std::string* error) {
  *error = "no link group on Windows (\"" + name + "\"): the link belongs to the session";
  return false;
}

bool link_folder_ensure(const std::string&, int64_t, std::string*) { return true; }
bool link_socket_restrict(const std::string&, int64_t, std::string*) { return true; }

LinkTrust link_endpoint_check(const std::string&, const std::string&, LinkEndpoint*, std::string*) {
  return LINK_MISSING;
}
