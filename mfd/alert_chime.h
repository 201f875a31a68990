#pragma once
// The crew-alert chime: one short-lived sound thread per new message,
// playing "data/MCRChime.wav" from the working folder. At most four play at
// once; the extras are dropped, so a condition that flickers every frame
// cannot pile up threads.

constexpr const char* ALERT_CHIME_FILE = "data/MCRChime.wav";
constexpr int ALERT_CHIME_MAX_PLAYING = 4;

// Starts `count` chimes; returns how many started.
int alert_chime_play(int count);
