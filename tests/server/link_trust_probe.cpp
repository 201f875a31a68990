// What another user tries against a link: run as that user by the trust
// test, it prints one word (or the reply it got) for each attempt.
//   connect SOCKET          connect and ask; refused | closed | answered | silent
//   replace SOCKET          put its own socket in place of the server's; denied | replaced
//   plant FOLDER WAIT_MS    listen where a client looks; nothing | connected | got-name
//   control SCENARIO        ask the server to load a scenario; the reply, or no-link CODE
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "server/aircraft_control_mailbox.h"
#include "simlink/link_wire.h"
#include "simlink/simlink.h"

namespace {

sockaddr_un address_of(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  return address;
}

const char* try_connect(const std::string& path) {
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = address_of(path);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return "refused";
  uint8_t frame[LINK_WIRE_REQUEST_SIZE] = {};
  char name[LINK_WIRE_NAME_SIZE] = "FsasmLib:IPC:1:0";
  link_wire_pack_request(frame, 1, name);
  if (send(fd, frame, sizeof frame, MSG_NOSIGNAL) != ssize_t(sizeof frame)) return "closed";
  pollfd wait{fd, POLLIN, 0};
  if (poll(&wait, 1, 2000) <= 0) return "silent";
  uint8_t reply[LINK_WIRE_REPLY_SIZE];
  return recv(fd, reply, sizeof reply, 0) > 0 ? "answered" : "closed";
}

const char* try_replace(const std::string& path) {
  if (unlink(path.c_str()) != 0) return "denied";
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = address_of(path);
  return bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? "replaced" : "denied";
}

std::string plant(const std::string& folder, int wait_ms) {
  mkdir(folder.c_str(), 0777);
  chmod(folder.c_str(), 0777);
  std::string path = folder + "/UIPCMAIN";
  unlink(path.c_str());
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = address_of(path);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 4) != 0) return "cannot-plant";
  chmod(path.c_str(), 0777);
  pollfd wait{fd, POLLIN, 0};
  if (poll(&wait, 1, wait_ms) <= 0) return "nothing";
  int client = accept(fd, nullptr, nullptr);
  uint8_t frame[LINK_WIRE_REQUEST_SIZE];
  pollfd request{client, POLLIN, 0};
  if (poll(&request, 1, 1000) <= 0 || recv(client, frame, sizeof frame, MSG_WAITALL) != ssize_t(sizeof frame))
    return "connected";
  return "got-name";
}

std::string control(const std::string& scenario) {
  uint32_t code = 0, last = 0;
  if (!simlink_open(0, &code)) return "no-link " + std::to_string(code);
  std::string text = "scenario load " + scenario;
  std::vector<char> request(CONTROL_REQUEST_TEXT_SIZE, 0);
  std::memcpy(request.data(), text.data(), text.size());
  simlink_read(CONTROL_REPLY_SEQUENCE, 4, &last, &code);
  simlink_process(&code);
  uint32_t sequence = last + 1;
  simlink_write(CONTROL_REQUEST_TEXT, CONTROL_REQUEST_TEXT_SIZE, request.data(), &code);
  simlink_write(CONTROL_REQUEST_SEQUENCE, 4, &sequence, &code);
  if (!simlink_process(&code)) return "no-link " + std::to_string(code);
  for (int i = 0; i < 300; ++i) {
    uint32_t answered = 0, status = 0;
    std::vector<char> reply(CONTROL_REPLY_TEXT_SIZE + 1, 0);
    simlink_read(CONTROL_REPLY_SEQUENCE, 4, &answered, &code);
    simlink_read(CONTROL_REPLY_STATUS, 4, &status, &code);
    simlink_read(CONTROL_REPLY_TEXT, CONTROL_REPLY_TEXT_SIZE, reply.data(), &code);
    if (!simlink_process(&code)) return "no-link " + std::to_string(code);
    if (answered == sequence) return "status " + std::to_string(status) + ": " + reply.data();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return "no-answer";
}

}  // namespace

int main(int argc, char** argv) {
  std::string verb = argc > 2 ? argv[1] : "";
  std::string result;
  if (verb == "connect") result = try_connect(argv[2]);
  else if (verb == "replace") result = try_replace(argv[2]);
  else if (verb == "plant" && argc > 3) result = plant(argv[2], std::atoi(argv[3]));
  else if (verb == "control") result = control(argv[2]);
  else {
    std::fprintf(stderr, "usage: link_trust_probe connect|replace|plant|control ARGUMENT...\n");
    return 2;
  }
  std::printf("%s\n", result.c_str());
  simlink_close();
  return 0;
}
