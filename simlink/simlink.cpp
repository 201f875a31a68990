// The client core: packs requests into the shared block, hands the block to
// the transport, and copies read results back by walking its own queue.
#include "simlink/simlink.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "simlink/link_wire.h"
#include "simlink/simlink_process_id.h"
#include "simlink/simlink_testing.h"
#include "simlink/transport.h"

namespace {

constexpr uint32_t ID_END = 0;
constexpr uint32_t ID_READ = 1;
constexpr uint32_t ID_WRITE = 2;
constexpr uint32_t READ_HEADER_SIZE = 16;
constexpr uint32_t WRITE_HEADER_SIZE = 12;
constexpr uint32_t END_MARKER_SIZE = 4;

constexpr uint32_t OFFSET_SERVER_VERSION = 0x3304;
constexpr uint32_t OFFSET_SIM_VERSION = 0x3308;
constexpr uint32_t OFFSET_LIBRARY_VERSION = 0x330A;
constexpr uint32_t MIN_SERVER_VERSION = 0x19980005;
constexpr uint32_t SIM_VERSION_MARK = 0xFADE;
constexpr uint32_t REPLY_OK = 1;

const char* const error_messages[SIMLINK_ERROR_COUNT] = {
    "Okay",
    "Attempt to Open when already Open",
    "Cannot link to FSUIPC or WideClient",
    "Failed to Register common message with Windows",
    "Failed to create Atom for mapping filename",
    "Failed to create a file mapping object",
    "Failed to open a view to the file map",
    "Incorrect version of FSUIPC, or not FSUIPC",
    "Sim is not version requested",
    "Call cannot execute, link not Open",
    "Call cannot execute: no requests accumulated",
    "IPC timed out all retries",
    "IPC sendmessage failed all retries",
    "IPC request contains bad data",
    "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC",
    "Read or Write request cannot be added, memory for Process is full",
};

// One queued record as the client wrote it: the walk after a round trip checks
// the block against this and takes nothing else from shared memory.
struct QueuedRequest {
  uint32_t id;
  uint32_t offset;
  uint32_t size;
  uint32_t position;   // of the record header in the block
  void* destination;   // reads only; the block holds token = queue index + 1
};

struct LinkState {
  uint8_t* view = nullptr;
  uint32_t next = 0;   // bytes queued so far
  uint32_t open_counter = 0;
  uint32_t server_version = 0;
  uint32_t sim_version = 0;
  bool via_legacy = false;
  std::vector<QueuedRequest> queue;
  SimlinkTiming timing = simlink_default_timing();
};
LinkState link;

bool fail(uint32_t* result, uint32_t code) {
  if (result) *result = code;
  return false;
}
bool succeed(uint32_t* result) {
  if (result) *result = SIMLINK_OK;
  return true;
}
void sleep_ms(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void put_header(uint32_t position, uint32_t id, uint32_t offset, uint32_t size) {
  link_put_u32(link.view + position, id);
  link_put_u32(link.view + position + 4, offset);
  link_put_u32(link.view + position + 8, size);
}

// Checks every queued record against the block; true only if all still match.
bool block_matches_queue() {
  for (size_t i = 0; i < link.queue.size(); ++i) {
    const QueuedRequest& q = link.queue[i];
    const uint8_t* at = link.view + q.position;
    if (link_get_u32(at) != q.id || link_get_u32(at + 4) != q.offset || link_get_u32(at + 8) != q.size)
      return false;
    if (q.id == ID_READ && link_get_u32(at + 12) != (q.destination ? uint32_t(i + 1) : 0u)) return false;
  }
  return true;
}

void copy_read_results() {
  for (const QueuedRequest& q : link.queue) {
    if (q.id != ID_READ || !q.destination || q.size == 0) continue;
    std::memcpy(q.destination, link.view + q.position + READ_HEADER_SIZE, q.size);
  }
}

// The handshake rounds of open; false with the failing call's code.
bool exchange_versions(uint32_t* result) {
  for (uint32_t round = 0; round < link.timing.handshake_rounds; ++round) {
    if (link.server_version != 0 && link.sim_version != 0) break;
    uint16_t library_version = SIMLINK_LIBRARY_VERSION;
    if (!simlink_read(OFFSET_SERVER_VERSION, 4, &link.server_version, result)) return false;
    if (!simlink_read(OFFSET_SIM_VERSION, 4, &link.sim_version, result)) return false;
    if (round == 0 && !simlink_write(OFFSET_LIBRARY_VERSION, 2, &library_version, result)) return false;
    if (!simlink_process(result)) return false;
    sleep_ms(link.timing.handshake_pause_ms);
  }
  return true;
}

}  // namespace

SimlinkTiming simlink_default_timing() { return SimlinkTiming{2000, 9, 100, 5, 100}; }
void simlink_set_timing(const SimlinkTiming& timing) { link.timing = timing; }
uint32_t simlink_open_counter() { return link.open_counter; }
void simlink_mapping_name(uint32_t counter, char* name, uint32_t name_size) {
  std::snprintf(name, name_size, "%s%X:%X", LINK_MAPPING_PREFIX, simlink_process_id(), counter);
}

bool simlink_open(uint32_t requested_sim_version, uint32_t* result) {
  if (link.view) return fail(result, SIMLINK_ERR_OPEN);
  link.server_version = 0;
  link.sim_version = 0;
  TransportFind found = transport_find_server();
  if (found == TRANSPORT_NOT_FOUND) {
    transport_close();
    return fail(result, SIMLINK_ERR_NOFS);
  }
  link.via_legacy = found == TRANSPORT_FOUND_LEGACY;
  if (!transport_register_message()) {
    simlink_close();
    return fail(result, SIMLINK_ERR_REGMSG);
  }
  char name[LINK_WIRE_NAME_SIZE];
  simlink_mapping_name(link.open_counter++, name, sizeof name);
  if (!transport_add_name(name)) {
    simlink_close();
    return fail(result, SIMLINK_ERR_ATOM);
  }
  if (!transport_create_mapping(name, SIMLINK_BLOCK_SIZE)) {
    simlink_close();
    return fail(result, SIMLINK_ERR_MAP);
  }
  link.view = transport_map_view(SIMLINK_BLOCK_SIZE);
  if (!link.view) {
    simlink_close();
    return fail(result, SIMLINK_ERR_VIEW);
  }
  link.next = 0;
  link.queue.clear();
  link.queue.reserve(SIMLINK_USABLE_SIZE / WRITE_HEADER_SIZE);
  if (!exchange_versions(result)) {
    simlink_close();
    return false;
  }
  if (link.server_version >= MIN_SERVER_VERSION && (link.sim_version >> 16) == SIM_VERSION_MARK) {
    link.sim_version &= 0xFFFF;
    if (requested_sim_version != 0 && requested_sim_version != link.sim_version) {
      simlink_close();
      return fail(result, SIMLINK_ERR_WRONGFS);
    }
    return succeed(result);
  }
  simlink_close();
  return fail(result, link.via_legacy ? SIMLINK_ERR_RUNNING : SIMLINK_ERR_VERSION);
}

void simlink_close() {
  transport_close();
  link.view = nullptr;
  link.next = 0;
  link.queue.clear();
}

bool simlink_is_open() { return link.view != nullptr; }

uint32_t simlink_sim_version() { return link.sim_version; }

bool simlink_read(uint32_t offset, uint32_t size, void* destination, uint32_t* result) {
  if (!link.view) return fail(result, SIMLINK_ERR_NOTOPEN);
  if (uint64_t(link.next) + size + READ_HEADER_SIZE + END_MARKER_SIZE > SIMLINK_USABLE_SIZE)
    return fail(result, SIMLINK_ERR_SIZE);
  uint32_t token = destination ? uint32_t(link.queue.size() + 1) : 0;
  put_header(link.next, ID_READ, offset, size);
  link_put_u32(link.view + link.next + 12, token);
  std::memset(link.view + link.next + READ_HEADER_SIZE, 0, size);
  link.queue.push_back(QueuedRequest{ID_READ, offset, size, link.next, destination});
  link.next += READ_HEADER_SIZE + size;
  return succeed(result);
}

bool simlink_write(uint32_t offset, uint32_t size, const void* source, uint32_t* result) {
  if (!link.view) return fail(result, SIMLINK_ERR_NOTOPEN);
  if (uint64_t(link.next) + size + WRITE_HEADER_SIZE + END_MARKER_SIZE > SIMLINK_USABLE_SIZE)
    return fail(result, SIMLINK_ERR_SIZE);
  if (size > 0 && !source) return fail(result, SIMLINK_ERR_DATA);
  put_header(link.next, ID_WRITE, offset, size);
  if (size > 0) std::memcpy(link.view + link.next + WRITE_HEADER_SIZE, source, size);
  link.queue.push_back(QueuedRequest{ID_WRITE, offset, size, link.next, nullptr});
  link.next += WRITE_HEADER_SIZE + size;
  return succeed(result);
}

bool simlink_process(uint32_t* result) {
  if (!link.view) return fail(result, SIMLINK_ERR_NOTOPEN);
  if (link.next == 0) return fail(result, SIMLINK_ERR_NODATA);
  link_put_u32(link.view + link.next, ID_END);
  link.next = 0;  // the batch is consumed whatever happens from here

  uint32_t reply = 0;
  TransportSend outcome = TRANSPORT_TIMED_OUT;
  for (uint32_t attempt = 0; attempt < link.timing.send_attempts; ++attempt) {
    outcome = transport_send(link.timing.send_timeout_ms, &reply);
    if (outcome == TRANSPORT_SENT) break;
    if (attempt + 1 < link.timing.send_attempts) sleep_ms(link.timing.retry_pause_ms);
  }
  if (outcome != TRANSPORT_SENT) {
    // The server is gone or stuck: close so that the next open finds it afresh.
    simlink_close();
    return fail(result, outcome == TRANSPORT_SEND_ERROR ? SIMLINK_ERR_SENDMSG : SIMLINK_ERR_TIMEOUT);
  }
  bool matches = reply == REPLY_OK && block_matches_queue();
  if (matches) copy_read_results();
  link.queue.clear();
  return matches ? succeed(result) : fail(result, SIMLINK_ERR_DATA);
}

const char* simlink_error_message(uint32_t code) {
  return code < SIMLINK_ERROR_COUNT ? error_messages[code] : "Unknown error";
}

bool simlink_error_lost_server(uint32_t code) {
  return code == SIMLINK_ERR_TIMEOUT || code == SIMLINK_ERR_SENDMSG;
}
