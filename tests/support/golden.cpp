#include "tests/support/golden.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr long MIN_BUDGET = 16;

bool update_requested() {
  const char* v = std::getenv("COCKPIT_GOLDEN_UPDATE");
  return v && std::string(v) == "1";
}

// Mismatches are written beside each other so that a reviewer opens one folder.
std::string write_evidence(const std::string& name, const RgbImage& frame, const RgbImage* difference) {
  const fs::path dir = fs::path(COCKPIT_BINARY_DIR) / "golden";
  std::error_code ec;
  fs::create_directories(dir, ec);
  const std::string actual = (dir / (name + ".actual.png")).string();
  png_write_rgb(actual.c_str(), frame);
  std::string where = " (frame: " + actual;
  if (difference) {
    const std::string diff = (dir / (name + ".diff.png")).string();
    png_write_rgb(diff.c_str(), *difference);
    where += ", difference: " + diff;
  }
  return where + ")";
}

}  // namespace

RgbImage golden_image_from_rgba(const std::vector<uint8_t>& rgba_top_down, int width, int height) {
  RgbImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (size_t i = 0; i < static_cast<size_t>(width) * height && i * 4 + 2 < rgba_top_down.size(); i++) {
    for (int c = 0; c < 3; c++) image.pixels[i * 3 + c] = rgba_top_down[i * 4 + c];
  }
  return image;
}

long golden_count_differences(const RgbImage& reference, const RgbImage& frame, int channel_threshold,
                              RgbImage* difference) {
  if (reference.width != frame.width || reference.height != frame.height ||
      reference.pixels.size() != frame.pixels.size())
    return -1;
  if (difference) *difference = RgbImage{frame.width, frame.height, std::vector<uint8_t>(frame.pixels.size())};
  long differing = 0;
  for (size_t i = 0; i + 2 < frame.pixels.size(); i += 3) {
    bool off = false;
    for (int c = 0; c < 3; c++) off |= std::abs(reference.pixels[i + c] - frame.pixels[i + c]) > channel_threshold;
    if (off) differing++;
    if (!difference) continue;
    const int grey = (reference.pixels[i] + reference.pixels[i + 1] + reference.pixels[i + 2]) / 12;
    difference->pixels[i] = off ? 255 : static_cast<uint8_t>(grey);
    difference->pixels[i + 1] = off ? 0 : static_cast<uint8_t>(grey);
    difference->pixels[i + 2] = off ? 0 : static_cast<uint8_t>(grey);
  }
  return differing;
}

std::string golden_check(const std::string& name, const RgbImage& frame, GoldenTolerance tolerance) {
  const fs::path reference_path = fs::path(COCKPIT_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
  if (update_requested()) {
    if (png_write_rgb(reference_path.string().c_str(), frame)) return "";
    return "cannot write the reference " + reference_path.string();
  }
  RgbImage reference;
  if (!png_read_rgb(reference_path.string().c_str(), &reference)) {
    return "no readable reference " + reference_path.string() +
           " (scripts/update_golden.sh makes it)" + write_evidence(name, frame, nullptr);
  }
  RgbImage difference;
  const long differing = golden_count_differences(reference, frame, tolerance.channel_threshold, &difference);
  if (differing < 0) {
    return name + ": the frame is " + std::to_string(frame.width) + "x" + std::to_string(frame.height) +
           ", the reference " + std::to_string(reference.width) + "x" + std::to_string(reference.height) +
           write_evidence(name, frame, nullptr);
  }
  const long pixels = static_cast<long>(frame.width) * frame.height;
  const long budget = std::max(MIN_BUDGET, pixels * tolerance.budget_per_10000 / 10000);
  if (differing <= budget) return "";
  return name + ": " + std::to_string(differing) + " pixels differ from the reference (budget " +
         std::to_string(budget) + ")" + write_evidence(name, frame, &difference);
}
