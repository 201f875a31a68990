#include "framework/text_capture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "framework/text.h"

namespace {

// A frame prints a few hundred strings; a program that never clears the
// capture must not grow without bound.
constexpr size_t MAX_CAPTURED_STRINGS = 65536;

std::vector<PrintedText> g_captured;
bool g_capture_on = true;

// Tabs and line ends inside a text would break the one-line-per-string file.
std::string one_line(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return out;
}

}  // namespace

void text_capture_record(const char* text, int slot) { text_capture_record_at(text, slot, 0.0f, 0.0f); }

void text_capture_record_at(const char* text, int slot, float x, float y) {
  if (!g_capture_on || g_captured.size() >= MAX_CAPTURED_STRINGS) return;
  PrintedText entry;
  entry.text = text;
  entry.slot = slot;
  GLfloat colour[4] = {1, 1, 1, 1};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  entry.r = colour[0];
  entry.g = colour[1];
  entry.b = colour[2];

  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble wx = 0, wy = 0, wz = 0;
  if (gluProject(x, y, 0.0, model, projection, viewport, &wx, &wy, &wz) == GL_TRUE) {
    // GL counts rows from the bottom of the client area; the viewport's top
    // edge is the client area's top edge.
    entry.x = static_cast<float>(wx);
    entry.y = static_cast<float>(viewport[1] + viewport[3] - wy);
  } else {
    entry.x = entry.y = -1.0f;
  }
  g_captured.push_back(std::move(entry));
}

void text_capture_clear() { g_captured.clear(); }

void text_capture_enable(bool on) {
  g_capture_on = on;
  if (!on) g_captured.clear();
}

const std::vector<PrintedText>& text_captured() { return g_captured; }

bool text_capture_write(const char* path) {
  if (!path) return false;
  std::string content;
  char numbers[160];
  for (const PrintedText& t : g_captured) {
    snprintf(numbers, sizeof numbers, "\t%.3f\t%.3f\t%.3f\t%.1f\t%.1f\t%d\n", t.r, t.g, t.b, t.x, t.y, t.slot);
    content += one_line(t.text);
    content += numbers;
  }
  // Written beside the target and renamed over it: a reader never sees half a file.
  const std::string temp = std::string(path) + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << content;
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(temp, ignored);
  return false;
}
