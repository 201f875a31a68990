#pragma once
// Whether a file of secrets is its owner's alone.

// POSIX: no permission bit for the group or others. Windows keeps a user's
// files private through the access lists of the user's own folders, which
// mode bits do not show: always true there.
bool file_owner_only(const char* path);
// Takes every permission away from the group and others (POSIX; nothing to
// do on Windows). False when the system refuses.
bool file_make_owner_only(const char* path);
