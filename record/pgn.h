// Game texts in PGN form. The 2D game is standard PGN (moves in SAN); the 3D
// game takes the same form with its own tags, [Variant "3D Tournament"] or
// [Variant "3D Standard"], its position text in [Position "..."], and moves
// in the 3D notation named by [Notation "..."] (Tournament by default). The
// reader also takes the program's move texts (e2e4, 33-34, 100:QL1-QL3) and,
// in the 3D game, the names of every notation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "record/game_state.h"

namespace torvik {

struct PgnTag {
  std::string name, value;
};

struct PgnWord {
  std::string text;
  int line = 0;  // of the file, from 1
};

// One game of a PGN text: its tags, the words of its main line (move numbers,
// comments, variations and annotations left out) and its result.
struct PgnGame {
  std::vector<PgnTag> tags;
  std::vector<PgnWord> moves;
  std::string result = "*";
  int line = 0;  // where the game begins
};

// The games of a PGN text. False, with the line and reason in `error`, when
// the text cannot be split into games (a broken tag, an unclosed comment or
// variation); `games` then holds the games before the broken one.
bool SplitPgn(std::string_view text, std::vector<PgnGame>& games, std::string& error);

// The value of a tag, or nullptr.
const std::string* PgnTagValue(const PgnGame& game, std::string_view name);

// Plays `game` into `gs`: its mode and rules (Variant), its start (SetUp with
// FEN or Position) and its moves as the record, up to the position after the
// last one; the other settings of `gs` stay. False, with the line and reason
// in `error`, at a bad tag or a move that is not legal or not one move; `gs`
// is then in an unfinished state.
bool PlayPgnGame(const PgnGame& game, GameState& gs, std::string& error);

// The score a PGN result names (1-0, 0-1, 1/2-1/2), as a winner; kNoWinner for "*".
int WinnerOfResult(std::string_view result);

// Who played, for the tags.
struct PgnPlayers {
  std::string white = "?", black = "?";
};

// The game of `gs` as PGN text: its start, its record up to `lastPly` (the
// game's last ply: a replay shown does not cut it), and `winner` (kNoWinner:
// found on the board, if mate, stalemate or a draw stands there). 3D moves are
// named in gs.notation where the name is one move's; else by their move text.
std::string PgnOfGame(const GameState& gs, int lastPly, int winner, const PgnPlayers& players,
                      const std::string& date);

}  // namespace torvik
