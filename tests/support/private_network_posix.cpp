#include "tests/support/private_network.h"

#include <unistd.h>

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

std::string private_network_command_prefix() {
  std::string words;
  for (const std::string& w : unshare_words()) words += " " + w;
  return "unshare" + words + " sh -c '" + INSIDE + "'";
}
