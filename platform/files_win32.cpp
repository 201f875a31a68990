// rename() does not replace an existing file on Windows; MoveFileEx does, in one step.
#include <windows.h>
#include <io.h>

#include "platform/files_system.h"

bool file_sync(std::FILE* file) { return _commit(_fileno(file)) == 0; }
bool file_replace(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
unsigned long file_process_id() { return static_cast<unsigned long>(GetCurrentProcessId()); }
