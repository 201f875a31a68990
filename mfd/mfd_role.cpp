#include "mfd/mfd_role.h"

#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"
#include "platform/window.h"
#include "simlink/cells.h"

MfdRole mfd_role_for(int32_t mode, bool reversion) {
  bool du2 = mode == MFD_MODE_EICAS;
  bool mfd_shown = du2 == reversion;
  const char* title = du2 ? (mfd_shown ? MFD_TITLE_DU2_MFD : MFD_TITLE_DU2_EICAS)
                          : (mfd_shown ? MFD_TITLE_DU3_MFD : MFD_TITLE_DU3_EICAS);
  if (mfd_shown) return MfdRole{true, title, MFD_MENU_TOP, MFD_PAGE_NONE};
  return MfdRole{false, title, MFD_MENU_SYSTEMS, MFD_PAGE_SUMMARY};
}

bool mfd_role_update(uint8_t reversion_cell) {
  bool reversion = (reversion_cell & REVERSION_BIT) != 0;
  // The last value starts clear, so a DU2 started under reversion turns to
  // the MFD on its first frame.
  if (reversion == g_mfd.reversion) return false;
  g_mfd.reversion = reversion;
  MfdRole role = mfd_role_for(g_mfd.mode, reversion);
  g_mfd.mfd_shown = role.mfd_shown;
  g_mfd.eicas_shown = !role.mfd_shown;
  g_mfd.menu_level = role.menu_level;
  g_mfd.page = role.page;
  // The plan list belongs to the MFD menu; left open it would cover the EICAS.
  g_mfd.plan_list_shown = false;
  platform_window_set_title(role.title);
  return true;
}
