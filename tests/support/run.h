// Running a program through the shell: to its end with its input given at
// once, or with its standard input and output on pipes for scripted sessions
// that pause between lines (each line it prints is kept with the time it
// arrived).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace torvik::test {

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Quotes one argument for the shell.
inline std::string Quote(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

using Clock = std::chrono::steady_clock;

struct OutputLine {
  Clock::time_point at;
  std::string text;
};

struct Process;
int Finish(Process& p, double seconds, int signal = SIGKILL);

struct Process {  // not copied: it holds its reader threads
  ~Process() { Finish(*this, 5); }  // a test that gave up early still ends the program
  pid_t pid = -1;
  int status = -1;  // its exit status once it ended by itself, else -1
  int in = -1;      // its standard input
  std::thread reader, errorReader;
  std::mutex mutex;
  std::condition_variable arrived;
  std::string out, err;  // all it printed on standard output and standard error
  std::vector<OutputLine> lines;
  bool ended = false;  // its output closed
};

// Reads `fd` to its end into `text`; for standard output also line by line.
inline void ReadAll(Process& p, int fd, bool output) {
  std::string partial;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
    std::lock_guard lock(p.mutex);
    (output ? p.out : p.err).append(buffer, std::size_t(n));
    if (!output) continue;
    partial.append(buffer, std::size_t(n));
    for (std::size_t end; (end = partial.find('\n')) != std::string::npos; partial.erase(0, end + 1))
      p.lines.push_back({Clock::now(), partial.substr(0, end)});
    p.arrived.notify_all();
  }
  close(fd);
  if (!output) return;
  std::lock_guard lock(p.mutex);
  if (!partial.empty()) p.lines.push_back({Clock::now(), partial});  // a last line without its break
  p.ended = true;
  p.arrived.notify_all();
}

// Starts `command` in the shell; nullptr when it cannot be started.
inline std::unique_ptr<Process> Spawn(const std::string& command) {
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0) return nullptr;
  if (pipe2(out, O_CLOEXEC) != 0) return close(in[0]), close(in[1]), nullptr;
  if (pipe2(err, O_CLOEXEC) != 0) return close(in[0]), close(in[1]), close(out[0]), close(out[1]), nullptr;
  auto p = std::make_unique<Process>();
  p->pid = fork();
  if (p->pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  p->in = in[1];
  signal(SIGPIPE, SIG_IGN);
  p->reader = std::thread(ReadAll, std::ref(*p), out[0], true);
  p->errorReader = std::thread(ReadAll, std::ref(*p), err[0], false);
  return p;
}

inline void Write(Process& p, const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const ssize_t n = write(p.in, text.data() + at, text.size() - at);
    if (n <= 0) return;
    at += std::size_t(n);
  }
}
inline void Send(Process& p, const std::string& line) { Write(p, line + "\n"); }

// The index of the first line from `from` on that begins with `prefix`,
// waiting up to `seconds` for it; -1 when none came.
inline int WaitFor(Process& p, const std::string& prefix, std::size_t from, double seconds) {
  std::unique_lock lock(p.mutex);
  const auto found = [&] {  // moves `from` to the line, or past the last one
    for (; from < p.lines.size(); ++from)
      if (p.lines[from].text.rfind(prefix, 0) == 0) return true;
    return p.ended;
  };
  p.arrived.wait_until(lock, Clock::now() + std::chrono::milliseconds(int64_t(seconds * 1000)), found);
  return from < p.lines.size() ? int(from) : -1;
}

inline std::vector<OutputLine> Lines(Process& p) {
  std::lock_guard lock(p.mutex);
  return p.lines;
}

// Closes its input and waits for it to end: its exit status, -1 when it did
// not exit by itself within `seconds` (it is then sent `signal`).
inline int Finish(Process& p, double seconds, int signal) {
  if (p.in >= 0) close(p.in);
  p.in = -1;
  if (p.pid > 0) {
    int status = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(int64_t(seconds * 1000));
    pid_t done = 0;
    while ((done = waitpid(p.pid, &status, WNOHANG)) == 0 && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (done == 0) {
      kill(p.pid, signal);
      waitpid(p.pid, &status, 0);
    }
    p.status = done == p.pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    p.pid = -1;
  }
  for (std::thread* t : {&p.reader, &p.errorReader})
    if (t->joinable()) t->join();
  return p.status;
}

struct RunResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `command` through the shell, with `input` on its standard input.
inline RunResult RunCommand(const std::string& command, const std::string& input = "") {
  RunResult r;
  auto p = Spawn(command);
  if (!p) return r;
  Write(*p, input);
  r.status = Finish(*p, 300);
  r.out = p->out, r.err = p->err;
  return r;
}

}  // namespace torvik::test
