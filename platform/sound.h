#pragma once
// WAV playback on a short-lived thread that plays the file to its end and
// ends. With no sound device it plays into the dummy/disk driver or not at
// all; a sound never fails the program.

// Starts playing; returns at once. False when the thread could not start.
bool platform_play_wav(const char* path);
// The same, unless `max_playing` sounds already play: then the sound is
// dropped and false returned, so that a sound raised every other frame
// cannot pile up threads.
bool platform_play_wav_limited(const char* path, int max_playing);
// The sounds playing now.
int platform_sounds_playing();
// Waits for the sounds started so far and closes the sound device (used at
// shutdown and by tests).
void platform_wait_sounds();
