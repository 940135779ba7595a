// A private X server for the window tests: Xvfb on a display number it picks
// itself, ended with the test.
#pragma once

#include <sys/types.h>

#include <string>

namespace torvik::test {

class XvfbServer {
 public:
  XvfbServer();  // starts it; Display() is empty when it could not start
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // ":N", or empty when no server runs.
  const std::string& Display() const { return display_; }
  const std::string& Failure() const { return failure_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
  std::string failure_;
};

}  // namespace torvik::test
