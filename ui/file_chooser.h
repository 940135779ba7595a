// The file dialog for saving, restoring and listing games: the desktop's
// `zenity` run as a child process, so the window's main loop keeps running
// (and repainting) while the dialog is open. Nothing here ever blocks: Start
// spawns the child, the idle callback calls Poll until the answer is in.
#pragma once

#include <sys/types.h>

#include <string>

namespace torvik::ui {

// A save dialog asks before overwriting a file; an open dialog only accepts
// a file that exists.
enum class ChooserPurpose { kSave, kOpen };

struct ChooserRequest {
  ChooserPurpose purpose = ChooserPurpose::kSave;
  std::string title;          // the dialog's title, e.g. "Save game"
  std::string startName;      // the name the dialog starts from, e.g. "torvik.sav"; none when empty
  std::string filterLabel;    // e.g. "Save Files (*.sav)"
  std::string filterPattern;  // e.g. "*.sav"; no filter of its own when empty ("All Files" is always there)
  std::string extension;      // e.g. "sav": added to a chosen name whose base name has no '.'
};

// kIdle: nothing started, or the last answer was already handed out.
// kRunning: the dialog is open. kChosen: the user picked a file.
// kCancelled: the user closed the dialog without one. kFailed: the chooser
// ended any other way (another exit status, a signal, no name printed).
enum class ChooserState { kIdle, kRunning, kChosen, kCancelled, kFailed };

// One dialog at a time. The program run is "zenity", looked up on PATH; its
// arguments go to it directly, without a shell, so names with spaces or
// non-ASCII characters pass untouched. Its standard input and standard error
// are /dev/null (GTK's warnings are noise to the player); of the window's
// file descriptors it gets none.
class FileChooser {
 public:
  FileChooser() = default;
  ~FileChooser();  // a dialog still open is killed and reaped
  FileChooser(FileChooser&& other) noexcept;
  FileChooser& operator=(FileChooser&& other) noexcept;  // kills a dialog of its own first
  FileChooser(const FileChooser&) = delete;
  FileChooser& operator=(const FileChooser&) = delete;

  // Opens the dialog. False, with nothing left running, when no chooser
  // could be started (no zenity on PATH, it could not be run) or one is
  // open already. An answer not yet polled from an earlier dialog is dropped.
  bool Start(const ChooserRequest& request);

  // Reads what the dialog printed so far and checks whether it ended; never
  // blocks. Hands out the outcome once: kChosen with `path` set (the
  // extension added when needed), kCancelled or kFailed with `path` cleared;
  // kRunning meanwhile and kIdle afterwards, `path` left alone for both.
  ChooserState Poll(std::string& path);

  // True from a successful Start until Poll has seen the dialog end.
  bool Running() const { return pid_ > 0; }

 private:
  void ReadAvailable();
  ChooserState Finish(int status, std::string& path);
  void Abandon();  // kills and reaps an open dialog, closes the pipe

  pid_t pid_ = -1;
  int out_ = -1;            // the read end of the pipe on the dialog's standard output
  bool overflow_ = false;   // printed more than any path could be
  std::string extension_;
  std::string printed_;
};

}  // namespace torvik::ui
