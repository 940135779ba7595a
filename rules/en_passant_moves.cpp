#include "rules/en_passant_moves.h"

#include "board/console.h"
#include "board/rays.h"

namespace torvik {
namespace {

// The capture steps of the side to move, each with the step that leads back
// from the en-passant square to the capturing pawn: the lower file first.
struct EpStep {
  int back;     // from the en-passant square to the pawn
  int capture;  // the pawn's step
};
constexpr std::array<EpStep, 2> kWhiteSteps = {{{-9, 9}, {7, -7}}};
constexpr std::array<EpStep, 2> kBlackSteps = {{{-7, 7}, {9, -9}}};

}  // namespace

void AddEnPassant2D(const Position& pos, MoveSink& sink) {
  const Square ep = pos.epSquare;
  if (ep == 0 || !IsSquare(ep)) return;
  const bool white = WhiteToMove(pos);
  const int pawn = white ? kPawn : -kPawn;
  for (const EpStep& step : white ? kWhiteSteps : kBlackSteps) {
    RayList from;
    if (GetRay(pos, ep, step.back, from) == 0 || pos.board[from.squares[0]] != pawn) continue;
    Append(sink, pawn, from.squares[0], ep, white ? kEnPassantWhite : kEnPassantBlack, Fill::kKeep);
  }
}

void AddEnPassant3D(Position& pos, MoveSink& sink) {
  const Square ep = pos.epSquare;
  if (ep == 0) return;
  const bool white = WhiteToMove(pos);
  if (!IsSquare(ep)) {
    Warn(true, white ? "EP(W) ERROR" : "EP(B) ERROR");
    pos.hashKey ^= uint32_t(ep) << 8;  // the key holds the square: keep it true
    pos.epSquare = 0;
    return;
  }
  const int pawn = white ? kPawn : -kPawn;
  for (const EpStep& step : white ? kWhiteSteps : kBlackSteps) {
    RayList pawns;
    GetRay(pos, ep, step.back, pawns);
    for (int i = 0; i < pawns.count; ++i) {
      const Square from = pawns.squares[i];
      if (pos.board[from] != pawn) continue;
      RayList targets;
      GetRay(pos, from, step.capture, targets);
      // An occupied target is a plain capture (listed with the attack map's
      // moves) or holds the mover's own piece.
      for (int j = 0; j < targets.count; ++j)
        if (pos.board[targets.squares[j]] == 0)
          Append(sink, pawn, from, targets.squares[j], kEnPassantWhite);
    }
  }
}

}  // namespace torvik
