#pragma once
// Lets a developer look at what a GL test drew: with COCKPIT_TEST_PICTURES
// set to a folder, the picture is written there as a binary PPM.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline void dump_picture(const char* name, const std::vector<uint8_t>& rgba_top_down, int width, int height) {
  const char* folder = std::getenv("COCKPIT_TEST_PICTURES");
  if (!folder || !*folder) return;
  std::string path = std::string(folder) + "/" + name + ".ppm";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fprintf(f, "P6\n%d %d\n255\n", width, height);
  for (size_t i = 0; i + 3 < rgba_top_down.size(); i += 4) std::fwrite(&rgba_top_down[i], 1, 3, f);
  std::fclose(f);
}
