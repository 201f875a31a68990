// Face lookup through fontconfig and outline extraction through FreeType.
#include "platform/font_outline.h"
#include "platform/outline_flatten.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cstdlib>

namespace {

constexpr int WEIGHT_BOLD_THRESHOLD = 600;  // requests from semi-bold up want a bold face

struct Flattener {
  float scale;  // font units to em
  OutlineBuilder builder;

  OutlinePoint to_em(const FT_Vector* v) const {
    return {static_cast<float>(v->x) * scale, static_cast<float>(v->y) * scale};
  }
};

int move_to(const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  outline_move_to(&f->builder, f->to_em(to));
  return 0;
}

int line_to(const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  outline_line_to(&f->builder, f->to_em(to));
  return 0;
}

int conic_to(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  outline_conic_to(&f->builder, f->to_em(control), f->to_em(to));
  return 0;
}

int cubic_to(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  outline_cubic_to(&f->builder, f->to_em(c1), f->to_em(c2), f->to_em(to));
  return 0;
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
    unsigned long unicode = outline_unicode_of_code(code);
    FT_UInt index = unicode ? FT_Get_Char_Index(face, unicode) : 0;
    if (index == 0) continue;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) continue;
    glyph.advance = static_cast<float>(face->glyph->metrics.horiAdvance) * scale;
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) continue;
    Flattener flattener{scale, {&glyph.contours, {0, 0}}};
    if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &flattener) != 0) glyph.contours.clear();
    outline_tidy(&glyph.contours);
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
