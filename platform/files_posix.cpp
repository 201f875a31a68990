#include <signal.h>
#include <unistd.h>

#include <cstdint>

#include <cerrno>

#include "platform/files_system.h"

bool file_sync(std::FILE* file) { return fsync(fileno(file)) == 0; }
bool file_replace(const char* from, const char* to) { return std::rename(from, to) == 0; }
unsigned long file_process_id() { return static_cast<unsigned long>(getpid()); }
bool file_process_alive(unsigned long process_id) {
  if (process_id == 0 || process_id > static_cast<unsigned long>(INT32_MAX)) return true;
  return kill(static_cast<pid_t>(process_id), 0) == 0 || errno != ESRCH;
}
std::string file_path_text(const std::filesystem::path& path) { return path.string(); }
