#include "tests/support/programs.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "simlink/link_folder.h"

namespace fs = std::filesystem;

std::string sim_server_path() { return std::string(COCKPIT_BINARY_DIR) + "/apps/sim_server"; }
std::string cockpit_ctl_path() { return std::string(COCKPIT_BINARY_DIR) + "/tools/cockpit_ctl"; }

int spawn_program(const std::string& path, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

static int decode_status(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

int stop_program(int pid, int signal_number) {
  if (pid <= 0) return -1;
  kill(pid, signal_number);
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return decode_status(status);
}

int wait_program(int pid, int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return decode_status(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  stop_program(pid, SIGKILL);
  return -1;
}

int connect_raw(const std::string& socket_path) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool wait_for_server(const std::string& folder, const char* class_name) {
  std::string path = link_socket_path(folder, class_name);
  for (int i = 0; i < 500; ++i) {
    int fd = connect_raw(path);
    if (fd >= 0) close(fd);
    if (fd >= 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

int start_sim_server(const std::vector<std::string>& arguments) {
  int pid = spawn_program(sim_server_path(), arguments);
  const char* folder = std::getenv("COCKPIT_LINK_DIR");
  const char* class_name = "UIPCMAIN";
  for (size_t i = 0; i + 1 < arguments.size(); ++i)
    if (arguments[i] == "--class") class_name = arguments[i + 1].c_str();
  if (pid <= 0 || !folder || !wait_for_server(folder, class_name)) {
    stop_program(pid, SIGKILL);
    return -1;
  }
  return pid;
}

int run_command(const std::string& command_line, std::string* out, std::string* err) {
  fs::path err_file = fs::temp_directory_path() / ("cl-err-" + std::to_string(getpid()));
  FILE* pipe = popen((command_line + " 2>" + err_file.string()).c_str(), "r");
  if (!pipe) return -1;
  std::string text;
  char chunk[256];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, got);
  int status = pclose(pipe);
  if (out) *out = text;
  if (err) {
    std::ifstream in(err_file);
    std::stringstream buffer;
    buffer << in.rdbuf();
    *err = buffer.str();
  }
  std::error_code ignored;
  fs::remove(err_file, ignored);
  return decode_status(status);
}
