#include <unistd.h>

#include "platform/files_system.h"

bool file_sync(std::FILE* file) { return fsync(fileno(file)) == 0; }
bool file_replace(const char* from, const char* to) { return std::rename(from, to) == 0; }
unsigned long file_process_id() { return static_cast<unsigned long>(getpid()); }
std::string file_path_text(const std::filesystem::path& path) { return path.string(); }
