// The page table: one row for each page, each with something to draw.
#include <gtest/gtest.h>

#include "mfd/mfd_pages.h"

namespace {

TEST(MfdPages, EveryPageHasExactlyOneRowAndNothingElseHasOne) {
  for (int32_t page = MFD_PAGE_SUMMARY; page <= MFD_PAGE_EICAS; ++page) {
    int rows = 0;
    for (int i = 0; i < MFD_PAGE_COUNT; ++i) rows += MFD_PAGES[i].page == page;
    EXPECT_EQ(rows, 1) << page;
    ASSERT_NE(mfd_page(page), nullptr) << page;
    EXPECT_NE(mfd_page(page)->draw, nullptr) << page;
  }
  EXPECT_EQ(MFD_PAGE_COUNT, MFD_PAGE_EICAS);
  for (int32_t none : {static_cast<int32_t>(MFD_PAGE_NONE), -1, MFD_PAGE_EICAS + 1}) EXPECT_EQ(mfd_page(none), nullptr);
  mfd_run_page(MFD_PAGE_NONE);  // nothing to run, nothing happens
}

}  // namespace
