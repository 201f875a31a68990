// Whole-file replacement through a temporary file, flushed to disk and moved
// over the old one in one step (rename does not replace on Windows).
#include <windows.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/files.h"

bool write_file_atomic(const char* path, const void* data, size_t size) {
  std::string temp = std::string(path) + ".tmp." + std::to_string(static_cast<unsigned long>(GetCurrentProcessId()));
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = std::fflush(f) == 0 && ok;
  ok = _commit(_fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}
