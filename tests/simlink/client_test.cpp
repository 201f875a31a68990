// The link client against an in-process server and a misbehaving fake one.
// The same source runs on both transports: POSIX sockets and shared memory on
// Linux, window messages and named mappings on Windows.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "server/link_server.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "simlink/simlink_testing.h"
#include "simlink/link_wire.h"
#include "tests/support/fake_server.h"
#include "tests/support/mapping_probe.h"
#include "tests/support/private_link.h"

namespace {

// Few attempts and short pauses, so a lost server costs little; the time-out
// itself stays generous for loaded (sanitizer) runs, except where it is the subject.
const SimlinkTiming fast_timing{2000, 3, 10, 5, 5};
const SimlinkTiming short_timeout{150, 3, 10, 5, 5};

struct WriteLog {
  std::vector<std::pair<uint32_t, uint32_t>> writes;
};
void log_write(void* context, uint32_t offset, uint32_t size, uint8_t*) {
  static_cast<WriteLog*>(context)->writes.emplace_back(offset, size);
}

class ClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = private_link_folder("cl");
    simlink_set_timing(fast_timing);
    offset_space_init(&space);
  }
  void TearDown() override {
    simlink_close();
    link_server_stop(server);
    remove_link_folder(folder);
  }
  void serve(const LinkServerOptions& extra = LinkServerOptions()) {
    LinkServerOptions options = extra;
    options.link_dir = folder;
    std::string error;
    server = link_server_start(&space, options, &error);
    ASSERT_NE(server, nullptr) << error;
  }
  void open_link() {
    uint32_t code = 99;
    ASSERT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
    ASSERT_EQ(code, 0u);
  }
  std::string folder;
  OffsetSpace space;
  LinkServer* server = nullptr;
};

TEST(ClientTiming, DefaultsAreTheDescribedOnes) {
  SimlinkTiming timing = simlink_default_timing();
  EXPECT_EQ(timing.send_timeout_ms, 2000u);
  EXPECT_EQ(timing.send_attempts, 9u);
  EXPECT_EQ(timing.retry_pause_ms, 100u);
  EXPECT_EQ(timing.handshake_rounds, 5u);
  EXPECT_EQ(timing.handshake_pause_ms, 100u);
}

TEST(ClientMessages, TableIsExact) {
  EXPECT_STREQ(simlink_error_message(0), "Okay");
  EXPECT_STREQ(simlink_error_message(2), "Cannot link to FSUIPC or WideClient");
  EXPECT_STREQ(simlink_error_message(13), "IPC request contains bad data");
  EXPECT_STREQ(simlink_error_message(14),
               "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC");
  EXPECT_STREQ(simlink_error_message(15), "Read or Write request cannot be added, memory for Process is full");
  EXPECT_STREQ(simlink_error_message(16), "Unknown error");
  EXPECT_TRUE(simlink_error_lost_server(11));
  EXPECT_TRUE(simlink_error_lost_server(12));
  EXPECT_FALSE(simlink_error_lost_server(13));
}

TEST_F(ClientTest, WithoutServerOpenFailsAndCallsNeedAnOpenLink) {
  uint32_t code = 0, value = 0;
  EXPECT_FALSE(simlink_open(0, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NOFS));
  EXPECT_FALSE(simlink_is_open());
  EXPECT_FALSE(simlink_read(0x3304, 4, &value, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NOTOPEN));
  EXPECT_FALSE(simlink_write(0x3304, 4, &value, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NOTOPEN));
  EXPECT_FALSE(simlink_process(&code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NOTOPEN));
  simlink_close();
  simlink_close();
}

TEST_F(ClientTest, OpenHandshakeAndRoundTrips) {
  serve();
  uint32_t counter = simlink_open_counter();
  open_link();
  EXPECT_EQ(simlink_open_counter(), counter + 1);
  // Where the system would keep a dead client's block, its name goes once served.
  char name[64];
  simlink_mapping_name(counter, name, sizeof name);
  EXPECT_EQ(mapping_probe_exists(name), !MAPPING_NAME_REMOVED_ONCE_SERVED);
  EXPECT_EQ(space.client_library_version, SIMLINK_LIBRARY_VERSION);

  uint32_t code = 99;
  EXPECT_FALSE(simlink_open(0, &code));  // second open: the link stays as it was
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_OPEN));
  EXPECT_FALSE(simlink_process(&code));  // nothing queued
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NODATA));

  // Exact widths and signs survive the trip; a read sees an earlier write of its batch.
  int32_t vertical_speed = -1234, read_back = 0;
  double altitude = 4500.25, altitude_back = 0;
  char ident[6] = {'K', 'V', 'R', '0', '1', 0}, ident_back[7] = {};
  uint32_t untouched = 0xDEADBEEF;
  ASSERT_TRUE(simlink_write(0x02C8, 4, &vertical_speed, &code));
  ASSERT_TRUE(simlink_write(0x3324, 8, &altitude, &code));
  ASSERT_TRUE(simlink_write(0x0600, 6, ident, &code));
  vertical_speed = 0;  // the source was copied at queue time
  ASSERT_TRUE(simlink_read(0x02C8, 4, &read_back, &code));
  ASSERT_TRUE(simlink_read(0x3324, 8, &altitude_back, &code));
  ASSERT_TRUE(simlink_read(0x0600, 6, ident_back, &code));
  ASSERT_TRUE(simlink_read(0x0600, 0, &untouched, &code));  // size 0: queued, copies nothing
  ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code);
  EXPECT_EQ(read_back, -1234);
  EXPECT_EQ(altitude_back, 4500.25);
  EXPECT_STREQ(ident_back, "KVR01");
  EXPECT_EQ(untouched, 0xDEADBEEFu);

  // Sized by the variable: a negative 2-byte value reads back with its sign.
  int16_t bank = -300, bank_back = 0;
  ASSERT_TRUE(simlink_write_value(0x0700, bank, &code));
  ASSERT_TRUE(simlink_read_value(0x0700, &bank_back, &code));
  ASSERT_TRUE(simlink_process(&code));
  EXPECT_EQ(bank_back, -300);

  // The handshake words stay what a next client expects.
  uint32_t server_version = 0, sim_version = 0;
  ASSERT_TRUE(simlink_read(0x3304, 4, &server_version, &code));
  ASSERT_TRUE(simlink_read(0x3308, 4, &sim_version, &code));
  ASSERT_TRUE(simlink_process(&code));
  EXPECT_GE(server_version, 0x19980005u);
  EXPECT_EQ(sim_version >> 16, 0xFADEu);
}

TEST_F(ClientTest, ExactFillIsAcceptedAndOneByteMoreRefused) {
  serve();
  open_link();
  for (uint32_t i = 0; i < 0x8000; ++i) space.bytes[i] = uint8_t(i * 7);
  uint32_t code = 0;
  // A read record is 16 + size bytes and the end marker 4: 32492 fills 32512 exactly.
  std::vector<uint8_t> big(32493, 0);
  EXPECT_FALSE(simlink_read(0, 32493, big.data(), &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_SIZE));
  EXPECT_FALSE(simlink_read(0, 0xFFFFFFF0u, big.data(), &code));  // no wrap-around
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_SIZE));
  ASSERT_TRUE(simlink_read(0, 32492, big.data(), &code));
  uint8_t one = 0;
  EXPECT_FALSE(simlink_read(0, 0, &one, &code));  // even a header no longer fits
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_SIZE));
  ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code);
  EXPECT_EQ(big[32491], uint8_t(32491 * 7));
  EXPECT_EQ(big[100], uint8_t(700));

  // A write record is 12 + size: 32496 fills it; a refused one leaves the queue in place.
  std::vector<uint8_t> data(32497, 0x5A);
  uint16_t before = 0;
  ASSERT_TRUE(simlink_read(0x9000, 2, &before, &code));
  EXPECT_FALSE(simlink_write(0x100, 32497 - 18, data.data(), &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_SIZE));
  ASSERT_TRUE(simlink_write(0x100, 32496 - 18, data.data(), &code));
  ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code);
  EXPECT_EQ(space.bytes[0x100 + 32496 - 19], 0x5A);
}

TEST_F(ClientTest, ServerRefusalIsBadDataAndTouchesNoDestination) {
  serve();
  open_link();
  uint32_t code = 0, good = 0xAAAAAAAA, beyond = 0xBBBBBBBB;
  space.bytes[0x0100] = 7;
  ASSERT_TRUE(simlink_read(0x0100, 4, &good, &code));
  ASSERT_TRUE(simlink_read(0xFFFE, 4, &beyond, &code));  // runs past the 64 KiB space
  EXPECT_FALSE(simlink_process(&code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_DATA));
  EXPECT_EQ(good, 0xAAAAAAAAu);
  EXPECT_EQ(beyond, 0xBBBBBBBBu);
  EXPECT_TRUE(simlink_is_open());  // bad data is not a lost server
  ASSERT_TRUE(simlink_read(0x0100, 4, &good, &code));
  EXPECT_TRUE(simlink_process(&code));
  EXPECT_EQ(good, 7u);
}

TEST_F(ClientTest, TakenMappingNameFailsWithCode5AndNextOpenUsesANewName) {
  serve();
  char name[64];
  simlink_mapping_name(simlink_open_counter(), name, sizeof name);
  void* squatter = mapping_probe_take(name);
  ASSERT_NE(squatter, nullptr);
  uint32_t code = 0;
  EXPECT_FALSE(simlink_open(0, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_MAP));
  EXPECT_FALSE(simlink_is_open());
  open_link();
  mapping_probe_release(squatter, name);
}

TEST_F(ClientTest, WrongVersionIsCode7OrCode14UnderTheLegacyClass) {
  LinkServerOptions wrong;
  wrong.wrong_version = true;
  serve(wrong);
  uint32_t code = 0;
  EXPECT_FALSE(simlink_open(0, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_VERSION));
  EXPECT_FALSE(simlink_is_open());
  link_server_stop(server);
  server = nullptr;

  wrong.class_name = LINK_CLASS_LEGACY;
  offset_space_init(&space);
  serve(wrong);
  EXPECT_FALSE(simlink_open(0, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_RUNNING));
  link_server_stop(server);
  server = nullptr;

  LinkServerOptions legacy;
  legacy.class_name = LINK_CLASS_LEGACY;
  offset_space_init(&space);
  serve(legacy);
  open_link();
  simlink_close();
  EXPECT_FALSE(simlink_open(0x0009, &code));  // a different simulator was asked for
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_WRONGFS));
  EXPECT_TRUE(simlink_open(SPACE_SIM_VERSION & 0xFFFF, &code));
}

TEST_F(ClientTest, ServerGoneIsSendFailureAndLinkCloses) {
  serve();
  open_link();
  link_server_stop(server);
  server = nullptr;
  uint32_t code = 0, value = 0;
  ASSERT_TRUE(simlink_read(0x3304, 4, &value, &code));
  EXPECT_FALSE(simlink_process(&code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_SENDMSG));
  EXPECT_FALSE(simlink_is_open());
  EXPECT_FALSE(simlink_read(0x3304, 4, &value, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NOTOPEN));
}

TEST_F(ClientTest, SharedBitsKeepPeerBitsAndWriteOnlyOnChange) {
  WriteLog log;
  space.write_hook = log_write;
  space.hook_context = &log;
  serve();
  open_link();
  log.writes.clear();
  space.bytes[CELL_ALERT] = ALERT_PFD_CONTROL | ALERT_RELOAD_FO;  // hardware and the other PFD
  uint8_t now = 0;
  uint32_t code = 0;
  ASSERT_TRUE(update_shared_bits(CELL_ALERT, ALERT_RELOAD_CAPT, 0, &now, &code));
  EXPECT_TRUE(log.writes.empty());  // own bit already clear: nothing written
  ASSERT_TRUE(update_shared_bits(CELL_ALERT, ALERT_RELOAD_CAPT, ALERT_RELOAD_CAPT, &now, &code));
  EXPECT_EQ(now, ALERT_PFD_CONTROL | ALERT_RELOAD_FO | ALERT_RELOAD_CAPT);
  EXPECT_EQ(space.bytes[CELL_ALERT], now);
  ASSERT_EQ(log.writes.size(), 1u);
  EXPECT_EQ(log.writes[0], std::make_pair(CELL_ALERT, 1u));
}

class FakeServerTest : public ClientTest {
 protected:
  void SetUp() override {
    ClientTest::SetUp();
    ASSERT_TRUE(fake_server_start(&fake, folder));
  }
  void TearDown() override {
    simlink_close();
    fake_server_stop(&fake);
    ClientTest::TearDown();
  }
  FakeServer fake;
};

TEST_F(FakeServerTest, DestinationFieldHoldsTokensNotAddresses) {
  open_link();
  uint32_t code = 0, a = 0, b = 0;
  ASSERT_TRUE(simlink_read(0x3304, 4, &a, &code));
  ASSERT_TRUE(simlink_read(0x100, 0, nullptr, &code));
  ASSERT_TRUE(simlink_read(0x3308, 4, &b, &code));
  ASSERT_TRUE(simlink_process(&code));
  std::lock_guard<std::mutex> hold(fake.seen_lock);
  const uint8_t* block = fake.last_block.data();
  EXPECT_EQ(link_get_u32(block + 12), 1u);           // first read: index 0 + 1
  EXPECT_EQ(link_get_u32(block + 20 + 12), 0u);      // no destination: 0
  EXPECT_EQ(link_get_u32(block + 36 + 12), 3u);
  EXPECT_EQ(link_get_u32(block + 56), 0u);           // end marker
  EXPECT_GE(a, 0x19980005u);
}

TEST_F(FakeServerTest, RefusedOrTamperedBlockIsBadDataAndCopiesNothing) {
  open_link();
  uint32_t code = 0, first = 0x11111111, second = 0x22222222;
  fake.mode = FAKE_REPLY_ZERO;
  ASSERT_TRUE(simlink_read(0x3304, 4, &first, &code));
  EXPECT_FALSE(simlink_process(&code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_DATA));
  EXPECT_EQ(first, 0x11111111u);

  // The server changes the first record's offset: the second, intact record is
  // not copied either.
  fake.mode = FAKE_TAMPER;
  ASSERT_TRUE(simlink_read(0x3304, 4, &first, &code));
  ASSERT_TRUE(simlink_read(0x3308, 4, &second, &code));
  EXPECT_FALSE(simlink_process(&code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_DATA));
  EXPECT_EQ(first, 0x11111111u);
  EXPECT_EQ(second, 0x22222222u);
  EXPECT_TRUE(simlink_is_open());
}

TEST_F(FakeServerTest, SilentServerTimesOutAfterAllAttemptsAndLinkCloses) {
  open_link();
  simlink_set_timing(short_timeout);
  fake.mode = FAKE_SILENT;
  const int before = fake.requests;
  uint32_t code = 0, value = 0x33333333;
  ASSERT_TRUE(simlink_read(0x3304, 4, &value, &code));
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(simlink_process(&code));
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_TIMEOUT));
  EXPECT_GE(elapsed.count(), long(short_timeout.send_attempts * short_timeout.send_timeout_ms +
                                  (short_timeout.send_attempts - 1) * short_timeout.retry_pause_ms) - 20);
  EXPECT_EQ(value, 0x33333333u);
  EXPECT_FALSE(simlink_is_open());  // the next frame reopens
  // Late answers still in hand are dropped, never copied.
  fake_server_wait_idle(&fake);
  EXPECT_GE(fake.requests - before, 1);
  EXPECT_LE(fake.requests - before, int(short_timeout.send_attempts));
  EXPECT_EQ(value, 0x33333333u);
  simlink_set_timing(fast_timing);
  fake.mode = FAKE_SERVE;
  open_link();
  ASSERT_TRUE(simlink_read(0x3304, 4, &value, &code));
  EXPECT_TRUE(simlink_process(&code));
}

}  // namespace
