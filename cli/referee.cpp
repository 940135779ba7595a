// referee: the program's rules as the judge of a match between two engines.
// Each line of standard input is a move, in move text or named in the
// notation (Nf3, O-O), or "show" (the position text) or "moves" (the legal
// moves in move text, on one line); each move is answered with one line on
// standard output: "ok MOVE" (its move text) when it is legal and the game
// goes on, "illegal TEXT" when it is not (it is not played), or "over RESULT
// REASON" when it ends the game: mate, stalemate, repetition, 101 quiet
// plies, insufficient material, or the record full. The game is tested as
// the engine tests its own move before it plays it.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "record/engine_thread.h"
#include "record/game.h"
#include "record/game_over.h"
#include "record/move_text.h"
#include "record/named_move.h"
#include "record/position_text.h"
#include "rules/legality.h"
#include "rules/perft.h"

namespace torvik::cli {
namespace {

void Answer(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// The words of a result without the line break before them and the mark after.
std::string Reason(std::string words, const Position& after) {
  if (words.find("repeating") != std::string::npos && after.halfmoveCount > 101) return "101 quiet plies";
  while (!words.empty() && (words.front() == '\n' || words.front() == ' ')) words.erase(0, 1);
  while (!words.empty() && words.back() == '!') words.pop_back();
  return words;
}

// One move: checked, tested for the end of the game, and played.
std::string Judge(Game& game, const std::string& text) {
  Position& pos = game.state.position;
  Move m;
  if (FindNamedMove(pos, game.state.notation, text, m) != NamedMove::kFound || !LegalMove(pos, m))
    return "illegal " + text;
  const std::string played = FormatMoveText(pos, m);
  auto probe = std::make_unique<Position>(pos);
  std::string words;
  const bool over = FindWinner(*probe, &m, false, &words) != 0;
  if (!PlayerMoved(game, m))
    return RecordIsFull(game) ? std::string("over 1/2-1/2 record full") : "illegal " + text;
  if (!over) return "ok " + played;
  pos.winner = probe->winner;
  return std::string("over ") + ResultCode(probe->winner) + " " + Reason(words, pos);
}

std::string LegalMoveTexts(Position& pos) {
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  std::string line;
  for (int i = 0; i < n; ++i) line += (i ? " " : "") + FormatMoveText(pos, moves[i]);
  return line;
}

}  // namespace

int Referee(Options& options) {
  if (!NoOtherOptions(options)) return kBadUsage;
  auto game = std::make_unique<Game>();
  if (!StartQuietGame(*game, options)) return kBadUsage;
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const std::string text = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
    if (text == "quit") break;
    if (text == "show") Answer(FormatPosition(game->state.position));
    else if (text == "moves") Answer(LegalMoveTexts(game->state.position));
    else if (game->state.position.winner != kNoWinner) Answer("over " + std::string(ResultCode(game->state.position.winner)) + " the game is over");
    else Answer(Judge(*game, text));
  }
  return 0;
}

}  // namespace torvik::cli
