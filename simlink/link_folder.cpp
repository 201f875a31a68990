// POSIX only: the Win32 transport finds its server by window class instead.
#ifndef _WIN32
#include "simlink/link_folder.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr mode_t WRITABLE_BY_OTHERS = S_IWGRP | S_IWOTH;

std::string mode_text(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", unsigned(mode & 07777));
  return text;
}

std::string system_error() { return std::strerror(errno); }

// The group named in $COCKPIT_LINK_GROUP, or none.
int64_t client_group() {
  const char* name = std::getenv("COCKPIT_LINK_GROUP");
  int64_t id = LINK_NO_GROUP;
  std::string ignored;
  if (name && *name && !link_group_id(name, &id, &ignored)) return LINK_NO_GROUP;
  return id;
}

}  // namespace

std::string link_folder_path() {
  const char* override_dir = std::getenv("COCKPIT_LINK_DIR");
  if (override_dir && *override_dir) return override_dir;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return std::string(runtime) + "/cockpit-link";
  return "/tmp/cockpit-link-" + std::to_string(static_cast<unsigned long>(getuid()));
}

std::string link_socket_path(const std::string& folder, const char* class_name) {
  return folder + "/" + class_name;
}

bool link_socket_path_fits(const std::string& path) {
  return path.size() < sizeof(sockaddr_un{}.sun_path);
}

bool link_group_id(const std::string& name, int64_t* group_id, std::string* error) {
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (getgrnam_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
    *error = "no group named \"" + name + "\"";
    return false;
  }
  *group_id = int64_t(found->gr_gid);
  return true;
}

bool link_folder_ensure(const std::string& folder, int64_t group_id, std::string* error) {
  bool created = mkdir(folder.c_str(), 0700) == 0;
  if (!created && errno != EEXIST) {
    *error = "cannot create link folder " + folder + ": " + system_error();
    return false;
  }
  struct stat st;
  if (stat(folder.c_str(), &st) != 0) {
    *error = "cannot examine link folder " + folder + ": " + system_error();
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    *error = "link folder " + folder + " exists and is not a folder";
    return false;
  }
  // In a shared /tmp another user could have made the folder first.
  if (st.st_uid != geteuid()) {
    *error = "link folder " + folder + " belongs to another user";
    return false;
  }
  // Whoever can write in the folder can put a socket of their own in our place.
  if (!created && (st.st_mode & WRITABLE_BY_OTHERS)) {
    *error = "link folder " + folder + " can be written by other users (mode " + mode_text(st.st_mode) +
             "); make it writable by its owner alone (chmod 700)";
    return false;
  }
  if (group_id != LINK_NO_GROUP && chown(folder.c_str(), uid_t(-1), gid_t(group_id)) != 0) {
    *error = "cannot give link folder " + folder + " to its group (the server's user must belong to it): " +
             system_error();
    return false;
  }
  // The umask may have taken more than asked for, or a group needs in.
  mode_t wanted = group_id == LINK_NO_GROUP ? (created ? 0700 : st.st_mode & 07777) : 0750;
  if ((created || group_id != LINK_NO_GROUP) && chmod(folder.c_str(), wanted) != 0) {
    *error = "cannot set the mode of link folder " + folder + ": " + system_error();
    return false;
  }
  return true;
}

bool link_socket_restrict(const std::string& path, int64_t group_id, std::string* error) {
  if (group_id != LINK_NO_GROUP && chown(path.c_str(), uid_t(-1), gid_t(group_id)) != 0) {
    *error = "cannot give " + path + " to its group: " + system_error();
    return false;
  }
  if (chmod(path.c_str(), group_id == LINK_NO_GROUP ? 0600 : 0660) != 0) {
    *error = "cannot set the mode of " + path + ": " + system_error();
    return false;
  }
  return true;
}

LinkTrust link_endpoint_check(const std::string& folder, const std::string& socket_path, LinkEndpoint* endpoint,
                              std::string* why) {
  const uid_t me = geteuid();
  const int64_t group = client_group();
  struct stat dir;
  if (stat(folder.c_str(), &dir) != 0) {
    *why = "no link folder " + folder;
    return LINK_MISSING;
  }
  bool dir_shared = group != LINK_NO_GROUP && int64_t(dir.st_gid) == group;
  if (!S_ISDIR(dir.st_mode) || (dir.st_uid != me && !dir_shared)) {
    *why = "link folder " + folder + " is not a folder of this user; refused";
    return LINK_UNTRUSTED;
  }
  if (dir.st_mode & WRITABLE_BY_OTHERS) {
    *why = "link folder " + folder + " can be written by other users (mode " + mode_text(dir.st_mode) + "); refused";
    return LINK_UNTRUSTED;
  }
  struct stat sock;
  if (lstat(socket_path.c_str(), &sock) != 0) {
    *why = "no link socket " + socket_path;
    return LINK_MISSING;
  }
  bool sock_shared = dir_shared && sock.st_uid == dir.st_uid && int64_t(sock.st_gid) == group;
  if (!S_ISSOCK(sock.st_mode) || (sock.st_uid != me && !sock_shared)) {
    *why = "link socket " + socket_path + " is not a socket of this user; refused";
    return LINK_UNTRUSTED;
  }
  endpoint->owner_uid = uint32_t(sock.st_uid);
  endpoint->group_id = sock.st_uid == me ? LINK_NO_GROUP : group;
  return LINK_TRUSTED;
}
#endif
