// Running a program and collecting what it printed.
#pragma once

#include <string>

namespace torvik::test {

struct RunResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `command` through the shell, with `input` on its standard input.
RunResult RunCommand(const std::string& command, const std::string& input = "");

// Quotes one argument for the shell.
std::string Quote(const std::string& arg);

}  // namespace torvik::test
