// The page menu: every page by its key, "RETURN" to the page the menu was
// opened from.
#include "framework/text.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_state.h"

namespace {

enum MenuAction { GO_TO_PAGE, STAY, RETURN };

struct MenuEntry {
  int32_t key;
  const char* label;
  MenuAction action;
  int32_t page;  // GO_TO_PAGE only
};

// "MLS" and "MAINTENANCE" have no page here: they leave the menu up.
constexpr MenuEntry MENU[] = {
    {RMU_KEY_L1, "RADIO PAGE", GO_TO_PAGE, RMU_PAGE_RADIO},
    {RMU_KEY_L2, "COM MEMORY", GO_TO_PAGE, RMU_PAGE_COM_MEMORY},
    {RMU_KEY_L3, "NAV MEMORY", GO_TO_PAGE, RMU_PAGE_NAV_MEMORY},
    {RMU_KEY_L4, "ATC/TCAS", GO_TO_PAGE, RMU_PAGE_ATC_TCAS},
    {RMU_KEY_L5, "MLS", STAY, 0},
    {RMU_KEY_L6, "RETURN", RETURN, 0},
    {RMU_KEY_R2, "NAVIGATION", GO_TO_PAGE, RMU_PAGE_NAVIGATION},
    {RMU_KEY_R3, "ENGINE PG1", GO_TO_PAGE, RMU_PAGE_ENGINE_1},
    {RMU_KEY_R4, "ENGINE PG2", GO_TO_PAGE, RMU_PAGE_ENGINE_2},
    {RMU_KEY_R6, "MAINTENANCE", STAY, 0},
};

constexpr float TITLE_Y = 0.298f, UNDERLINE_Y = 0.289f, UNDERLINE_HALF = 0.17f;
// A little smaller than other labels: "COM MEMORY" and "NAVIGATION" share a row.
constexpr float LABEL_HEIGHT = 0.024f;

void act(const MenuEntry& entry) {
  switch (entry.action) {
    case GO_TO_PAGE:
      g_rmu.return_page = RMU_PAGE_MENU;
      g_rmu.page = entry.page;
      // A memory page entered from the menu starts on its first half.
      if (entry.page == RMU_PAGE_COM_MEMORY || entry.page == RMU_PAGE_NAV_MEMORY)
        g_rmu.radios.second_memory_half = false;
      break;
    case STAY: g_rmu.return_page = g_rmu.page; break;
    case RETURN: g_rmu.page = g_rmu.return_page; break;
  }
}

}  // namespace

void rmu_menu_page_keys() {
  for (const MenuEntry& entry : MENU)
    if (entry.key == g_rmu.input.selected_line) act(entry);
  // So "RETURN" never leads back into the menu itself.
  if (g_rmu.return_page == g_rmu.page) g_rmu.return_page = RMU_PAGE_RADIO;
  g_rmu.input.selected_line = RMU_KEY_NONE;
}

void rmu_menu_page_draw() {
  rmu_text(0.0f, TITLE_Y, RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_CENTRED, "PAGE MENU SYSTEM %d",
           g_rmu.settings.side == RMU_SIDE_2 ? 2 : 1);
  rmu_green_lines(g_rmu.common.bezel_shown);
  rmu_line(-UNDERLINE_HALF, UNDERLINE_Y, UNDERLINE_HALF, UNDERLINE_Y);
  for (const MenuEntry& entry : MENU) {
    bool left = entry.key <= RMU_KEY_L6;
    float y = RMU_KEY_ROW_Y[left ? entry.key - RMU_KEY_L1 : entry.key - RMU_KEY_R1];
    rmu_text(left ? RMU_LEFT_LABEL_X : RMU_RIGHT_LABEL_X, y, LABEL_HEIGHT, RMU_GREEN,
             left ? ALIGN_LEFT : ALIGN_RIGHT, "%s", entry.label);
  }
}
