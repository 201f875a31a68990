#pragma once
// A link server in a private folder of its own, for tests that exchange with
// a unit's offsets in the test process.
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>

#include "server/link_server.h"
#include "server/offset_space.h"

struct PrivateLink {
  std::filesystem::path folder;
  LinkServer* server = nullptr;
};

// Makes a fresh folder under the temp directory, points COCKPIT_LINK_DIR at it
// and serves `space` (initialised here) there with `options` (its folder is
// replaced). The client is not opened.
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
