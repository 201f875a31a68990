#include "tests/support/private_link.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

#include "simlink/simlink.h"

bool private_link_start(PrivateLink* link, OffsetSpace* space, const std::string& tag, std::string* error,
                        const LinkServerOptions& options) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  link->folder = std::filesystem::temp_directory_path() / (tag + "-" + std::to_string(stamp));
  std::error_code ec;
  std::filesystem::remove_all(link->folder, ec);
  std::filesystem::create_directories(link->folder, ec);
  // Whatever the umask: the server refuses a folder that others can write.
  std::filesystem::permissions(link->folder, std::filesystem::perms::owner_all, ec);
  setenv("COCKPIT_LINK_DIR", link->folder.c_str(), 1);
  offset_space_init(space);
  LinkServerOptions in_folder = options;
  in_folder.link_dir = link->folder.string();
  link->server = link_server_start(space, in_folder, error);
  return link->server != nullptr;
}

void private_link_stop(PrivateLink* link) {
  simlink_close();
  if (link->server) link_server_stop(link->server);
  link->server = nullptr;
  std::error_code ec;
  std::filesystem::remove_all(link->folder, ec);
}
