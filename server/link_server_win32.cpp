// The Win32 listener: a hidden top-level window of the server's class whose
// thread answers the registered message "FsasmLib:IPC". The first parameter
// is a global atom naming the client's mapping; the block is copied into a
// private buffer (a client rewriting it meanwhile cannot hurt the server),
// executed, and the used part copied back. The reply word is the message's
// result.
#include <windows.h>

#include <cstring>
#include <thread>
#include <vector>

#include "server/link_server.h"
#include "simlink/link_wire.h"

namespace {
constexpr size_t BLOCK_SIZE = 0x8000;
constexpr const char* LINK_MESSAGE_NAME = "FsasmLib:IPC";
constexpr uint32_t REPLY_REFUSED = 0;
}  // namespace

struct LinkServer {
  OffsetSpace* space = nullptr;
  LinkBatchHandler handler = nullptr;
  void* handler_context = nullptr;
  std::string class_name;
  UINT message = 0;
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HANDLE ready = nullptr;  // set once the window exists or could not be made
  std::string error;
  std::thread thread;
  std::vector<uint8_t> buffer = std::vector<uint8_t>(BLOCK_SIZE);
};

namespace {

bool valid_mapping_name(const char* name) {
  // A backslash would reach into another object namespace ("Global\\...").
  return std::strncmp(name, LINK_MAPPING_PREFIX, std::strlen(LINK_MAPPING_PREFIX)) == 0 && !std::strchr(name, '\\');
}

uint32_t serve_request(LinkServer* server, ATOM atom) {
  char name[LINK_WIRE_NAME_SIZE] = {};
  if (GlobalGetAtomNameA(atom, name, sizeof name) == 0 || !valid_mapping_name(name)) return REPLY_REFUSED;
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
  if (!mapping) return REPLY_REFUSED;
  // Mapping the whole block fails when the client's mapping is smaller.
  auto* view = static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, BLOCK_SIZE));
  uint32_t reply = REPLY_REFUSED;
  if (view) {
    uint8_t* block = server->buffer.data();
    std::memcpy(block, view, BLOCK_SIZE);
    size_t used = 0;
    reply = server->handler(server->handler_context, server->space, block, BLOCK_SIZE, &used);
    if (reply == 1 && used <= BLOCK_SIZE) std::memcpy(view, block, used);
    if (reply == LINK_HANDLER_HANG_UP) reply = REPLY_REFUSED;
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return reply;
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* server = reinterpret_cast<LinkServer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (server && message == server->message) return serve_request(server, static_cast<ATOM>(wparam));
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void serve_window(LinkServer* server) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = server->instance;
  window_class.lpszClassName = server->class_name.c_str();
  if (!RegisterClassA(&window_class)) {
    server->error = "cannot register the window class " + server->class_name;
    SetEvent(server->ready);
    return;
  }
  // Top-level (a client finds it with FindWindow) and never shown.
  server->window = CreateWindowExA(0, server->class_name.c_str(), server->class_name.c_str(), WS_POPUP, 0, 0, 0, 0,
                                   nullptr, nullptr, server->instance, nullptr);
  if (!server->window) {
    server->error = "cannot create the window of class " + server->class_name;
    UnregisterClassA(server->class_name.c_str(), server->instance);
    SetEvent(server->ready);
    return;
  }
  SetWindowLongPtrA(server->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(server));
  SetEvent(server->ready);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  UnregisterClassA(server->class_name.c_str(), server->instance);
}

void release(LinkServer* server) {
  if (server->ready) CloseHandle(server->ready);
  delete server;
}

}  // namespace

LinkServer* link_server_start(OffsetSpace* space, const LinkServerOptions& options, std::string* error) {
  if (options.class_name != LINK_CLASS_MAIN && options.class_name != LINK_CLASS_LEGACY) {
    *error = "unknown window class " + options.class_name;
    return nullptr;
  }
  if (FindWindowA(options.class_name.c_str(), nullptr)) {
    *error = "another link server is already serving window class " + options.class_name;
    return nullptr;
  }
  LinkServer* server = new LinkServer;
  server->space = space;
  server->handler = options.handler ? options.handler : link_server_execute;
  server->handler_context = options.handler_context;
  server->class_name = options.class_name;
  server->instance = GetModuleHandleA(nullptr);
  server->message = RegisterWindowMessageA(LINK_MESSAGE_NAME);
  server->ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!server->message || !server->ready) {
    *error = "cannot register the link message";
    release(server);
    return nullptr;
  }
  link_server_prepare_space(space, options);
  server->thread = std::thread(serve_window, server);
  WaitForSingleObject(server->ready, INFINITE);
  if (!server->window) {
    server->thread.join();
    *error = server->error;
    release(server);
    return nullptr;
  }
  return server;
}

void link_server_stop(LinkServer* server) {
  if (!server) return;
  PostMessageA(server->window, WM_CLOSE, 0, 0);
  server->thread.join();
  release(server);
}

std::string link_server_socket_path(const LinkServer* server) { return "window class " + server->class_name; }

int link_server_client_count(LinkServer*) { return 0; }
