// Test entry point. The suite relies on the Simplified-Chinese environment of
// scripts/test (ANSI code page 936); say so plainly when it is missing instead
// of failing a hundred conversions.
#include <gtest/gtest.h>

#include <cstdio>

#include "rtl/CodePage.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (rtl::AnsiCodePage() != 936) {
    std::fprintf(stderr, "ANSI code page is %u, not 936: run the tests through scripts/test\n",
                 rtl::AnsiCodePage());
    return 2;
  }
  return RUN_ALL_TESTS();
}
