#pragma once
// CURVE keys of the bridge, kept as text files in a keys folder:
//
//   bridge.key    this end's key pair ("public KEY" and "secret KEY" lines);
//                 readable by its owner alone
//   bridge.pub    this end's public key, the one to hand to the other end
//   server.pub    attaching end: the public key of the serving end
//   clients/*.pub serving end: the public keys of the attaching ends it lets in
//
// A key is 40 characters of Z85 text (32 bytes). Files are small and read
// bounded; lines may end in CR LF and '#' starts a comment line.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t BRIDGE_KEY_TEXT_SIZE = 40;
constexpr size_t BRIDGE_KEY_SIZE = 32;
constexpr size_t BRIDGE_MAX_CLIENT_KEYS = 256;

constexpr const char* BRIDGE_PAIR_FILE = "bridge.key";
constexpr const char* BRIDGE_PUBLIC_FILE = "bridge.pub";
constexpr const char* BRIDGE_SERVER_FILE = "server.pub";
constexpr const char* BRIDGE_CLIENTS_FOLDER = "clients";

struct BridgeKeyPair {
  char public_text[BRIDGE_KEY_TEXT_SIZE + 1] = {};
  char secret_text[BRIDGE_KEY_TEXT_SIZE + 1] = {};
};
typedef std::array<uint8_t, BRIDGE_KEY_SIZE> BridgeKey;

// The keys folder when none is given: $COCKPIT_BRIDGE_KEYS, else
// $XDG_CONFIG_HOME/cockpit-bridge, else ~/.config/cockpit-bridge.
std::string bridge_keys_default_folder();

// Makes a new key pair in `folder` (created, private to its owner). Refuses
// to replace a pair that is there already.
bool bridge_keys_make(const std::string& folder, std::string* error);
// This end's pair; refused when others may read it or the halves disagree.
bool bridge_keys_read_pair(const std::string& folder, BridgeKeyPair* pair, std::string* error);
// One public key file.
bool bridge_keys_read_public(const std::string& path, char text[BRIDGE_KEY_TEXT_SIZE + 1], std::string* error);
// Every clients/*.pub of the folder; refused when there is none, when one is
// not a key, or when there are more than BRIDGE_MAX_CLIENT_KEYS.
bool bridge_keys_read_clients(const std::string& folder, std::vector<BridgeKey>* keys, std::string* error);
// The key a line of text holds, when it is one.
bool bridge_key_from_text(const std::string& text, BridgeKey* key);
