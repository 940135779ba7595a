// Where a generator writes its moves: the caller's list and the count so far.
// The list never grows past its 306 records; a move that finds it full is
// refused with a warning.
#pragma once

#include "board/console.h"
#include "board/move.h"
#include "board/square.h"
#include "rules/move_list.h"

namespace torvik {

struct MoveSink {
  MoveList& list;
  int count = 0;
  bool full = false;  // the warning has been given
};

// kFresh writes the unscored value and a clear check byte; kKeep leaves score
// and check byte as the list held them (castling, the 2D en-passant records and
// the evasion generator's captures of the checker).
enum class Fill { kFresh, kKeep };

inline bool Append(MoveSink& sink, int piece, Square from, Square to, char kind,
                   Fill fill = Fill::kFresh) {
  if (sink.count >= kMoveListSize) {
    if (!sink.full) Warn(true, "move list full");
    sink.full = true;
    return false;
  }
  Move& m = sink.list[sink.count++];
  m.from = from;
  m.to = to;
  m.piece = piece;
  m.kind = kind;
  if (fill == Fill::kFresh) {
    m.score = kNoScore;
    m.check = 0;
  }
  return true;
}

}  // namespace torvik
