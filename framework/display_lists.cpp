#include "framework/display_lists.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>

namespace {

constexpr GLfloat GREEN[3] = {0.156f, 0.803f, 0.215f};
constexpr GLfloat CYAN[3] = {0.0f, 1.0f, 1.0f};
constexpr GLfloat MAGENTA[3] = {0.882f, 0.0f, 0.482f};
constexpr GLfloat SYMBOL_SCALE = 0.6f;
constexpr GLfloat STAR_SCALE = 0.769f;
constexpr GLint RING_SLICES = 20;
constexpr GLint RING_LOOPS = 1;
constexpr GLfloat ARROW_X = 5.85f, ARROW_Y = 6.439f, ARROW_DEPTH = 30.0f;
constexpr GLfloat ARROW_TILT_DEGREES = 32.0f, ARROW_SCALE = -0.8f;

struct Point {
  GLfloat x, y;
};

template <size_t N>
void strip(GLenum mode, const Point (&points)[N]) {
  glBegin(mode);
  for (const Point& p : points) glVertex2f(p.x, p.y);
  glEnd();
}

void hexagon() {
  glColor3fv(GREEN);
  glLineWidth(1.5f);
  glScalef(SYMBOL_SCALE, SYMBOL_SCALE, 1.0f);
  const Point points[] = {{0, 0},         {-0.362f, 0.209f}, {-0.362f, 0.627f}, {0, 0.837f},
                          {0.362f, 0.627f}, {0.362f, 0.209f}, {0, 0}};
  strip(GL_LINE_STRIP, points);
}

void three_lobe() {
  glColor3fv(GREEN);
  glLineWidth(1.0f);
  glScalef(SYMBOL_SCALE, SYMBOL_SCALE, 1.0f);
  const Point left[] = {{-0.34f, -0.34f}, {-0.083f, -0.2f}, {-0.25f, 0.089f}, {-0.5f, -0.055f}, {-0.34f, -0.34f}};
  const Point right[] = {{0.34f, -0.34f}, {0.083f, -0.2f}, {0.25f, 0.089f}, {0.5f, -0.055f}, {0.34f, -0.34f}};
  const Point box[] = {{-0.17f, 0.2f}, {0.17f, 0.2f}, {0.17f, 0.49f}, {-0.17f, 0.49f}, {-0.17f, 0.2f}};
  const Point centre[] = {{-0.083f, -0.2f}, {0.083f, -0.2f}, {0.25f, 0.089f},
                          {0.17f, 0.2f},    {-0.17f, 0.2f},  {-0.25f, 0.089f}};
  strip(GL_LINE_STRIP, left);
  strip(GL_LINE_STRIP, right);
  strip(GL_LINE_STRIP, box);
  strip(GL_LINE_STRIP, centre);
}

void three_lobe_outline() {
  glColor3fv(GREEN);
  glLineWidth(1.0f);
  glScalef(SYMBOL_SCALE, SYMBOL_SCALE, 1.0f);
  const Point points[] = {{-0.34f, -0.34f}, {-0.083f, -0.2f}, {0.083f, -0.2f}, {0.34f, -0.34f}, {0.5f, -0.055f},
                          {0.25f, 0.089f},  {0.17f, 0.2f},    {0.17f, 0.49f},  {-0.17f, 0.49f}, {-0.17f, 0.2f},
                          {-0.25f, 0.089f}, {-0.5f, -0.055f}, {-0.34f, -0.34f}};
  strip(GL_LINE_STRIP, points);
}

void double_ring(GLUquadric* quadric) {
  glColor3fv(GREEN);
  glScalef(SYMBOL_SCALE, SYMBOL_SCALE, 1.0f);
  gluDisk(quadric, 0.25, 0.30, RING_SLICES, RING_LOOPS);
  gluDisk(quadric, 0.35, 0.40, RING_SLICES, RING_LOOPS);
}

void cyan_ring(GLUquadric* quadric) {
  glColor3fv(CYAN);
  gluDisk(quadric, 0.30, 0.35, RING_SLICES, RING_LOOPS);
}

void small_ring(GLUquadric* quadric) {
  glColor3fv(GREEN);
  gluDisk(quadric, 0.10, 0.15, RING_SLICES, RING_LOOPS);
}

void four_point_star() {
  glScalef(STAR_SCALE, STAR_SCALE, 1.0f);
  glLineWidth(1.5f);
  const Point points[] = {{0, 0.5f},  {0.148f, 0.153f},   {0.487f, 0},  {0.148f, -0.153f}, {0, -0.5f},
                          {-0.148f, -0.153f}, {-0.487f, 0}, {-0.148f, 0.153f}, {0, 0.5f}};
  strip(GL_LINE_STRIP, points);
}

void own_aircraft() {
  glColor3f(1.0f, 1.0f, 1.0f);
  const Point half[] = {{0, -0.962f},          {-0.382f, -1.04f}, {-0.382f, -0.901f}, {-0.0892f, -0.668f},
                        {-0.201f, -0.0402f},   {-0.843f, -0.18f}, {-0.843f, 0.0715f}, {-0.182f, 0.36f},
                        {-0.178f, 0.723f},     {0, 1}};
  const size_t n = sizeof half / sizeof half[0];
  glBegin(GL_LINE_STRIP);
  for (size_t i = 0; i < n; ++i) glVertex2f(half[i].x, half[i].y);
  for (size_t i = n - 1; i-- > 0;) glVertex2f(-half[i].x, half[i].y);  // mirrored, back to the tail
  glEnd();
}

// side -1 = left arrow, +1 = right arrow.
void arrow(float side) {
  glLoadIdentity();
  glColor3fv(MAGENTA);
  glTranslatef(side * ARROW_X, ARROW_Y, -ARROW_DEPTH);
  glRotatef(side * ARROW_TILT_DEGREES, 0.0f, 0.0f, 1.0f);
  glScalef(ARROW_SCALE, ARROW_SCALE, 1.0f);
  glLineWidth(2.0f);
  glBegin(GL_LINES);
  glVertex2f(0, -0.4f);
  glVertex2f(0, 0.4f);
  glVertex2f(0, 0.4f);
  glVertex2f(0.18f, 0.25f);
  glVertex2f(0, 0.4f);
  glVertex2f(-0.18f, 0.25f);
  glEnd();
}

void unit_square() {
  const Point points[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  strip(GL_QUADS, points);
}

void unit_square_outline() {
  const Point points[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
  strip(GL_LINE_STRIP, points);
}

void unit_triangle() {
  const Point points[] = {{0, 0}, {1, 0}, {0.5f, 1}};
  strip(GL_TRIANGLES, points);
}

}  // namespace

bool build_display_lists(StaticLists* lists, GLUquadric* quadric) {
  if (!lists) return false;
  *lists = StaticLists{};
  GLUquadric* own_quadric = nullptr;
  if (!quadric) {
    own_quadric = gluNewQuadric();
    if (!own_quadric) return false;
    gluQuadricNormals(own_quadric, GLU_SMOOTH);
    quadric = own_quadric;
  }
  bool ok = true;
  auto compile = [&ok](uint32_t* id, auto&& draw) {
    *id = glGenLists(1);
    if (*id == 0) {
      ok = false;
      return;
    }
    glNewList(*id, GL_COMPILE);
    draw();
    glEndList();
  };
  compile(&lists->hexagon, hexagon);
  compile(&lists->three_lobe, three_lobe);
  compile(&lists->three_lobe_outline, three_lobe_outline);
  compile(&lists->double_ring, [&] { double_ring(quadric); });
  compile(&lists->cyan_ring, [&] { cyan_ring(quadric); });
  compile(&lists->small_ring, [&] { small_ring(quadric); });
  compile(&lists->four_point_star, four_point_star);
  compile(&lists->own_aircraft, own_aircraft);
  compile(&lists->left_arrow, [] { arrow(-1.0f); });
  compile(&lists->right_arrow, [] { arrow(1.0f); });
  compile(&lists->unit_square, unit_square);
  compile(&lists->unit_square_outline, unit_square_outline);
  compile(&lists->unit_triangle, unit_triangle);
  if (own_quadric) gluDeleteQuadric(own_quadric);
  return ok;
}

void delete_display_lists(StaticLists* lists) {
  if (!lists) return;
  uint32_t* ids[] = {&lists->hexagon,     &lists->three_lobe,   &lists->three_lobe_outline,
                     &lists->double_ring, &lists->cyan_ring,    &lists->small_ring,
                     &lists->four_point_star, &lists->own_aircraft, &lists->left_arrow,
                     &lists->right_arrow, &lists->compass_rose, &lists->unit_square,
                     &lists->unit_square_outline, &lists->unit_triangle};
  for (uint32_t* id : ids) {
    if (*id != 0) glDeleteLists(*id, 1);
    *id = 0;
  }
}
