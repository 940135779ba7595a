#include "xvfb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace torvik::test {
namespace {

constexpr int kStartMillis = 10000;

// Reads the display number Xvfb writes once it is ready.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  std::array<char, 32> buffer{};
  pollfd p{fd, POLLIN, 0};
  while (poll(&p, 1, kStartMillis) > 0) {
    const ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n <= 0) break;
    number.append(buffer.data(), static_cast<std::size_t>(n));
    if (number.find('\n') != std::string::npos) break;
  }
  while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
  return number;
}

}  // namespace

XvfbServer::XvfbServer() {
  std::array<int, 2> pipeFds{};
  if (pipe(pipeFds.data()) != 0) {
    failure_ = "no pipe for Xvfb";
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    close(pipeFds[0]);
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, 1);
      dup2(quiet, 2);
    }
    const std::string fd = std::to_string(pipeFds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x1024x24", "-nolisten",
           "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  if (pid_ < 0) {
    failure_ = "cannot fork for Xvfb";
    close(pipeFds[0]);
    return;
  }
  const std::string number = ReadDisplayNumber(pipeFds[0]);
  close(pipeFds[0]);
  if (number.empty()) {
    failure_ = "Xvfb did not start (is the package xvfb installed?)";
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    return;
  }
  display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

}  // namespace torvik::test
