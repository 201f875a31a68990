// The display unit's picture tests draw into one hidden GL window sized like
// the unit, with the unit's fonts and static display lists built as it does.
#pragma once

#include <GL/gl.h>

#include "framework/display_lists.h"
#include "framework/drawing_area.h"
#include "framework/text.h"
#include "mfd/mfd_unit.h"
#include "platform/gl_test_context.h"

// Null when no display can be had (the tests then skip).
inline GlTestContext* mfd_picture_open(int width, int height, bool with_bold_font, StaticLists* lists) {
  GlTestContext* context = gl_test_context_create(width, height);
  if (!context) return nullptr;
  apply_drawing_area(DrawingArea{width, height});
  glDisable(GL_DEPTH_TEST);
  build_font(MFD_FONT_FACE, MFD_FONT_SLOT_NORMAL, MFD_FONT_HEIGHT, FONT_WEIGHT_NORMAL);
  if (with_bold_font) build_font(MFD_FONT_FACE, MFD_FONT_SLOT_BOLD, MFD_FONT_HEIGHT, FONT_WEIGHT_BOLD);
  build_display_lists(lists, nullptr);
  return context;
}

inline void mfd_picture_close(GlTestContext* context, StaticLists* lists) {
  if (!context) return;
  delete_display_lists(lists);
  delete_fonts();
  gl_test_context_destroy(context);
}
