#include "tests/support/private_link.h"

#include <cstdlib>
#include <random>
#include <system_error>

#include "platform/environment.h"
#include "simlink/simlink.h"

std::string private_link_folder(const std::string& tag) {
  std::random_device random;
  // Short names: socket paths have a small length limit.
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
      (tag + "-" + std::to_string(random() % 1000000000));
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  std::filesystem::create_directories(folder, ec);
  // Whatever the umask: the server refuses a folder that others can write.
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  platform_set_environment("COCKPIT_LINK_DIR", folder.string().c_str());
  return folder.string();
}

void remove_link_folder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

bool private_link_start(PrivateLink* link, OffsetSpace* space, const std::string& tag, std::string* error,
                        const LinkServerOptions& options) {
  link->folder = private_link_folder(tag);
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
  remove_link_folder(link->folder.string());
}
