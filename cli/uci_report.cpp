#include "cli/uci_report.h"

#include <algorithm>
#include <memory>

#include "engine/score.h"
#include "record/move_text.h"
#include "rules/legality.h"
#include "rules/make_move.h"
#include "rules/move_list.h"
#include "rules/perft.h"

namespace torvik::cli {

std::string UciScore(int32_t value) {
  if (IsWinningMate(value)) return "mate " + std::to_string((kFirstMate - value + 2) / 2);
  if (IsLosingMate(value)) {
    const int moves = (kFirstMate + 1 + value) / 2;  // 0: mated already
    return moves == 0 ? "mate 0" : "mate -" + std::to_string(moves);
  }
  return "cp " + std::to_string(value / 100);
}

std::string UciLine(const Position& root, const std::vector<Move>& moves) {
  auto at = std::make_unique<Position>(root);
  auto next = std::make_unique<Position>();
  at->previous = nullptr;
  at->history = nullptr;  // the line is not the game: no keys are stored for it
  std::string text;
  for (Move m : moves) {
    if (!MakeMove(*next, *at, m)) break;  // names a promotion's piece in the move
    text += (text.empty() ? "" : " ") + FormatMoveText(*at, m);
    next->previous = nullptr;
    std::swap(at, next);
  }
  return text;
}

std::string UciInfo(const DepthReport& r, const Position& root, int64_t ms) {
  const int64_t nps = r.nodes * 1000 / std::max<int64_t>(ms, 1);
  std::string line = "info depth " + std::to_string(r.depth) + " seldepth " +
                     std::to_string(std::max(r.deepestPly, r.depth)) + " score " + UciScore(r.value) +
                     " nodes " + std::to_string(r.nodes) + " nps " + std::to_string(nps) + " time " +
                     std::to_string(ms);
  const std::string pv = UciLine(root, r.line);
  return pv.empty() ? line : line + " pv " + pv;
}

std::string UciBestMove(const Position& root, const Move& move) {
  auto pos = std::make_unique<Position>(root);
  pos->history = nullptr;  // the tests below must not write into the game's keys
  Move legal = move;
  // Making the move names a promotion's piece (a queen unless the move says).
  if ((move.from != 0 || move.to != 0) && LegalMove(*pos, legal)) return FormatMoveText(root, legal);
  MoveList moves;
  if (LegalMoves(*pos, moves) == 0) return "0000";
  Move first = moves[0];
  LegalMove(*pos, first);
  return FormatMoveText(root, first);
}

}  // namespace torvik::cli
