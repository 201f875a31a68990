// Limited WAV playback: sounds beyond the cap are dropped, and room comes
// back as sounds end. A FIFO stands in for the WAV file so that every sound
// thread stays alive, blocked on opening it, until the test lets it go.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/environment.h"
#include "platform/sound.h"

namespace fs = std::filesystem;

namespace {

// Opening the FIFO for writing releases every thread blocked on it; they
// read an empty file, fail to load it and end. Bounded: about 5 s.
bool release_waiting_sounds(const std::string& fifo) {
  for (int attempt = 0; attempt < 5000 && platform_sounds_playing() > 0; ++attempt) {
    int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // fails while no thread has it open
    if (fd >= 0) close(fd);
    usleep(1000);
  }
  return platform_sounds_playing() == 0;
}

TEST(SoundCap, DropsSoundsBeyondTheCapUntilOthersEnd) {
  platform_set_environment("SDL_AUDIODRIVER", "dummy");
  fs::path dir = fs::temp_directory_path() / "platform_sound_cap_test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string fifo = (dir / "held.wav").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  const struct { int requests, cap, started; } rounds[] = {{10, 4, 4}, {3, 1, 1}, {2, 0, 0}};
  for (const auto& r : rounds) {
    int started = 0;
    for (int i = 0; i < r.requests; ++i) started += platform_play_wav_limited(fifo.c_str(), r.cap) ? 1 : 0;
    EXPECT_EQ(started, r.started) << "cap " << r.cap;
    EXPECT_EQ(platform_sounds_playing(), r.started) << "cap " << r.cap;
    EXPECT_TRUE(release_waiting_sounds(fifo));
    platform_wait_sounds();
  }
  fs::remove_all(dir);
}

}  // namespace
