#include "cli/picture.h"

#include <algorithm>
#include <array>

#include "board/geometry.h"

namespace torvik::cli {
namespace {


char Cell(int code) { return code == 0 ? '.' : PieceLetter(code); }

std::string Picture2D(const Position& pos) {
  std::string out;
  for (int rank = 7; rank >= 0; --rank) {
    out += std::to_string(rank + 1) + "  ";
    for (int file = 0; file < 8; ++file) {
      out += Cell(pos.board[MakeSquare(file, rank)]);
      out += file < 7 ? " " : "\n";
    }
  }
  return out + "   a b c d e f g h\n";
}

const char* LevelName(int level) {
  switch (level) {
    case 7: return "attack boards above the black level";
    case 6: return "black level";
    case 5: return "attack boards above the neutral level";
    case 4: return "neutral level";
    case 3: return "attack boards above the white level";
    default: return "white level";
  }
}

// One level on the file/rank grid: the ranks it covers, blanks where it has no square.
std::string PictureLevel(const Position& pos, int level) {
  std::array<std::array<int, 6>, 10> grid;
  for (auto& row : grid) row.fill(-1);
  int top = -1, bottom = 10;
  for (Square s = 0; s < kSquareCount; ++s) {
    Projection p;
    if (GetSquareLevel(pos, s) != level || !ProjectionOf(pos, s, p)) continue;
    grid[p.rank][p.file] = s;
    top = std::max(top, p.rank);
    bottom = std::min(bottom, p.rank);
  }
  if (top < 0) return "";
  std::string out = std::string(LevelName(level)) + "\n";
  for (int rank = top; rank >= bottom; --rank) {
    out += std::to_string(rank) + "  ";
    for (int file = 0; file < 6; ++file) {
      int s = grid[rank][file];
      out += s < 0 ? ' ' : Cell(pos.board[s]);
      out += ' ';
    }
    out.erase(out.find_last_not_of(' ') + 1);
    out += '\n';
  }
  return out + "   z a b c d e\n";
}

std::string Picture3D(const Position& pos) {
  std::string out;
  for (int level = 7; level >= 2; --level) {
    std::string part = PictureLevel(pos, level);
    if (!part.empty()) out += (out.empty() ? "" : "\n") + part;
  }
  out += "\nattack boards:";
  for (int b = 0; b < kAttackBoards; ++b) {
    int pin = PinIndex(pos.pins[b]);
    out += " " + std::to_string(kBoardCodes[b]) + " on " + (pin < 0 ? "??" : kPinTable[pin].name) +
           (pos.owners[b] ? " (white)" : " (black)") + (b < 3 ? "," : "\n");
  }
  return out;
}

}  // namespace

std::string Picture(const Position& pos) { return Is3D(pos) ? Picture3D(pos) : Picture2D(pos); }

}  // namespace torvik::cli
