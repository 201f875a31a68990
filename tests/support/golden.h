#pragma once
// Reference pictures: a frame is compared with tests/golden/<name>.png with
// room for what differs between rasterisers and drivers (a per-pixel
// threshold and a small budget of differing pixels). On a mismatch the frame
// and a difference image go to <build>/golden/; with COCKPIT_GOLDEN_UPDATE=1
// the frame becomes the reference instead (scripts/update_golden.sh).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/png_file.h"

struct GoldenTolerance {
  int channel_threshold = 48;  // a pixel differs when any channel is further off than this
  int budget_per_10000 = 1;    // differing pixels allowed per ten thousand (at least 16)
};

// "" when the frame matches the reference (or was written as the new one);
// otherwise what differed and where the pictures went.
std::string golden_check(const std::string& name, const RgbImage& frame, GoldenTolerance tolerance = {});
// A frame read back from GL (RGBA, rows top first) as an RGB image.
RgbImage golden_image_from_rgba(const std::vector<uint8_t>& rgba_top_down, int width, int height);
// Pixels further off than the threshold; the difference image shows them red
// over a faded copy of the reference. -1 when the sizes differ.
long golden_count_differences(const RgbImage& reference, const RgbImage& frame, int channel_threshold,
                              RgbImage* difference);
