// The static display lists: built once, drawn where and how the pages expect.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <set>

#include "framework/display_lists.h"
#include "platform/gl_test_context.h"
#include "tests/support/picture_dump.h"

namespace {

constexpr int WIDTH = 433, HEIGHT = 605;
constexpr double PI = 3.14159265358979323846;

class StaticListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context = gl_test_context_create(WIDTH, HEIGHT);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(build_display_lists(&lists, nullptr));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  void TearDown() override {
    delete_display_lists(&lists);
    gl_test_context_destroy(context);
  }
  void pixel_space() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, WIDTH, 0, HEIGHT, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  // Colour at pixel (x, y) counted from the bottom left, as GL counts.
  const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(HEIGHT - 1 - y) * WIDTH + x) * 4]; }

  GlTestContext* context = nullptr;
  StaticLists lists{};
  std::vector<uint8_t> pixels;
};

}  // namespace

TEST_F(StaticListsTest, EveryShapeHasItsOwnList) {
  const uint32_t ids[] = {lists.hexagon,     lists.three_lobe,   lists.three_lobe_outline, lists.double_ring,
                          lists.cyan_ring,   lists.small_ring,   lists.four_point_star,    lists.own_aircraft,
                          lists.left_arrow,  lists.right_arrow,  lists.unit_square,        lists.unit_square_outline,
                          lists.unit_triangle};
  std::set<uint32_t> distinct;
  for (uint32_t id : ids) {
    EXPECT_TRUE(glIsList(id)) << id;
    distinct.insert(id);
  }
  EXPECT_EQ(distinct.size(), sizeof ids / sizeof ids[0]);
  EXPECT_EQ(lists.compass_rose, 0u);
  delete_display_lists(&lists);
  for (uint32_t id : ids) EXPECT_FALSE(glIsList(id)) << id;
  EXPECT_EQ(lists.unit_square, 0u);
}

TEST_F(StaticListsTest, UnitShapesFillTheirCornersInTheCallersColourAndFrame) {
  pixel_space();
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 0, 0);
  glTranslatef(10, 20, 0);
  glScalef(100, 50, 1);
  glCallList(lists.unit_square);
  glLoadIdentity();
  glColor3f(0, 0, 1);
  glTranslatef(200, 20, 0);
  glScalef(100, 100, 1);
  glCallList(lists.unit_triangle);
  pixels = read_gl_pixels(WIDTH, HEIGHT);
  dump_picture("lists_unit_shapes", pixels, WIDTH, HEIGHT);

  EXPECT_EQ(at(11, 21)[0], 255);   // inside the square's corners
  EXPECT_EQ(at(108, 68)[0], 255);
  EXPECT_EQ(at(112, 40)[0], 0);    // right of it
  EXPECT_EQ(at(60, 72)[0], 0);     // above it
  EXPECT_EQ(at(250, 110)[2], 255); // near the apex
  EXPECT_EQ(at(205, 110)[2], 0);   // beside the apex, outside the triangle
  EXPECT_EQ(at(202, 22)[2], 255);  // base corners
  EXPECT_EQ(at(297, 22)[2], 255);
}

TEST_F(StaticListsTest, SymbolsSetTheirColourAndKeepTheirScale) {
  glTranslatef(1, 2, 3);
  glCallList(lists.hexagon);
  GLfloat m[16], c[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(m[0], 0.6f);
  EXPECT_FLOAT_EQ(m[5], 0.6f);
  EXPECT_FLOAT_EQ(m[12], 1.0f);
  EXPECT_NEAR(c[0], 0.156f, 1e-3);
  EXPECT_NEAR(c[1], 0.803f, 1e-3);
  EXPECT_NEAR(c[2], 0.215f, 1e-3);
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_FLOAT_EQ(width, 1.5f);

  // The star takes the caller's colour.
  glColor3f(0.25f, 0.5f, 0.75f);
  glCallList(lists.four_point_star);
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(c[0], 0.25f);
  EXPECT_FLOAT_EQ(c[2], 0.75f);
}

TEST_F(StaticListsTest, ArrowsPlaceThemselvesFromAResetMatrix) {
  for (int side : {-1, 1}) {
    glLoadIdentity();
    glTranslatef(50, 60, 70);
    glCallList(side < 0 ? lists.left_arrow : lists.right_arrow);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_FLOAT_EQ(m[12], side * 5.85f);
    EXPECT_FLOAT_EQ(m[13], 6.439f);
    EXPECT_FLOAT_EQ(m[14], -30.0f);
    // Scale -0.8 after a turn of side x 32 degrees about z.
    const double a = side * 32.0 * PI / 180.0;
    EXPECT_NEAR(m[0], -0.8 * std::cos(a), 1e-5);
    EXPECT_NEAR(m[1], -0.8 * std::sin(a), 1e-5);
  }
}
