#include "ui/file_chooser.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <utility>
#include <vector>

namespace torvik::ui {
namespace {

constexpr const char* kChooserProgram = "zenity";
constexpr int kExitCancelled = 1;
// Far more than any path; a chooser printing more is broken.
constexpr std::size_t kMaxPrinted = 64 * 1024;
// Reads per poll: more than a full pipe holds, yet bounded should the
// chooser print without end.
constexpr int kReadsPerPoll = 32;

std::vector<std::string> ChooserArguments(const ChooserRequest& request) {
  std::vector<std::string> args = {kChooserProgram, "--file-selection", "--title=" + request.title};
  if (!request.startName.empty()) args.push_back("--filename=" + request.startName);
  if (request.purpose == ChooserPurpose::kSave) {
    args.push_back("--save");
    args.push_back("--confirm-overwrite");
  }
  if (!request.filterPattern.empty())
    args.push_back("--file-filter=" + request.filterLabel + " | " + request.filterPattern);
  args.push_back("--file-filter=All Files | *");
  return args;
}

// The name with ".extension" added when its base name has no '.' at all.
std::string WithExtension(const std::string& name, const std::string& extension) {
  std::size_t slash = name.rfind('/');
  std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  if (extension.empty() || name.find('.', base) != std::string::npos) return name;
  return name + "." + extension;
}

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

// Runs the chooser with its output on a pipe; the pid and the pipe's read
// end (non-blocking), or -1 when it could not run. The C library reports a
// program missing from PATH (or not executable) as posix_spawnp's result.
pid_t SpawnChooser(std::vector<std::string> args, int& readEnd) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return -1;
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
            posix_spawnp(&pid, kChooserProgram, &actions, &attributes, argv.data(), environ) == 0;
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

FileChooser::~FileChooser() { Abandon(); }

FileChooser::FileChooser(FileChooser&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      out_(std::exchange(other.out_, -1)),
      overflow_(other.overflow_),
      extension_(std::move(other.extension_)),
      printed_(std::move(other.printed_)) {}

FileChooser& FileChooser::operator=(FileChooser&& other) noexcept {
  if (this != &other) {
    Abandon();
    pid_ = std::exchange(other.pid_, -1);
    out_ = std::exchange(other.out_, -1);
    overflow_ = other.overflow_;
    extension_ = std::move(other.extension_);
    printed_ = std::move(other.printed_);
  }
  return *this;
}

bool FileChooser::Start(const ChooserRequest& request) {
  if (Running()) return false;
  printed_.clear();
  overflow_ = false;
  extension_ = request.extension;
  int readEnd = -1;
  pid_t pid = SpawnChooser(ChooserArguments(request), readEnd);
  if (pid <= 0) return false;
  pid_ = pid;
  out_ = readEnd;
  return true;
}

ChooserState FileChooser::Poll(std::string& path) {
  if (!Running()) return ChooserState::kIdle;
  ReadAvailable();
  int status = 0;
  pid_t ended = waitpid(pid_, &status, WNOHANG);
  if (ended == 0 || (ended < 0 && errno == EINTR)) return ChooserState::kRunning;
  pid_ = -1;
  ReadAvailable();  // all it printed is in the pipe once it has ended
  close(out_);
  out_ = -1;
  if (ended < 0) status = -1;  // reaped elsewhere: its answer is lost
  return Finish(status, path);
}

void FileChooser::ReadAvailable() {
  char buffer[4096];
  for (int i = 0; i < kReadsPerPoll; ++i) {
    ssize_t n = read(out_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // nothing more for now, or the end
    if (printed_.size() + static_cast<std::size_t>(n) > kMaxPrinted)
      overflow_ = true;
    else
      printed_.append(buffer, static_cast<std::size_t>(n));
  }
}

ChooserState FileChooser::Finish(int status, std::string& path) {
  path.clear();
  if (status == -1 || !WIFEXITED(status)) return ChooserState::kFailed;
  if (WEXITSTATUS(status) == kExitCancelled) return ChooserState::kCancelled;
  if (WEXITSTATUS(status) != 0 || overflow_) return ChooserState::kFailed;
  std::string name = std::move(printed_);
  if (!name.empty() && name.back() == '\n') name.pop_back();
  if (name.empty()) return ChooserState::kFailed;
  path = WithExtension(name, extension_);
  return ChooserState::kChosen;
}

void FileChooser::Abandon() {
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
