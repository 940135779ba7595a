// The console is the program's log: moves, results, file messages and warnings.
// Every message is written at once, whole, in the order the program wrote it,
// whichever thread wrote it.
#pragma once

#include <cstdio>
#include <string>

namespace torvik {

// printf-style write to the console.
void ConsolePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The consistency-failure routine: the message on its own line, then "UNSTABLE"
// when `unstable` is set. It returns; the caller carries on.
void Warn(bool unstable, const char* message);

// Ends the console's current line when something was written on it since the
// last line break (console messages begin with their line break, not end with it).
void ConsoleEndLine();

// Line-shaped writing, for a dialogue on a terminal: a message's leading line
// break is dropped when the line is already ended, so that, with
// ConsoleEndLine wherever the program turns to its input, each message ends
// its own line. Off by default (the window's console keeps the plain shape).
void SetConsoleLineShaped(bool on);

// Where the console goes: standard output for the window program, standard error
// for the headless tool. Returns the previous stream.
std::FILE* SetConsoleStream(std::FILE* stream);

// While alive, console text is collected here instead of being written out.
class ConsoleCapture {
 public:
  ConsoleCapture();
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  std::string Text() const;
  void Clear();

 private:
  std::string buffer_;
  std::string* outer_;
};

}  // namespace torvik
