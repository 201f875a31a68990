// The link's messages: what a peer sends decodes exactly; anything else a
// host of the network may send leaves the shared values as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "rmu/rmu_datagram.h"
#include "rmu/rmu_link.h"
#include "rmu/rmu_state.h"

namespace {

std::vector<uint8_t> padded(const std::string& text, size_t size = RMU_DATAGRAM_SIZE) {
  std::vector<uint8_t> bytes(size, 0);
  std::memcpy(bytes.data(), text.data(), std::min(text.size(), size));
  return bytes;
}

RmuTransponder start() {
  RmuTransponder t{};
  t.digits[0] = 0, t.digits[1] = 0, t.digits[2] = 2, t.digits[3] = 1;
  t.code = 1200;
  t.tcas_range = 40;
  return t;
}

TEST(RmuDatagram, PeerMessagesRoundTripAndDecodeExactly) {
  struct Case { RmuMessage sent; const char* text; };
  const Case cases[] = {
      {{'A', {0, 0, 7, 7}, 0}, "A0077"},  // 7700
      {{'A', {4, 3, 2, 1}, 0}, "A4321"},  // 1234
      {{'B', {}, 1}, "B1"},
      {{'C', {}, 6}, "C6"},
      {{'C', {}, 40}, "C40"},
      {{'D', {}, 2}, "D2"},
  };
  for (const Case& c : cases) {
    uint8_t bytes[RMU_DATAGRAM_SIZE];
    rmu_datagram_format(c.sent, bytes);
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes), c.text);
    for (size_t i = std::strlen(c.text); i < RMU_DATAGRAM_SIZE; ++i) ASSERT_EQ(bytes[i], 0) << c.text;
    RmuMessage got{};
    ASSERT_TRUE(rmu_datagram_parse(bytes, sizeof bytes, &got)) << c.text;
    EXPECT_EQ(got.kind, c.sent.kind);
    EXPECT_EQ(got.value, c.sent.value) << c.text;
    EXPECT_EQ(std::memcmp(got.digits, c.sent.digits, 4), 0) << c.text;
  }
  RmuTransponder t = start();
  ASSERT_TRUE(rmu_link_take_datagram(padded("A0077").data(), RMU_DATAGRAM_SIZE, &t));
  EXPECT_EQ(t.code, 7700);
}

TEST(RmuDatagram, MalformedDatagramsChangeNothing) {
  const std::vector<std::vector<uint8_t>> hostile = {
      {'A', '1'},                            // short, no terminator: digits would be -48
      {'A', '1', 0},                         // too few digits
      padded("A12345"),                      // too many
      padded("A1280"),                       // digit 8 is not octal
      padded("A12 0"), padded("A-120"),      // not digits
      padded("B2"), padded("B"), padded("B11"),
      padded("C5"), padded("C41"), padded("C99"), padded("C"), padded("C123"), padded("C0"),
      padded("Dx"), padded("D3"), padded("D"), padded("D01"),
      padded("E1"), padded("a0077"), padded(""),
      std::vector<uint8_t>(RMU_DATAGRAM_SIZE, 'A'),  // unterminated
      padded("C6", 300),                             // longer than a datagram of the link
      {},
  };
  for (const auto& bytes : hostile) {
    RmuTransponder t = start();
    EXPECT_FALSE(rmu_link_take_datagram(bytes.data(), bytes.size(), &t))
        << std::string(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 8));
    const RmuTransponder before = start();
    EXPECT_EQ(std::memcmp(t.digits, before.digits, 4), 0);
    EXPECT_EQ(t.code, before.code);
    EXPECT_EQ(t.tcas_range, before.tcas_range);
    EXPECT_EQ(t.band, before.band);
    EXPECT_EQ(t.band_tuning, before.band_tuning);
    EXPECT_EQ(t.ta_mode, before.ta_mode);
  }
  // Random short datagrams of letters and digits: whatever is taken stays in range.
  std::minstd_rand random(18);
  for (int i = 0; i < 5000; ++i) {
    std::vector<uint8_t> bytes(1 + random() % 6);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>("ABCD0123456789\0x"[random() % 16]);
    RmuTransponder t = start();
    rmu_link_take_datagram(bytes.data(), bytes.size(), &t);
    ASSERT_TRUE(t.digits[0] <= 7 && t.digits[1] <= 7 && t.ta_mode <= 1 && t.tcas_range >= 6 && t.tcas_range <= 40 && t.band <= 2);
  }
}

}  // namespace
