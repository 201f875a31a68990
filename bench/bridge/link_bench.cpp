// What the bridge adds to a batch: the same batches through the local link
// and through both ends of the bridge on loopback (with keys, and plain),
// measured in interleaved slices of the same run. Prints the added time per
// batch in microseconds and its ratio to the local round trip, the floor a
// bare ZeroMQ echo (plain and with CURVE) puts under it, and the thread
// wake-ups and CPU time each round trip costs, which hold on a busy machine.
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <zmq.h>

#include "bridge/bridge_keys.h"
#include "server/link_server.h"
#include "simlink/simlink.h"
#include "simlink/simlink_testing.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr double SLICE_SECONDS = 0.15;
constexpr int SLICES = 11;
constexpr int READS = 50;            // about one unit's main batch

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

[[noreturn]] void die(const std::string& why) {
  std::fprintf(stderr, "bench: %s\n", why.c_str());
  std::exit(1);
}

pid_t start_end(const std::string& role, const std::string& folder, const std::vector<std::string>& security,
                int port) {
  std::vector<std::string> words = {"env", "COCKPIT_LINK_DIR=" + folder, LINK_BRIDGE_PROGRAM, role};
  words.insert(words.end(), security.begin(), security.end());
  words.push_back("127.0.0.1:" + std::to_string(port));
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  // The ends' news would mix with the figures.
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int failed = posix_spawnp(&pid, "env", &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (failed != 0) die("cannot start link_bridge");
  return pid;
}

void use_folder(const std::string& folder) {
  simlink_close();
  setenv("COCKPIT_LINK_DIR", folder.c_str(), 1);
  uint32_t code = 0;
  auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!simlink_open(0, &code)) {
    if (Clock::now() > deadline) die(folder + ": " + simlink_error_message(code));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

// What the processes taking part in a round trip spent on it: every
// voluntary context switch is a thread going to sleep to be woken again,
// the cost a round trip is made of on an idle machine; and the CPU time.
// Counted per thread, so that the figures hold however loaded the machine
// is; a thread that ends during a slice takes its part with it.
struct Tally {
  double sleeps = 0, cpu_us = 0;
};
using Threads = std::map<std::string, Tally>;   // by thread id

Threads threads_of(pid_t pid) {
  Threads threads;
  const fs::path tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code failed;
  for (const fs::directory_entry& task : fs::directory_iterator(tasks, failed)) {
    Tally& tally = threads[task.path().filename().string()];
    std::FILE* status = std::fopen((task.path() / "status").c_str(), "r");
    char line[256];
    long count = 0;
    while (status && std::fgets(line, sizeof line, status))
      if (std::sscanf(line, "voluntary_ctxt_switches: %ld", &count) == 1) tally.sleeps = double(count);
    if (status) std::fclose(status);
    std::FILE* schedstat = std::fopen((task.path() / "schedstat").c_str(), "r");
    unsigned long long run_ns = 0;
    if (schedstat && std::fscanf(schedstat, "%llu", &run_ns) == 1) tally.cpu_us = double(run_ns) / 1000.0;
    if (schedstat) std::fclose(schedstat);
  }
  return threads;
}

// Adds what the threads of `pid` spent since `before`; those started since count whole.
void add_spent(pid_t pid, const Threads& before, Tally* sum) {
  for (const auto& [id, after] : threads_of(pid)) {
    auto earlier = before.find(id);
    sum->sleeps += after.sleeps - (earlier == before.end() ? 0 : earlier->second.sleeps);
    sum->cpu_us += after.cpu_us - (earlier == before.end() ? 0 : earlier->second.cpu_us);
  }
}

double batch_us(long* rounds_out) {
  int32_t values[READS];
  uint32_t code = 0;
  long rounds = 0;
  auto start = Clock::now();
  while (seconds_since(start) < SLICE_SECONDS) {
    for (int i = 0; i < READS; ++i) simlink_read(0x0200 + uint32_t(i) * 4, 4, &values[i], &code);
    if (!simlink_process(&code)) die(simlink_error_message(code));
    ++rounds;
  }
  *rounds_out = rounds;
  return seconds_since(start) * 1e6 / double(rounds);
}

// A TCP port on 127.0.0.1 that nothing uses right now.
int free_port() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port = ntohs(address.sin_port);
  close(fd);
  if (port == 0) die("no free port");
  return port;
}

// The floor of any ZeroMQ hop: a bare DEALER/ROUTER echo on loopback TCP, in
// this process, with frames as large as a batch of READS reads.
struct ZmqEcho {
  void* context = zmq_ctx_new();
  void* dealer = nullptr;
  std::thread echo;
};

// With `curve`, the same encryption as the bridge's (no ZAP handler: any
// client key is let in, which costs nothing per message).
void zmq_echo_open(ZmqEcho* z, int port, bool curve) {
  const std::string endpoint = "tcp://127.0.0.1:" + std::to_string(port);
  void* router = zmq_socket(z->context, ZMQ_ROUTER);
  int linger = 0, one = 1;
  char server_public[41], server_secret[41], client_public[41], client_secret[41];
  if (curve && (zmq_curve_keypair(server_public, server_secret) != 0 ||
                zmq_curve_keypair(client_public, client_secret) != 0))
    die("no CURVE in this ZeroMQ");
  zmq_setsockopt(router, ZMQ_LINGER, &linger, sizeof linger);
  if (curve) {
    zmq_setsockopt(router, ZMQ_CURVE_SERVER, &one, sizeof one);
    zmq_setsockopt(router, ZMQ_CURVE_SECRETKEY, server_secret, 40);
  }
  if (zmq_bind(router, endpoint.c_str()) != 0) die("cannot bind the echo");
  z->echo = std::thread([router] {
    zmq_msg_t part;
    for (;;) {
      zmq_msg_init(&part);
      if (zmq_msg_recv(&part, router, 0) < 0) break;
      int more = zmq_msg_more(&part);
      zmq_msg_send(&part, router, more ? ZMQ_SNDMORE : 0);
    }
    zmq_msg_close(&part);
    zmq_close(router);
  });
  z->dealer = zmq_socket(z->context, ZMQ_DEALER);
  zmq_setsockopt(z->dealer, ZMQ_LINGER, &linger, sizeof linger);
  if (curve) {
    zmq_setsockopt(z->dealer, ZMQ_CURVE_SERVERKEY, server_public, 40);
    zmq_setsockopt(z->dealer, ZMQ_CURVE_PUBLICKEY, client_public, 40);
    zmq_setsockopt(z->dealer, ZMQ_CURVE_SECRETKEY, client_secret, 40);
  }
  if (zmq_connect(z->dealer, endpoint.c_str()) != 0) die("cannot connect to the echo");
}

double zmq_echo_us(ZmqEcho* z, long* rounds_out) {
  std::vector<uint8_t> frame(20 + READS * 20 + 4), back(frame.size());
  long rounds = 0;
  auto start = Clock::now();
  while (seconds_since(start) < SLICE_SECONDS) {
    if (zmq_send(z->dealer, frame.data(), frame.size(), 0) < 0) die("echo send");
    if (zmq_recv(z->dealer, back.data(), back.size(), 0) < 0) die("echo receive");
    ++rounds;
  }
  *rounds_out = rounds;
  return seconds_since(start) * 1e6 / double(rounds);
}

void zmq_echo_close(ZmqEcho* z) {
  zmq_close(z->dealer);
  zmq_ctx_shutdown(z->context);   // ends the echo's receive
  z->echo.join();
  zmq_ctx_term(z->context);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  const fs::path base = fs::temp_directory_path() / ("cl-bridge-bench-" + std::to_string(getpid()));
  const std::string local = (base / "local").string(), keyed = (base / "keyed").string(),
                    plain = (base / "plain").string();
  for (const std::string& folder : {local, keyed, plain}) {
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all);
  }
  std::string error;
  const std::string serve_keys = (base / "serve").string(), attach_keys = (base / "attach").string();
  if (!bridge_keys_make(serve_keys, &error) || !bridge_keys_make(attach_keys, &error)) die(error);
  fs::create_directories(serve_keys + "/clients");
  fs::copy_file(attach_keys + "/bridge.pub", serve_keys + "/clients/display.pub");
  fs::copy_file(serve_keys + "/bridge.pub", attach_keys + "/server.pub");

  static OffsetSpace space;
  offset_space_init(&space);
  LinkServerOptions options;
  options.link_dir = local;
  LinkServer* server = link_server_start(&space, options, &error);
  if (!server) die(error);

  // Opens switch between the three folders: no pause in their handshake.
  SimlinkTiming timing = simlink_default_timing();
  timing.handshake_pause_ms = 0;
  simlink_set_timing(timing);

  const int keyed_port = free_port();
  int plain_port = free_port();
  while (plain_port == keyed_port) plain_port = free_port();
  std::vector<pid_t> ends = {
      start_end("serve", local, {"--keys", serve_keys}, keyed_port),
      start_end("attach", keyed, {"--keys", attach_keys}, keyed_port),
      start_end("serve", local, {"--plain"}, plain_port),
      start_end("attach", plain, {"--plain"}, plain_port),
  };

  ZmqEcho echo, curve_echo;
  zmq_echo_open(&echo, free_port(), false);
  zmq_echo_open(&curve_echo, free_port(), true);
  std::vector<double> figures[5];
  std::vector<Tally> spent[5];
  long rounds[5] = {};
  const std::string folders[3] = {local, keyed, plain};
  // The processes each round trip runs through: this one (the unit, the
  // link server and the echoes), and the two ends of a bridge.
  const std::vector<pid_t> taking_part[5] = {
      {getpid()}, {getpid(), ends[0], ends[1]}, {getpid(), ends[2], ends[3]}, {getpid()}, {getpid()}};
  for (int slice = 0; slice < SLICES; ++slice) {
    for (int k = 0; k < 5; ++k) {
      if (k < 3) use_folder(folders[k]);
      long count = 0;
      std::vector<Threads> before;
      for (pid_t pid : taking_part[k]) before.push_back(threads_of(pid));
      figures[k].push_back(k < 3 ? batch_us(&count) : zmq_echo_us(k == 3 ? &echo : &curve_echo, &count));
      spent[k].resize(before.size());
      for (size_t i = 0; i < before.size(); ++i) add_spent(taking_part[k][i], before[i], &spent[k][i]);
      rounds[k] += count;
    }
  }
  simlink_close();
  zmq_echo_close(&echo);
  zmq_echo_close(&curve_echo);
  for (pid_t pid : ends) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
  link_server_stop(server);
  fs::remove_all(base);

  const double local_us = median(figures[0]);
  std::printf("local link, batch of %d four-byte reads     %8.1f us per round trip (median of %d slices)\n", READS,
              local_us, SLICES);
  const char* names[3] = {"", "bridged with keys (CURVE)", "bridged plain"};
  for (int k = 1; k < 3; ++k) {
    double us = median(figures[k]);
    std::printf("%-42s %8.1f us per round trip: %6.1f us added, %.2fx the local round trip (goal under 4x)\n",
                names[k], us, us - local_us, us / local_us);
  }
  const double echo_us = median(figures[3]), curve_echo_us = median(figures[4]);
  std::printf("bare ZeroMQ echo on loopback TCP, same size %8.1f us per round trip (%.2fx the local round trip)\n",
              echo_us, echo_us / local_us);
  std::printf("the same echo with CURVE                    %8.1f us per round trip (%.2fx the local round trip)\n",
              curve_echo_us, curve_echo_us / local_us);
  // A bridged batch cannot beat one ZeroMQ round trip plus the two local
  // hops it holds (the unit to the attaching end, the serving end to its
  // server): what the bridge's own code adds is the rest.
  const double floor_us = echo_us + 2 * local_us, curve_floor_us = curve_echo_us + 2 * local_us;
  std::printf("floor: the echo and two local round trips  %8.1f us (%.2fx the local round trip), with CURVE %.1f us "
              "(%.2fx)\n",
              floor_us, floor_us / local_us, curve_floor_us, curve_floor_us / local_us);
  std::printf("bridged with keys %.2fx its floor, plain %.2fx its floor\n", median(figures[1]) / curve_floor_us,
              median(figures[2]) / floor_us);
  const char* what[5] = {"local link", "bridged with keys", "bridged plain", "ZeroMQ echo", "ZeroMQ echo, CURVE"};
  std::printf("per round trip, all threads taking part (independent of the machine's load):\n");
  for (int k = 0; k < 5; ++k) {
    Tally all;
    for (const Tally& t : spent[k]) all.sleeps += t.sleeps, all.cpu_us += t.cpu_us;
    const double n = double(rounds[k]);
    std::printf("  %-20s %5.1f wake-ups, %6.1f us CPU", what[k], all.sleeps / n, all.cpu_us / n);
    if (spent[k].size() == 3)
      std::printf(" (unit and link server %.1f, serving end %.1f, attaching end %.1f wake-ups)",
                  spent[k][0].sleeps / n, spent[k][1].sleeps / n, spent[k][2].sleeps / n);
    std::printf("\n");
  }
  return 0;
}
