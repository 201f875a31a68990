#pragma once
// A link server for tests that misbehaves on demand: the real listener of
// this build (socket or window) with a batch handler that may refuse, rewrite
// the block behind the client's back, or answer too late.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "server/link_server.h"
#include "server/offset_space.h"

enum FakeMode { FAKE_SERVE, FAKE_REPLY_ZERO, FAKE_TAMPER, FAKE_SILENT };

// A silent answer comes this late: longer than the short time-out the tests use.
constexpr int FAKE_SILENT_MS = 300;

struct FakeServer {
  OffsetSpace space;
  LinkServer* server = nullptr;
  std::atomic<int> mode{FAKE_SERVE};
  std::atomic<int> requests{0};
  std::atomic<int> busy{0};         // handlers running now
  std::mutex seen_lock;
  std::vector<uint8_t> last_block;  // the first bytes of the last block received
};

bool fake_server_start(FakeServer* fake, const std::string& folder);
void fake_server_stop(FakeServer* fake);
// Waits until no request has been in hand for a while (late answers done).
void fake_server_wait_idle(FakeServer* fake);
