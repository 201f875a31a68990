#include "tests/support/private_link.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

#include "platform/environment.h"
#include "simlink/simlink.h"

std::filesystem::path private_link_folder(const std::string& tag) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::filesystem::path folder = std::filesystem::temp_directory_path() / (tag + "-" + std::to_string(stamp));
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  std::filesystem::create_directories(folder, ec);
  platform_set_environment("COCKPIT_LINK_DIR", folder.string().c_str());
  return folder;
}

bool private_link_start(PrivateLink* link, OffsetSpace* space, const std::string& tag, std::string* error) {
  link->folder = private_link_folder(tag);
  offset_space_init(space);
  LinkServerOptions options;
  options.link_dir = link->folder.string();
  link->server = link_server_start(space, options, error);
  return link->server != nullptr;
}

void private_link_stop(PrivateLink* link) {
  simlink_close();
  if (link->server) link_server_stop(link->server);
  link->server = nullptr;
  std::error_code ec;
  std::filesystem::remove_all(link->folder, ec);
}
