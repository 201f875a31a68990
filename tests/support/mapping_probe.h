#pragma once
// Named link mappings as this build's transport makes them, looked at from
// outside the client: for tests of the mapping's name and ownership.

// Creates a mapping of that name, as another program might; null on failure.
void* mapping_probe_take(const char* name);
void mapping_probe_release(void* taken, const char* name);
// Whether a mapping of that name can be opened now.
bool mapping_probe_exists(const char* name);
// POSIX removes the name once the server holds the block, so that a crashed
// client leaves nothing behind; Windows keeps it while the client's handle
// lives and removes it with the process.
extern const bool MAPPING_NAME_REMOVED_ONCE_SERVED;
