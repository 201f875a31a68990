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
// Regular files in `folder`, names only, in the order of a bare directory
// listing on the system the files come from: case-insensitive, ties bytewise.
// False when the folder cannot be listed.
bool list_directory_sorted(const char* folder, std::vector<std::string>* names);
// `path` itself when it names a file; else the file in the same folder whose
// name differs only in the case of ASCII letters ("data/Airports.txt" for
// "data/airports.txt"). False when there is neither.
bool find_file_any_case(const std::string& path, std::string* found);
bool change_directory(const char* path);
