#pragma once
// A hidden GL window sized like a 540-pixel-high PFD, the unit's font and
// textures, and helpers to find printed text and probe pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/text.h"
#include "pfd/pfd_state.h"

struct GlTestContext;

class PfdPicture : public ::testing::Test {
 protected:
  static constexpr int W = 386, H = 540;
  static GlTestContext* context;
  // Where SDL's disk audio driver writes what the tests play.
  static std::string audio_file();
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  // Converts the raw values, clears the screen and the capture.
  void begin();
  // The captured entries with this exact text.
  std::vector<PrintedText> found(const std::string& text) const;
  bool printed(const std::string& text) const { return !found(text).empty(); }
  // The colour of the first entry with this text (asserts that it exists).
  void expect_colour(const std::string& text, float r, float g, float b) const;
  // RGB at window pixel (x from the left, y from the top).
  std::vector<int> pixel(int x, int y) const;
  // Pixels in a window rectangle close to the colour.
  int count_colour(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance = 40) const;
  // Compares the frame with its golden picture "pfd_<name>"; also writes it
  // as PNG when COCKPIT_TEST_PICTURES names a folder (for looking at).
  void shot(const char* name) const;
  mutable std::vector<uint8_t> pixels_;
  void read_pixels() const;
};
