// Each RMU page drawn as the frame draws it (page, dim layer, bezel picture),
// finished on the GL, against the texture-only frame (what the unit draws
// with the battery off). Each iteration draws one texture-only frame and one
// page frame, so both meet the same load on a shared machine; the reported
// time is the page frame's, and the counter "of_texture_frame" is the page's
// frame rate as a share of the texture-only frame's. Needs a display (Xvfb).
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "framework/drawing_area.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "platform/gl_test_context.h"
#include "rmu/rmu_dim.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_pages.h"
#include "rmu/rmu_picture.h"
#include "rmu/rmu_state.h"

namespace {

constexpr int W = 497, H = 605;  // the default 605-pixel height at the unit's aspect
constexpr int32_t NO_PAGE = -1;
using Clock = std::chrono::steady_clock;

uint32_t bezel_texture = 0;

void populated_state() {
  g_rmu = RmuState{};
  rmu_state_start_values();
  g_rmu.common.bezel_shown = true;
  g_rmu.common.x_size = W;
  g_rmu.common.y_size = H;
  g_rmu.raw.battery = 1;
  RmuRadios& r = g_rmu.radios;
  r.com_active = 119.9f;
  r.com_standby = 121.7001f;
  r.nav_active = 116.8f;
  r.nav_standby = 113.4f;
  r.adf_frequency = 256.0f;
  for (int i = 0; i < RMU_MEMORY_CAPACITY; ++i) {
    r.com_memories.values[i] = 118.0f + i;
    r.nav_memories.values[i] = 108.0f + 0.5f * i;
  }
  r.com_memories.count = r.nav_memories.count = RMU_MEMORY_CAPACITY;
  g_rmu.cursor = 1;
}

// One frame as the unit draws it, finished so that rasterising counts.
void frame(int32_t page) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  rmu_place_display_group(g_rmu);
  if (page != NO_PAGE) rmu_page(page)->draw();
  rmu_place_display_group(g_rmu);
  rmu_dim_draw(g_rmu);
  rmu_draw_bezel(bezel_texture);
  glFinish();
}

double timed_frame(int32_t page) {
  const auto start = Clock::now();
  frame(page);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void run_frames(benchmark::State& state, int32_t page, bool dim_page, bool second_half) {
  populated_state();
  g_rmu.dim_page_shown = dim_page;
  g_rmu.radios.second_memory_half = second_half;
  double texture_seconds = 0, page_seconds = 0;
  for (auto _ : state) {
    texture_seconds += timed_frame(NO_PAGE);
    const double seconds = timed_frame(page);
    page_seconds += seconds;
    state.SetIterationTime(seconds);
  }
  if (page_seconds > 0) state.counters["of_texture_frame"] = texture_seconds / page_seconds;
}

void BM_TextureOnlyFrame(benchmark::State& state) { run_frames(state, NO_PAGE, false, false); }
void BM_RadioPage(benchmark::State& state) { run_frames(state, RMU_PAGE_RADIO, false, false); }
void BM_ComMemoryPage(benchmark::State& state) { run_frames(state, RMU_PAGE_COM_MEMORY, false, false); }
void BM_NavMemoryPageSecondHalf(benchmark::State& state) { run_frames(state, RMU_PAGE_NAV_MEMORY, false, true); }
void BM_PageMenu(benchmark::State& state) { run_frames(state, RMU_PAGE_MENU, false, false); }
void BM_DimPageOverRadioPage(benchmark::State& state) { run_frames(state, RMU_PAGE_RADIO, true, false); }
void BM_AtcTcasPage(benchmark::State& state) { run_frames(state, RMU_PAGE_ATC_TCAS, false, false); }
void BM_NavigationPage(benchmark::State& state) { run_frames(state, RMU_PAGE_NAVIGATION, false, false); }
void BM_EnginePage1(benchmark::State& state) { run_frames(state, RMU_PAGE_ENGINE_1, false, false); }
void BM_EnginePage2(benchmark::State& state) { run_frames(state, RMU_PAGE_ENGINE_2, false, false); }

BENCHMARK(BM_TextureOnlyFrame)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_RadioPage)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ComMemoryPage)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_NavMemoryPageSecondHalf)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_PageMenu)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_DimPageOverRadioPage)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_AtcTcasPage)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_NavigationPage)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_EnginePage1)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_EnginePage2)->UseManualTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  GlTestContext* context = gl_test_context_create(W, H);
  if (!context) {
    std::fprintf(stderr, "rmu_pages_bench: no display\n");
    return 1;
  }
  apply_drawing_area(DrawingArea{W, H});
  glDisable(GL_DEPTH_TEST);
  uint32_t slots[TEXTURE_SLOT_COUNT] = {};
  const std::string bezel = std::string(COCKPIT_BINARY_DIR) + "/artwork/RMU_Bezel3.tga";
  if (!build_font("Korvu", RMU_FONT, 10, 400) || !make_texture(slots, bezel.c_str(), 0)) {
    std::fprintf(stderr, "rmu_pages_bench: no font or no bezel texture (build the artwork first)\n");
    return 1;
  }
  bezel_texture = slots[0];
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  delete_fonts();
  gl_test_context_destroy(context);
  return 0;
}
