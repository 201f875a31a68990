// With no installed face at all (the test runs with an empty font
// configuration), building a font fails and marks the font missing.
#include <gtest/gtest.h>

#include "framework/text.h"
#include "platform/font_outline.h"

TEST(NoFonts, BuildingAFontMarksItMissing) {
#ifdef _WIN32
  GTEST_SKIP() << "an empty font configuration is fontconfig's; Windows always has a face to substitute";
#endif
  FontOutlines outlines;
  EXPECT_FALSE(load_font_outlines("Korvu", 400, &outlines));
  EXPECT_FALSE(build_font("Korvu", 2, 10, 700));
  EXPECT_TRUE(font_is_missing());
  EXPECT_EQ(text_width("ABC"), 0.0f);  // nothing was built: the table stays zero
}
