#include "window_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace torvik::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(50);

std::string Run(const std::string& command) {
  std::string out;
  if (std::FILE* p = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
    pclose(p);
  }
  return out;
}

bool Blank(const Image& image) {
  for (uint8_t v : image.rgb)
    if (v != 0) return false;
  return true;
}

}  // namespace

WindowProgram::WindowProgram(const std::string& binary, const std::string& display,
                             const std::string& workDir)
    : display_(display), consolePath_(workDir + "/console.txt") {
  pid_ = fork();
  if (pid_ != 0) return;
  if (chdir(workDir.c_str()) != 0) _exit(126);
  const int out = open(consolePath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out >= 0) dup2(out, 1);
  const int err = open((workDir + "/stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (err >= 0) dup2(err, 2);
  setenv("DISPLAY", display.c_str(), 1);
  execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

WindowProgram::~WindowProgram() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

bool WindowProgram::XdoTool(const std::string& arguments) const {
  const std::string command = "DISPLAY=" + display_ + " xdotool " + arguments + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

bool WindowProgram::WaitForWindow(int millis) {
  const auto end = Clock::now() + std::chrono::milliseconds(millis);
  while (Clock::now() < end) {
    const std::string id =
        Run("DISPLAY=" + display_ + " xdotool search --onlyvisible --name '^Torvik' 2>/dev/null");
    if (!id.empty()) {
      window_ = std::stoul(id);
      return true;
    }
    std::this_thread::sleep_for(kPoll);
  }
  return false;
}

std::string WindowProgram::Console() const {
  std::ifstream in(consolePath_);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WindowProgram::WaitForConsole(const std::string& text, std::size_t from, int millis) const {
  const auto end = Clock::now() + std::chrono::milliseconds(millis);
  do {
    const std::string now = Console();
    if (now.size() > from && now.find(text, from) != std::string::npos) return true;
    std::this_thread::sleep_for(kPoll);
  } while (Clock::now() < end);
  return false;
}

void WindowProgram::Key(const std::string& keys) {
  // Without a window manager the key goes to the window under the pointer.
  XdoTool("mousemove --window " + std::to_string(window_) + " 400 790");
  XdoTool("key --delay 30 " + keys);
}

void WindowProgram::Click(int x, int y, bool shift) {
  XdoTool("mousemove --window " + std::to_string(window_) + " " + std::to_string(x) + " " +
          std::to_string(y));
  if (shift) XdoTool("keydown shift click 1 keyup shift");
  else XdoTool("click 1");
}

Image WindowProgram::Screenshot() const { return CaptureWindow(display_, window_); }

// Settled: something is drawn, and two pictures a tenth of a second apart agree.
Image WindowProgram::Settle() {
  Image last = Screenshot();
  for (int i = 0; i < 100; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Image now = Screenshot();
    if (!now.Empty() && now.rgb == last.rgb && !Blank(now)) return now;
    last = std::move(now);
  }
  return last;
}

int WindowProgram::WaitForExit(int millis) {
  const auto end = Clock::now() + std::chrono::milliseconds(millis);
  while (Clock::now() < end) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(kPoll);
  }
  return -1;
}

bool SameRegion(const Image& a, const Image& b, int x0, int y0, int x1, int y1) {
  if (a.width != b.width || a.height != b.height) return false;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const Pixel p = a.At(x, y);
      const Pixel q = b.At(x, y);
      if (p.r != q.r || p.g != q.g || p.b != q.b) return false;
    }
  return true;
}

}  // namespace torvik::test
