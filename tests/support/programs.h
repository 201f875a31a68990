#pragma once
// The built programs, started and stopped from a test: a server in a
// process of its own, cockpit_ctl, a unit. Private link folders are in
// tests/support/private_link.h.
#include <string>
#include <vector>

// The built programs.
std::string sim_server_path();
std::string cockpit_ctl_path();

// Starts a program with arguments; returns its process id or -1.
int spawn_program(const std::string& path, const std::vector<std::string>& arguments);
// Sends the signal and reaps the process; returns its exit status (128+signal if killed).
int stop_program(int pid, int signal_number);
// Waits for the process to end by itself, at most `timeout_ms`; -1 on time-out (then it is killed).
int wait_program(int pid, int timeout_ms);
// A bare connection to a link socket, for tests that speak the wire themselves; -1 if refused.
int connect_raw(const std::string& socket_path);
// True once the socket of `class_name` in the folder accepts connections (waits up to 5 s).
bool wait_for_server(const std::string& folder, const char* class_name);
// Starts sim_server in the exported link folder and waits until it serves; -1 on failure.
int start_sim_server(const std::vector<std::string>& arguments = {});

// Runs a shell command line; returns its exit status and its standard output / error.
int run_command(const std::string& command_line, std::string* out, std::string* err = nullptr);
