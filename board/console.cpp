#include "board/console.h"

#include <cstdarg>
#include <mutex>

namespace torvik {
namespace {

struct ConsoleState {
  std::mutex mutex;
  std::FILE* stream = stdout;
  std::string* capture = nullptr;
  bool midLine = false;  // the stream's last character written was not a line break
  bool lineShaped = false;
};

ConsoleState& State() {
  static ConsoleState state;
  return state;
}

void Write(const char* text, std::size_t length) {
  ConsoleState& s = State();
  std::lock_guard lock(s.mutex);
  if (s.capture) {
    s.capture->append(text, length);
    return;
  }
  if (s.lineShaped && !s.midLine && length > 0 && text[0] == '\n') ++text, --length;
  if (length > 0) {
    std::fwrite(text, 1, length, s.stream);
    std::fflush(s.stream);
    s.midLine = text[length - 1] != '\n';
  }
}

}  // namespace

void ConsolePrintf(const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) {
    va_end(again);
    return;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    Write(small, static_cast<std::size_t>(n));
  } else {
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(big.data(), big.size(), format, again);
    Write(big.data(), static_cast<std::size_t>(n));
  }
  va_end(again);
}

void Warn(bool unstable, const char* message) {
  ConsolePrintf("\n%s\n%s", message, unstable ? "UNSTABLE" : "");
}

void ConsoleEndLine() {
  ConsoleState& s = State();
  bool midLine;
  {
    std::lock_guard lock(s.mutex);
    midLine = s.midLine && !s.capture;
  }
  if (midLine) Write("\n", 1);
}

void SetConsoleLineShaped(bool on) {
  ConsoleState& s = State();
  std::lock_guard lock(s.mutex);
  s.lineShaped = on;
}

std::FILE* SetConsoleStream(std::FILE* stream) {
  ConsoleState& s = State();
  std::lock_guard lock(s.mutex);
  std::FILE* old = s.stream;
  s.stream = stream;
  return old;
}

// Captures nest: the innermost one collects; its end restores the outer one.
ConsoleCapture::ConsoleCapture() {
  ConsoleState& s = State();
  std::lock_guard lock(s.mutex);
  outer_ = s.capture;
  s.capture = &buffer_;
}

ConsoleCapture::~ConsoleCapture() {
  ConsoleState& s = State();
  std::lock_guard lock(s.mutex);
  s.capture = outer_;
}

std::string ConsoleCapture::Text() const {
  std::lock_guard lock(State().mutex);
  return buffer_;
}

void ConsoleCapture::Clear() {
  std::lock_guard lock(State().mutex);
  buffer_.clear();
}

}  // namespace torvik
