// Whether a move may be played, and whether the game has ended.
#pragma once

#include <string>

#include "board/position.h"

namespace torvik {

// 1 when the move is legal in the position: it is among the generated moves
// (same piece, from and to; the kind does not matter) and leaves the mover's
// king unattacked. The move comes back completed by make-move (capture and
// en-passant kinds, check byte); a move without a kind of its own (one from
// the engine's table) gets the generated move's. The position is not changed, apart from
// castling rights the generator finds unbacked.
int LegalMove(Position& pos, Move& move);

// 1 when the position counts as repeated `count` times: it stood `count` times
// before with the same side to move since the last capture or pawn move, or
// 101 plies have passed without one.
int IsRepetition(const Position& pos, int count);

// 1 when the king of `side` (+1 white, -1 black) is attacked; the maps must be current.
bool KingAttacked(const Position& pos, int side);

// Declares a finished game: mate, stalemate, repetition, insufficient material.
// `move` is the move about to be played; nullptr asks about the position as it
// stands, the side to move without a legal move being mated or stalemated.
// `autoPlay` is set when the engine plays both sides. Writes pos.winner,
// prints the result (or adds it to `announcement`, when given, for the caller
// to print once the move is shown) and returns 1 when the game is over.
int FindWinner(Position& pos, Move* move, bool autoPlay, std::string* announcement = nullptr);

}  // namespace torvik
