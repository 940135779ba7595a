// Helpers for the move generator's tests: positions under either rule set,
// legal-move sets, seeded random boards and seeded random play.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "board/geometry.h"
#include "board/console.h"
#include "board/make_move.h"
#include "board/position.h"
#include "board/rebuild.h"
#include "record/position_text.h"
#include "rules/generate.h"
#include "rules/move_list.h"
#include "support/positions.h"

namespace torvik::test {

inline Position Parse(const std::string& text, int mode, int rules = kTournament) {
  Position pos;
  pos.rules = rules;
  std::string error;
  EXPECT_TRUE(ParsePosition(text, mode, pos, error)) << text << ": " << error;
  return pos;
}

inline uint32_t Enemy(const Position& pos) { return WhiteToMove(pos) ? kBlackSlots : kWhiteSlots; }

inline Square KingSquare(const Position& pos) {
  return pos.pieces[WhiteToMove(pos) ? kKingSlot : kSideSlots + kKingSlot].square;
}

inline bool MoverInCheck(const Position& pos) {
  return (pos.attackedBy[KingSquare(pos)] & Enemy(pos)) != 0;
}

// The records a generator wrote.
template <class Generator>
std::vector<Move> Listed(Position& pos, Generator generate) {
  auto list = std::make_unique<MoveList>();
  list->fill(Move{});
  const int n = generate(pos, *list);
  return std::vector<Move>(list->begin(), list->begin() + n);
}
inline std::vector<Move> AllMoves(Position pos) { return Listed(pos, GenerateMoves); }
inline std::vector<Move> Evasions(Position pos) { return Listed(pos, GenerateEvasions); }

// A legal move as make-move leaves it: piece, from, to and the promotion letter.
using MoveKey = std::tuple<int, int, int, char>;

inline char PromotionLetter(char kind) {
  return std::string("QRBN").find(kind) != std::string::npos ? kind : '-';
}

inline std::set<MoveKey> LegalSet(const Position& pos, const std::vector<Move>& moves) {
  std::set<MoveKey> legal;
  auto child = std::make_unique<Position>();
  for (Move m : moves)
    if (MakeMove(*child, pos, m)) legal.insert({m.piece, m.from, m.to, PromotionLetter(m.kind)});
  return legal;
}

inline bool HasMove(const std::vector<Move>& moves, int piece, Square from, Square to) {
  return std::any_of(moves.begin(), moves.end(), [&](const Move& m) {
    return m.piece == piece && m.from == from && m.to == to;
  });
}

// A board with both kings and `extra` further pieces (at most 28, the colours
// taking turns) on random squares; pawns
// stay off the first and last ranks in the 2D game. In the 3D game the attack
// boards stand on four random distinct pins.
inline Position RandomBoard(std::mt19937& rng, int mode, int rules, int extra) {
  Position pos;
  pos.gameMode = mode;
  pos.rules = rules;
  if (mode == kGame3D) {
    std::vector<int> pins;
    for (const PinInfo& p : kPinTable) pins.push_back(p.square);
    std::shuffle(pins.begin(), pins.end(), rng);
    for (int b = 0; b < kAttackBoards; ++b) pos.pins[b] = pins[b];
    pos.owners = {1, 0, 1, 0};
  }
  std::uniform_int_distribution<int> square(0, 63), piece(1, 5), coin(0, 1);
  auto place = [&](int code) {
    for (;;) {
      const Square s = square(rng);
      const bool lastRank = RowOf(s) == 0 || RowOf(s) == 7;
      if (pos.board[s] != 0 || (mode == kGame2D && TypeOf(code) == kPawn && lastRank)) continue;
      pos.board[s] = code;
      return;
    }
  };
  place(kKing);
  place(-kKing);
  for (int i = 0; i < extra && i < 28; ++i) place(i % 2 ? piece(rng) : -piece(rng));
  pos.ply = coin(rng);
  EXPECT_EQ(BoardToPieces(pos), 1);
  return pos;
}

// Seeded random play: from `start`, `plies` random legal moves, handing every
// position reached (the start included) to `visit`. A game without a legal
// move starts over.
template <class Visit>
void RandomPlay(const Position& start, uint32_t seed, int plies, Visit&& visit) {
  std::mt19937 rng(seed);
  auto pos = std::make_unique<Position>(start);
  auto next = std::make_unique<Position>();
  auto list = std::make_unique<MoveList>();
  std::vector<int> order;
  for (int ply = 0; ply < plies; ++ply) {
    visit(static_cast<const Position&>(*pos));
    const int n = GenerateAll(*pos, *list);
    order.resize(n);
    for (int i = 0; i < n; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), rng);
    bool moved = false;
    for (int i : order) {
      Move m = (*list)[i];
      if ((moved = MakeMove(*next, *pos, m) == 1)) break;
    }
    if (moved && next->halfmoveCount <= 100) {
      std::swap(pos, next);
      pos->previous = nullptr;
    } else {
      *pos = start;
    }
  }
}

}  // namespace torvik::test
