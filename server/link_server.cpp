// What the POSIX and the Win32 listener share.
#include "server/link_server.h"

#include "server/batch.h"

uint32_t link_server_execute(void*, OffsetSpace* space, uint8_t* block, size_t length, size_t* used) {
  return batch_execute(space, block, length, used);
}

void link_server_prepare_space(OffsetSpace* space, const LinkServerOptions& options) {
  if (!options.wrong_version) return;
  std::lock_guard<std::mutex> hold(space->lock);
  space->server_version = SPACE_SERVER_VERSION_TOO_OLD;
  space_put(space->bytes, SPACE_OFFSET_SERVER_VERSION, &space->server_version, 4);
}
