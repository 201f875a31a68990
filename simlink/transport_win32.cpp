// Win32 transport: the server is a top-level window of class "UIPCMAIN" (or
// "FS98MAIN"); the block is a named mapping backed by the paging file whose
// name travels as a global atom in the registered message "FsasmLib:IPC",
// sent as a blocking message with a time-out.
#include <windows.h>

#include "simlink/link_wire.h"
#include "simlink/simlink_process_id.h"
#include "simlink/transport.h"

namespace {

constexpr const char* LINK_MESSAGE_NAME = "FsasmLib:IPC";

struct Win32Transport {
  HWND server = nullptr;
  UINT message = 0;
  ATOM atom = 0;
  HANDLE mapping = nullptr;
  uint8_t* view = nullptr;
};
Win32Transport transport;

}  // namespace

TransportFind transport_find_server() {
  transport_close();
  transport.server = FindWindowA(LINK_CLASS_NAME_MAIN, nullptr);
  if (transport.server) return TRANSPORT_FOUND_MAIN;
  transport.server = FindWindowA(LINK_CLASS_NAME_LEGACY, nullptr);
  if (transport.server) return TRANSPORT_FOUND_LEGACY;
  return TRANSPORT_NOT_FOUND;
}

bool transport_register_message() {
  transport.message = RegisterWindowMessageA(LINK_MESSAGE_NAME);
  return transport.message != 0;
}

bool transport_add_name(const char* mapping_name) {
  transport.atom = GlobalAddAtomA(mapping_name);
  return transport.atom != 0;
}

bool transport_create_mapping(const char* mapping_name, uint32_t size) {
  SetLastError(ERROR_SUCCESS);
  transport.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0, size,
                                         mapping_name);
  // An existing mapping of that name belongs to someone else: never share it.
  return transport.mapping != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

uint8_t* transport_map_view(uint32_t size) {
  if (!transport.mapping) return nullptr;
  transport.view = static_cast<uint8_t*>(MapViewOfFile(transport.mapping, FILE_MAP_WRITE, 0, 0, size));
  return transport.view;
}

TransportSend transport_send(uint32_t timeout_ms, uint32_t* reply) {
  if (!transport.server || !transport.message || !transport.atom) return TRANSPORT_SEND_ERROR;
  DWORD_PTR result = 0;
  SetLastError(ERROR_SUCCESS);
  LRESULT sent = SendMessageTimeoutA(transport.server, transport.message, transport.atom, 0, SMTO_BLOCK,
                                     timeout_ms, &result);
  if (sent) {
    *reply = static_cast<uint32_t>(result);
    return TRANSPORT_SENT;
  }
  // A time-out reports ERROR_TIMEOUT (or nothing on older systems); any other
  // error, such as a window that has gone, is a failed send.
  DWORD error = GetLastError();
  return error == ERROR_SUCCESS || error == ERROR_TIMEOUT ? TRANSPORT_TIMED_OUT : TRANSPORT_SEND_ERROR;
}

void transport_close() {
  transport.server = nullptr;
  transport.message = 0;
  if (transport.atom) GlobalDeleteAtom(transport.atom);
  transport.atom = 0;
  if (transport.view) UnmapViewOfFile(transport.view);
  transport.view = nullptr;
  if (transport.mapping) CloseHandle(transport.mapping);
  transport.mapping = nullptr;
}

uint32_t simlink_process_id() { return static_cast<uint32_t>(GetCurrentProcessId()); }
