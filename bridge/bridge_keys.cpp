#include "bridge/bridge_keys.h"

#include <zmq.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/file_privacy.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t KEY_FILE_LIMIT = 4096;

// The meaningful lines of a small text file: CR stripped, blank and '#' lines skipped.
bool key_file_lines(const std::string& path, std::vector<std::string>* lines, std::string* error) {
  std::string text;
  if (!read_file_bounded(path.c_str(), KEY_FILE_LIMIT, &text)) {
    *error = "cannot read " + path + " (missing, unreadable or larger than " + std::to_string(KEY_FILE_LIMIT) +
             " bytes)";
    return false;
  }
  lines->clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') lines->push_back(line);
    start = end + 1;
  }
  return true;
}

bool copy_key_text(const std::string& text, char out[BRIDGE_KEY_TEXT_SIZE + 1]) {
  BridgeKey ignored;
  if (!bridge_key_from_text(text, &ignored)) return false;
  std::memcpy(out, text.c_str(), BRIDGE_KEY_TEXT_SIZE + 1);
  return true;
}

// Only the owner may reach the folder, so that a file being written in it is
// never readable by anyone else, whatever the umask gave it.
bool private_folder(const fs::path& folder, std::string* error) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !file_make_owner_only(folder.string().c_str())) {
    *error = "cannot make the keys folder " + folder.string() + " private" + (ec ? ": " + ec.message() : "");
    return false;
  }
  return true;
}

}  // namespace

std::string bridge_keys_default_folder() {
  const char* explicit_folder = std::getenv("COCKPIT_BRIDGE_KEYS");
  if (explicit_folder && *explicit_folder) return explicit_folder;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/cockpit-bridge";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/cockpit-bridge";
}

bool bridge_key_from_text(const std::string& text, BridgeKey* key) {
  // The decoder reads a C string: a zero byte inside would end the key early
  // and leave the rest of it undecoded.
  if (text.size() != BRIDGE_KEY_TEXT_SIZE || text.find('\0') != std::string::npos) return false;
  return zmq_z85_decode(key->data(), text.c_str()) != nullptr;
}

bool bridge_keys_make(const std::string& folder, std::string* error) {
  const fs::path pair_path = fs::path(folder) / BRIDGE_PAIR_FILE;
  std::error_code ec;
  if (fs::exists(pair_path, ec)) {
    *error = "a key pair exists already in " + folder + "; remove " + pair_path.string() + " to make a new one";
    return false;
  }
  BridgeKeyPair pair;
  if (zmq_curve_keypair(pair.public_text, pair.secret_text) != 0) {
    *error = std::string("cannot make a key pair: ") + zmq_strerror(zmq_errno());
    return false;
  }
  if (!private_folder(folder, error)) return false;
  std::string pair_text = std::string("# link_bridge key pair: keep this file to yourself\npublic ") +
                          pair.public_text + "\nsecret " + pair.secret_text + "\n";
  std::string public_text = std::string(pair.public_text) + "\n";
  const fs::path public_path = fs::path(folder) / BRIDGE_PUBLIC_FILE;
  if (!write_file_atomic(pair_path.string().c_str(), pair_text) ||
      !write_file_atomic(public_path.string().c_str(), public_text)) {
    *error = "cannot write the key files in " + folder;
    return false;
  }
  if (!file_make_owner_only(pair_path.string().c_str())) {
    *error = "cannot make " + pair_path.string() + " private";
    return false;
  }
  return true;
}

bool bridge_keys_read_pair(const std::string& folder, BridgeKeyPair* pair, std::string* error) {
  const std::string path = (fs::path(folder) / BRIDGE_PAIR_FILE).string();
  std::error_code ec;
  if (fs::is_regular_file(path, ec) && !file_owner_only(path.c_str())) {
    *error = path + " can be read by other users; make it its owner's alone (chmod 600)";
    return false;
  }
  std::vector<std::string> lines;
  if (!key_file_lines(path, &lines, error)) return false;
  bool have_public = false, have_secret = false;
  for (const std::string& line : lines) {
    if (line.compare(0, 7, "public ") == 0) have_public = copy_key_text(line.substr(7), pair->public_text);
    else if (line.compare(0, 7, "secret ") == 0) have_secret = copy_key_text(line.substr(7), pair->secret_text);
  }
  char derived[BRIDGE_KEY_TEXT_SIZE + 1] = {};
  if (!have_public || !have_secret || zmq_curve_public(derived, pair->secret_text) != 0 ||
      std::strcmp(derived, pair->public_text) != 0) {
    *error = path + " holds no valid key pair (make one with: link_bridge keys " + folder + ")";
    return false;
  }
  return true;
}

bool bridge_keys_read_public(const std::string& path, char text[BRIDGE_KEY_TEXT_SIZE + 1], std::string* error) {
  std::vector<std::string> lines;
  if (!key_file_lines(path, &lines, error)) return false;
  if (lines.size() != 1 || !copy_key_text(lines[0], text)) {
    *error = path + " holds no public key (one line of 40 characters)";
    return false;
  }
  return true;
}

bool bridge_keys_read_clients(const std::string& folder, std::vector<BridgeKey>* keys, std::string* error) {
  const fs::path clients = fs::path(folder) / BRIDGE_CLIENTS_FOLDER;
  keys->clear();
  std::error_code ec;
  for (fs::directory_iterator it(clients, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() != ".pub") continue;
    if (keys->size() == BRIDGE_MAX_CLIENT_KEYS) {
      *error = "more than " + std::to_string(BRIDGE_MAX_CLIENT_KEYS) + " keys in " + clients.string();
      return false;
    }
    char text[BRIDGE_KEY_TEXT_SIZE + 1];
    BridgeKey key;
    if (!bridge_keys_read_public(it->path().string(), text, error)) return false;
    bridge_key_from_text(text, &key);
    keys->push_back(key);
  }
  if (keys->empty()) {
    *error = "no attaching end may connect: put the bridge.pub of each one into " + clients.string() + "/NAME.pub";
    return false;
  }
  return true;
}
