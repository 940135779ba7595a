// The marks a selected piece puts on the board: where it may go, what it may
// take, and (spread mode Team) what the side to move attacks.
#pragma once

#include "record/game_state.h"

namespace torvik::ui {

constexpr uint8_t kMarkMove = 0;        // a move to an empty square
constexpr uint8_t kMarkCapture = 255;   // a capture, or an attacked enemy piece
constexpr uint8_t kMarkAttacked = 1;    // an attacked empty square

// Fills gs.targetMarks for gs.selection by gs.spreadMode.
void ComputeTargetMarks(GameState& gs);

void ClearTargetMarks(GameState& gs);

}  // namespace torvik::ui
