#include <sys/stat.h>

#include "platform/file_privacy.h"

bool file_owner_only(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

bool file_make_owner_only(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && chmod(path, st.st_mode & ~mode_t(S_IRWXG | S_IRWXO) & 07777) == 0;
}
