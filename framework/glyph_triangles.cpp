#include "framework/glyph_triangles.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdint>
#include <map>
#include <deque>
#include <vector>

namespace {

using Vertex = std::array<GLdouble, 3>;

// What the tessellator hands back: vertices it invents where contours cross
// (they must outlive the polygon) and the triangles of the glyph.
struct TessScratch {
  std::deque<Vertex> vertices;
  std::vector<const GLdouble*> triangles;  // three entries per triangle
};

#ifndef CALLBACK
#define CALLBACK
#endif
using TessCallback = void(CALLBACK*)();

void CALLBACK on_begin(GLenum) {}
void CALLBACK on_end() {}
// Registering an edge-flag callback makes the tessellator emit plain
// triangles only, so a glyph becomes one triangle batch instead of many
// small fans and strips.
void CALLBACK on_edge_flag(GLboolean) {}
void CALLBACK on_vertex(void* data, void* user) {
  static_cast<TessScratch*>(user)->triangles.push_back(static_cast<const GLdouble*>(data));
}
void CALLBACK on_combine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4], void** out,
                         void* user) {
  auto* scratch = static_cast<TessScratch*>(user);
  scratch->vertices.push_back({coords[0], coords[1], coords[2]});
  *out = scratch->vertices.back().data();
}
void CALLBACK on_error(GLenum) {}

void tessellate(const GlyphOutline& glyph, TessScratch* scratch) {
  GLUtesselator* tess = gluNewTess();
  if (!tess) return;
  gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<TessCallback>(on_begin));
  gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<TessCallback>(on_end));
  gluTessCallback(tess, GLU_TESS_EDGE_FLAG, reinterpret_cast<TessCallback>(on_edge_flag));
  gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(on_vertex));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(on_combine));
  gluTessCallback(tess, GLU_TESS_ERROR, reinterpret_cast<TessCallback>(on_error));
  // Font outlines fill by the non-zero rule whichever way the face winds them.
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tess, 0, 0, 1);
  gluTessBeginPolygon(tess, scratch);
  size_t next = 0;
  for (const auto& contour : glyph.contours) {
    gluTessBeginContour(tess);
    for (size_t i = 0; i < contour.size(); ++i, ++next)
      gluTessVertex(tess, scratch->vertices[next].data(), scratch->vertices[next].data());
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
}

}  // namespace

void glyph_triangles(const GlyphOutline& glyph, std::vector<float>* xy, std::vector<uint32_t>* indices) {
  if (glyph.contours.empty()) return;
  TessScratch scratch;
  for (const auto& contour : glyph.contours)
    for (const auto& p : contour) scratch.vertices.push_back({p.x, p.y, 0.0});
  tessellate(glyph, &scratch);
  const size_t whole_triangles = scratch.triangles.size() / 3 * 3;
  // Each vertex once, in the order the triangles first use it.
  std::map<const GLdouble*, uint32_t> index_of;
  for (size_t i = 0; i < whole_triangles; ++i) {
    const GLdouble* v = scratch.triangles[i];
    auto found = index_of.find(v);
    if (found == index_of.end()) {
      found = index_of.emplace(v, static_cast<uint32_t>(index_of.size())).first;
      xy->push_back(static_cast<float>(v[0]));
      xy->push_back(static_cast<float>(v[1]));
    }
    indices->push_back(found->second);
  }
}
