#pragma once
// The steps of a whole-file replacement that differ between systems.
#include <cstdio>
#include <filesystem>
#include <string>

// Pushes a flushed file's data to the disk.
bool file_sync(std::FILE* file);
// Moves `from` over `to` in one step, replacing it.
bool file_replace(const char* from, const char* to);
// Makes a temporary name unique among processes writing the same file.
unsigned long file_process_id();
// False only when no process with this id exists (a temporary file of such a
// process is left over from a kill and may go); true when unsure.
bool file_process_alive(unsigned long process_id);
// A path as the system's narrow file calls (fopen) take it. On Windows that is
// the ANSI code page, while std::filesystem::path::string() gives UTF-8 there:
// names beyond ASCII would not reopen.
std::string file_path_text(const std::filesystem::path& path);
