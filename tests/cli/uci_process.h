// Running torvik-cli: to the end with its input given at once, or with its
// standard input and output on pipes, for scripted sessions that pause between
// lines (each line it prints is kept with the time it arrived; its standard
// error then goes to /dev/null).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/run.h"

namespace torvik::test {

// Runs torvik-cli with `args` and `input`: expects its exit status, and its
// output to hold `pieces` in this order, the first at the very start (an empty
// first piece asks nothing).
inline RunResult Cli(const std::string& args, const std::string& input, int status,
                     const std::vector<std::string>& pieces = {}) {
  const RunResult r = RunCommand(std::string(TORVIK_CLI) + " " + args, input);
  EXPECT_EQ(r.status, status) << args << "\n" << r.err;
  std::size_t at = 0;
  for (const std::string& piece : pieces) {
    const std::size_t found = r.out.find(piece, at);
    EXPECT_TRUE(found != std::string::npos && (&piece != &pieces[0] || found == 0)) << args << ": " << piece
                                                                                     << "\nin\n" << r.out;
    at = found == std::string::npos ? at : found + piece.size();
  }
  return r;
}

using Clock = std::chrono::steady_clock;

struct OutputLine {
  Clock::time_point at;
  std::string text;
};

struct Process;
int Finish(Process& p, double seconds);

struct Process {  // not copied: it holds its reader thread
  ~Process() {  // a test that gave up early still ends the program
    if (reader.joinable()) Finish(*this, 5);
  }
  pid_t pid = -1;
  int in = -1;   // its standard input
  int out = -1;  // its standard output
  std::thread reader;
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<OutputLine> lines;
  bool ended = false;  // its output closed
};

inline void ReadLines(Process& p) {
  std::string partial;
  char buffer[4096];
  for (ssize_t n; (n = read(p.out, buffer, sizeof buffer)) > 0;) {
    partial.append(buffer, std::size_t(n));
    std::lock_guard lock(p.mutex);
    for (std::size_t end; (end = partial.find('\n')) != std::string::npos; partial.erase(0, end + 1))
      p.lines.push_back({Clock::now(), partial.substr(0, end)});
    p.arrived.notify_all();
  }
  std::lock_guard lock(p.mutex);
  if (!partial.empty()) p.lines.push_back({Clock::now(), partial});  // a last line without its break
  p.ended = true;
  p.arrived.notify_all();
}

// Starts `program` with `argument`; nullptr when it cannot be started.
inline std::unique_ptr<Process> Start(const std::string& program, const std::string& argument) {
  int toChild[2], fromChild[2];
  if (pipe(toChild) != 0) return nullptr;
  if (pipe(fromChild) != 0) return close(toChild[0]), close(toChild[1]), nullptr;
  auto p = std::make_unique<Process>();
  p->pid = fork();
  if (p->pid == 0) {
    dup2(toChild[0], 0);
    dup2(fromChild[1], 1);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 2);
    for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
    execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  p->in = toChild[1];
  p->out = fromChild[0];
  signal(SIGPIPE, SIG_IGN);
  p->reader = std::thread(ReadLines, std::ref(*p));
  return p;
}

inline void Send(Process& p, const std::string& line) {
  const std::string text = line + "\n";
  if (write(p.in, text.data(), text.size()) != ssize_t(text.size())) return;
}

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
// not exit by itself within `seconds` (it is then killed).
inline int Finish(Process& p, double seconds) {
  if (p.in >= 0) close(p.in);
  p.in = -1;
  int status = 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(int64_t(seconds * 1000));
  pid_t done = 0;
  while ((done = waitpid(p.pid, &status, WNOHANG)) == 0 && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (done == 0) {
    kill(p.pid, SIGKILL);
    waitpid(p.pid, &status, 0);
  }
  if (p.reader.joinable()) p.reader.join();
  close(p.out);
  return done == p.pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace torvik::test
