// Running a program and collecting what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace torvik::test {

struct RunResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

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

// Runs `command` through the shell, with `input` on its standard input.
inline RunResult RunCommand(const std::string& command, const std::string& input = "") {
  char dir[] = "/tmp/torvik-run-XXXXXX";
  RunResult r;
  if (!mkdtemp(dir)) return r;
  std::string base = dir;
  std::ofstream(base + "/in", std::ios::binary) << input;
  std::string full = command + " < " + base + "/in > " + base + "/out 2> " + base + "/err";
  int status = std::system(full.c_str());
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(base + "/out");
  r.err = Slurp(base + "/err");
  std::system(("rm -rf " + base).c_str());
  return r;
}

}  // namespace torvik::test
