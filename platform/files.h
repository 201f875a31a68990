#pragma once
// File helpers: whole-file replacement that no reader ever sees half done,
// bounded whole-file reads, and sorted directory listings.
#include <cstddef>
#include <string>
#include <vector>

// Writes `size` bytes to a temporary file in the same folder and renames it
// over `path`. False (and nothing changed) when any step fails.
bool write_file_atomic(const char* path, const void* data, size_t size);
bool write_file_atomic(const char* path, const std::string& text);
// Reads at most `limit` bytes; false when the file cannot be opened or is larger.
bool read_file_bounded(const char* path, size_t limit, std::string* out);
bool file_readable(const char* path);
// Regular files in `folder`, names only, sorted bytewise. False when the
// folder cannot be listed.
bool list_directory_sorted(const char* folder, std::vector<std::string>* names);
bool change_directory(const char* path);
