// The game listing: the moves played, numbered in pairs, and a picture of the
// board, in a text file; or the moves alone on the console.
#pragma once

#include <string>

#include "board/position.h"
#include "record/game.h"

namespace torvik {

constexpr const char* kListingName = "gamelist.txt";

// The move lines: for each ply "\n%2d." with the move number before white's
// move, " -" before black's, then " %s" with the move's text. Plies before an
// edited start's ply are not part of the record: the line of a start with black
// to move shows white's move empty.
std::string ListingMoves(const GameState& gs, const GameRecord& record);

// The board as an 8x8 grid of cells "|*Q " (a '*' marks black), row 7 at the
// top, columns 0..7 from the left, ruled off between the rows, with a rule
// above ("\n\n\n" and 33 dashes) and below.
std::string ListingBoard(const Position& pos);

// The whole file: "Game listing: %d plies\n", the move lines, the board.
std::string ListingText(const GameState& gs, const GameRecord& record);

// Alt+L: the move lines on the console, then "\n". When the last move's text
// is empty the texts are rebuilt first by undo 0 (which leaves the engine not
// playing).
void ListGameToConsole(Game& game);

// L: the listing written to `name` ("gamelist.txt" by default), the move lines
// also on the console after "\nGame listing: %d plies", then "\n". A file that
// does not open prints "NAME: <system error>\n" and the warning "can't open
// list file for writing". True when the file was written whole.
bool ListGameToFile(Game& game, const std::string& name);

}  // namespace torvik
