// The bridge's frames, addresses and key files: what is let through and what
// is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bridge/bridge_address.h"
#include "bridge/bridge_keys.h"
#include "bridge/bridge_wire.h"
#include "simlink/link_wire.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// A read of 4 bytes at 0x3304 (token 1) and a write of 2 bytes at 0x330A.
std::vector<uint8_t> sample_block() {
  std::vector<uint8_t> block(16 + 4 + 12 + 2 + 4, 0);
  link_put_u32(&block[0], 1);
  link_put_u32(&block[4], 0x3304);
  link_put_u32(&block[8], 4);
  link_put_u32(&block[12], 1);
  link_put_u32(&block[20], 2);
  link_put_u32(&block[24], 0x330A);
  link_put_u32(&block[28], 2);
  block[32] = 0xEC;
  block[33] = 0x03;
  return block;
}

std::vector<uint8_t> encoded(BridgeKind kind, uint8_t status, uint32_t word, const std::vector<uint8_t>& block) {
  BridgeFrame frame;
  frame.kind = kind;
  frame.status = status;
  frame.sequence = 7;
  frame.word = word;
  frame.block = block.data();
  frame.length = uint32_t(block.size());
  std::vector<uint8_t> out;
  bridge_wire_encode(frame, &out);
  return out;
}

TEST(BridgeWire, DecodesWholeFramesOnly) {
  const std::vector<uint8_t> block = sample_block(), none;
  std::vector<uint8_t> outside = block;
  link_put_u32(&outside[4], 0xFFFE);   // a 4-byte read past the end of the space
  std::vector<uint8_t> trailing = block;
  trailing.push_back(0);
  auto tweak = [](std::vector<uint8_t> frame, size_t at, uint8_t value) {
    frame[at] = value;
    return frame;
  };
  auto cut = [](std::vector<uint8_t> frame, size_t size) {
    frame.resize(size);
    return frame;
  };
  const std::vector<uint8_t> batch = encoded(BRIDGE_BATCH, 0, 0, block);
  struct Case {
    const char* what;
    std::vector<uint8_t> frame;
    bool accepted;
  } cases[] = {
      {"batch", batch, true},
      {"executed answer", encoded(BRIDGE_ANSWER, BRIDGE_ANSWER_DONE, 1, block), true},
      {"refusal", encoded(BRIDGE_ANSWER, BRIDGE_ANSWER_DONE, 0, none), true},
      {"link lost", encoded(BRIDGE_ANSWER, BRIDGE_ANSWER_LINK_LOST, 0, none), true},
      {"ping", encoded(BRIDGE_PING, 0, 0, none), true},
      {"pong", encoded(BRIDGE_PONG, BRIDGE_PONG_LINK_OPEN, 0, none), true},
      {"empty", {}, false},
      {"header cut short", cut(batch, BRIDGE_WIRE_HEADER_SIZE - 1), false},
      {"block cut short", cut(batch, batch.size() - 1), false},
      {"wrong magic", tweak(batch, 0, 'X'), false},
      {"unknown kind", tweak(batch, 4, 9), false},
      {"status on a batch", tweak(batch, 5, 1), false},
      {"reserved bits set", tweak(batch, 7, 1), false},
      {"length larger than sent", tweak(batch, 16, uint8_t(block.size() + 1)), false},
      {"batch with nothing", encoded(BRIDGE_BATCH, 0, 0, none), false},
      {"record outside the space", encoded(BRIDGE_BATCH, 0, 0, outside), false},
      {"bytes after the end marker", encoded(BRIDGE_BATCH, 0, 0, trailing), false},
      {"refusal carrying a block", encoded(BRIDGE_ANSWER, BRIDGE_ANSWER_DONE, 0, block), false},
      {"lost link carrying a block", encoded(BRIDGE_ANSWER, BRIDGE_ANSWER_LINK_LOST, 1, block), false},
      {"unknown answer status", encoded(BRIDGE_ANSWER, 2, 0, none), false},
      {"ping carrying a block", encoded(BRIDGE_PING, 0, 0, block), false},
      {"pong with a word", encoded(BRIDGE_PONG, 0, 1, none), false},
      {"oversized", std::vector<uint8_t>(BRIDGE_WIRE_MAX_FRAME + 1, 0), false},
  };
  for (const Case& c : cases) {
    BridgeFrame frame;
    EXPECT_EQ(bridge_wire_decode(c.frame.data(), c.frame.size(), &frame), c.accepted) << c.what;
    if (c.accepted) {
      EXPECT_EQ(frame.sequence, 7u) << c.what;
    }
  }
}

TEST(BridgeWire, AnswerMustBeTheRequestWithOnlyReadsFilled) {
  const std::vector<uint8_t> request = sample_block();
  auto changed = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> answer = request;
    answer[at] = value;
    return answer;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> answer;
    bool fits;
  } cases[] = {
      {"reads filled", changed(16, 0x42), true},
      {"read offset changed", changed(4, 0x05), false},
      {"read token changed", changed(12, 2), false},
      {"write data changed", changed(32, 0), false},
      {"write offset changed", changed(24, 0x0B), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(bridge_answer_fits(request.data(), c.answer.data(), request.size()), c.fits) << c.what;
}

TEST(BridgeAddress, ParsesHostAndPortAndKnowsLoopback) {
  struct Case {
    const char* text;
    bool parsed;
    bool loopback;
    const char* endpoint;
  } cases[] = {
      {"127.0.0.1:5560", true, true, "tcp://127.0.0.1:5560"},
      {"127.9.8.7:1", true, true, "tcp://127.9.8.7:1"},
      {"localhost:65535", true, true, "tcp://localhost:65535"},
      {"[::1]:5560", true, true, "tcp://[::1]:5560"},
      {"192.168.1.20:5560", true, false, "tcp://192.168.1.20:5560"},
      {"sim-pc.local:5560", true, false, "tcp://sim-pc.local:5560"},
      {"*:5560", true, false, "tcp://*:5560"},
      {"127.0.0.256:5560", true, false, ""},
      {"127.0.0:5560", true, false, ""},
      {"127.0.0.1.5:5560", true, false, ""},
      {"[fe80::1]:5560", true, false, ""},
      {"localhost", false, false, ""},
      {":5560", false, false, ""},
      {"localhost:0", false, false, ""},
      {"localhost:65536", false, false, ""},
      {"localhost:55x", false, false, ""},
      {"::1:5560", false, false, ""},
      {"bad host:5560", false, false, ""},
      {"host;rm:5560", false, false, ""},
  };
  for (const Case& c : cases) {
    BridgeAddress address;
    std::string error;
    ASSERT_EQ(bridge_address_parse(c.text, &address, &error), c.parsed) << c.text;
    if (!c.parsed) {
      EXPECT_FALSE(error.empty()) << c.text;
      continue;
    }
    EXPECT_EQ(bridge_address_loopback(address), c.loopback) << c.text;
    if (*c.endpoint) {
      EXPECT_EQ(bridge_address_endpoint(address), c.endpoint) << c.text;
    }
  }
}

TEST(BridgeKeys, PairIsPrivateAndEveryKeyFileIsChecked) {
  TempFolder temp("bridge_keys");
  const std::string folder = (temp.path / "keys").string();
  std::string error;
  ASSERT_TRUE(bridge_keys_make(folder, &error)) << error;
  EXPECT_FALSE(bridge_keys_make(folder, &error)) << "a pair is never replaced";
  BridgeKeyPair pair;
  ASSERT_TRUE(bridge_keys_read_pair(folder, &pair, &error)) << error;
  char public_text[BRIDGE_KEY_TEXT_SIZE + 1];
  ASSERT_TRUE(bridge_keys_read_public(folder + "/bridge.pub", public_text, &error)) << error;
  EXPECT_STREQ(public_text, pair.public_text);
#ifndef _WIN32  // Windows guards files by ACLs, not mode bits
  EXPECT_EQ(fs::status(folder + "/bridge.key").permissions() & (fs::perms::group_all | fs::perms::others_all),
            fs::perms::none);
#endif

  std::vector<BridgeKey> clients;
  EXPECT_FALSE(bridge_keys_read_clients(folder, &clients, &error)) << "no clients folder: nobody may attach";
  fs::create_directories(folder + "/clients");
  fs::copy_file(folder + "/bridge.pub", folder + "/clients/du.pub");
  std::ofstream(folder + "/clients/notes.txt") << "ignored";
  ASSERT_TRUE(bridge_keys_read_clients(folder, &clients, &error)) << error;
  EXPECT_EQ(clients.size(), 1u);

  struct Case {
    const char* what;
    std::string text;
  } bad[] = {
      {"short key", std::string(39, 'a') + "\n"},
      {"not Z85", std::string(39, 'a') + "~\n"},
      {"zero byte inside", std::string(15, 'a') + std::string(1, '\0') + std::string(24, 'a') + "\n"},
      {"two keys", std::string(public_text) + "\n" + public_text + "\n"},
      {"oversized", std::string(5000, '#')},
  };
  for (const Case& c : bad) {
    std::ofstream(folder + "/clients/bad.pub", std::ios::binary | std::ios::trunc) << c.text;
    EXPECT_FALSE(bridge_keys_read_clients(folder, &clients, &error)) << c.what;
  }

#ifndef _WIN32
  fs::permissions(folder + "/bridge.key", fs::perms::group_read, fs::perm_options::add);
  EXPECT_FALSE(bridge_keys_read_pair(folder, &pair, &error)) << "a pair others may read is refused";
  EXPECT_NE(error.find("chmod 600"), std::string::npos) << error;
#endif
}

}  // namespace
