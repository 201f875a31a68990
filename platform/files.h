#pragma once
// File helpers: whole-file replacement that no reader ever sees half done,
// bounded whole-file reads, and sorted directory listings.
#include <cstddef>
#include <string>
#include <vector>

// Writes `size` bytes to a temporary file in the same folder and renames it
// over `path`. A symbolic link is written through: its target is replaced and
// the link stays. False (and nothing changed) when any step fails.
bool write_file_atomic(const char* path, const void* data, size_t size);
bool write_file_atomic(const char* path, const std::string& text);
// Reads at most `limit` bytes; false when the file cannot be opened or is larger.
bool read_file_bounded(const char* path, size_t limit, std::string* out);
bool file_readable(const char* path);

// What a program that keeps a file of its own finds at start: only a file
// that does not exist is MISSING (and may be written with defaults); one that
// exists but cannot be read whole within `limit` is UNREADABLE, and stays.
enum FileProbe { FILE_PRESENT, FILE_MISSING, FILE_UNREADABLE };
FileProbe file_probe(const char* path, size_t limit, std::string* reason);
// Removes "<path>.tmp.<id>" files of processes that no longer run (left by a
// kill in the middle of write_file_atomic); returns how many went.
int remove_stale_temporaries(const char* path);
// Regular files in `folder`, names only, in the order of a bare directory
// listing on the system the files come from: case-insensitive, ties bytewise.
// False when the folder cannot be listed.
bool list_directory_sorted(const char* folder, std::vector<std::string>* names);
// `path` itself when it names a file; else the file in the same folder whose
// name differs only in the case of ASCII letters ("data/Airports.txt" for
// "data/airports.txt"). False when there is neither.
bool find_file_any_case(const std::string& path, std::string* found);
bool change_directory(const char* path);
