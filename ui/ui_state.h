// What the window keeps beside the game: the interaction state of the mouse and
// keys, the view toggles that are not saved with a game, and the three text
// lines. One instance lives in main; the toolkit's callbacks reach it through
// the one pointer in callbacks.cpp.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "board/move.h"
#include "board/square.h"
#include "record/board_editor.h"
#include "record/game.h"
#include "record/saved_game.h"
#include "ui/colours.h"
#include "ui/file_chooser.h"
#include "ui/zenity_child.h"

namespace torvik::ui {

constexpr const char* kProductName = "Torvik";
constexpr const char* kTitleText = "Torvik 2.80";
constexpr int kVersionMajor = 2;
constexpr const char* kVersionMinor = "80";
constexpr int kWindowSize = 800;
constexpr int kWindowX = 160;
constexpr int kWindowY = 40;
constexpr std::size_t kTitleChars = 64;   // the title and banner buffers
constexpr std::size_t kStatusChars = 80;  // the status line buffer

// A dialog that holds the window's input while it is open.
enum class Modal { kNone, kPromotion, kFileChooser, kPositionText };

struct Interaction {
  int selectedName = kNoSquare;  // what the first click picked
  int pickedName = kNoSquare;    // the latest pick
  int editMode = kEditNone;
  int debugBoard = 0;            // the attack board the K key moves
  Modal modal = Modal::kNone;
  Move pendingMove{};            // the promotion the dialog asks about
  bool typing = false;           // a move is being typed
  std::string typed;             // what was typed of it
};

struct ViewToggles {
  int spinAngle = 0;  // degrees about the screen's depth axis
  int showAxes = 0;
  int showCaptured = 1;
  int showMoveList = 1;
  bool blackView = false;
};

struct TextLines {
  std::string title = kTitleText;
  Rgb titleColour = kLavender;
  std::string banner;
  Rgb bannerColour = kIvory;
  std::string status;  // the status line as last drawn
  Rgb statusColour = kGreen;
  std::string turn;    // whose move, when two people play
  Rgb turnColour = kIvory;
  std::string windowTitle;  // the game file the window is named after
};

// The game's latest notice as the status line holds it.
using NoticeClock = std::chrono::steady_clock;
struct NoticeShown {
  uint32_t serial = 0;  // the game's notice serial last taken up
  std::string text;     // empty once its time ran out
  NoticeClock::time_point until{};
};

// The identifiers of the menus that show a setting; 0 until the tree is built.
struct ChoiceMenus {
  int plays = 0, difficulty = 0, rules = 0, notation = 0;
  int root = 0;
  bool attached = false;  // the tree answers the right button (not while a dialog is open)
  // The toolkit ends the program when a menu is changed while one is open:
  // changes wait until it closes.
  bool inUse = false;
  bool relabelPending = false;
};

// The game files the window reads and writes through the chooser.
enum class FileCommand { kSave, kRestore, kList, kExport, kImport };

struct FileDialogs {
  FileChooser chooser;
  FileCommand pending = FileCommand::kSave;  // what the open chooser is for
  std::string saveName = kQuickSaveName;     // where saves and restores start from
  bool missingSaid = false;                  // "no file chooser" was said
};

// The position-text dialog: the text it was opened with, to tell a change.
struct PositionDialog {
  ZenityChild dialog;
  std::string shown;
};

struct UiState {
  Game* game = nullptr;
  Interaction input;
  ViewToggles view;
  TextLines text;
  NoticeShown notice;
  int windowId = 0;
  ChoiceMenus menus;
  FileDialogs files;
  PositionDialog positionText;
};

// The side to move: 1 white, -1 black.
inline int SideToMove(const GameState& gs) { return WhiteToMove(gs.position) ? 1 : -1; }

}  // namespace torvik::ui
