// Running torvik-cli to its end with its input given at once, and what it
// printed held to what a test expects.
#pragma once

#include <gtest/gtest.h>

#include <string>
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

}  // namespace torvik::test
