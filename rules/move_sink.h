// Where a generator writes its moves: the caller's list and the count so far.
// The list grows as moves come (see MoveList).
#pragma once

#include "board/move.h"
#include "board/square.h"
#include "rules/move_list.h"

namespace torvik {

struct MoveSink {
  MoveList& list;
  int count = 0;
};

// kFresh writes the unscored value and a clear check byte; kKeep leaves score
// and check byte as the list held them (castling, the 2D en-passant records and
// the evasion generator's captures of the checker).
enum class Fill { kFresh, kKeep };

inline void Append(MoveSink& sink, int piece, Square from, Square to, char kind,
                   Fill fill = Fill::kFresh) {
  Move& m = sink.list[static_cast<std::size_t>(sink.count++)];
  m.from = from;
  m.to = to;
  m.piece = piece;
  m.kind = kind;
  if (fill == Fill::kFresh) {
    m.score = kNoScore;
    m.check = 0;
  }
}

}  // namespace torvik
