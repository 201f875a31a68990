#include "mfd/alert_chime.h"

#include "platform/sound.h"

int alert_chime_play(int count) {
  int started = 0;
  for (int i = 0; i < count; ++i)
    if (platform_play_wav_limited(ALERT_CHIME_FILE, ALERT_CHIME_MAX_PLAYING)) ++started;
  return started;
}
