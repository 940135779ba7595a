// A dialog of the desktop's `zenity` run as a child process, so the window's
// main loop keeps running (and repainting) while it is open. Nothing here
// ever blocks: Start spawns the child, the idle callback calls Poll until the
// answer it printed is in. The file chooser and the position-text dialog are
// both made of one.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace torvik::ui {

// kIdle: nothing started, or the last answer was already handed out.
// kRunning: the dialog is open. kAnswered: it ended well (exit status 0).
// kCancelled: the user closed it (exit status 1). kFailed: it ended any
// other way (another exit status, a signal, more printed than any answer).
enum class ZenityState { kIdle, kRunning, kAnswered, kCancelled, kFailed };

// One dialog at a time. The program run is "zenity", looked up on PATH; the
// arguments go to it directly, without a shell, so texts with spaces or
// non-ASCII characters pass untouched. Its standard input and standard error
// are /dev/null (GTK's warnings are noise to the player); of the window's
// file descriptors it gets none.
class ZenityChild {
 public:
  ZenityChild() = default;
  ~ZenityChild();  // a dialog still open is killed and reaped
  ZenityChild(ZenityChild&& other) noexcept;
  ZenityChild& operator=(ZenityChild&& other) noexcept;  // kills a dialog of its own first
  ZenityChild(const ZenityChild&) = delete;
  ZenityChild& operator=(const ZenityChild&) = delete;

  // Opens the dialog with `arguments` (those after the program's name). False,
  // with nothing left running, when zenity could not be started or a dialog
  // is open already. An answer not yet polled from an earlier dialog is dropped.
  bool Start(const std::vector<std::string>& arguments);

  // Reads what the dialog printed so far and checks whether it ended; never
  // blocks. Hands out the outcome once: kAnswered with `printed` set to all
  // it printed, kCancelled or kFailed with `printed` cleared; kRunning
  // meanwhile and kIdle afterwards, `printed` left alone for both.
  ZenityState Poll(std::string& printed);

  // True from a successful Start until Poll has seen the dialog end.
  bool Running() const { return pid_ > 0; }

 private:
  void ReadAvailable();
  void Abandon();  // kills and reaps an open dialog, closes the pipe

  pid_t pid_ = -1;
  int out_ = -1;           // the read end of the pipe on the dialog's standard output
  bool overflow_ = false;  // printed more than any answer could be
  std::string printed_;
};

}  // namespace torvik::ui
