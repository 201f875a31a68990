#pragma once
// A link server for tests that can misbehave on demand: answer normally,
// refuse, rewrite the block behind the client's back, stay silent or hang up.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "server/offset_space.h"

enum FakeMode { FAKE_SERVE, FAKE_REPLY_ZERO, FAKE_TAMPER, FAKE_SILENT, FAKE_HANG_UP };

struct FakeServer {
  OffsetSpace space;
  int listen_fd = -1;
  std::string path;
  std::thread thread;
  std::atomic<int> mode{FAKE_SERVE};
  std::atomic<bool> stop{false};
  std::atomic<int> requests{0};
  std::mutex seen_lock;
  std::vector<uint8_t> last_block;  // the first bytes of the last block received
};

bool fake_server_start(FakeServer* server, const std::string& folder);
void fake_server_stop(FakeServer* server);
