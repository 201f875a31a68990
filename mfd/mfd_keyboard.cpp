#include "mfd/mfd_keyboard.h"

#include "framework/skeleton.h"
#include "mfd/mfd_state.h"

namespace {

// Layer toggle keys and the flag each inverts.
struct LayerKey {
  int key;
  bool MfdState::*flag;
};
constexpr LayerKey kLayerKeys[] = {
    {'A', &MfdState::show_airports}, {'V', &MfdState::show_vors}, {'I', &MfdState::show_intersections},
    {'N', &MfdState::show_ndbs},     {'P', &MfdState::show_plan},
};
constexpr int RANGE_KEY_COUNT = 8;  // '1'..'8' select ranges 0..7

}  // namespace

void mfd_keyboard_handling() {
  UnitCommon& c = g_mfd.common;
  for (int i = 0; i < RANGE_KEY_COUNT; ++i) {
    if (key_down(&c, '1' + i)) {
      g_mfd.map_range_index = i;
      break;
    }
  }
  if (g_mfd.map_range_index < 0) g_mfd.map_range_index = 0;
  if (g_mfd.map_range_index > MAP_RANGE_INDEX_MAX) g_mfd.map_range_index = MAP_RANGE_INDEX_MAX;
  for (const LayerKey& layer : kLayerKeys) {
    if (key_down(&c, layer.key)) {
      g_mfd.*layer.flag = !(g_mfd.*layer.flag);
      clear_key(&c, layer.key);
    }
  }
}
