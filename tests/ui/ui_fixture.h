// A game and a window state for tests that run the window's logic without a
// window: set up as a new game is, with the engine never started.
#pragma once

#include <memory>

#include "board/console.h"
#include "board/setup.h"
#include "engine/engine_thread.h"
#include "record/game.h"
#include "ui/target_marks.h"
#include "ui/ui_state.h"
#include "ui/view.h"

namespace torvik::ui {

struct TestUi {
  std::unique_ptr<Game> game = std::make_unique<Game>();
  UiState ui;

  explicit TestUi(int mode) {
    ui.game = game.get();
    Reset(mode);
  }
  ~TestUi() { StartEngine(*game, 0); }  // undo and new games start it
  TestUi(const TestUi&) = delete;
  TestUi& operator=(const TestUi&) = delete;

  void Reset(int mode) {
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

  GameState& State() { return game->state; }
  Position& Pos() { return game->state.position; }
};

}  // namespace torvik::ui
