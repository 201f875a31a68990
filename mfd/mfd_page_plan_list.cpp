// The flight-plan list box of the MFD menu, its selection moved by the knob.
#include <GL/gl.h>

#include "framework/text.h"
#include "mfd/mfd_menu_labels.h"
#include "mfd/mfd_menu_logic.h"
#include "mfd/mfd_page_parts.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"

namespace {

constexpr float ROW_STEP_X = -0.57f, ROW_STEP_Y = 1.15f;

void draw_frame_and_readout(const MfdPlanPaging& paging) {
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslatef(-0.52f, -0.95f, -5.0f);
  glScalef(1.07f, 0.75f, 1.0f);
  glCallList(g_mfd.lists.unit_square_outline);
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslatef(-0.6f, -0.92f, -5.0f);
  glScalef(0.1f, 0.1f, 1.0f);
  print(MFD_FONT_SLOT_NORMAL, ALIGN_RIGHT, "PAGE %d/%d", paging.page + 1, paging.pages);
}

void draw_names(const MfdPlanPaging& paging) {
  const int w = g_mfd.common.x_size, h = g_mfd.common.y_size;
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslatef(3.06f, -6.0899f, -30.0f);
  glScalef(0.6f, 0.6f, 1.0f);
  for (int i = paging.first; i < paging.first + MFD_PLANS_PER_PAGE; ++i) {
    glTranslatef(ROW_STEP_X, ROW_STEP_Y, 0.0f);
    if (i >= g_mfd.plan_list.count) continue;
    if (i == g_mfd.selected_plan) {
      glPushMatrix();
      glTranslatef(-9.44f, -0.27f, 0.0f);
      glScalef(10.13f, 1.15f, 1.0f);
      glCallList(g_mfd.lists.unit_square);
      glPopMatrix();
      glColor3f(0.0f, 0.0f, 0.0f);
    } else {
      glColor3f(1.0f, 1.0f, 1.0f);
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<int>(0.329 * w), static_cast<int>(-0.06 * h), static_cast<int>(0.6 * w),
              static_cast<int>(0.5 * h));
    // Plan names come from the folder: never a format.
    glPushMatrix();
    print(MFD_FONT_SLOT_NORMAL, ALIGN_RIGHT, "%s", g_mfd.plan_list.shown[i]);
    glPopMatrix();
    glDisable(GL_SCISSOR_TEST);
  }
}

}  // namespace

void mfd_plan_list_page_box() {
  const MfdPlanPaging paging = mfd_plan_paging(g_mfd.plan_list.count, g_mfd.selected_plan);
  draw_frame_and_readout(paging);
  draw_names(paging);
}

// The controller draws the box whenever the list is open, on this page or not.
void mfd_plan_list_page_draw() {}

void mfd_plan_list_page_keys() {
  if (g_mfd.plan_list_shown) mfd_plan_list_knob();
}
