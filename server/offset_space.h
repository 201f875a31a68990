#pragma once
// The stand-in simulator's offset space: 64 KiB of little-endian cells that
// link clients read and write in batches. A batch runs under the space's lock;
// writes are reported to a hook so that the aircraft model can react.
#include <cstdint>
#include <mutex>

constexpr uint32_t OFFSET_SPACE_SIZE = 0x10000;

// Called under the lock, after a write request of a batch has been applied.
typedef void (*WriteHook)(void* context, uint32_t offset, uint32_t size, uint8_t* space);

struct OffsetSpace {
  std::mutex lock;
  uint8_t bytes[OFFSET_SPACE_SIZE];
  WriteHook write_hook;
  void* hook_context;
  // The handshake words read at 0x3304 and 0x3308. Writes there (a client's
  // library version goes to 0x330A) never change what the next client reads.
  uint32_t server_version;
  uint32_t sim_version;
  uint16_t client_library_version;  // last written to 0x330A
};

// The handshake values a client checks at open.
constexpr uint32_t SPACE_OFFSET_SERVER_VERSION = 0x3304;
constexpr uint32_t SPACE_OFFSET_SIM_VERSION = 0x3308;
constexpr uint32_t SPACE_OFFSET_LIBRARY_VERSION = 0x330A;
constexpr uint32_t SPACE_SERVER_VERSION = 0x19980005 + 0x00010000;  // any version from 0x19980005 on
constexpr uint32_t SPACE_SERVER_VERSION_TOO_OLD = 0x19980004;
constexpr uint32_t SPACE_SIM_VERSION = 0xFADE0008;                   // 0xFADE mark, simulator 8

void offset_space_init(OffsetSpace* space);  // zero, handshake values in place
// Little-endian accessors for code that already holds the lock (the model).
void space_put(uint8_t* bytes, uint32_t offset, const void* value, uint32_t size);
void space_get(const uint8_t* bytes, uint32_t offset, void* value, uint32_t size);
// After a write that touched 0x3304..0x330B: keeps the library version and puts
// the handshake words back. Needs the lock.
void space_protect_handshake(OffsetSpace* space, uint32_t offset, uint32_t size);
