// The move list beside the board: the game's moves in numbered pairs, in the
// notation their texts were written in ("12. Nf3 Nc6", "12. ... Nc6" when the
// game begins with Black to move), the move that led to the position shown
// marked. A pure function; the scene places and draws what it gives.
#pragma once

#include <string>
#include <vector>

#include "record/game_record.h"
#include "record/game_state.h"

namespace torvik::ui {

// One line of the list: its text, and the characters [markBegin, markEnd) of
// the marked move (both 0 when no move on the line is marked).
struct MoveListLine {
  std::string text;
  std::size_t markBegin = 0, markEnd = 0;
  bool operator==(const MoveListLine&) const = default;
};

// At most `lines` lines: the last ones of the game, or while a replay is
// shown, those from the replayed move's line on when the last ones leave it
// out. The marked move is the replayed ply's during a replay, else the last.
std::vector<MoveListLine> MoveListLines(const GameState& gs, const GameRecord& record, int lines);

}  // namespace torvik::ui
