#include "tests/support/fake_server.h"

#include <chrono>
#include <thread>

#include "simlink/link_wire.h"

namespace {

constexpr size_t SEEN_BYTES = 256;

uint32_t misbehave(void* context, OffsetSpace* space, uint8_t* block, size_t length, size_t* used) {
  auto* fake = static_cast<FakeServer*>(context);
  ++fake->busy;
  ++fake->requests;
  {
    std::lock_guard<std::mutex> hold(fake->seen_lock);
    fake->last_block.assign(block, block + (length < SEEN_BYTES ? length : SEEN_BYTES));
  }
  uint32_t word = 0;
  switch (fake->mode.load()) {
    case FAKE_SERVE:
      word = link_server_execute(nullptr, space, block, length, used);
      break;
    case FAKE_REPLY_ZERO:
      break;
    case FAKE_TAMPER:
      word = link_server_execute(nullptr, space, block, length, used);
      link_put_u32(block + 4, link_get_u32(block + 4) + 1);
      break;
    case FAKE_SILENT:
      std::this_thread::sleep_for(std::chrono::milliseconds(FAKE_SILENT_MS));
      break;
  }
  --fake->busy;
  return word;
}

}  // namespace

bool fake_server_start(FakeServer* fake, const std::string& folder) {
  offset_space_init(&fake->space);
  LinkServerOptions options;
  options.link_dir = folder;
  options.handler = misbehave;
  options.handler_context = fake;
  std::string error;
  fake->server = link_server_start(&fake->space, options, &error);
  return fake->server != nullptr;
}

void fake_server_stop(FakeServer* fake) {
  link_server_stop(fake->server);
  fake->server = nullptr;
}

void fake_server_wait_idle(FakeServer* fake) {
  using namespace std::chrono;
  constexpr milliseconds QUIET(2 * FAKE_SILENT_MS), LIMIT(5000);
  const auto start = steady_clock::now();
  auto quiet_since = start;
  while (steady_clock::now() - start < LIMIT) {
    if (fake->busy > 0) quiet_since = steady_clock::now();
    if (steady_clock::now() - quiet_since >= QUIET) return;
    std::this_thread::sleep_for(milliseconds(10));
  }
}
