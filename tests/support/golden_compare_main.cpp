// golden_compare NAME FRAME.png: a program's screenshot against its reference
// picture, for the golden tests of whole programs (cockpit_golden_program).
#include <cstdio>
#include <string>

#include "tests/support/golden.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: golden_compare NAME FRAME.png\n");
    return 2;
  }
  RgbImage frame;
  if (!png_read_rgb(argv[2], &frame)) {
    std::fprintf(stderr, "golden_compare: cannot read the frame %s\n", argv[2]);
    return 1;
  }
  const std::string result = golden_check(argv[1], frame);
  if (result.empty()) return 0;
  std::fprintf(stderr, "golden_compare: %s\n", result.c_str());
  return 1;
}
