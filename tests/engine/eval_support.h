// Helpers for the evaluation's tests: evaluating a position as the root does,
// comparing everything an evaluation caches, and mirroring a position.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <string>

#include "board/position.h"
#include "engine/evaluate.h"
#include "engine/rebuild.h"
#include "record/position_text.h"

namespace torvik::test {

// The position evaluated afresh, with its stage set and `engineWhite` as the
// engine's side. Returns the White-positive score.
inline int32_t RootScore(Position& pos, bool engineWhite = true) {
  pos.flags = engineWhite ? pos.flags | kEngineWhite : pos.flags & ~kEngineWhite;
  pos.flags &= ~(kEvalCached | kTacticsCached);
  SetGameStage(pos, 1);
  Evaluate(pos, kNoScore, 2);
  return pos.evalScore;
}

template <class T, std::size_t N>
std::string ArrayDiff(const char* name, const std::array<T, N>& a, const std::array<T, N>& b) {
  for (std::size_t i = 0; i < N; ++i)
    if (a[i] != b[i])
      return std::string(name) + "[" + std::to_string(i) + "] " + std::to_string(a[i]) + " vs " +
             std::to_string(b[i]);
  return "";
}

inline std::string ValueDiff(const char* name, int64_t a, int64_t b) {
  return a == b ? "" : std::string(name) + " " + std::to_string(a) + " vs " + std::to_string(b);
}

// Empty when the two positions carry the same evaluation: the score, the
// tactics term and its capture, the evaluation's flags and every cached term.
inline std::string EvaluationDiff(const Position& a, const Position& b) {
  const EvalCache &x = a.eval, &y = b.eval;
  constexpr uint32_t kEvalFlags = kDrawish | kEvalCached | kTacticsCached | kKingZones;
  for (const std::string& d : {
           ValueDiff("evalScore", a.evalScore, b.evalScore), ValueDiff("evalTerm", a.evalTerm, b.evalTerm),
           ValueDiff("bestMove.from", a.bestMove.from, b.bestMove.from),
           ValueDiff("bestMove.to", a.bestMove.to, b.bestMove.to),
           ValueDiff("flags", a.flags & kEvalFlags, b.flags & kEvalFlags),
           ValueDiff("recomputeMask", x.recomputeMask, y.recomputeMask),
           ArrayDiff("passedMask", x.passedMask, y.passedMask), ArrayDiff("pieceValue", x.pieceValue, y.pieceValue),
           ValueDiff("slowTerms", x.slowTerms, y.slowTerms), ValueDiff("pinnedMask", x.pinnedMask, y.pinnedMask),
           ValueDiff("enPriseMask", x.enPriseMask, y.enPriseMask),
           ValueDiff("attackingMask", x.attackingMask, y.attackingMask),
           ArrayDiff("controlValue", x.controlValue, y.controlValue),
           ArrayDiff("controlSign", x.controlSign, y.controlSign),
           ArrayDiff("controllers", x.controllers, y.controllers),
           ValueDiff("controlTotal", x.controlTotal, y.controlTotal),
           ArrayDiff("attackedCount", x.attackedCount, y.attackedCount),
           ArrayDiff("controlledCount", x.controlledCount, y.controlledCount),
           ArrayDiff("controlledTotal", x.controlledTotal, y.controlledTotal),
           ArrayDiff("raceMask", x.raceMask, y.raceMask)}) {
    if (!d.empty()) return d + " in " + FormatPosition(a);
  }
  return "";
}

// The position with the rows turned over and the colours exchanged: White's
// pieces become Black's on the mirrored squares, the other side moves, the
// castling rights and the engine's side change hands; in the 3D game the
// attack boards change places with their mirror images. Rebuilt and
// evaluated as the root does. With `mirror` false, the position itself.
inline std::unique_ptr<Position> Mirrored(const Position& pos, bool mirror = true) {
  auto m = std::make_unique<Position>();
  m->gameMode = pos.gameMode;
  m->rules = pos.rules;
  const int flip = mirror ? 7 : 0, sign = mirror ? -1 : 1;
  for (Square s = 0; s < 64; ++s) m->board[s ^ flip] = sign * pos.board[s];
  for (int b = 0; b < 4; ++b) {
    m->pins[b ^ (mirror ? 1 : 0)] = pos.pins[b] ^ flip;
    m->owners[b ^ (mirror ? 1 : 0)] = mirror ? 1 - pos.owners[b] : pos.owners[b];
  }
  const uint32_t rights = pos.flags & kCastleRights;
  const uint32_t castled = pos.flags & (kWhiteCastled | kBlackCastled);
  m->flags = mirror ? ((rights & 3) << 2) | (rights >> 2) : rights;
  m->flags |= mirror ? ((castled & kWhiteCastled) << 1) | ((castled & kBlackCastled) >> 1) : castled;
  m->epSquare = pos.epSquare ? pos.epSquare ^ flip : 0;
  m->ply = pos.ply + (mirror ? 1 : 0);
  m->halfmoveCount = pos.halfmoveCount;
  EXPECT_EQ(RebuildPosition(*m), 1) << FormatPosition(pos);
  const bool engineWhite = (pos.flags & kEngineWhite) != 0;
  RootScore(*m, mirror ? !engineWhite : engineWhite);
  return m;
}

// The position rebuilt from its board: the pieces in the slots a fresh
// set-up gives them (a game may have left a promoted piece in a pawn's slot).
inline std::unique_ptr<Position> Rebuilt(const Position& pos) { return Mirrored(pos, false); }

// The attack maps of a position and of its mirror image agree: as many white
// attackers (and x-rays) on each square as black ones on its mirror square.
// Where they do not, the 3D geometry does not mirror that board placement.
inline bool MapsMirror(const Position& pos, const Position& mirror) {
  auto count = [](uint32_t m, uint32_t side) { return std::popcount(m & side); };
  for (Square s = 0; s < 64; ++s) {
    for (const auto& map : {&Position::attackedBy, &Position::xrayBy}) {
      const uint32_t a = (pos.*map)[s], b = (mirror.*map)[s ^ 7];
      if (count(a, kWhiteSlots) != count(b, kBlackSlots) || count(a, kBlackSlots) != count(b, kWhiteSlots))
        return false;
    }
  }
  return true;
}

}  // namespace torvik::test
