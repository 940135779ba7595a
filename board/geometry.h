// Where the squares of the 3D board are: three fixed 4x4 levels and four movable
// 2x2 attack boards standing on twelve pins.
//
//   columns 0..3, rows 0,1   white attack boards (board 0 on columns 0-1, board 2 on 2-3)
//   columns 0..3, rows 2..5  neutral level, files a..d, ranks 3..6
//   columns 0..3, rows 6,7   black attack boards (board 1 on columns 0-1, board 3 on 2-3)
//   columns 4..7, rows 0..3  white level, ranks 1..4
//   columns 4..7, rows 4..7  black level, ranks 5..8
//
// Files are z, a, b, c, d, e (index 0..5) and ranks 0..9; z, e, 0 and 9 exist only
// on attack boards, whose squares take their file and rank from their pin.
#pragma once

#include <array>
#include <cstdint>

#include "board/position.h"
#include "board/square.h"

namespace torvik {

// Levels by height; attack boards stand one above the fixed level they belong to.
enum Level : int {
  kLevel2D = 0,
  kWhiteLevel = 2,
  kNeutralLevel = 4,
  kBlackLevel = 6,
};

constexpr int kAttackBoards = 4;
constexpr int kPins = 12;
// The attack boards' codes (a board move names its board by one in `piece`).
constexpr int kWhiteQueenBoard = 100;  // board 0, home QL1
constexpr int kBlackQueenBoard = 106;  // board 1, home QL6
constexpr int kWhiteKingBoard = 116;   // board 2, home KL1
constexpr int kBlackKingBoard = 122;   // board 3, home KL6
constexpr std::array<int, kAttackBoards> kBoardCodes = {kWhiteQueenBoard, kBlackQueenBoard, kWhiteKingBoard,
                                                        kBlackKingBoard};
constexpr std::array<Square, kAttackBoards> kBoardBase = {0, 6, 16, 22};
constexpr std::array<int, kAttackBoards> kStartOwner = {1, 0, 1, 0};
constexpr std::array<int, kAttackBoards> kHomePin = {32, 39, 56, 63};  // QL1, QL6, KL1, KL6

struct PinInfo {
  Square square;           // the fixed-level corner beneath the pin
  const char* name;        // "QL1"
  const char* shortName;   // "Q1"
  const char* label;       // "q1"
  int level;               // 3, 5 or 7
  bool queenSide;          // files z, a; else d, e
  int lowRank;             // lower of the two ranks covered
  int height;              // z of the board in space
  int freeBit;             // bit of the free-pin mask
};

// In the order QL1..QL6, KL1..KL6; a pin's index here is its pin number.
constexpr std::array<PinInfo, kPins> kPinTable = {{
    {32, "QL1", "Q1", "q1", 3, true, 0, -1, 1},
    {35, "QL2", "Q2", "q2", 3, true, 4, -1, 8},
    {2, "QL3", "Q3", "q3", 5, true, 2, 1, 2},
    {5, "QL4", "Q4", "q4", 5, true, 6, 1, 16},
    {36, "QL5", "Q5", "q5", 7, true, 4, 3, 4},
    {39, "QL6", "Q6", "q6", 7, true, 8, 3, 32},
    {56, "KL1", "K1", "k1", 3, false, 0, -1, 64},
    {59, "KL2", "K2", "k2", 3, false, 4, -1, 512},
    {26, "KL3", "K3", "k3", 5, false, 2, 1, 128},
    {29, "KL4", "K4", "k4", 5, false, 6, 1, 1024},
    {60, "KL5", "K5", "k5", 7, false, 4, 3, 256},
    {63, "KL6", "K6", "k6", 7, false, 8, 3, 2048},
}};

// Pin number 0..11 of a pin square code, or -1 when the value is no pin.
int PinIndex(int pin);

// Levels run 0..7: a slide keeps one open flag per level number.
constexpr int kLevelCount = 8;

// Level of a board standing on each pin, by the pin's square code; 0 where the
// code is no pin.
constexpr std::array<int8_t, kSquareCount> kLevelOfPin = [] {
  std::array<int8_t, kSquareCount> levels{};
  for (const PinInfo& pin : kPinTable) levels[pin.square] = int8_t(pin.level);
  return levels;
}();

// The level of a square (0 in the 2D game), for the move generator's inner
// loops: GetSquareLevel without its warnings (a board on no pin gives 0).
inline int LevelOfSquare(const Position& pos, Square s) {
  if (!Is3D(pos)) return kLevel2D;
  if (s >= 32) return RowOf(s) < 4 ? kWhiteLevel : kBlackLevel;
  const int row = RowOf(s);
  if (row >= 2 && row <= 5) return kNeutralLevel;
  const int pin = pos.pins[(ColumnOf(s) >= 2 ? 2 : 0) + (row >= 6 ? 1 : 0)];
  return IsSquare(pin) ? kLevelOfPin[pin] : 0;
}

// Board index 0..3 of an attack-board square, or -1 for a fixed-level square.
int BoardOfSquare(Square square);

// Board index 0..3 of a board code 100/106/116/122, or -1.
constexpr int BoardIndexOfCode(int code) {
  for (int i = 0; i < kAttackBoards; ++i)
    if (kBoardCodes[i] == code) return i;
  return -1;
}

// A square's place on the file/rank grid of the 3D board (files z..e = 0..5).
struct Projection {
  int file;
  int rank;
  bool operator==(const Projection&) const = default;
};

// Projection of a 3D square in this position; false when the square does not
// exist (no square, or its board stands on no pin).
bool ProjectionOf(const Position& pos, Square square, Projection& out);

// Space coordinates of a square's lower-left corner (the drawing's units).
struct SpacePoint {
  float x, y, z;
};
bool SquareCoords(const Position& pos, Square square, SpacePoint& out);

int GetSquareLevel(const Position& pos, Square square);
int GetAttackBoardLevel(const Position& pos, int which_ab);
void GetAttackBoardCoords(const Position& pos, int c, int r, int which_ab,
                          float& x, float& y, float& z);
const char* GetABString(const Position& pos, Square square, int notation);
const char* GetPinLabel(int pin);
int WhichABOnPin(const Position& pos, int pin);
int GetABPin(const Position& pos, int boardCode);
int WhiteOwns(const Position& pos, int boardCode);
int IsAttackBoardHome(const Position& pos, int boardCode);
void UpdateABOwners(Position& pos);

}  // namespace torvik
