// Round trip of link batches against a bare Unix-socket ping-pong of the same
// frame sizes measured in the same run, and the server's throughput with
// several client processes. Prints figures; ratios are against the baseline.
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "server/link_server.h"
#include "simlink/link_wire.h"
#include "simlink/simlink.h"

namespace {

using Clock = std::chrono::steady_clock;
// Short slices, interleaved, medians reported: the machine may be shared, and
// interleaving lets baseline and link see the same load.
constexpr double MEASURE_SECONDS = 0.15;
constexpr int SLICES = 15;
constexpr double THROUGHPUT_SECONDS = 3.0;
constexpr int THROUGHPUT_CLIENTS = 8;
constexpr int THROUGHPUT_READS = 10;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The baseline: a thread answering each 68-byte frame with an 8-byte one over
// a filesystem Unix socket, exactly as many bytes as a link round trip moves.
void echo_server(int listen_fd) {
  int fd = accept(listen_fd, nullptr, nullptr);
  uint8_t request[LINK_WIRE_REQUEST_SIZE], reply[LINK_WIRE_REPLY_SIZE] = {};
  while (recv(fd, request, sizeof request, MSG_WAITALL) == ssize_t(sizeof request))
    if (send(fd, reply, sizeof reply, MSG_NOSIGNAL) != ssize_t(sizeof reply)) break;
  close(fd);
}

struct PingPong {
  int listen_fd, fd;
  std::thread server;
  std::string path;
};

void ping_pong_open(PingPong* pp, const std::string& folder) {
  std::string path = folder + "/pingpong";
  pp->path = path;
  int listen_fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (bind(listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listen_fd, 1) != 0) {
    std::perror("bench: ping-pong socket");
    std::exit(1);
  }
  pp->listen_fd = listen_fd;
  pp->server = std::thread(echo_server, listen_fd);
  pp->fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (connect(pp->fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) std::exit(1);
}

void ping_pong_close(PingPong* pp) {
  close(pp->fd);
  pp->server.join();
  close(pp->listen_fd);
  unlink(pp->path.c_str());
}

double ping_pong_us(PingPong* pp) {
  int fd = pp->fd;
  uint8_t request[LINK_WIRE_REQUEST_SIZE] = {}, reply[LINK_WIRE_REPLY_SIZE];
  long rounds = 0;
  auto start = Clock::now();
  while (seconds_since(start) < MEASURE_SECONDS) {
    for (int i = 0; i < 100; ++i) {
      if (send(fd, request, sizeof request, 0) != ssize_t(sizeof request)) std::exit(1);
      if (recv(fd, reply, sizeof reply, MSG_WAITALL) != ssize_t(sizeof reply)) std::exit(1);
    }
    rounds += 100;
  }
  return seconds_since(start) * 1e6 / double(rounds);
}

double batch_us(int reads) {
  std::vector<int32_t> values(static_cast<size_t>(reads));
  uint32_t code = 0;
  long rounds = 0;
  auto start = Clock::now();
  while (seconds_since(start) < MEASURE_SECONDS) {
    for (int r = 0; r < 50; ++r) {
      for (int i = 0; i < reads; ++i) simlink_read(0x0200 + uint32_t(i) * 4, 4, &values[size_t(i)], &code);
      if (!simlink_process(&code)) {
        std::fprintf(stderr, "bench: %s\n", simlink_error_message(code));
        std::exit(1);
      }
    }
    rounds += 50;
  }
  return seconds_since(start) * 1e6 / double(rounds);
}

// One client process: waits for the start byte, runs batches for the bounded
// time, reports its count.
void throughput_client(int start_fd, int result_fd) {
  char go = 0;
  if (read(start_fd, &go, 1) != 1) _exit(1);
  uint32_t code = 0;
  if (!simlink_open(0, &code)) _exit(2);
  int32_t values[THROUGHPUT_READS];
  long batches = 0;
  auto start = Clock::now();
  while (seconds_since(start) < THROUGHPUT_SECONDS) {
    for (int i = 0; i < THROUGHPUT_READS; ++i) simlink_read(0x0200 + uint32_t(i) * 4, 4, &values[i], &code);
    if (!simlink_process(&code)) _exit(3);
    ++batches;
  }
  simlink_close();
  if (write(result_fd, &batches, sizeof batches) != ssize_t(sizeof batches)) _exit(4);
  _exit(0);
}

}  // namespace

int main() {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / ("cl-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  setenv("COCKPIT_LINK_DIR", folder.c_str(), 1);

  // Client processes are forked before any thread exists.
  int start_pipe[2], result_pipe[2];
  if (pipe(start_pipe) != 0 || pipe(result_pipe) != 0) return 1;
  std::vector<pid_t> children;
  for (int i = 0; i < THROUGHPUT_CLIENTS; ++i) {
    pid_t pid = fork();
    if (pid == 0) throughput_client(start_pipe[0], result_pipe[1]);
    children.push_back(pid);
  }

  static OffsetSpace space;
  offset_space_init(&space);
  LinkServerOptions options;
  options.link_dir = folder.string();
  std::string error;
  LinkServer* server = link_server_start(&space, options, &error);
  if (!server) {
    std::fprintf(stderr, "bench: %s\n", error.c_str());
    return 1;
  }
  uint32_t code = 0;
  if (!simlink_open(0, &code)) {
    std::fprintf(stderr, "bench: %s\n", simlink_error_message(code));
    return 1;
  }

  PingPong pp;
  ping_pong_open(&pp, folder.string());
  const int batch_sizes[] = {1, 50, 200};
  std::vector<double> figures[4];
  for (int slice = 0; slice < SLICES; ++slice) {
    figures[0].push_back(ping_pong_us(&pp));
    for (int k = 0; k < 3; ++k) figures[k + 1].push_back(batch_us(batch_sizes[k]));
  }
  ping_pong_close(&pp);
  simlink_close();
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  double baseline = median(figures[0]);
  std::printf("bare Unix-socket ping-pong       %8.2f us per round trip (median of %d slices)\n", baseline, SLICES);
  for (int k = 0; k < 3; ++k) {
    double us = median(figures[k + 1]);
    std::printf("batch of %3d four-byte reads     %8.2f us per round trip  (%.2fx ping-pong)\n", batch_sizes[k], us,
                us / baseline);
  }

  for (int i = 0; i < THROUGHPUT_CLIENTS; ++i)
    if (write(start_pipe[1], "g", 1) != 1) return 1;
  long total = 0;
  for (int i = 0; i < THROUGHPUT_CLIENTS; ++i) {
    long batches = 0;
    if (read(result_pipe[0], &batches, sizeof batches) == ssize_t(sizeof batches)) total += batches;
  }
  int failed = 0;
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::printf("server throughput, %d clients     %8.0f batches/s of %d reads (%d client failures)\n",
              THROUGHPUT_CLIENTS, double(total) / THROUGHPUT_SECONDS, THROUGHPUT_READS, failed);
  link_server_stop(server);
  std::filesystem::remove_all(folder);
  return failed ? 1 : 0;
}
