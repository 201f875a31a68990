// The server's cost per batch with a full cockpit attached: eight client
// processes, each sending a unit's read set every frame (two display units,
// two primary flight displays, two radio units, two EFIS panels), first
// against a held server (the baseline) and then with the aircraft model
// stepping at 100 Hz, in the same run. Prints medians and the ratio.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "server/aircraft_control.h"
#include "server/link_server.h"
#include "simlink/simlink.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double RUN_SECONDS = 3.0;
constexpr int MODEL_RATE_HZ = 100;
struct UnitKind { const char* name; int reads; };
// Reads per frame of each unit, as their exchanges queue them.
const UnitKind UNITS[] = {{"du2", 85}, {"du3", 85}, {"pfd1", 95}, {"pfd2", 95},
                          {"rmu1", 50}, {"rmu2", 50}, {"efis1", 8}, {"efis2", 8}};
constexpr int UNIT_COUNT = sizeof UNITS / sizeof UNITS[0];

struct Result { double median_us, p99_us; long batches; };

// A child: waits for the go byte, then runs frames for RUN_SECONDS; writes its result.
void client(const UnitKind& unit, int go_fd, int result_fd) {
  char go;
  if (read(go_fd, &go, 1) != 1) _exit(1);
  uint32_t code = 0;
  if (!simlink_open(0, &code)) _exit(2);
  size_t count;
  const OffsetEntry* table = offset_table(&count);
  std::vector<uint8_t> into(0x10000);
  std::vector<double> times;
  auto end = Clock::now() + std::chrono::duration<double>(RUN_SECONDS);
  while (Clock::now() < end) {
    auto start = Clock::now();
    for (int i = 0; i < unit.reads; ++i) {
      const OffsetEntry& e = table[i % count];
      simlink_read(e.offset, e.size, &into[e.offset], &code);
    }
    if (!simlink_process(&code)) _exit(3);
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    std::this_thread::sleep_for(std::chrono::milliseconds(1));   // a unit's frame sleep
  }
  simlink_close();
  std::sort(times.begin(), times.end());
  Result r{times[times.size() / 2], times[times.size() * 99 / 100], static_cast<long>(times.size())};
  if (write(result_fd, &r, sizeof r) != ssize_t(sizeof r)) _exit(4);
  _exit(0);
}

struct Phase { std::vector<int> go; std::vector<int> results; std::vector<pid_t> pids; };

Phase fork_clients() {
  Phase p;
  for (int u = 0; u < UNIT_COUNT; ++u) {
    int go[2], res[2];
    if (pipe(go) != 0 || pipe(res) != 0) std::exit(1);
    pid_t pid = fork();
    if (pid == 0) {
      close(go[1]);
      close(res[0]);
      client(UNITS[u], go[0], res[1]);
    }
    close(go[0]);
    close(res[1]);
    p.go.push_back(go[1]);
    p.results.push_back(res[0]);
    p.pids.push_back(pid);
  }
  return p;
}

std::vector<Result> run_phase(Phase* p) {
  for (int fd : p->go) if (write(fd, "g", 1) != 1) std::exit(1);
  std::vector<Result> results(UNIT_COUNT);
  for (int u = 0; u < UNIT_COUNT; ++u) {
    if (read(p->results[u], &results[u], sizeof(Result)) != ssize_t(sizeof(Result))) results[u] = Result{-1, -1, 0};
    int status;
    waitpid(p->pids[u], &status, 0);
  }
  return results;
}

}  // namespace

int main() {
  std::string folder = (std::filesystem::temp_directory_path() / ("bench-model-units-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(folder);
  setenv("COCKPIT_LINK_DIR", folder.c_str(), 1);
  // Client processes are forked before any thread exists.
  Phase held = fork_clients(), flying = fork_clients();

  auto space = std::make_unique<OffsetSpace>();
  offset_space_init(space.get());
  auto aircraft = std::make_unique<Aircraft>();
  ModelControl control{aircraft.get(), false, false, 1.0, PendingLoad{}};
  std::string error;
  if (!control_load_scenario(&control, nullptr, space->bytes, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  LinkServerOptions options;
  options.link_dir = folder;
  LinkServer* server = link_server_start(space.get(), options, &error);
  if (!server) {
    std::fprintf(stderr, "bench: %s\n", error.c_str());
    return 1;
  }
  std::vector<Result> baseline = run_phase(&held);

  std::atomic<bool> stop{false};
  std::atomic<long> steps{0};
  double step_seconds = 0;
  std::thread model([&] {
    auto next = Clock::now();
    while (!stop) {
      next += std::chrono::microseconds(1000000 / MODEL_RATE_HZ);
      auto start = Clock::now();
      {
        std::lock_guard<std::mutex> hold(space->lock);
        control_step(&control, 1.0 / MODEL_RATE_HZ, space->bytes);
      }
      step_seconds += std::chrono::duration<double>(Clock::now() - start).count();
      ++steps;
      std::this_thread::sleep_until(next);
    }
  });
  std::vector<Result> with_model = run_phase(&flying);
  stop = true;
  model.join();
  link_server_stop(server);
  std::filesystem::remove_all(folder);

  std::printf("unit   reads  batches  median us (held)  median us (model)  ratio  p99 us (model)\n");
  long total = 0;
  for (int u = 0; u < UNIT_COUNT; ++u) {
    total += with_model[u].batches;
    std::printf("%-6s %5d  %7ld  %16.1f  %17.1f  %5.2f  %14.1f\n", UNITS[u].name, UNITS[u].reads,
                with_model[u].batches, baseline[u].median_us, with_model[u].median_us,
                with_model[u].median_us / baseline[u].median_us, with_model[u].p99_us);
  }
  std::printf("batches per second, all units: %.0f\n", total / RUN_SECONDS);
  std::printf("model step: %.1f us mean over %ld steps (%.3f %% of a core at %d Hz)\n",
              step_seconds / std::max(1L, steps.load()) * 1e6, steps.load(),
              step_seconds / std::max(1L, steps.load()) * MODEL_RATE_HZ * 100, MODEL_RATE_HZ);
  return 0;
}
