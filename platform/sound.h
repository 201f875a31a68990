#pragma once
// WAV playback on a short-lived thread that plays the file to its end and
// ends. With no sound device it plays into the dummy/disk driver or not at
// all; a sound never fails the program.

// Starts playing; returns at once. False when the thread could not start.
bool platform_play_wav(const char* path);
// Waits for the sounds started so far and closes the sound device (used at
// shutdown and by tests).
void platform_wait_sounds();
