#include "efis/efis_state.h"

// The unit's one state record, zero at load.
EfisState g_efis;
