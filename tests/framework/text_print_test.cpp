// print(): alignments, truncation, unsigned codes and the capture hook, drawn
// into a hidden GL window.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "framework/text.h"
#include "framework/text_batch.h"
#include "platform/gl_test_context.h"
#include "tests/support/picture_dump.h"

namespace {

constexpr int WIDTH = 433, HEIGHT = 605;
constexpr int REGULAR = 2, BOLD = 3;
constexpr double PI = 3.14159265358979323846;

class TextPrint : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    context = gl_test_context_create(WIDTH, HEIGHT);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(build_font("Korvu", REGULAR, 10, 400));
    ASSERT_TRUE(build_font("Korvu", BOLD, 10, 700));  // built last: its advances are the table
    ASSERT_FALSE(font_is_missing());
  }
  static void TearDownTestSuite() {
    delete_fonts();
    gl_test_context_destroy(context);
  }
  void SetUp() override {
    text_capture_clear();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  // One em = `scale` pixels, origin at the bottom-left pixel corner.
  static void pixel_space(float scale) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, WIDTH, 0, HEIGHT, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    (void)scale;
  }
  static float model_view_x() {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    return m[12];
  }
  static GlTestContext* context;
};
GlTestContext* TextPrint::context = nullptr;

// Leftmost lit column of the frame, -1 if none.
int leftmost_lit_column(const std::vector<uint8_t>& rgba) {
  for (int x = 0; x < WIDTH; ++x)
    for (int y = 0; y < HEIGHT; ++y)
      if (rgba[(static_cast<size_t>(y) * WIDTH + x) * 4] > 128) return x;
  return -1;
}

}  // namespace

TEST_F(TextPrint, AlignmentsShiftByTheAdvanceTable) {
  const float w = text_width("AB7");
  EXPECT_FLOAT_EQ(w, glyph_advance('A') + glyph_advance('B') + glyph_advance('7'));
  // The glyph lists advance the matrix by each character; the alignment
  // shift stays in it too.
  print(BOLD, ALIGN_LEFT, "AB7");
  EXPECT_NEAR(model_view_x(), w, 1e-4);
  glLoadIdentity();
  print(BOLD, ALIGN_CENTRED, "%s", "AB7");
  EXPECT_NEAR(model_view_x(), w / 2, 1e-4);
  glLoadIdentity();
  print(BOLD, ALIGN_RIGHT, "AB%d", 7);
  EXPECT_NEAR(model_view_x(), glyph_advance('7'), 1e-4);
  // An empty text moves nothing.
  glLoadIdentity();
  print(BOLD, ALIGN_RIGHT, "%s", "");
  print(BOLD, ALIGN_CENTRED, "%s", "");
  EXPECT_EQ(model_view_x(), 0.0f);
  print(BOLD, ALIGN_LEFT, nullptr);
  EXPECT_EQ(model_view_x(), 0.0f);
}

TEST_F(TextPrint, RightAlignedSingleCharacterDrawsAtTheCurrentPoint) {
  pixel_space(1);
  auto draw = [](int alignment) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(150, 300, 0);
    glScalef(120, 120, 1);
    glColor3f(1, 1, 1);
    print(BOLD, alignment, "H");
    return read_gl_pixels(WIDTH, HEIGHT);
  };
  auto left = draw(ALIGN_LEFT);
  auto right = draw(ALIGN_RIGHT);
  dump_picture("text_right_aligned_H", right, WIDTH, HEIGHT);
  const int first = leftmost_lit_column(right);
  ASSERT_GE(first, 150);       // starts at the current point (plus the side bearing)
  EXPECT_LT(first, 150 + 30);
  EXPECT_EQ(left, right);
  auto centred = draw(ALIGN_CENTRED);
  EXPECT_NEAR(leftmost_lit_column(centred), first - glyph_advance('H') * 120 / 2, 1.5);
}

TEST_F(TextPrint, EveryPrintableCharacterDrawsSomething) {
  // A grid of 16 x 14 cells: codes 32..255 of both faces, one per cell.
  constexpr int COLUMNS = 16, CELL_W = WIDTH / COLUMNS, CELL_H = HEIGHT / 14;
  for (int slot : {REGULAR, BOLD}) {
    pixel_space(1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    for (int code = 32; code < 256; ++code) {
      int cell = code - 32;
      glLoadIdentity();
      glTranslatef((cell % COLUMNS) * CELL_W + 3.0f, HEIGHT - (cell / COLUMNS + 1) * CELL_H + 12.0f, 0);
      glScalef(22, 22, 1);
      print(slot, ALIGN_LEFT, "%c", code);
    }
    auto pixels = read_gl_pixels(WIDTH, HEIGHT);
    dump_picture(slot == REGULAR ? "text_glyphs_regular" : "text_glyphs_bold", pixels, WIDTH, HEIGHT);
    int blank_printables = 0;
    for (int code = 33; code < 255; ++code) {
      // Codes the face has no glyph for have advance 0; two more are blank.
      if (glyph_advance(static_cast<unsigned char>(code)) == 0.0f || code == 0xA0 || code == 0xAD) continue;
      int cell = code - 32, lit = 0;
      for (int y = (cell / COLUMNS) * CELL_H; y < (cell / COLUMNS + 1) * CELL_H; ++y)
        for (int x = (cell % COLUMNS) * CELL_W; x < (cell % COLUMNS + 1) * CELL_W; ++x)
          lit += pixels[(static_cast<size_t>(y) * WIDTH + x) * 4] > 128;
      if (lit < 3) {
        ++blank_printables;
        ADD_FAILURE() << "slot " << slot << " code " << code << " draws nothing";
      }
    }
    EXPECT_EQ(blank_printables, 0);
  }
}

TEST_F(TextPrint, UpperHalfCodesIndexTheTableUnsigned) {
  EXPECT_GT(glyph_advance(0xC9), 0.0f);  // E acute
  EXPECT_FLOAT_EQ(text_width("\xC9"), glyph_advance(0xC9));
  EXPECT_EQ(glyph_advance(255), 0.0f);
  EXPECT_EQ(text_width("\xFF\xFF"), 0.0f);
  glLoadIdentity();
  print(BOLD, ALIGN_RIGHT, "%s", "\xB0\xC9");
  EXPECT_NEAR(model_view_x(), glyph_advance(0xC9), 1e-4);
}

TEST_F(TextPrint, LongTextsAreCutTo255Characters) {
  const std::string long_text(1000, 'x');
  print(REGULAR, ALIGN_LEFT, "%s", long_text.c_str());
  ASSERT_EQ(text_captured().size(), 1u);
  EXPECT_EQ(text_captured()[0].text, std::string(255, 'x'));
  EXPECT_NEAR(model_view_x(), 255 * glyph_advance('x'), 1e-3);
}

TEST_F(TextPrint, CaptureRecordsColourSlotAndProjectedPosition) {
  // The units' camera: 45 degrees, drawing-area aspect, text at depth 30.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(WIDTH) / HEIGHT, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glClear(GL_COLOR_BUFFER_BIT);

  glLoadIdentity();
  glColor3f(0.0f, 1.0f, 1.0f);
  glTranslatef(0, 0, -30);
  glScalef(0.62f, 0.62f, 1);
  print(REGULAR, ALIGN_CENTRED, "%s", "29.92");

  glLoadIdentity();
  glColor3f(0.933f, 0.596f, 0.0f);
  glTranslatef(5.889f, -6.8f, -30);
  glScalef(0.62f, 0.62f, 1);
  print(BOLD, ALIGN_RIGHT, "RNG %d", 40);
  dump_picture("text_capture", read_gl_pixels(WIDTH, HEIGHT), WIDTH, HEIGHT);

  const auto& captured = text_captured();
  ASSERT_EQ(captured.size(), 2u);
  EXPECT_EQ(captured[0].text, "29.92");
  EXPECT_EQ(captured[0].slot, REGULAR);
  EXPECT_FLOAT_EQ(captured[0].r, 0.0f);
  EXPECT_FLOAT_EQ(captured[0].g, 1.0f);
  EXPECT_FLOAT_EQ(captured[0].b, 1.0f);
  EXPECT_NEAR(captured[0].x, WIDTH / 2.0, 0.5);
  EXPECT_NEAR(captured[0].y, HEIGHT / 2.0, 0.5);

  // Half the view at depth 30 is 30 tan 22.5 deg high; y counts down from the top.
  const double half_h = 30 * std::tan(22.5 * PI / 180), half_w = half_h * WIDTH / HEIGHT;
  EXPECT_EQ(captured[1].text, "RNG 40");
  EXPECT_EQ(captured[1].slot, BOLD);
  EXPECT_NEAR(captured[1].r, 0.933, 1e-3);
  EXPECT_NEAR(captured[1].g, 0.596, 1e-3);
  EXPECT_NEAR(captured[1].x, WIDTH / 2.0 * (1 + 5.889 / half_w), 0.5);
  EXPECT_NEAR(captured[1].y, HEIGHT / 2.0 * (1 + 6.8 / half_h), 0.5);

  // The dump: one line per string, seven tab-separated fields.
  auto path = std::filesystem::temp_directory_path() / ("text_dump_" + std::to_string(std::random_device{}()) + ".txt");
  ASSERT_TRUE(text_capture_write(path.string().c_str()));
  std::ifstream in(path);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "29.92\t0.000\t1.000\t1.000\t216.5\t302.5\t2");
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line.rfind("RNG 40\t0.933\t0.596\t0.000\t", 0), 0u) << line;
  EXPECT_FALSE(std::getline(in, line));
  in.close();
  std::filesystem::remove(path);
  EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));

  text_capture_clear();
  EXPECT_TRUE(text_captured().empty());
}

TEST_F(TextPrint, BatchDrawsAndCapturesWhatPrintWould) {
  // The units' camera, where rounding of the placement would show first.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(WIDTH) / HEIGHT, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  struct Case {
    int slot, alignment;
    float x, y, scale;
    const char* text;
  } cases[] = {
      {REGULAR, ALIGN_LEFT, 1.23f, 0.6f, 0.45f, "WP017"},
      {BOLD, ALIGN_CENTRED, -3.1f, 4.4f, 0.62f, "29.92"},
      {BOLD, ALIGN_RIGHT, 5.889f, -6.8f, 0.62f, "RNG 40"},
      {REGULAR, ALIGN_RIGHT, 0, 0, 1, "7"},
      {REGULAR, ALIGN_LEFT, 0, 0, 1, ""},
  };
  std::vector<uint8_t> printed, batched;
  std::vector<PrintedText> print_capture;
  TextBatch batch;
  for (int pass = 0; pass < 2; ++pass) {
    glClear(GL_COLOR_BUFFER_BIT);
    text_capture_clear();
    text_batch_clear(&batch);
    glColor3f(1, 1, 1);
    for (const Case& c : cases) {
      glLoadIdentity();
      glTranslatef(0, 0, -30);
      if (pass == 0) {
        glTranslatef(c.x, c.y, 0);
        glScalef(c.scale, c.scale, 1);
        print(c.slot, c.alignment, "%s", c.text);
      } else {
        text_batch_add(&batch, c.slot, c.alignment, c.x, c.y, c.scale, c.text);
      }
    }
    if (pass == 1) text_batch_draw(batch);
    (pass == 0 ? printed : batched) = read_gl_pixels(WIDTH, HEIGHT);
    if (pass == 0) print_capture = text_captured();
  }
  int differing = 0;
  for (size_t i = 0; i < printed.size(); i += 4) differing += printed[i] != batched[i];
  EXPECT_LE(differing, 4) << "the batch moves pixels";
  EXPECT_GT(std::count(batched.begin(), batched.end(), 255), 100);
  ASSERT_EQ(text_captured().size(), print_capture.size());
  for (size_t i = 0; i < print_capture.size(); ++i) {
    EXPECT_EQ(text_captured()[i].text, print_capture[i].text);
    EXPECT_EQ(text_captured()[i].slot, print_capture[i].slot);
    EXPECT_NEAR(text_captured()[i].x, print_capture[i].x, 0.01);
    EXPECT_NEAR(text_captured()[i].y, print_capture[i].y, 0.01);
  }
  // A program that dumps no text records none.
  text_capture_enable(false);
  print(REGULAR, ALIGN_LEFT, "off");
  text_batch_add(&batch, REGULAR, ALIGN_LEFT, 0, 0, 1, "off");
  EXPECT_TRUE(text_captured().empty());
  text_capture_enable(true);
}
