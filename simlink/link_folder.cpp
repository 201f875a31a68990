// POSIX only: the Win32 transport finds its server by window class instead.
#ifndef _WIN32
#include "simlink/link_folder.h"

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

std::string link_folder_path() {
  const char* override_dir = std::getenv("COCKPIT_LINK_DIR");
  if (override_dir && *override_dir) return override_dir;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return std::string(runtime) + "/cockpit-link";
  return "/tmp/cockpit-link-" + std::to_string(static_cast<unsigned long>(getuid()));
}

std::string link_socket_path(const std::string& folder, const char* class_name) {
  return folder + "/" + class_name;
}

bool link_folder_ensure(const std::string& folder, std::string* error) {
  struct stat st;
  if (stat(folder.c_str(), &st) == 0) {
    if (!S_ISDIR(st.st_mode)) {
      *error = "link folder " + folder + " exists and is not a folder";
      return false;
    }
    // In a shared /tmp another user could have made the folder first.
    if (st.st_uid != getuid()) {
      *error = "link folder " + folder + " belongs to another user";
      return false;
    }
    return true;
  }
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    *error = "cannot create link folder " + folder + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool link_socket_path_fits(const std::string& path) {
  return path.size() < sizeof(sockaddr_un{}.sun_path);
}
#endif
