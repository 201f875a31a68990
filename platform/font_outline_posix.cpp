// Face lookup through fontconfig and outline extraction through FreeType.
#include "platform/font_outline.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Largest distance, in em, between a flattened curve and the true curve:
// a fifth of a pixel for text 50 pixels high, the largest the pages draw.
constexpr float FLATTEN_TOLERANCE_EM = 0.004f;
constexpr int MAX_CURVE_SEGMENTS = 32;
constexpr int WEIGHT_BOLD_THRESHOLD = 600;  // requests from semi-bold up want a bold face

// The units ask for an ANSI (Windows-1252) font: codes 0x80..0x9F are not
// Latin-1 there. Zero marks the five unassigned codes.
const unsigned short CP1252_HIGH[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned long unicode_of_code(int code) {
  if (code >= 0x80 && code <= 0x9F) return CP1252_HIGH[code - 0x80];
  return static_cast<unsigned long>(code);
}

struct Flattener {
  float scale;  // font units to em
  std::vector<std::vector<OutlinePoint>>* contours;
  OutlinePoint last;

  OutlinePoint to_em(const FT_Vector* v) const {
    return {static_cast<float>(v->x) * scale, static_cast<float>(v->y) * scale};
  }
  void add(OutlinePoint p) {
    if (contours->empty()) contours->emplace_back();
    contours->back().push_back(p);
    last = p;
  }
};

int segments_for(float deviation, float factor) {
  int n = static_cast<int>(std::ceil(std::sqrt(deviation * factor / FLATTEN_TOLERANCE_EM)));
  return std::clamp(n, 1, MAX_CURVE_SEGMENTS);
}

int move_to(const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  f->contours->emplace_back();
  f->add(f->to_em(to));
  return 0;
}

int line_to(const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  f->add(f->to_em(to));
  return 0;
}

int conic_to(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  OutlinePoint p0 = f->last, p1 = f->to_em(control), p2 = f->to_em(to);
  float dx = p0.x - 2 * p1.x + p2.x, dy = p0.y - 2 * p1.y + p2.y;
  int n = segments_for(std::hypot(dx, dy), 0.25f);
  for (int i = 1; i <= n; ++i) {
    float t = static_cast<float>(i) / n, u = 1 - t;
    f->add({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
            u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
  return 0;
}

int cubic_to(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  OutlinePoint p0 = f->last, p1 = f->to_em(c1), p2 = f->to_em(c2), p3 = f->to_em(to);
  float d1 = std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y);
  float d2 = std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y);
  int n = segments_for(std::max(d1, d2), 0.75f);
  for (int i = 1; i <= n; ++i) {
    float t = static_cast<float>(i) / n, u = 1 - t;
    float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    f->add({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return 0;
}

// Drops the repeated closing point and contours too small to enclose anything.
void tidy_contours(std::vector<std::vector<OutlinePoint>>* contours) {
  std::vector<std::vector<OutlinePoint>> kept;
  for (auto& c : *contours) {
    if (c.size() > 1 && c.front().x == c.back().x && c.front().y == c.back().y) c.pop_back();
    if (c.size() >= 3) kept.push_back(std::move(c));
  }
  contours->swap(kept);
}

// Candidate face files for the request, best first; the last resort is the
// system's default face.
std::vector<std::string> candidate_files(const char* face_name, int weight) {
  std::vector<std::string> files;
  static const bool initialised = [] {
    if (!FcInit()) return false;
    std::atexit(FcFini);  // releases the configuration, so leak checkers see a clean exit
    return true;
  }();
  if (!initialised) return files;
  const char* requests[2] = {face_name && *face_name ? face_name : nullptr, nullptr};
  for (const char* family : requests) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) continue;
    if (family) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= WEIGHT_BOLD_THRESHOLD ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    if (set) {
      for (int i = 0; i < set->nfont && files.size() < 8; ++i) {
        FcChar8* file = nullptr;
        FcBool outline = FcFalse;
        if (FcPatternGetBool(set->fonts[i], FC_OUTLINE, 0, &outline) == FcResultMatch && !outline) continue;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) == FcResultMatch && file)
          files.emplace_back(reinterpret_cast<const char*>(file));
      }
      FcFontSetDestroy(set);
    }
    FcPatternDestroy(pattern);
    if (!files.empty()) break;
  }
  return files;
}

bool read_face(FT_Face face, FontOutlines* out) {
  if (face->units_per_EM == 0 || !FT_IS_SCALABLE(face)) return false;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  const float scale = 1.0f / static_cast<float>(face->units_per_EM);
  FT_Outline_Funcs funcs = {move_to, line_to, conic_to, cubic_to, 0, 0};
  for (int code = 0; code < OUTLINE_GLYPH_COUNT; ++code) {
    GlyphOutline& glyph = out->glyphs[code];
    glyph.contours.clear();
    glyph.advance = 0;
    if (code == OUTLINE_GLYPH_COUNT - 1) continue;  // never built, advance 0
    unsigned long unicode = unicode_of_code(code);
    FT_UInt index = unicode ? FT_Get_Char_Index(face, unicode) : 0;
    if (index == 0) continue;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) continue;
    glyph.advance = static_cast<float>(face->glyph->metrics.horiAdvance) * scale;
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) continue;
    Flattener flattener{scale, &glyph.contours, {0, 0}};
    if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &flattener) != 0) glyph.contours.clear();
    tidy_contours(&glyph.contours);
  }
  out->family = face->family_name ? face->family_name : "";
  out->style = face->style_name ? face->style_name : "";
  out->bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  return true;
}

}  // namespace

bool load_font_outlines(const char* face_name, int weight, FontOutlines* out) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return false;
  bool loaded = false;
  for (const std::string& file : candidate_files(face_name, weight)) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0) continue;
    loaded = read_face(face, out);
    FT_Done_Face(face);
    if (loaded) {
      out->file = file;
      break;
    }
  }
  FT_Done_FreeType(library);
  return loaded;
}
