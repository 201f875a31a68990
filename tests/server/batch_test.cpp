// The server's batch walker against well-formed and hostile blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "server/batch.h"
#include "simlink/link_wire.h"

namespace {

struct Block {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(0x8000, 0);
  size_t at = 0;
  void word(uint32_t value) {
    link_put_u32(bytes.data() + at, value);
    at += 4;
  }
  void read(uint32_t offset, uint32_t size) {
    word(1), word(offset), word(size), word(1);
    at += size;
  }
  void write(uint32_t offset, uint32_t size, uint8_t fill) {
    word(2), word(offset), word(size);
    std::memset(bytes.data() + at, fill, size);
    at += size;
  }
  void end() { word(0); }
};

struct HookLog {
  std::vector<std::pair<uint32_t, uint32_t>> writes;
};
void record(void* context, uint32_t offset, uint32_t size, uint8_t*) {
  static_cast<HookLog*>(context)->writes.emplace_back(offset, size);
}

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    offset_space_init(&space);
    space.write_hook = record;
    space.hook_context = &log;
    std::memcpy(pristine, space.bytes, sizeof pristine);
  }
  uint32_t execute(Block& block) { return batch_execute(&space, block.bytes.data(), block.bytes.size(), &used); }
  bool space_untouched() { return std::memcmp(pristine, space.bytes, sizeof pristine) == 0 && log.writes.empty(); }
  OffsetSpace space;
  uint8_t pristine[OFFSET_SPACE_SIZE];
  HookLog log;
  size_t used = 0;
};

TEST_F(BatchTest, ExecutesInOrderFillsReadsAndReportsWrites) {
  Block block;
  block.read(0x0200, 2);      // before the write: still zero
  block.write(0x0200, 2, 0x7A);
  block.read(0x0200, 2);      // after it: sees the write
  block.read(0xFFFC, 4);      // the last word of the space
  block.write(0x0300, 0, 0);  // empty write: nothing to report
  block.end();
  space.bytes[0xFFFF] = 0x99;
  ASSERT_EQ(execute(block), BATCH_REPLY_OK);
  EXPECT_EQ(used, block.at);
  EXPECT_EQ(block.bytes[16], 0);
  EXPECT_EQ(block.bytes[18 + 14 + 16], 0x7A);
  EXPECT_EQ(block.bytes[18 + 14 + 18 + 16 + 3], 0x99);
  ASSERT_EQ(log.writes.size(), 1u);
  EXPECT_EQ(log.writes[0], std::make_pair(0x0200u, 2u));
}

TEST_F(BatchTest, MalformedBatchesAreRefusedWithoutTouchingTheSpace) {
  struct Case {
    const char* what;
    void (*build)(Block&);
  };
  const Case cases[] = {
      {"unknown id after a valid write", [](Block& b) { b.write(0x100, 4, 1), b.word(3), b.end(); }},
      {"read past the space", [](Block& b) { b.write(0x100, 4, 1), b.read(0xFFFE, 4), b.end(); }},
      {"write past the space", [](Block& b) { b.write(0xFFFF, 2, 1), b.end(); }},
      {"offset that wraps", [](Block& b) { b.write(0x100, 1, 1), b.read(0xFFFFFFFF, 2), b.end(); }},
      {"size that wraps", [](Block& b) { b.write(0x100, 1, 1), b.word(2), b.word(0x10), b.word(0xFFFFFFF8); }},
      {"read data beyond the block", [](Block& b) { b.write(0x100, 1, 1), b.word(1), b.word(0), b.word(0x7FF0), b.word(1); }},
      {"no end marker", [](Block& b) {
         b.write(0x100, 1, 1);
         while (b.at + 12 <= b.bytes.size()) b.write(0x10, 0, 0);
         std::memset(b.bytes.data() + b.at, 2, b.bytes.size() - b.at);  // a cut header at the end
       }},
  };
  for (const Case& c : cases) {
    Block block;
    c.build(block);
    EXPECT_EQ(execute(block), BATCH_REPLY_REFUSED) << c.what;
    EXPECT_TRUE(space_untouched()) << c.what;
  }
}

TEST_F(BatchTest, ScanTellsTruncatedFromMalformed) {
  Block block;
  block.read(0x10, 8);
  block.end();
  size_t used = 0;
  EXPECT_EQ(batch_scan(block.bytes.data(), block.at, &used), BATCH_VALID);
  EXPECT_EQ(used, block.at);
  EXPECT_EQ(batch_scan(block.bytes.data(), block.at - 1, &used), BATCH_TRUNCATED);
  EXPECT_EQ(batch_scan(block.bytes.data(), 10, &used), BATCH_TRUNCATED);
  link_put_u32(block.bytes.data(), 7);
  EXPECT_EQ(batch_scan(block.bytes.data(), block.at, &used), BATCH_MALFORMED);
}

TEST_F(BatchTest, HandshakeWordsSurviveClientWrites) {
  Block block;
  uint16_t library = 1004;
  block.word(2), block.word(0x330A), block.word(2);
  std::memcpy(block.bytes.data() + block.at, &library, 2);
  block.at += 2;
  block.write(0x3300, 16, 0xEE);  // a careless client overwrites the lot
  block.read(0x3304, 8);
  block.end();
  ASSERT_EQ(execute(block), BATCH_REPLY_OK);
  EXPECT_EQ(space.client_library_version, 0xEEEE);  // the last write wins
  size_t read_data = 14 + 28 + 16;
  EXPECT_EQ(link_get_u32(block.bytes.data() + read_data), SPACE_SERVER_VERSION);
  EXPECT_EQ(link_get_u32(block.bytes.data() + read_data + 4), SPACE_SIM_VERSION);
  EXPECT_EQ(space.bytes[0x3300], 0xEE);  // the rest of the write stands
}

}  // namespace
