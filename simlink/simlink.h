#pragma once
// The offset-protocol client: one link per process, used from the main thread.
// Every call returns true on success and stores an error code 0..15 through
// `result` (0 on success). Requests are queued into a 32768-byte shared block
// and executed by the server in one round trip per process call.
#include <cstdint>
#include <type_traits>

enum SimlinkError : uint32_t {
  SIMLINK_OK = 0,
  SIMLINK_ERR_OPEN = 1,         // Attempt to Open when already Open
  SIMLINK_ERR_NOFS = 2,         // Cannot link to the server
  SIMLINK_ERR_REGMSG = 3,
  SIMLINK_ERR_ATOM = 4,
  SIMLINK_ERR_MAP = 5,
  SIMLINK_ERR_VIEW = 6,
  SIMLINK_ERR_VERSION = 7,
  SIMLINK_ERR_WRONGFS = 8,
  SIMLINK_ERR_NOTOPEN = 9,
  SIMLINK_ERR_NODATA = 10,
  SIMLINK_ERR_TIMEOUT = 11,
  SIMLINK_ERR_SENDMSG = 12,
  SIMLINK_ERR_DATA = 13,
  SIMLINK_ERR_RUNNING = 14,
  SIMLINK_ERR_SIZE = 15,
};
constexpr uint32_t SIMLINK_ERROR_COUNT = 16;

constexpr uint32_t SIMLINK_BLOCK_SIZE = 0x8000;   // 32768-byte mapping
constexpr uint32_t SIMLINK_USABLE_SIZE = 0x7F00;  // at most 32512 bytes of requests
constexpr uint16_t SIMLINK_LIBRARY_VERSION = 1004;

bool simlink_open(uint32_t requested_sim_version, uint32_t* result);
void simlink_close();
bool simlink_is_open();
// The simulator version read at the last successful open (its low 16 bits);
// 0 before any open.
uint32_t simlink_sim_version();
bool simlink_read(uint32_t offset, uint32_t size, void* destination, uint32_t* result);
bool simlink_write(uint32_t offset, uint32_t size, const void* source, uint32_t* result);
bool simlink_process(uint32_t* result);
// The message of an error code; "Unknown error" beyond the table.
const char* simlink_error_message(uint32_t code);
// True for the codes after which the link has been closed because the server
// is gone (11, 12): the caller marks itself not connected and reopens later.
bool simlink_error_lost_server(uint32_t code);

// Reads and writes sized by the variable itself, so that a destination always
// has the exact width of the offset (a 4-byte offset into an int32_t, never a
// long or a double).
template <typename T>
bool simlink_read_value(uint32_t offset, T* destination, uint32_t* result) {
  static_assert(std::is_trivially_copyable<T>::value, "link variables are plain data");
  return simlink_read(offset, sizeof(T), destination, result);
}
template <typename T>
bool simlink_write_value(uint32_t offset, const T& source, uint32_t* result) {
  static_assert(std::is_trivially_copyable<T>::value, "link variables are plain data");
  return simlink_write(offset, sizeof(T), &source, result);
}
