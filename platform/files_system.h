#pragma once
// The steps of a whole-file replacement that differ between systems.
#include <cstdio>

// Pushes a flushed file's data to the disk.
bool file_sync(std::FILE* file);
// Moves `from` over `to` in one step, replacing it.
bool file_replace(const char* from, const char* to);
// Makes a temporary name unique among processes writing the same file.
unsigned long file_process_id();
