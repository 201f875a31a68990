#pragma once
// Reading a flight recording (format in recording_format.h) entry by entry.
// Every field is checked before it is used: the header, each entry's mark,
// length, checksum and runs (inside the 64 KiB space, in order), and the
// times (bounded steps, bounded total). A file that ends inside an entry, or
// in zero bytes or a damaged last entry as a crash leaves it, is read up to
// its last whole entry and said to be cut short; damage with whole entries
// after it makes the file bad.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum RecordingRead {
  RECORDING_READ_ENTRY,      // an entry is in `body`
  RECORDING_READ_END,        // the file ended after a whole entry
  RECORDING_READ_CUT_SHORT,  // the rest of the file is a partial entry; `problem` says what
  RECORDING_READ_BAD,        // damaged in the middle; `problem` says where
};

struct RecordingReader {
  FILE* file = nullptr;
  std::string path;
  uint64_t position = 0;        // bytes of the header and the whole entries read
  uint64_t time_us = 0;         // of the last entry read
  uint64_t entries = 0;
  std::vector<uint8_t> body;    // of the last entry read
};

// Opens the file and checks its header; false with a message naming the file.
bool recording_reader_open(RecordingReader* reader, const char* path, std::string* error);
// Reads the next entry. `problem` (naming the file and byte) is set for
// CUT_SHORT and BAD.
// The same for a file already open (taken over, closed on failure).
bool recording_reader_start(RecordingReader* reader, FILE* file, const char* name, std::string* error);
RecordingRead recording_reader_next(RecordingReader* reader, std::string* problem);
void recording_reader_close(RecordingReader* reader);

// Checks an entry's body; false with the problem.
bool recording_body_check(const uint8_t* body, size_t size, uint64_t* delta_us, std::string* problem);
// Puts a checked body's runs into the space, except where the server's own
// words live (RECORDING_SKIPPED).
void recording_body_apply(const uint8_t* body, size_t size, uint8_t* space);

struct RecordingSummary {
  uint64_t entries = 0;
  uint64_t length_us = 0;
  uint64_t bytes = 0;           // header and whole entries
  bool cut_short = false;
  std::string note;             // why it is cut short
};
// Reads the whole file once; false with a message when it cannot be opened or is bad.
bool recording_scan(const char* path, RecordingSummary* summary, std::string* error);
