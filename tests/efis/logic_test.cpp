// The panel's hit test, input application, mode byte, source codes and the
// order and contents of its per-frame batch.
#include <gtest/gtest.h>

#include "efis/efis_exchange.h"
#include "efis/efis_geometry.h"
#include "efis/efis_panel.h"
#include "efis/efis_script.h"
#include "framework/drawing_area.h"

namespace {

EfisPanel fresh() {
  EfisPanel panel;
  efis_panel_reset(&panel);
  return panel;
}

int32_t zone_at(float px, float py) {
  EfisPanel panel = fresh();
  efis_hit_test_percent(&panel, px, py);
  return panel.pending_zone;
}

void press(EfisPanel* panel, float px, float py) {
  efis_hit_test_percent(panel, px, py);
  efis_apply_inputs(panel);
}

}  // namespace

TEST(EfisHitTest, ButtonZonesAndBorders) {
  EXPECT_EQ(zone_at(9, 8), ZONE_BUTTON_A);     // both lower bounds inclusive
  EXPECT_EQ(zone_at(20, 35), ZONE_BUTTON_A);   // both upper bounds inclusive
  EXPECT_EQ(zone_at(20.5f, 20), ZONE_NONE);    // between zones 0 and 1
  EXPECT_EQ(zone_at(21, 20), ZONE_BUTTON_B);
  EXPECT_EQ(zone_at(33, 20), ZONE_DEAD);
  EXPECT_EQ(zone_at(50, 20), ZONE_NONE);
  EXPECT_EQ(zone_at(57, 20), ZONE_BUTTON_C);
  EXPECT_EQ(zone_at(78, 20), ZONE_FMS);
  EXPECT_EQ(zone_at(79, 20), ZONE_NAV);
  EXPECT_EQ(zone_at(89.01f, 20), ZONE_NONE);
  EXPECT_EQ(zone_at(14, 7.9f), ZONE_NONE);     // outside the band: unchanged
  EXPECT_EQ(zone_at(14, 35.1f), ZONE_NONE);
}

TEST(EfisHitTest, ClickOutsideTheBandKeepsThePendingZoneButInsideReplacesIt) {
  EfisPanel panel = fresh();
  efis_hit_test_percent(&panel, 70, 20);
  efis_hit_test_percent(&panel, 70, 50);  // below the row
  EXPECT_EQ(panel.pending_zone, ZONE_FMS);
  efis_hit_test_percent(&panel, 50, 20);  // in the row, between groups
  EXPECT_EQ(panel.pending_zone, ZONE_NONE);
}

TEST(EfisHitTest, KnobHalvesSplitAt65) {
  EfisPanel panel = fresh();
  efis_hit_test_percent(&panel, 16, 65);
  EXPECT_EQ(panel.pending_knob1, KNOB_STEP_UP);
  EXPECT_EQ(panel.pending_knob2, KNOB_NONE);
  efis_hit_test_percent(&panel, 16, 65.01f);
  EXPECT_EQ(panel.pending_knob1, KNOB_STEP_DOWN);
  efis_hit_test_percent(&panel, 80, 53);
  EXPECT_EQ(panel.pending_knob2, KNOB_STEP_UP);
  EXPECT_EQ(panel.pending_knob1, KNOB_STEP_DOWN);  // the other knob keeps its input
  efis_hit_test_percent(&panel, 70, 77);
  EXPECT_EQ(panel.pending_knob2, KNOB_STEP_DOWN);

  EfisPanel outside = fresh();
  efis_hit_test_percent(&outside, 11.9f, 60);
  efis_hit_test_percent(&outside, 16, 77.1f);
  efis_hit_test_percent(&outside, 80.1f, 60);
  EXPECT_EQ(outside.pending_knob1, KNOB_NONE);
  EXPECT_EQ(outside.pending_knob2, KNOB_NONE);
}

TEST(EfisHitTest, PixelClicksScaleByThePanelSize) {
  // Default window: 617 wide, 224 high drawing area.
  EfisPanel panel = fresh();
  efis_click(&panel, 100, 146, 617, 224);  // px 16.2, py 65.18: knob 1 lower half
  EXPECT_EQ(panel.pending_knob1, KNOB_STEP_DOWN);
  efis_click(&panel, 100, 145, 617, 224);  // py 64.7: upper half
  EXPECT_EQ(panel.pending_knob1, KNOB_STEP_UP);
  // A zero panel size does not divide by zero.
  EfisPanel degenerate = fresh();
  efis_click(&degenerate, 0, 0, 0, 0);
  EXPECT_EQ(degenerate.pending_zone, ZONE_NONE);
}

TEST(EfisInputs, KnobsStepWithinTheirLimitsAndClearPending) {
  EfisPanel panel = fresh();
  for (int i = 0; i < 5; ++i) press(&panel, 16, 60);
  EXPECT_EQ(panel.bearing1_position, 3);
  EXPECT_EQ(efis_source_code(panel.bearing1_position), 1);
  EXPECT_EQ(panel.pending_knob1, KNOB_NONE);
  press(&panel, 16, 70);
  EXPECT_EQ(panel.bearing1_position, 2);
  for (int i = 0; i < 5; ++i) press(&panel, 75, 70);
  EXPECT_EQ(panel.bearing2_position, 0);
  EXPECT_EQ(efis_source_code(panel.bearing2_position), 0);
  // Without a new click, nothing moves.
  efis_apply_inputs(&panel);
  EXPECT_EQ(panel.bearing1_position, 2);
}

TEST(EfisInputs, ButtonsToggleAndFmsNavFlipsTheReceiver) {
  EfisPanel panel = fresh();
  EXPECT_EQ(efis_mode_byte(&panel), 8);  // NAV1 at start
  press(&panel, 15, 20);
  press(&panel, 25, 20);
  press(&panel, 60, 20);
  EXPECT_EQ(efis_mode_byte(&panel), 1 + 2 + 4 + 8);
  press(&panel, 60, 20);
  press(&panel, 38, 20);  // the dead button changes nothing
  EXPECT_EQ(efis_mode_byte(&panel), 1 + 2 + 8);

  EfisPanel course = fresh();
  press(&course, 70, 20);  // FMS
  EXPECT_EQ(course.fms, 1);
  EXPECT_EQ(course.gps, 1);
  EXPECT_EQ(efis_mode_byte(&course), 24);
  press(&course, 85, 20);  // NAV: leaves FMS and flips NAV1 -> NAV2
  EXPECT_EQ(course.fms, 0);
  EXPECT_EQ(course.gps, 0);
  EXPECT_EQ(course.nav1, 0);
  EXPECT_EQ(course.nav2, 1);
  EXPECT_EQ(efis_mode_byte(&course), 0);  // NAV2: neither bit 3 nor bit 4
  press(&course, 70, 20);
  EXPECT_EQ(efis_mode_byte(&course), 24);  // GPS sets bit 3 even with NAV2
  press(&course, 85, 20);
  EXPECT_EQ(course.nav1, 1);
  EXPECT_EQ(course.nav2, 0);
  EXPECT_EQ(course.pending_zone, ZONE_NONE);
}

TEST(EfisCodes, SourceCodesAndClamping) {
  EXPECT_EQ(efis_source_code(0), 0);
  EXPECT_EQ(efis_source_code(1), 4);
  EXPECT_EQ(efis_source_code(2), 2);
  EXPECT_EQ(efis_source_code(3), 1);
  EXPECT_EQ(efis_source_code(-7), 0);
  EXPECT_EQ(efis_source_code(99), 1);
}

namespace {

struct Expected {
  EfisRequestKind kind;
  uint32_t offset, size, value;
};

void expect_batch(const EfisPanel& panel, std::initializer_list<Expected> expected) {
  EfisBatch batch;
  efis_build_exchange(&panel, &batch);
  ASSERT_EQ(batch.count, static_cast<int>(expected.size()));
  int i = 0;
  for (const Expected& e : expected) {
    const EfisRequest& r = batch.requests[i++];
    EXPECT_EQ(r.kind, e.kind) << "request " << i;
    EXPECT_EQ(r.offset, e.offset) << "request " << i;
    EXPECT_EQ(r.size, e.size) << "request " << i;
    if (e.kind == EFIS_REQUEST_WRITE) {
      EXPECT_EQ(r.value, e.value) << "request " << i;
    }
  }
}

constexpr EfisRequestKind R = EFIS_REQUEST_READ;
constexpr EfisRequestKind W = EFIS_REQUEST_WRITE;

}  // namespace

TEST(EfisExchange, CaptainBatchFollowsTheCouplingBit) {
  EfisPanel panel = fresh();
  panel.fms = panel.gps = 1;
  panel.bearing1_position = 1;
  panel.bearing2_position = 2;
  expect_batch(panel, {{R, 0x73D5, 1, 0}, {R, 0x73D6, 1, 0}, {W, 0x132C, 4, 1},
                       {W, 0x73FE, 1, 24}, {W, 0x73DB, 1, 4}, {W, 0x73DC, 1, 2}});
  panel.coupling = 0x02 | 0x01;  // first officer drives the switch
  expect_batch(panel, {{R, 0x73D5, 1, 0}, {R, 0x73D6, 1, 0},
                       {W, 0x73FE, 1, 24}, {W, 0x73DB, 1, 4}, {W, 0x73DC, 1, 2}});
  panel.coupling = 0x01;  // TA bit alone does not move the coupling
  expect_batch(panel, {{R, 0x73D5, 1, 0}, {R, 0x73D6, 1, 0}, {W, 0x132C, 4, 1},
                       {W, 0x73FE, 1, 24}, {W, 0x73DB, 1, 4}, {W, 0x73DC, 1, 2}});
}

TEST(EfisExchange, FirstOfficerBatchWritesItsCellsAndTheCompanionZero) {
  EfisPanel panel = fresh();
  panel.side = EFIS_SIDE_FIRST_OFFICER;
  panel.bearing1_position = 3;
  panel.button_a = 1;
  expect_batch(panel, {{R, 0x73D5, 1, 0}, {R, 0x73D6, 1, 0},
                       {W, 0x73D0, 1, 9}, {W, 0x73D1, 1, 0}, {W, 0x73DD, 1, 1}, {W, 0x73DE, 1, 0}});
  panel.coupling = 0x02;
  expect_batch(panel, {{R, 0x73D5, 1, 0}, {R, 0x73D6, 1, 0}, {W, 0x132C, 4, 0},
                       {W, 0x73D0, 1, 9}, {W, 0x73D1, 1, 0}, {W, 0x73DD, 1, 1}, {W, 0x73DE, 1, 0}});
}

TEST(EfisClickScript, OptionsAreTakenOutAndCheckedForRange) {
  EfisClick one;
  EXPECT_TRUE(efis_parse_click("3:100:50", &one));
  EXPECT_EQ(one.frame, 3);
  EXPECT_EQ(one.x, 100);
  EXPECT_EQ(one.y, 50);
  for (const char* bad : {"", "0:1:1", "1:2", "1:2:3:4", "1:-2:3", "a:1:1", "1:2:3 ", "1:999999999999:3"})
    EXPECT_FALSE(efis_parse_click(bad, &one)) << bad;

  char program[] = "efis_panel", frames[] = "--frames", n[] = "5", opt[] = "--click", value[] = "2:10:20";
  char* argv[] = {program, frames, opt, value, n, nullptr};
  int argc = 5;
  EfisClickScript script{};
  const char* error = nullptr;
  ASSERT_TRUE(efis_take_click_options(&argc, argv, &script, &error));
  EXPECT_EQ(argc, 3);
  EXPECT_STREQ(argv[1], "--frames");
  EXPECT_STREQ(argv[2], "5");
  EXPECT_EQ(argv[3], nullptr);
  ASSERT_EQ(script.count, 1);
  EXPECT_EQ(script.clicks[0].y, 20);

  char* dangling[] = {program, opt, nullptr};
  argc = 2;
  EXPECT_FALSE(efis_take_click_options(&argc, dangling, &script, &error));
}

TEST(EfisPanelSize, HeightFollowsTheWidthAndNeverReachesZero) {
  DrawingArea area{};
  ASSERT_TRUE(drawing_area_for_client(ASPECT_HEIGHT_FROM_WIDTH, EFIS_ASPECT, 617, 225, &area));
  EXPECT_EQ(area.width, 617);
  EXPECT_EQ(area.height, 224);  // 224.77 truncated, whatever the client height
  ASSERT_TRUE(drawing_area_for_client(ASPECT_HEIGHT_FROM_WIDTH, EFIS_ASPECT, 2, 100, &area));
  EXPECT_EQ(area.height, 1);
  // A minimised window keeps the previous size.
  EXPECT_FALSE(drawing_area_for_client(ASPECT_HEIGHT_FROM_WIDTH, EFIS_ASPECT, 0, 225, &area));
  EXPECT_FALSE(drawing_area_for_client(ASPECT_HEIGHT_FROM_WIDTH, EFIS_ASPECT, 617, 0, &area));
}
