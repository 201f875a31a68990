// The soft-key labels of the menu levels and the "MENU INOP" notice.
#include "mfd/mfd_menu_labels.h"

#include <GL/gl.h>

#include "framework/text.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_unit.h"

namespace {

constexpr float LABEL_SCALE = 0.62f;
constexpr float LABEL_DEPTH = -30.0f;

// A label and the translation, in the scaled frame, from where the previous
// text of the row ended to where this one is printed.
struct Label {
  float dx, dy;
  const char* text;
};

struct Row {
  float x, y;  // anchor
  const Label* labels;
  int count;
};

constexpr float BOTTOM_ROW_X = -5.299f, BOTTOM_ROW_Y = -7.389f;
constexpr float RANGE_ANCHOR_X = 5.889f, RANGE_ANCHOR_Y = -6.8f;

constexpr Label kTopMenu[] = {{0, 0, "SYS"},      {2.589f, 0, "MFD"}, {2.419f, 0, "CKLST"},
                              {1.65f, 0, "TCAS"}, {1.989f, 0, "TERR"}, {2.268f, 0, "PLAN"}};
constexpr Label kTopMenuSecond[] = {{0, 0, "MENU"}, {8.15f, -0.45f, "WX"}, {2.867f, 0, "MAP"}};
constexpr Label kSystemsMenu[] = {{0, 0, "SUMRY"}, {2.089f, 0, "ELEC"}, {2.09f, 0, "HYD"},
                                  {2.32f, 0, "ECS"},   {2.62f, 0, "FLT"},   {1.98f, 0, "FUEL"}};
constexpr Label kMfdMenu[] = {{0, 0, "RTN"},     {2.17f, 0, "SPDS"},   {2.309f, 0, "JSTK"},    {2.12f, 0, "FPLN"},
                              {2.2f, 0, "APT"},  {-0.68f, 1.06f, "NAV"}, {2.245f, -1.06f, "DATA"}};
constexpr Label kMapRange[] = {{0, 0, "M/P"}, {-0.615f, -1.06f, "RNG"}};
constexpr Label kMapRangeLoad[] = {{0, 0, "M/P"}, {-0.615f, -1.06f, "RNG"}, {-9.69f, 1.15f, "LOAD"}};
constexpr Label kEicasRange[] = {{0.364f, -1.06f, "CAS"}};

template <int N>
constexpr Row row(float x, float y, const Label (&labels)[N]) {
  return Row{x, y, labels, N};
}

void draw_row(const Row& r) {
  glLoadIdentity();
  glTranslatef(r.x, r.y, LABEL_DEPTH);
  glScalef(LABEL_SCALE, LABEL_SCALE, 1.0f);
  for (int i = 0; i < r.count; ++i) {
    glTranslatef(r.labels[i].dx, r.labels[i].dy, 0.0f);
    print(MFD_FONT_SLOT_NORMAL, ALIGN_CENTRED, "%s", r.labels[i].text);
  }
}

void draw_line(float x0, float y0, float x1, float y1) {
  glBegin(GL_LINES);
  glVertex3f(x0, y0, LABEL_DEPTH);
  glVertex3f(x1, y1, LABEL_DEPTH);
  glEnd();
}

// The brackets that join "MENU", "WX" and "MAP" to their keys.
void draw_top_menu_brackets() {
  glLoadIdentity();
  glLineWidth(2.0f);
  draw_line(-2.64f, -6.339f, -0.789f, -6.339f);
  draw_line(-5.849f, -6.339f, -4.279f, -6.339f);
  draw_line(-5.819f, -6.339f, -5.819f, -6.729f);
  draw_line(-0.82f, -6.339f, -0.82f, -6.729f);
  glLineWidth(1.0f);
}

}  // namespace

void mfd_menu_draw_labels(int32_t menu_level, bool mfd_shown) {
  glColor3f(1.0f, 1.0f, 1.0f);
  switch (menu_level) {
    case MFD_MENU_TOP:
      draw_row(row(BOTTOM_ROW_X, BOTTOM_ROW_Y, kTopMenu));
      draw_row(row(-3.469f, -6.559f, kTopMenuSecond));
      draw_top_menu_brackets();
      break;
    case MFD_MENU_SYSTEMS:
      draw_row(row(BOTTOM_ROW_X, BOTTOM_ROW_Y, kSystemsMenu));
      break;
    case MFD_MENU_MFD:
      draw_row(row(BOTTOM_ROW_X, BOTTOM_ROW_Y, kMfdMenu));
      break;
    default:
      return;  // the V-speed page shows no labels
  }
  if (!mfd_shown)
    draw_row(row(RANGE_ANCHOR_X, RANGE_ANCHOR_Y, kEicasRange));
  else if (menu_level == MFD_MENU_MFD)
    draw_row(row(RANGE_ANCHOR_X, RANGE_ANCHOR_Y, kMapRangeLoad));
  else
    draw_row(row(RANGE_ANCHOR_X, RANGE_ANCHOR_Y, kMapRange));
}

void mfd_menu_draw_inop(bool mfd_shown) {
  constexpr float INOP_SCALE = 0.63f;
  constexpr float FAIL_LINE_DOWN = -1.1f;  // one text line, in the scaled frame
  glLoadIdentity();
  glColor3f(0.933f, 0.596f, 0.0f);
  glTranslatef(-1.54f, -3.8f, LABEL_DEPTH);
  glScalef(INOP_SCALE, INOP_SCALE, 1.0f);
  print(MFD_FONT_SLOT_NORMAL, ALIGN_LEFT, "MENU INOP");
  if (!mfd_shown) return;
  glLoadIdentity();
  glColor3f(1.0f, 0.0f, 0.0f);
  glTranslatef(-0.59f, 6.61f, LABEL_DEPTH);
  glScalef(INOP_SCALE, INOP_SCALE, 1.0f);
  glPushMatrix();
  print(MFD_FONT_SLOT_NORMAL, ALIGN_CENTRED, "HDG");
  glPopMatrix();
  glTranslatef(0.0f, FAIL_LINE_DOWN, 0.0f);
  print(MFD_FONT_SLOT_NORMAL, ALIGN_CENTRED, "FAIL");
}
