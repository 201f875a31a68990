// Glyph outlines through GDI: the face is asked for by name (the system
// substitutes one when it is not installed), each character's native outline
// is read with GetGlyphOutline and flattened like the other back end's.
#include <windows.h>

#include <cstddef>
#include <vector>

#include "platform/font_outline.h"
#include "platform/outline_flatten.h"

namespace {

// The font is made one em high in this many logical units, so outlines come
// unhinted at a resolution where rounding is far below a pixel.
constexpr int EM_UNITS = 2048;
constexpr int WEIGHT_BOLD_THRESHOLD = 600;
constexpr WORD MISSING_GLYPH = 0xFFFF;

OutlinePoint to_em(const POINTFX& p) {
  auto value = [](FIXED f) { return (static_cast<float>(f.value) + static_cast<float>(f.fract) / 65536.0f) / EM_UNITS; };
  return {value(p.x), value(p.y)};
}

OutlinePoint midpoint(OutlinePoint a, OutlinePoint b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// Walks GGO_NATIVE data: polygon headers, each followed by line, quadratic
// B-spline and cubic records. Records that overrun their polygon end the walk.
void read_native_outline(const unsigned char* data, size_t size, std::vector<std::vector<OutlinePoint>>* contours) {
  OutlineBuilder builder{contours, {0, 0}};
  size_t at = 0;
  while (at + sizeof(TTPOLYGONHEADER) <= size) {
    const auto* header = reinterpret_cast<const TTPOLYGONHEADER*>(data + at);
    if (header->cb < sizeof(TTPOLYGONHEADER) || header->cb > size - at) break;
    const size_t end = at + header->cb;
    const OutlinePoint start = to_em(header->pfxStart);
    outline_move_to(&builder, start);
    size_t record = at + sizeof(TTPOLYGONHEADER);
    while (record + offsetof(TTPOLYCURVE, apfx) <= end) {
      const auto* curve = reinterpret_cast<const TTPOLYCURVE*>(data + record);
      const size_t points = curve->cpfx;
      const size_t record_size = offsetof(TTPOLYCURVE, apfx) + points * sizeof(POINTFX);
      if (record_size > end - record) break;
      const POINTFX* p = curve->apfx;
      if (curve->wType == TT_PRIM_LINE) {
        for (size_t i = 0; i < points; ++i) outline_line_to(&builder, to_em(p[i]));
      } else if (curve->wType == TT_PRIM_QSPLINE) {
        // Between two control points lies an implied on-curve point midway.
        for (size_t i = 0; i + 1 < points; ++i) {
          OutlinePoint control = to_em(p[i]);
          OutlinePoint to = i + 2 < points ? midpoint(control, to_em(p[i + 1])) : to_em(p[i + 1]);
          outline_conic_to(&builder, control, to);
        }
      } else if (curve->wType == TT_PRIM_CSPLINE) {
        for (size_t i = 0; i + 2 < points; i += 3) outline_cubic_to(&builder, to_em(p[i]), to_em(p[i + 1]), to_em(p[i + 2]));
      }
      record += record_size;
    }
    outline_line_to(&builder, start);
    at = end;
  }
}

void read_glyph(HDC dc, int code, GlyphOutline* glyph) {
  glyph->contours.clear();
  glyph->advance = 0;
  WCHAR character = static_cast<WCHAR>(outline_unicode_of_code(code));
  WORD index = MISSING_GLYPH;
  if (character == 0 || GetGlyphIndicesW(dc, &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
      index == MISSING_GLYPH)
    return;
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics;
  const UINT format = GGO_NATIVE | GGO_UNHINTED;
  DWORD size = GetGlyphOutlineW(dc, character, format, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR) return;
  glyph->advance = static_cast<float>(metrics.gmCellIncX) / EM_UNITS;
  if (size == 0) return;  // a blank such as the space: advance only
  std::vector<unsigned char> data(size);
  if (GetGlyphOutlineW(dc, character, format, &metrics, size, data.data(), &identity) == GDI_ERROR) return;
  read_native_outline(data.data(), data.size(), &glyph->contours);
  outline_tidy(&glyph->contours);
}

}  // namespace

bool load_font_outlines(const char* face_name, int weight, FontOutlines* out) {
  HFONT font = CreateFontA(-EM_UNITS, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           face_name ? face_name : "");
  if (!font) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    DeleteObject(font);
    return false;
  }
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics;
  char family[LF_FACESIZE] = {};
  // Any outline face (TrueType or OpenType) has outline metrics; bitmap faces have none.
  bool loaded = GetTextMetricsA(dc, &metrics) && GetOutlineTextMetricsA(dc, 0, nullptr) > 0 &&
                GetTextFaceA(dc, sizeof family, family) > 0;
  if (loaded) {
    for (int code = 0; code < OUTLINE_GLYPH_COUNT - 1; ++code) read_glyph(dc, code, &out->glyphs[code]);
    out->glyphs[OUTLINE_GLYPH_COUNT - 1] = GlyphOutline{};  // never built, advance 0
    out->family = family;
    out->bold = metrics.tmWeight >= WEIGHT_BOLD_THRESHOLD;
    out->style = out->bold ? "Bold" : "Regular";
    out->file = out->family + " " + out->style;  // the system keeps the file itself to itself
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(font);
  return loaded;
}
