// The offset table: complete for every unit's read set, no two entries
// overlapping, and every encoding decodes to what was encoded, both with the
// table's own inverse and with the conversions the units apply.
#include <cmath>
#include <cstring>
#include <set>

#include "tests/support/model_flight.h"

namespace {

// Every simulator offset the units read (cells of the inter-unit block are
// not the model's and are left out).
const uint32_t READ_SET[] = {
  // MFD / EICAS
  0x07CC, 0x0B80, 0x0B98, 0x0B78, 0x0B7C, 0x0B94, 0x0B74, 0x0AF4, 0x0950, 0x08B8, 0x3B60, 0x3AA0,
  0x2060, 0x2160, 0x0BD4, 0x0BD8, 0x0BE4, 0x0BDC, 0x2EA0, 0x2EB0, 0x2EC0, 0x2880, 0x2890, 0x2888,
  0x2898, 0x2870, 0x08D8, 0x0970, 0x02C8, 0x3324, 0x02A0, 0x02B4, 0x02BC, 0x02B8, 0x28D0, 0x0E92,
  0x0E90, 0x0580, 0x3000, 0x281C, 0x2E80, 0x0560, 0x0568, 0x0898, 0x0930, 0x0896, 0x092E, 0x2038,
  0x2138, 0x0E8C, 0x6048, 0x60E8, 0x0238, 0x0239, 0x023A, 0x6050, 0x6058, 0x60A4, 0x60F4, 0x3300,
  0x0300, 0x330C, 0x0BD0, 0x3366, 0x0BC8, 0x0BE8, 0x207C, 0x217C, 0x0BCC, 0x0366, 0x3367, 0x088C,
  0x0924, 0x08F8, 0x0990, 0x3AF0, 0x3A30, 0x0892, 0x092A, 0x029C, 0x132C,
  // PFD
  0x0578, 0x057C, 0x2EE8, 0x2EF0, 0x0808, 0x07BC, 0x2EE0, 0x07D0, 0x2AB0, 0x0C4C, 0x0BAC, 0x0BAE,
  0x0BB0, 0x0330, 0x0020, 0x6020, 0x31E4, 0x0570, 0x07D4, 0x0C18, 0x0C6A, 0x303E, 0x02D8, 0x301F,
  0x0C29, 0x0C33, 0x0C50, 0x0C60, 0x0C4A, 0x0C5A, 0x0306, 0x0C4E, 0x0C5E, 0x2AAC, 0x07C8, 0x0800,
  0x07C4, 0x2AB4, 0x11C6, 0x07DC, 0x07E2, 0x036D, 0x036C, 0x07E8, 0x3070, 0x07E4, 0x07F2, 0x0C4B,
  0x0C5B, 0x28C8, 0x28C0,
  // RMU
  0x034E, 0x3118, 0x311A, 0x311C, 0x0350, 0x0352, 0x311E, 0x3120, 0x034C, 0x0356, 0x0354, 0x7B91,
  0x313C, 0x0C48, 0x0C49, 0x0C56, 0x7B93,
};

TEST(OffsetTable, CoversEveryReadOffsetWithoutOverlaps) {
  for (uint32_t offset : READ_SET) EXPECT_NE(offset_entry_at(offset), nullptr) << std::hex << offset;
  for (int s = 0; s < TRAFFIC_SLOTS; s += 47) {
    EXPECT_NE(offset_entry_at(0xF008 + s), nullptr);
    EXPECT_NE(offset_entry_at(0xF084 + 40 * s), nullptr);
    EXPECT_NE(offset_entry_at(0xF094 + 40 * s), nullptr);
  }
  size_t count;
  const OffsetEntry* table = offset_table(&count);
  std::vector<int> owner(0x10000, -1);
  for (size_t i = 0; i < count; ++i) {
    const OffsetEntry& e = table[i];
    ASSERT_LE(e.offset + e.size, 0x10000u) << e.name;
    ASSERT_TRUE(e.size == 1 || e.size == 2 || e.size == 4 || e.size == 8 || e.encoding == ENC_TEXT) << e.name;
    for (uint32_t b = e.offset; b < e.offset + e.size; ++b) {
      EXPECT_EQ(owner[b], -1) << e.name << " overlaps " << (owner[b] >= 0 ? table[owner[b]].name : "");
      owner[b] = static_cast<int>(i);
    }
    EXPECT_FALSE(e.offset >= 0x73D0 && e.offset <= 0x73FF) << "the model must not own inter-unit cells";
  }
}

TEST(OffsetTable, EveryEntryRoundTripsWithinItsResolution) {
  size_t count;
  const OffsetEntry* table = offset_table(&count);
  auto values = std::make_unique<ModelValues>();
  std::vector<uint8_t> space(0x10000);
  const double samples[] = {0, 1, 12.5, 180.25, 359.5, 4471.75};
  for (double sample : samples) {
    for (size_t i = 0; i < count; ++i) {
      const OffsetEntry& e = table[i];
      if (e.encoding == ENC_TEXT) continue;
      double v = sample;
      switch (e.encoding) {
        case ENC_BCD_FREQ: v = 108 + std::fmod(sample, 27.99); v = std::round(v * 100) / 100; break;
        case ENC_BCD_ADF: case ENC_ADF_EXT: v = 190 + std::round(std::fmod(sample, 1500) * 10) / 10; break;
        case ENC_BCD_SQUAWK: v = 1200; break;
        default: break;
      }
      double range = std::ldexp(1.0, 8 * e.size - (e.encoding == ENC_INT ? 1 : 0));
      if ((e.encoding == ENC_INT || e.encoding == ENC_UINT) && std::fabs(v * e.factor + e.bias) >= range) continue;
      values->q[e.quantity] = v;
      offset_encode(e, *values, space.data());
      double back = offset_decode(e, space.data() + e.offset);
      double resolution = e.encoding == ENC_INT || e.encoding == ENC_UINT ? 0.5 / std::fabs(e.factor) + 1e-9 : 1e-3;
      if (e.encoding == ENC_F32) resolution = std::fabs(v) * 1e-6 + 1e-6;
      if (e.encoding == ENC_ADF_EXT) { v -= std::floor(v + 1e-6); resolution = 0.051; }
      if (e.encoding == ENC_BCD_ADF) v = std::floor(v + 1e-6);   // the tenths live in the extension word
      EXPECT_NEAR(back, v, resolution) << e.name << " at " << std::hex << e.offset;
    }
  }
}

TEST(OffsetTable, UnitConversionsRecoverTheModelValues) {
  auto values = std::make_unique<ModelValues>();
  std::vector<uint8_t> s(0x10000);
  ModelValues& v = *values;
  v.q[Q_IAS] = 251.3; v.q[Q_LATITUDE] = 45.59515; v.q[Q_LONGITUDE] = -122.621472;
  v.q[Q_HEADING_TRUE] = 119.1; v.q[Q_N1_LEFT] = 87.4; v.q[Q_VERTICAL_SPEED] = -1850;
  v.q[Q_RADIO_ALTITUDE] = 200; v.q[Q_ITT_LEFT] = 640; v.q[Q_PITCH] = 4.5; v.q[Q_BANK] = -12;
  v.q[Q_OIL_TEMP_LEFT] = 71; v.q[Q_STATIC_AIR_TEMP] = -9; v.q[Q_GROUND_SPEED] = 312;
  v.q[Q_BARO_SETTING] = 1016.0; v.q[Q_TANK_LEVEL_LEFT] = 55; v.q[Q_SELECTED_ALTITUDE] = 16000;
  v.q[Q_COM1] = 119.90; v.q[Q_SQUAWK] = 4721; v.q[Q_ADF1_FREQ] = 1750;
  offset_table_write(v, s.data());
  auto i16 = [&](uint32_t o) { int16_t x; std::memcpy(&x, &s[o], 2); return x; };
  auto u16 = [&](uint32_t o) { uint16_t x; std::memcpy(&x, &s[o], 2); return x; };
  auto i32 = [&](uint32_t o) { int32_t x; std::memcpy(&x, &s[o], 4); return x; };
  auto u32 = [&](uint32_t o) { uint32_t x; std::memcpy(&x, &s[o], 4); return x; };
  auto i64 = [&](uint32_t o) { int64_t x; std::memcpy(&x, &s[o], 8); return x; };
  auto f64 = [&](uint32_t o) { double x; std::memcpy(&x, &s[o], 8); return x; };
  EXPECT_NEAR(i32(0x02BC) / 128.0, 251.3, 0.01);
  EXPECT_NEAR(i64(0x0560) * 90.0 / (10001750.0 * 65536.0 * 65536.0), 45.59515, 1e-7);
  EXPECT_NEAR(i64(0x0568) * 1.951563910473908e-17, -122.621472, 1e-7);
  EXPECT_NEAR(u32(0x0580) * 8.381e-8, 119.1, 0.05);
  EXPECT_NEAR(u16(0x0898) * 0.006103515625, 87.4, 0.01);
  EXPECT_NEAR(i32(0x02C8) * 0.768946875, -1850, 1);
  EXPECT_NEAR(i32(0x31E4) / 65536.0 * 3.28084 - 3, 200, 0.01);
  EXPECT_NEAR((f64(0x2038) - 491.67) * 5 / 9, 640, 1e-9);
  EXPECT_NEAR(-(i32(0x0578) * 8.319e-8), 4.5, 0.05);   // the display's own factor differs slightly
  EXPECT_NEAR(-(i32(0x057C) * 8.319e-8), -12, 0.1);
  EXPECT_NEAR(i16(0x08B8) * 140 / 16384, 71, 1);
  EXPECT_NEAR((f64(0x28D0) - 32) * 0.5555555555555556, -9, 1e-9);
  EXPECT_NEAR(u32(0x02B4) * 2.9661e-5, 312, 0.05);
  EXPECT_EQ(u16(0x0330) / 16, 1016);
  EXPECT_NEAR(u32(0x0B7C) / 8388608.0 * 100, 55, 1e-4);
  EXPECT_NEAR(i32(0x07D4) * 3.28084 / 65536, 16000, 0.1);
  EXPECT_EQ(u16(0x034E), 0x1990);
  EXPECT_EQ(u16(0x0354), 0x4721);
  EXPECT_EQ(u16(0x034C), 0x1750);
}

TEST(OffsetTable, RadioWordCodecsFollowTheTuningRules) {
  EXPECT_EQ(bcd_from_mhz(123.45), 0x2345);
  EXPECT_EQ(bcd_from_mhz(118.00), 0x1800);
  EXPECT_EQ(bcd_from_mhz(135.99), 0x3599);
  EXPECT_NEAR(mhz_from_bcd(0x0850), 108.50, 1e-9);
  EXPECT_EQ(bcd_from_khz(350), 0x0350);
  EXPECT_NEAR(khz_from_bcd(0x1234), 1234, 1e-9);
  EXPECT_EQ(bcd_from_squawk(7777), 0x7777);
  EXPECT_EQ(squawk_from_bcd(0x1200), 1200);
}

}  // namespace
