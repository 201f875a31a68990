// The platform layer's files, PNG, clock and sound: the same source runs in
// the Linux and the Windows build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/files_system.h"
#include "platform/png_codec.h"
#include "platform/png_file.h"
#include "platform/sound.h"

namespace fs = std::filesystem;

namespace {

fs::path fresh_dir(const char* name) {
  fs::path dir = fs::temp_directory_path() / (std::string("platform_test_") + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Files, AtomicReplaceLeavesOnlyTheNewFile) {
  fs::path dir = fresh_dir("atomic");
  std::string path = (dir / "a.ini").string();
  ASSERT_TRUE(write_file_atomic(path.c_str(), std::string("old contents that are longer")));
  ASSERT_TRUE(write_file_atomic(path.c_str(), std::string("new")));
  EXPECT_EQ(slurp(path), "new");
  ASSERT_TRUE(write_file_atomic(path.c_str(), std::string()));
  EXPECT_EQ(slurp(path), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  EXPECT_FALSE(write_file_atomic((dir / "missing" / "b").string().c_str(), std::string("x")));
  fs::remove_all(dir);
}

TEST(Files, BoundedReadAndReadability) {
  fs::path dir = fresh_dir("bounded");
  std::string path = (dir / "f").string();
  std::ofstream(path) << std::string(100, 'x');
  std::string out;
  EXPECT_TRUE(read_file_bounded(path.c_str(), 100, &out));
  EXPECT_EQ(out.size(), 100u);
  EXPECT_FALSE(read_file_bounded(path.c_str(), 99, &out));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(file_readable(path.c_str()));
  EXPECT_FALSE(file_readable((dir / "nope").string().c_str()));
  fs::remove_all(dir);
}

// What a program finds of its own file at start, and what a killed writer
// left: only a file that does not exist is missing; temporaries of processes
// that no longer run go, this process's own stays.
TEST(Files, ProbeTellsMissingFromUnreadableAndStaleTemporariesGo) {
  fs::path dir = fresh_dir("probe");
  std::ofstream(dir / "small.ini") << "ok";
  std::ofstream(dir / "large.ini") << std::string(101, 'x');
  fs::create_directories(dir / "folder.ini");
  struct Case { const char* name; FileProbe expected; };
  for (const Case& c : {Case{"small.ini", FILE_PRESENT}, Case{"absent.ini", FILE_MISSING},
                        Case{"large.ini", FILE_UNREADABLE}, Case{"folder.ini", FILE_UNREADABLE}}) {
    std::string reason;
    EXPECT_EQ(file_probe((dir / c.name).string().c_str(), 100, &reason), c.expected) << c.name;
    EXPECT_EQ(reason.empty(), c.expected != FILE_UNREADABLE) << c.name << ": " << reason;
  }
  const std::string file = (dir / "a.ini").string();
  const std::string own = file + ".tmp." + std::to_string(file_process_id());
  const std::string dead = file + ".tmp.2147483632";  // beyond any process id in use
  for (const std::string& name : {own, dead, file + ".tmp.x1", file + ".tmp."}) std::ofstream(name) << "half";
  EXPECT_EQ(remove_stale_temporaries(file.c_str()), 1);
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(own));
  EXPECT_TRUE(fs::exists(file + ".tmp.x1"));
  fs::remove_all(dir);
}

TEST(Files, DirectoryListingIsCaseBlindSortedAndHasFilesOnly) {
  fs::path dir = fresh_dir("listing");
  for (const char* name : {"b.pln", "C.pln", "A.fmc", "a.pln", "planlist.txt"}) std::ofstream(dir / name) << "x";
  fs::create_directories(dir / "sub");
  std::vector<std::string> names;
  ASSERT_TRUE(list_directory_sorted(dir.string().c_str(), &names));
  EXPECT_EQ(names, (std::vector<std::string>{"A.fmc", "a.pln", "b.pln", "C.pln", "planlist.txt"}));
  EXPECT_FALSE(list_directory_sorted((dir / "absent").string().c_str(), &names));
  // A name from the Windows world may differ only in case (a case-blind file
  // system opens it as given).
  std::string found;
  ASSERT_TRUE(find_file_any_case((dir / "PLANLIST.TXT").string(), &found));
  EXPECT_TRUE(fs::equivalent(found, dir / "planlist.txt")) << found;
  ASSERT_TRUE(find_file_any_case((dir / "C.pln").string(), &found));
  EXPECT_EQ(found, (dir / "C.pln").string());
  EXPECT_FALSE(find_file_any_case((dir / "sub").string(), &found));
  EXPECT_FALSE(find_file_any_case((dir / "absent" / "x").string(), &found));
  fs::remove_all(dir);
}

TEST(PngFile, RoundTripKeepsPixelsAndRowOrder) {
  fs::path dir = fresh_dir("png");
  RgbImage image{3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90}};
  std::string path = (dir / "x.png").string();
  ASSERT_TRUE(png_write_rgb(path.c_str(), image));
  RgbImage back;
  ASSERT_TRUE(png_read_rgb(path.c_str(), &back));
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.pixels, image.pixels);
  RgbImage wrong{4, 4, {1, 2, 3}};
  EXPECT_FALSE(png_write_rgb(path.c_str(), wrong));
  std::ofstream(dir / "bad.png") << "not a png";
  EXPECT_FALSE(png_read_rgb((dir / "bad.png").string().c_str(), &back));
  fs::remove_all(dir);
}

// The zlib codec (the Windows build's PNG files) and the build's PNG files
// read each other's pictures; in the Linux build that checks it against libpng.
TEST(PngCodec, ReadsAndWritesWhatThePngFilesDo) {
  fs::path dir = fresh_dir("codec");
  const RgbImage images[] = {
      {1, 1, {1, 2, 3}},
      {3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
      {64, 3, std::vector<uint8_t>(64 * 3 * 3, 0)},
  };
  for (const RgbImage& image : images) {
    std::string path = (dir / "x.png").string();
    ASSERT_TRUE(png_write_rgb(path.c_str(), image));
    std::string file = slurp(path);
    RgbImage decoded;
    ASSERT_TRUE(png_decode_rgb(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &decoded));
    EXPECT_EQ(decoded.pixels, image.pixels);
    std::string encoded;
    ASSERT_TRUE(png_encode_rgb(image, &encoded));
    std::ofstream(path, std::ios::binary) << encoded;
    RgbImage read;
    ASSERT_TRUE(png_read_rgb(path.c_str(), &read));
    EXPECT_EQ(read.width, image.width);
    EXPECT_EQ(read.pixels, image.pixels);
    encoded[encoded.size() / 2] ^= 0x40;  // a damaged chunk fails its checksum
    EXPECT_FALSE(png_decode_rgb(reinterpret_cast<const uint8_t*>(encoded.data()), encoded.size(), &decoded));
  }
  RgbImage too_wide{PNG_MAX_SIDE + 1, 1, std::vector<uint8_t>(size_t(PNG_MAX_SIDE + 1) * 3)};
  std::string ignored;
  EXPECT_FALSE(png_encode_rgb(too_wide, &ignored));
  fs::remove_all(dir);
}

TEST(Clock, SteadyMillisecondsAndSleep) {
  int64_t before = platform_clock_ms();
  platform_sleep_ms(20);
  int64_t after = platform_clock_ms();
  EXPECT_GE(after - before, 19);
}

// A sound plays into whatever output there is, and no output at all, a
// missing file or a driver that does not exist never fails or stalls the
// program. The SDL build writes the disk driver's output to a file, so there
// the bytes played are counted too.
TEST(Sound, PlaysWithoutADeviceAndNeverFails) {
  fs::path dir = fresh_dir("sound");
  // A 0.05 s mono 8-bit WAV of silence.
  const uint32_t samples = 400;
  std::vector<uint8_t> wav = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                              1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0,
                              'd', 'a', 't', 'a', samples & 0xFF, samples >> 8, 0, 0};
  uint32_t riff = static_cast<uint32_t>(wav.size() - 8 + samples);
  wav[4] = riff & 0xFF;
  wav[5] = (riff >> 8) & 0xFF;
  wav.insert(wav.end(), samples, 128);
  const std::string chime = (dir / "chime.wav").string(), missing = (dir / "missing.wav").string();
  const std::string output = (dir / "played.raw").string();
  std::ofstream(chime, std::ios::binary).write(reinterpret_cast<const char*>(wav.data()), wav.size());
  platform_set_environment("SDL_DISKAUDIOFILE", output.c_str());
  EXPECT_FALSE(platform_play_wav(nullptr));

  struct Case { const char* driver; const std::string* file; bool started; uintmax_t least_bytes_played; };
#ifdef _WIN32
  const uintmax_t played = 0;  // the system's own player leaves nothing to count
#else
  const uintmax_t played = samples;
#endif
  const Case cases[] = {
      {"disk", &chime, true, played},
      {"disk", &missing, true, 0},
#ifndef _WIN32
      {"no-such-driver", &chime, false, 0},  // no output at all: nothing starts
#endif
  };
  for (const Case& c : cases) {
    fs::remove(output);
    platform_set_environment("SDL_AUDIODRIVER", c.driver);
    EXPECT_EQ(platform_play_wav(c.file->c_str()), c.started) << c.driver << " " << *c.file;
    const int64_t start = platform_clock_ms();
    platform_wait_sounds();
    EXPECT_LT(platform_clock_ms() - start, 5000) << "waiting for " << *c.file;
    std::error_code ec;
    const uintmax_t bytes = fs::exists(output) ? fs::file_size(output, ec) : 0;
    EXPECT_GE(bytes, c.least_bytes_played) << c.driver << " " << *c.file;
    if (c.least_bytes_played == 0) {
      EXPECT_EQ(bytes, 0u) << "nothing should play from " << *c.file;
    }
  }
  platform_set_environment("SDL_AUDIODRIVER", "dummy");
  fs::remove_all(dir);
}

}  // namespace
