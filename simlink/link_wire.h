#pragma once
// The frames on the link socket, shared by client and server. A request is a
// sequence number and the NUL-padded mapping name; the reply is the sequence
// number it answers and the reply word. Both little-endian, fixed size.
#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr const char* LINK_CLASS_NAME_MAIN = "UIPCMAIN";
constexpr const char* LINK_CLASS_NAME_LEGACY = "FS98MAIN";
constexpr const char* LINK_MAPPING_PREFIX = "FsasmLib:IPC:";

constexpr size_t LINK_WIRE_NAME_SIZE = 64;
constexpr size_t LINK_WIRE_REQUEST_SIZE = 4 + LINK_WIRE_NAME_SIZE;
constexpr size_t LINK_WIRE_REPLY_SIZE = 8;

inline void link_put_u32(uint8_t* at, uint32_t value) {
  uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
  std::memcpy(at, bytes, 4);
}
inline uint32_t link_get_u32(const uint8_t* at) {
  uint8_t b[4];
  std::memcpy(b, at, 4);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

inline void link_wire_pack_request(uint8_t* frame, uint32_t sequence, const char* name) {
  link_put_u32(frame, sequence);
  std::memcpy(frame + 4, name, LINK_WIRE_NAME_SIZE);
}
// The name comes back always terminated (the last byte is forced to 0).
inline void link_wire_unpack_request(const uint8_t* frame, uint32_t* sequence, char* name) {
  *sequence = link_get_u32(frame);
  std::memcpy(name, frame + 4, LINK_WIRE_NAME_SIZE);
  name[LINK_WIRE_NAME_SIZE - 1] = 0;
}
inline void link_wire_pack_reply(uint8_t* frame, uint32_t sequence, uint32_t word) {
  link_put_u32(frame, sequence);
  link_put_u32(frame + 4, word);
}
inline void link_wire_unpack_reply(const uint8_t* frame, uint32_t* sequence, uint32_t* word) {
  *sequence = link_get_u32(frame);
  *word = link_get_u32(frame + 4);
}
