#include "ui/zenity_child.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <utility>

namespace torvik::ui {
namespace {

constexpr const char* kZenity = "zenity";
constexpr int kExitCancelled = 1;
// Far more than any path or position text; a dialog printing more is broken.
constexpr std::size_t kMaxPrinted = 64 * 1024;
// Reads per poll: more than a full pipe holds, yet bounded should the
// dialog print without end.
constexpr int kReadsPerPoll = 32;

// The child's standard input and error on /dev/null, its standard output on
// the pipe, and no other descriptor of the window (ours are close-on-exec,
// the rest are closed where the C library can).
bool PrepareActions(posix_spawn_file_actions_t& actions, int writeEnd) {
  bool ok = posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
            posix_spawn_file_actions_adddup2(&actions, writeEnd, STDOUT_FILENO) == 0 &&
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0) == 0;
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  ok = ok && posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0;
#endif
  return ok;
}

// The dialog starts with every signal at its default and none blocked,
// whatever the window's threads set for themselves.
bool PrepareAttributes(posix_spawnattr_t& attributes) {
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  return posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0 &&
         posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
         posix_spawnattr_setsigdefault(&attributes, &all) == 0;
}

// Runs zenity with its output on a pipe; the pid and the pipe's read end
// (non-blocking), or -1 when it could not run. The C library reports a
// program missing from PATH (or not executable) as posix_spawnp's result.
pid_t Spawn(const std::vector<std::string>& arguments, int& readEnd) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return -1;
  std::vector<std::string> args = {kZenity};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  pid_t pid = -1;
  bool ok = fcntl(fds[0], F_SETFL, O_NONBLOCK) == 0 && PrepareActions(actions, fds[1]) &&
            PrepareAttributes(attributes) &&
            posix_spawnp(&pid, kZenity, &actions, &attributes, argv.data(), environ) == 0;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (!ok) {
    close(fds[0]);
    return -1;
  }
  readEnd = fds[0];
  return pid;
}

}  // namespace

ZenityChild::~ZenityChild() { Abandon(); }

ZenityChild::ZenityChild(ZenityChild&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      out_(std::exchange(other.out_, -1)),
      overflow_(other.overflow_),
      printed_(std::move(other.printed_)) {}

ZenityChild& ZenityChild::operator=(ZenityChild&& other) noexcept {
  if (this != &other) {
    Abandon();
    pid_ = std::exchange(other.pid_, -1);
    out_ = std::exchange(other.out_, -1);
    overflow_ = other.overflow_;
    printed_ = std::move(other.printed_);
  }
  return *this;
}

bool ZenityChild::Start(const std::vector<std::string>& arguments) {
  if (Running()) return false;
  printed_.clear();
  overflow_ = false;
  int readEnd = -1;
  const pid_t pid = Spawn(arguments, readEnd);
  if (pid <= 0) return false;
  pid_ = pid;
  out_ = readEnd;
  return true;
}

ZenityState ZenityChild::Poll(std::string& printed) {
  if (!Running()) return ZenityState::kIdle;
  ReadAvailable();
  int status = 0;
  const pid_t ended = waitpid(pid_, &status, WNOHANG);
  if (ended == 0 || (ended < 0 && errno == EINTR)) return ZenityState::kRunning;
  pid_ = -1;
  ReadAvailable();  // all it printed is in the pipe once it has ended
  close(out_);
  out_ = -1;
  printed.clear();
  if (ended < 0 || !WIFEXITED(status)) return ZenityState::kFailed;  // reaped elsewhere, or a signal
  if (WEXITSTATUS(status) == kExitCancelled) return ZenityState::kCancelled;
  if (WEXITSTATUS(status) != 0 || overflow_) return ZenityState::kFailed;
  printed = std::move(printed_);
  return ZenityState::kAnswered;
}

void ZenityChild::ReadAvailable() {
  char buffer[4096];
  for (int i = 0; i < kReadsPerPoll; ++i) {
    const ssize_t n = read(out_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // nothing more for now, or the end
    if (printed_.size() + static_cast<std::size_t>(n) > kMaxPrinted)
      overflow_ = true;
    else
      printed_.append(buffer, static_cast<std::size_t>(n));
  }
}

void ZenityChild::Abandon() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }
  if (out_ >= 0) close(out_);
  out_ = -1;
}

}  // namespace torvik::ui
