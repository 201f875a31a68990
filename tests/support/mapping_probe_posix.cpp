#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "tests/support/mapping_probe.h"

const bool MAPPING_NAME_REMOVED_ONCE_SERVED = true;

void* mapping_probe_take(const char* name) {
  int fd = shm_open((std::string("/") + name).c_str(), O_CREAT | O_EXCL | O_RDWR, 0600);
  return fd < 0 ? nullptr : reinterpret_cast<void*>(static_cast<intptr_t>(fd) + 1);
}

void mapping_probe_release(void* taken, const char* name) {
  if (!taken) return;
  close(static_cast<int>(reinterpret_cast<intptr_t>(taken) - 1));
  shm_unlink((std::string("/") + name).c_str());
}

bool mapping_probe_exists(const char* name) {
  int fd = shm_open((std::string("/") + name).c_str(), O_RDWR, 0);
  if (fd >= 0) close(fd);
  return fd >= 0;
}
