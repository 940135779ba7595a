// A game and a window state for tests that run the window's logic without a
// window: set up as a new game is, with the engine never started.
#pragma once

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "board/console.h"
#include "engine/rebuild.h"
#include "record/engine_thread.h"
#include "record/game.h"
#include "ui/keyboard.h"
#include "ui/mouse.h"
#include "ui/target_marks.h"
#include "ui/ui_state.h"
#include "ui/view.h"

namespace torvik::ui {

struct TestUi {
  std::unique_ptr<Game> game = std::make_unique<Game>();
  UiState ui;

  explicit TestUi(int mode) {
    ui.game = game.get();
    ConsoleCapture quiet;
    GameState& gs = game->state;
    ClearGameState(gs);
    gs.gameMode = mode;
    gs.difficulty = kHard;
    NewGameSetup(gs);
    gs.engineSide = kEnginePlaysNone;  // two people at the screen
    ResetView(gs, ui.view);
    ClearCaptured(game->record);
    ClearMoveText(game->record);
    game->record.replayCursor = -1;
  }
  ~TestUi() { StartEngine(*game, 0); }  // undo and new games start it
  TestUi(const TestUi&) = delete;
  TestUi& operator=(const TestUi&) = delete;

  GameState& State() { return game->state; }
  Position& Pos() { return game->state.position; }

  // Empties the white queen's-side attack board (3D), so that it can move.
  void EmptyBoardZero() {
    ConsoleCapture quiet;
    for (std::size_t s : {0u, 1u, 8u, 9u}) Pos().board[s] = 0;
    EXPECT_EQ(RebuildPosition(Pos()), 1);
  }
};

// The names a test's clicks pick, in turn; 65 once they run out.
struct Picks {
  std::deque<int> names;
  int asked = 0;
  Picker Get() {
    return [this] {
      ++asked;
      if (names.empty()) return kNoSquare;
      const int n = names.front();
      names.pop_front();
      return n;
    };
  }
};

inline std::string Click(TestUi& t, int name, bool shift = false) {
  Picks picks{{name}};
  ConsoleCapture console;
  EXPECT_TRUE(MouseEvent(t.ui, kLeftButton, kButtonDown, shift, picks.Get()));
  MouseEvent(t.ui, kLeftButton, kButtonUp, shift, picks.Get());  // none while a dialog opened
  EXPECT_EQ(picks.asked, 1) << "one pick a press, none on release";
  return console.Text();
}

// A key as the keyboard callback hands it over; what it printed.
inline std::string Press(TestUi& t, unsigned char key, bool alt = false) {
  ConsoleCapture console;
  EXPECT_EQ(KeyboardKey(t.ui, key, alt), KeyOutcome::kRedraw) << key;
  return console.Text();
}

// PATH for the object's lifetime: `path`, or `path` before the PATH in force.
class ScopedPath {
 public:
  explicit ScopedPath(const std::string& path, bool prepend = false)
      : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    setenv("PATH", (prepend ? path + ":" + old_ : path).c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", old_.c_str(), 1); }
  ScopedPath(const ScopedPath&) = delete;
  ScopedPath& operator=(const ScopedPath&) = delete;

 private:
  std::string old_;
};

// A stand-in file chooser first on the program's PATH: it answers the name in
// the file "answer" beside it, or cancels when there is none.
inline std::string FakeChooserFolder(const std::string& dir) {
  const std::string bin = dir + "/bin";
  std::filesystem::create_directories(bin);
  std::filesystem::remove(bin + "/answer");
  std::ofstream(bin + "/zenity") << "#!/bin/sh\n[ -f '" << bin << "/answer' ] || exit 1\ncat '" << bin
                                 << "/answer'\necho\n";
  std::filesystem::permissions(bin + "/zenity", std::filesystem::perms::owner_all);
  return bin;
}

}  // namespace torvik::ui
