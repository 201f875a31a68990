// Link trust: the folder and the socket are the owner's alone, the server
// serves only its own user (or an allowed group), a client connects only to
// a server of its own user, and a refused scenario never shows the file.
// The attacks run as a second user where the test may switch users (root).
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "server/link_server.h"
#include "simlink/simlink.h"
#include "tests/support/programs.h"
#include "tests/support/private_link.h"

namespace fs = std::filesystem;

namespace {

mode_t mode_of(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool client_opens() {
  uint32_t code = 0;
  bool ok = simlink_open(0, &code);
  simlink_close();
  return ok;
}

TEST(LinkTrust, FolderAndSocketAreTheOwnersAlone) {
  OffsetSpace space;
  offset_space_init(&space);
  std::string base = private_link_folder("lt");
  mode_t saved_umask = umask(0);   // the modes must not depend on it
  struct Case { const char* what; bool exists; mode_t mode; bool served; };
  const Case cases[] = {{"created by the server", false, 0, true},
                        {"owner only", true, 0700, true},
                        {"readable by others", true, 0755, true},
                        {"writable by the group", true, 0770, false},
                        {"writable by everyone", true, 0777, false}};
  for (const Case& c : cases) {
    std::string folder = base + "/f" + std::to_string(&c - cases);
    if (c.exists) {
      fs::create_directory(folder);
      chmod(folder.c_str(), c.mode);
    }
    LinkServerOptions options;
    options.link_dir = folder;
    std::string error;
    LinkServer* server = link_server_start(&space, options, &error);
    EXPECT_EQ(server != nullptr, c.served) << c.what << ": " << error;
    if (!server) {
      EXPECT_NE(error.find("can be written by other users"), std::string::npos) << error;
      continue;
    }
    if (!c.exists) {
      EXPECT_EQ(mode_of(folder), 0700u) << c.what;
    }
    EXPECT_EQ(mode_of(link_server_socket_path(server)), 0600u) << c.what;
    link_server_stop(server);
  }
  umask(saved_umask);

  // A client refuses a live server of its own in a folder others could write.
  LinkServerOptions options;
  options.link_dir = base;
  std::string error;
  LinkServer* server = link_server_start(&space, options, &error);
  ASSERT_NE(server, nullptr) << error;
  EXPECT_TRUE(client_opens());
  chmod(base.c_str(), 0777);
  EXPECT_FALSE(client_opens());
  chmod(base.c_str(), 0700);
  EXPECT_TRUE(client_opens());
  link_server_stop(server);
  remove_link_folder(base);
}

// Runs the probe as the user nobody (group nogroup unless `group` is given),
// from a copy in a folder that user can reach.
class SecondUser : public ::testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "acting as a second user needs root";
    if (!getpwnam("nobody") || !getgrnam("nogroup")) GTEST_SKIP() << "no user nobody or group nogroup";
    std::string out;
    if (run_command("setpriv --version", &out) != 0) GTEST_SKIP() << "setpriv (util-linux) is not installed";
    // The other user must reach what it runs and attacks through every parent folder.
    const fs::path temp = fs::temp_directory_path();
    for (fs::path p = temp; p != p.parent_path(); p = p.parent_path())
      if (!(mode_of(p.string()) & S_IXOTH)) GTEST_SKIP() << "another user cannot reach " << temp << " (set TMPDIR)";
    std::string pattern = (temp / "trust-XXXXXX").string();
    ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
    work = pattern;
    chmod(work.c_str(), 0755);
    probe = work + "/link_trust_probe";
    fs::copy_file(LINK_TRUST_PROBE, probe);
    chmod(probe.c_str(), 0755);
  }
  void TearDown() override {
    private_link_stop(&link);
    if (server_pid > 0) stop_program(server_pid, SIGTERM);
    if (!folder.empty()) remove_link_folder(folder);
    std::error_code ignored;
    if (!work.empty()) fs::remove_all(work, ignored);
  }
  std::string as_nobody(const std::string& arguments, const std::string& env = "") {
    std::string out;
    run_command("setpriv --reuid=nobody --regid=nogroup --clear-groups env " + env + " " + probe + " " + arguments,
                &out);
    return out;
  }
  // Starts the probe in the background; its answer goes to a file.
  int as_nobody_in_background(const std::string& arguments) {
    return spawn_program("/bin/sh", {"-c", "exec setpriv --reuid=nobody --regid=nogroup --clear-groups " + probe +
                                               " " + arguments + " > " + work + "/answer"});
  }
  std::string background_answer(int pid) {
    wait_program(pid, 10000);
    std::ifstream in(work + "/answer");
    std::string word;
    in >> word;
    return word;
  }
  void serve() {
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "trust", &error)) << error;
    server = link.server;
    folder = link.folder.string();
  }
  static bool wait_for_socket(const std::string& path) {
    for (int i = 0; i < 500 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path);
  }
  std::string work, probe, folder;
  PrivateLink link;
  OffsetSpace space;
  LinkServer* server = nullptr;
  int server_pid = -1;
};

TEST_F(SecondUser, CannotReachReplaceOrImpersonateTheServer) {
  serve();
  const std::string socket_path = link_server_socket_path(server);
  EXPECT_EQ(as_nobody("connect " + socket_path), "refused\n") << "through the owner's folder";
  EXPECT_EQ(as_nobody("replace " + socket_path), "denied\n");
  EXPECT_TRUE(client_opens());

  // Even with the folder and the socket opened to everyone, the server itself
  // turns the other user away.
  chmod(folder.c_str(), 0711);
  chmod(socket_path.c_str(), 0666);
  EXPECT_EQ(as_nobody("connect " + socket_path), "closed\n");
  EXPECT_GE(link_server_stats(server).refused_user, 1u);
  chmod(folder.c_str(), 0700);

  // A folder the other user made first, where this user's programs look.
  const std::string planted = work + "-planted";
  int pid = as_nobody_in_background("plant " + planted + " 1500");
  ASSERT_TRUE(wait_for_socket(planted + "/UIPCMAIN"));
  LinkServerOptions options;
  options.link_dir = planted;
  std::string error;
  EXPECT_EQ(link_server_start(&space, options, &error), nullptr);
  EXPECT_NE(error.find("belongs to another user"), std::string::npos) << error;
  setenv("COCKPIT_LINK_DIR", planted.c_str(), 1);
  EXPECT_FALSE(client_opens());
  EXPECT_EQ(background_answer(pid), "nothing") << "the client must not connect to a stranger";
  std::error_code ignored;
  fs::remove_all(planted, ignored);

  // A listener put in place of the live socket in a folder the owner left open.
  chmod(folder.c_str(), 0777);
  setenv("COCKPIT_LINK_DIR", folder.c_str(), 1);
  pid = as_nobody_in_background("plant " + folder + " 1500");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(client_opens());
  EXPECT_EQ(background_answer(pid), "nothing") << "the client must not send its mapping name";
  chmod(folder.c_str(), 0700);
}

TEST_F(SecondUser, AnAllowedGroupIsServedButNeverShownAFilesContents) {
  const std::string secret = work + "/secret.scenario";
  std::ofstream(secret) << "HUNTER2 is the password\n";
  chmod(secret.c_str(), 0600);
  folder = private_link_folder("lt");
  server_pid = start_sim_server({"--hold", "--allow-group", "nogroup"});
  ASSERT_GT(server_pid, 0);
  EXPECT_EQ(mode_of(folder), 0750u);
  EXPECT_EQ(mode_of(folder + "/UIPCMAIN"), 0660u);
  // Without naming the group the other account's client does not trust the folder.
  EXPECT_EQ(as_nobody("control " + secret), "no-link 2\n");
  std::string reply = as_nobody("control " + secret, "COCKPIT_LINK_GROUP=nogroup");
  EXPECT_EQ(reply.rfind("status 1: " + secret + ":1: not a valid scenario line", 0), 0u) << reply;
  EXPECT_EQ(reply.find("HUNTER2"), std::string::npos) << reply;
}

}  // namespace
