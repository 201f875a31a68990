// The key files on arbitrary bytes: a key pair file and a public key file
// are read bounded, and whatever is accepted is a real key (a pair whose
// halves agree). The files live in a folder of the run's own, removed at exit.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bridge/bridge_keys.h"
#include "platform/file_privacy.h"

namespace {

void remove_folder();

const std::string& folder() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("fuzz_bridge_keys_" + std::to_string(::getpid()))).string();
  static const bool made = std::filesystem::create_directories(path) || true;
  static const bool removed_at_exit = std::atexit(remove_folder) == 0;
  (void)made;
  (void)removed_at_exit;
  return path;
}

void remove_folder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder(), ignored);
}

void write(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  file_make_owner_only(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string pair_path = folder() + "/" + BRIDGE_PAIR_FILE;
  write(pair_path, data, size);
  BridgeKeyPair pair;
  std::string error;
  if (bridge_keys_read_pair(folder(), &pair, &error)) {
    BridgeKey key;
    if (!bridge_key_from_text(pair.public_text, &key) || !bridge_key_from_text(pair.secret_text, &key)) std::abort();
  }
  char text[BRIDGE_KEY_TEXT_SIZE + 1];
  if (bridge_keys_read_public(pair_path, text, &error) && std::strlen(text) != BRIDGE_KEY_TEXT_SIZE) std::abort();
  return 0;
}
