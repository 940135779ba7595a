// The file dialog for saving, restoring, listing, exporting and importing
// games: zenity's file selection as a child process (ui/zenity_child.h), so
// the window's main loop keeps running while it is open. Nothing here ever
// blocks: Start spawns the child, the idle callback calls Poll until the
// answer is in.
#pragma once

#include <string>

#include "ui/zenity_child.h"

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

// One dialog at a time, run as ZenityChild runs it. Destroying the chooser,
// or moving another onto it, kills and reaps a dialog of its own still open.
class FileChooser {
 public:

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
  bool Running() const { return dialog_.Running(); }

 private:
  ZenityChild dialog_;
  std::string extension_;
};

}  // namespace torvik::ui
