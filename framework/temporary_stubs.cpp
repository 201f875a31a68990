// TEMPORARY: stand-ins for text, TGA and link until those branches are merged.
#include <cstdio>

#include "framework/text.h"
#include "framework/tga.h"
#include "simlink/simlink.h"

bool build_font(const char*, int, int, int) { return true; }
bool font_is_missing() { return false; }
void delete_fonts() {}
void print(int, int, const char*, ...) {}
float text_width(const char*) { return 0; }
float glyph_advance(unsigned char) { return 0; }
static std::vector<PrintedText> g_captured;
void text_capture_clear() { g_captured.clear(); }
const std::vector<PrintedText>& text_captured() { return g_captured; }
bool text_capture_write(const char* path) {
  FILE* f = std::fopen(path, "w");
  if (!f) return false;
  std::fclose(f);
  return true;
}
bool decode_tga(const uint8_t*, size_t, TgaImage*) { return false; }
bool load_tga(const char*, TgaImage*) { return false; }
bool make_texture(uint32_t*, const char*, int) { return true; }

bool simlink_open(uint32_t, uint32_t* result) { *result = SIMLINK_ERR_NOFS; return false; }
void simlink_close() {}
bool simlink_is_open() { return false; }
bool simlink_read(uint32_t, uint32_t, void*, uint32_t* r) { *r = SIMLINK_ERR_NOTOPEN; return false; }
bool simlink_write(uint32_t, uint32_t, const void*, uint32_t* r) { *r = SIMLINK_ERR_NOTOPEN; return false; }
bool simlink_process(uint32_t* r) { *r = SIMLINK_ERR_NOTOPEN; return false; }
const char* simlink_error_message(uint32_t) { return "Unknown error"; }
bool simlink_error_lost_server(uint32_t code) { return code == 11 || code == 12; }
