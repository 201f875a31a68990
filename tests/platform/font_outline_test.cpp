// Face lookup and outline extraction, without GL.
#include <gtest/gtest.h>

#include "platform/font_outline.h"

TEST(FontOutline, UnitFaceNameFindsARegularAndABoldFace) {
  FontOutlines regular, bold;
  ASSERT_TRUE(load_font_outlines("Korvu", 400, &regular));
  ASSERT_TRUE(load_font_outlines("Korvu", 700, &bold));
  EXPECT_FALSE(regular.bold) << regular.family << " " << regular.style;
  EXPECT_TRUE(bold.bold) << bold.family << " " << bold.style;
  EXPECT_NE(regular.file, bold.file);

  // Letters have closed contours in em units; a blank has none but advances.
  const GlyphOutline& a = regular.glyphs['A'];
  ASSERT_FALSE(a.contours.empty());
  EXPECT_GT(a.advance, 0.3f);
  EXPECT_LT(a.advance, 1.5f);
  for (const auto& contour : a.contours) {
    EXPECT_GE(contour.size(), 3u);
    for (const auto& p : contour) {
      EXPECT_GT(p.y, -0.5f);
      EXPECT_LT(p.y, 1.2f);
    }
  }
  EXPECT_TRUE(regular.glyphs[' '].contours.empty());
  EXPECT_GT(regular.glyphs[' '].advance, 0.0f);
  // The degree sign and a Windows-1252 letter of the upper half are found.
  EXPECT_FALSE(regular.glyphs[0xB0].contours.empty());
  EXPECT_FALSE(regular.glyphs[0x8A].contours.empty());  // S caron
  // Code 255 is never built.
  EXPECT_TRUE(regular.glyphs[255].contours.empty());
  EXPECT_EQ(regular.glyphs[255].advance, 0.0f);
}

TEST(FontOutline, UnknownFaceNameIsSubstituted) {
  FontOutlines outlines;
  ASSERT_TRUE(load_font_outlines("No Such Face Anywhere 31337", 400, &outlines));
  EXPECT_FALSE(outlines.glyphs['x'].contours.empty());
  ASSERT_TRUE(load_font_outlines("", 400, &outlines));
  ASSERT_TRUE(load_font_outlines(nullptr, 700, &outlines));
}
