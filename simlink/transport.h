#pragma once
// The seam between the client core and the operating system. The core packs
// and walks the request block; a transport finds the server, owns the shared
// mapping and delivers one block per send. One transport is compiled per
// build (transport_posix.cpp, transport_win32.cpp), both behind these calls.
#include <cstdint>

enum TransportFind { TRANSPORT_FOUND_MAIN, TRANSPORT_FOUND_LEGACY, TRANSPORT_NOT_FOUND };
enum TransportSend { TRANSPORT_SENT, TRANSPORT_TIMED_OUT, TRANSPORT_SEND_ERROR };

// Locates the server, preferring the main class over the legacy one.
TransportFind transport_find_server();
// Registers the link message with the system; false if that fails.
bool transport_register_message();
// Makes the mapping name known to the server side; false if that fails.
bool transport_add_name(const char* mapping_name);
// Creates the named mapping exclusively; false if it fails or already existed.
bool transport_create_mapping(const char* mapping_name, uint32_t size);
// Maps a writable view of the whole mapping; null if that fails.
uint8_t* transport_map_view(uint32_t size);
// One attempt at delivering the block: waits up to `timeout_ms` for the reply word.
TransportSend transport_send(uint32_t timeout_ms, uint32_t* reply);
// Releases everything the transport holds; safe to call at any time.
void transport_close();
