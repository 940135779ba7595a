// The list a move generator fills: the caller's list, the generator's count.
//
// The first kMoveListSize moves live in the list itself, room for every 2D
// position and nearly every 3D one. A position with more moves (a side with
// many queens on the 3D board) moves the list onto the heap, which then grows
// as far as it must: no move is ever dropped, and nothing is written past the
// list's storage.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "board/move.h"
#include "board/square.h"

namespace torvik {

constexpr int kMoveListSize = 306;

struct MoveList {
  std::array<Move, kMoveListSize> head{};
  std::vector<Move> grown;  // every entry, once the list has outgrown its head

  // Entry i; an entry past the storage makes the list grow to hold it.
  Move& operator[](std::size_t i) {
    if (grown.empty() && i < head.size()) return head[i];
    return Grow(i);
  }
  const Move& operator[](std::size_t i) const { return grown.empty() ? head[i] : grown[i]; }

  Move* data() { return grown.empty() ? head.data() : grown.data(); }
  const Move* data() const { return grown.empty() ? head.data() : grown.data(); }

 private:
  Move& Grow(std::size_t i) {
    if (grown.empty()) grown.assign(head.begin(), head.end());
    if (i >= grown.size()) grown.resize(std::max(i + 1, 2 * grown.size()));
    return grown[i];
  }
};

// Where a generator writes its moves: the caller's list and the count so far.
// The list grows as moves come (see MoveList).
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
