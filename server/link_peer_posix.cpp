#ifndef _WIN32
#include "server/link_peer_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "simlink/link_folder.h"
#include "simlink/link_wire.h"

namespace {

constexpr int MAX_PEER_GROUPS = 256;

bool valid_mapping_name(const char* name) {
  size_t prefix = std::strlen(LINK_MAPPING_PREFIX);
  if (std::strncmp(name, LINK_MAPPING_PREFIX, prefix) != 0) return false;
  return std::strchr(name, '/') == nullptr;
}

// "FsasmLib:IPC:<pid in hex>:<counter in hex>" names a block of `pid`.
bool names_block_of(const char* name, pid_t pid) {
  if (!valid_mapping_name(name)) return false;
  const char* digits = name + std::strlen(LINK_MAPPING_PREFIX);
  char* end = nullptr;
  errno = 0;
  unsigned long named = std::strtoul(digits, &end, 16);
  return end != digits && *end == ':' && errno == 0 && named == static_cast<unsigned long>(pid);
}

}  // namespace

bool link_peer_identify(int fd, LinkPeer* peer) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
  *peer = LinkPeer{credentials.pid, credentials.uid, credentials.gid};
  return true;
}

bool link_peer_allowed(int fd, const LinkPeer& peer, int64_t group_id) {
  if (peer.uid == geteuid()) return true;
  if (group_id == LINK_NO_GROUP) return false;
  if (peer.gid == gid_t(group_id)) return true;
#ifdef SO_PEERGROUPS
  gid_t groups[MAX_PEER_GROUPS];
  socklen_t size = sizeof groups;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERGROUPS, groups, &size) == 0) {
    for (size_t i = 0; i < size / sizeof(gid_t); ++i)
      if (groups[i] == gid_t(group_id)) return true;
  }
#else
  (void)fd;
#endif
  return false;
}

int link_block_open(const char* name, uid_t owner) {
  if (!valid_mapping_name(name)) return -1;
  std::string shm_name = std::string("/") + name;
  int fd = shm_open(shm_name.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0);
  if (fd < 0) return -1;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != owner) {
    close(fd);
    return -1;
  }
  return fd;
}

bool link_process_gone(pid_t pid) {
  if (kill(pid, 0) != 0 && errno == ESRCH) return true;
#ifdef __linux__
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%ld/stat", static_cast<long>(pid));
  FILE* f = std::fopen(path, "r");
  if (!f) return false;
  char text[512];
  size_t got = std::fread(text, 1, sizeof text - 1, f);
  std::fclose(f);
  text[got] = '\0';
  // "pid (command) S ...": the command may hold anything, the state follows the last ')'.
  const char* close_paren = std::strrchr(text, ')');
  return close_paren && close_paren[1] == ' ' && (close_paren[2] == 'Z' || close_paren[2] == 'X');
#else
  return false;
#endif
}

int link_blocks_reclaim(pid_t pid, uid_t owner) {
  int removed = 0;
#ifdef __linux__
  // Shared-memory objects are the files of /dev/shm on Linux.
  DIR* dir = opendir("/dev/shm");
  if (!dir) return 0;
  while (dirent* entry = readdir(dir)) {
    if (!names_block_of(entry->d_name, pid)) continue;
    struct stat st;
    if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(st.st_mode) || st.st_uid != owner) continue;
    if (shm_unlink((std::string("/") + entry->d_name).c_str()) == 0) ++removed;
  }
  closedir(dir);
#else
  (void)pid;
  (void)owner;
#endif
  return removed;
}
#endif
