#pragma once
// A link of the test's own: a fresh link folder that no other test or server
// shares, and optionally a link server serving an offset space in this process.
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>

#include "server/link_server.h"
#include "server/offset_space.h"

// Makes a fresh, empty folder under the temp folder, named after the tag and
// short enough for a socket path, and exports it as COCKPIT_LINK_DIR so that
// this process and its children use it.
std::string private_link_folder(const std::string& tag);
void remove_link_folder(const std::string& folder);

struct PrivateLink {
  std::filesystem::path folder;
  LinkServer* server = nullptr;
};

// A private folder (above) with `space`, initialised here, served in it with
// `options` (its folder is replaced). The client is not opened.
bool private_link_start(PrivateLink* link, OffsetSpace* space, const std::string& tag, std::string* error,
                        const LinkServerOptions& options = LinkServerOptions());
// Closes the client, stops the server and removes the folder.
void private_link_stop(PrivateLink* link);

// Stores a value in the space as the simulator would, under its lock.
template <typename T>
void space_store(OffsetSpace* space, uint32_t offset, T value) {
  std::lock_guard<std::mutex> hold(space->lock);
  space_put(space->bytes, offset, &value, sizeof value);
}

// Reads a value of the space's width of T, under its lock.
template <typename T>
T space_load(OffsetSpace* space, uint32_t offset) {
  std::lock_guard<std::mutex> hold(space->lock);
  T value{};
  space_get(space->bytes, offset, &value, sizeof value);
  return value;
}
