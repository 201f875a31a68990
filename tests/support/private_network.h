#pragma once
// Programs that may send datagrams (the radio units) run in a private network
// namespace whose only interface is loopback, with the multicast range routed
// to it, so that nothing they send ever leaves the machine.
#include <string>
#include <vector>

// False (with the reason) when no private namespace can be made here, for
// example without the rights to make one; tests then skip.
bool private_network_available(std::string* why);
// Starts `program` with `arguments` in a fresh private namespace; returns the
// process id (the program itself, so that a signal reaches it) or -1.
int spawn_in_private_network(const std::string& program, const std::vector<std::string>& arguments);
// Moves this process into a fresh private namespace with loopback up and,
// when asked, the multicast range routed to it (without the route, joining
// a group on the default interface fails). Call before starting threads;
// programs started afterwards share the namespace. False, with the reason,
// when none can be made here.
bool enter_private_network(bool multicast_route, std::string* why);
// The same as the start of a shell command line: "<prefix> program args".
std::string private_network_command_prefix();
