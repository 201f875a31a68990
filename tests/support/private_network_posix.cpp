#include "tests/support/private_network.h"

#include <sched.h>
#include <unistd.h>

#include <cstdio>

#include "tests/support/programs.h"

namespace {

// unshare without a new user namespace needs root; anyone else maps to root
// inside a user namespace of their own.
std::vector<std::string> unshare_words() {
  if (geteuid() == 0) return {"-n"};
  return {"-r", "-n"};
}

// Brings loopback up, routes multicast to it, then becomes the program.
const char* const INSIDE = "ip link set lo up && ip route add 224.0.0.0/4 dev lo && exec \"$0\" \"$@\"";

}  // namespace

bool private_network_available(std::string* why) {
  std::string words;
  for (const std::string& w : unshare_words()) words += " " + w;
  std::string out, err;
  int status = run_command("unshare" + words + " sh -c '" + INSIDE + "' true", &out, &err);
  if (status == 0) return true;
  *why = "no private network namespace (unshare" + words + "): " + err;
  return false;
}

int spawn_in_private_network(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> words = unshare_words();
  for (const std::string& w : {std::string("sh"), std::string("-c"), std::string(INSIDE), program}) words.push_back(w);
  words.insert(words.end(), arguments.begin(), arguments.end());
  for (const char* unshare : {"/usr/bin/unshare", "/bin/unshare"})
    if (access(unshare, X_OK) == 0) return spawn_program(unshare, words);
  return -1;
}

namespace {

bool write_file(const char* path, const std::string& text) {
  FILE* f = std::fopen(path, "w");
  if (!f) return false;
  bool ok = std::fputs(text.c_str(), f) >= 0;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

bool enter_private_network(bool multicast_route, std::string* why) {
  uid_t uid = geteuid();
  gid_t gid = getegid();
  if (uid == 0) {
    if (unshare(CLONE_NEWNET) != 0) {
      *why = "unshare(CLONE_NEWNET) refused";
      return false;
    }
  } else {
    // Root of a user namespace of our own may make the network namespace.
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0 || !write_file("/proc/self/setgroups", "deny") ||
        !write_file("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !write_file("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
      *why = "no user and network namespace could be made";
      return false;
    }
  }
  std::string out, err;
  std::string command = "ip link set lo up";
  if (multicast_route) command += " && ip route add 224.0.0.0/4 dev lo";
  if (run_command(command, &out, &err) != 0) {
    *why = "could not set up loopback in the private namespace: " + err;
    return false;
  }
  return true;
}

std::string private_network_command_prefix() {
  std::string words;
  for (const std::string& w : unshare_words()) words += " " + w;
  return "unshare" + words + " sh -c '" + INSIDE + "'";
}
