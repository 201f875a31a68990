#include "tests/pfd/picture_fixture.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/drawing_area.h"
#include "framework/tga.h"
#include "pfd/pfd_convert.h"
#include "pfd/minimums.h"
#include "pfd/pfd_groups.h"
#include "platform/environment.h"
#include "platform/gl_test_context.h"
#include "platform/png_file.h"
#include "tests/support/golden.h"

GlTestContext* PfdPicture::context = nullptr;

std::string PfdPicture::audio_file() {
  return (std::filesystem::temp_directory_path() / "pfd-picture-audio.raw").string();
}

void PfdPicture::SetUpTestSuite() {
  // Before any sound: the audio device is opened once per process.
  platform_set_environment("SDL_AUDIODRIVER", "disk");
  platform_set_environment("SDL_DISKAUDIOFILE", audio_file().c_str());
  context = gl_test_context_create(W, H);
  if (!context) return;
  apply_drawing_area(DrawingArea{W, H});
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  build_font("Korvu", 2, 12, 700);
  heading_lists_init();
  const std::string art = std::string(COCKPIT_BINARY_DIR) + "/artwork/";
  make_texture(g_pfd.common.textures, (art + "zero_flag.tga").c_str(), 2);
}

void PfdPicture::TearDownTestSuite() {
  minimums_alert_wait();
  std::error_code ec;
  std::filesystem::remove(audio_file(), ec);
  if (context) gl_test_context_destroy(context);
  context = nullptr;
}

void PfdPicture::SetUp() {
  if (!context) GTEST_SKIP() << "no display";
  const uint32_t flag_texture = g_pfd.common.textures[2];
  const uint32_t star = g_pfd.star_list, square = g_pfd.square_list;
  g_pfd.raw = PfdRaw{};
  g_pfd.config = AircraftConfig{};
  g_pfd.common.x_size = W;
  g_pfd.common.y_size = H;
  g_pfd.common.connected = false;
  g_pfd.common.textures[2] = flag_texture;
  g_pfd.star_list = star;
  g_pfd.square_list = square;
  g_pfd.raw.battery_master = 1;
  g_pfd.raw.avionics_master = 1;
  g_pfd.raw.baro = 16211;
  g_pfd.tick_changed = false;
  minimums_init();
  annunciators_init();
}

void PfdPicture::begin() {
  convert_raw(g_pfd.raw, g_pfd.config, &g_pfd.value);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  text_capture_clear();
  pixels_.clear();
}

std::vector<PrintedText> PfdPicture::found(const std::string& text) const {
  std::vector<PrintedText> out;
  for (const PrintedText& p : text_captured()) {
    if (p.text == text) out.push_back(p);
  }
  return out;
}

void PfdPicture::expect_colour(const std::string& text, float r, float g, float b) const {
  const auto hits = found(text);
  ASSERT_FALSE(hits.empty()) << "\"" << text << "\" not printed";
  EXPECT_NEAR(hits[0].r, r, 0.01) << text;
  EXPECT_NEAR(hits[0].g, g, 0.01) << text;
  EXPECT_NEAR(hits[0].b, b, 0.01) << text;
}

void PfdPicture::read_pixels() const {
  if (pixels_.empty()) {
    glFinish();
    pixels_ = read_gl_pixels(W, H);
  }
}

std::vector<int> PfdPicture::pixel(int x, int y) const {
  read_pixels();
  const uint8_t* p = &pixels_[(static_cast<size_t>(y) * W + x) * 4];
  return {p[0], p[1], p[2]};
}

int PfdPicture::count_colour(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance) const {
  read_pixels();
  int n = 0;
  for (int y = y0; y <= y1 && y < H; y++) {
    for (int x = x0; x <= x1 && x < W; x++) {
      const uint8_t* p = &pixels_[(static_cast<size_t>(y) * W + x) * 4];
      if (std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance) n++;
    }
  }
  return n;
}

void PfdPicture::shot(const char* name) const {
  read_pixels();
  const RgbImage image = golden_image_from_rgba(pixels_, W, H);
  EXPECT_EQ(golden_check(std::string("pfd_") + name, image), "");
  const char* dir = std::getenv("COCKPIT_TEST_PICTURES");
  if (dir) png_write_rgb((std::string(dir) + "/" + name + ".png").c_str(), image);
}
