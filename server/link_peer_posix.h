#pragma once
// The POSIX listener's dealings with one peer: who is connected, whether that
// user may use the link, the shared-memory block it names, and the blocks it
// left behind when it died.
#ifndef _WIN32
#include <sys/types.h>

#include <cstdint>

struct LinkPeer {
  pid_t pid;
  uid_t uid;
  gid_t gid;
};

// The peer's credentials as the kernel saw them at connect time.
bool link_peer_identify(int fd, LinkPeer* peer);
// The server's own user always; a member of `group_id` when one is allowed.
bool link_peer_allowed(int fd, const LinkPeer& peer, int64_t group_id);
// Opens a client's block read/write: only a regular shared-memory object
// owned by `owner`, never something that could block or that belongs to
// someone else. -1 when refused.
int link_block_open(const char* name, uid_t owner);
// True once the process has ended (a zombie counts: it will never clean up).
bool link_process_gone(pid_t pid);
// Removes the blocks named for `pid` that `owner` left behind; how many.
int link_blocks_reclaim(pid_t pid, uid_t owner);
#endif
