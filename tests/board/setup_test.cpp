#include <gtest/gtest.h>

#include "board/console.h"
#include "board/hash_keys.h"
#include "board/rebuild.h"
#include "board/setup.h"
#include "engine/material.h"
#include "record/game_state.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Board3D;
using test::From2D;
using test::From3D;

// Everything a rebuilt Position derives from its board must agree with it.
void ExpectConsistent(const Position& pos) {
  uint32_t occupied = 0, officers = 0;
  int32_t material[2] = {0, 0};
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& e = pos.pieces[slot];
    if (e.code == 0) continue;
    EXPECT_EQ(e.code < 0, slot >= 16) << "slot " << slot;
    EXPECT_EQ(pos.board[e.square], e.code) << "slot " << slot;
    EXPECT_EQ(pos.slotOf[e.square], slot);
    occupied |= SlotBit(slot);
    if (TypeOf(e.code) != kPawn) officers |= SlotBit(slot);
    material[e.code < 0] += PieceValue(e.code);
  }
  int onBoard = 0;
  for (Square s = 0; s < 64; ++s) {
    if (pos.board[s] == 0) EXPECT_EQ(pos.slotOf[s], kNoSlot);
    else ++onBoard;
  }
  EXPECT_EQ(onBoard, std::popcount(occupied));
  EXPECT_EQ(pos.occupiedMask, occupied);
  EXPECT_EQ(pos.pieceMask, officers);
  EXPECT_EQ(pos.eval.material[kWhite], material[0]);
  EXPECT_EQ(pos.eval.material[kBlack], material[1]);
  uint32_t key, lock;
  ComputeKeys(pos, key, lock);
  EXPECT_EQ(pos.hashKey, key);
  EXPECT_EQ(pos.hashLock, lock);
}

TEST(Setup, NewGame3D) {
  Position pos;
  ASSERT_EQ(SetStartPosition(pos, kGame3D), 1);
  EXPECT_EQ(pos.ply, 0);
  EXPECT_EQ(pos.flags, 15u);
  EXPECT_EQ(pos.epSquare, 0);
  EXPECT_EQ(pos.hashKey & 1, 0u);
  EXPECT_EQ(pos.pieces[0].code, kKing);
  EXPECT_EQ(pos.pieces[0].square, 16);
  EXPECT_EQ(pos.pieces[16].code, -kKing);
  EXPECT_EQ(pos.pieces[16].square, 23);
  EXPECT_EQ(pos.pieces[1].code, kQueen);
  EXPECT_EQ(pos.pieces[1].square, 8);
  for (int slot = 8; slot < 16; ++slot) EXPECT_EQ(pos.pieces[slot].code, kPawn);
  for (int slot = 24; slot < 32; ++slot) EXPECT_EQ(pos.pieces[slot].code, -kPawn);
  EXPECT_EQ(pos.pins, (std::array<int32_t, 4>{32, 39, 56, 63}));
  EXPECT_EQ(pos.owners, (std::array<int32_t, 4>{1, 0, 1, 0}));
  EXPECT_EQ(pos.occupiedMask, 0xffffffffu);
  EXPECT_EQ(pos.sliderMask, 0x003e003eu);
  ExpectConsistent(pos);
}

TEST(Setup, NewGame2D) {
  Position pos;
  ASSERT_EQ(SetStartPosition(pos, kGame2D), 1);
  EXPECT_EQ(pos.pieces[0].square, 32);   // e1
  EXPECT_EQ(pos.pieces[16].square, 39);  // e8
  EXPECT_EQ(pos.pieces[1].square, 24);   // d1
  EXPECT_EQ(pos.board[0], kRook);
  EXPECT_EQ(pos.board[63], -kRook);
  EXPECT_EQ(pos.board[57], kPawn);
  EXPECT_EQ(pos.pieces[8].square, 1);    // pawns in square order
  EXPECT_EQ(pos.pieces[15].square, 57);
  ExpectConsistent(pos);
}

TEST(Setup, BishopSlotsByColour) {
  for (int mode : {kGame2D, kGame3D}) {
    Position pos;
    ASSERT_EQ(SetStartPosition(pos, mode), 1);
    auto parity = [&](int slot) {
      Square s = pos.pieces[slot].square;
      return (ColumnOf(s) ^ RowOf(s)) & 1;
    };
    EXPECT_EQ(parity(4), 1) << mode;
    EXPECT_EQ(parity(5), 0) << mode;
    EXPECT_EQ(parity(20), 0) << mode;
    EXPECT_EQ(parity(21), 1) << mode;
  }
}

TEST(Setup, MissingPiecesLeaveTheirSlotsEmpty) {
  Position pos = From2D("r3k3/8/8/8/8/8/8/R3K2R w KQq - 0 1");  // white has no queen
  EXPECT_EQ(pos.pieces[1].code, 0);
  EXPECT_EQ(pos.pieces[2].code, kRook);
  EXPECT_EQ(pos.pieces[3].code, kRook);
  EXPECT_EQ(pos.pieces[18].code, -kRook);
  EXPECT_EQ(pos.pieces[19].code, 0);
  EXPECT_EQ(pos.flags, 11u);  // K Q q: the black rook on a8 is home
  ExpectConsistent(pos);
}

TEST(Setup, ExtraOfficersTakeFreePawnSlots) {
  // Three white queens and three rooks, with all other pieces: every piece kept.
  Position pos = From2D("4k3/8/8/8/QQ6/RRR5/PPPP4/RNBQKBN1 w - - 0 1");
  EXPECT_EQ(pos.pieces[1].code, kQueen);
  int queens = 0, rooks = 0;
  for (int slot = 0; slot < 16; ++slot) {
    queens += pos.pieces[slot].code == kQueen;
    rooks += pos.pieces[slot].code == kRook;
  }
  EXPECT_EQ(queens, 3);
  EXPECT_EQ(rooks, 4);
  EXPECT_EQ(pos.pieces[12].code, kPawn);  // four pawns in the last slots
  ExpectConsistent(pos);
}

TEST(Setup, RefusesImpossibleSides) {
  Position pos;
  pos.gameMode = kGame2D;
  pos.board[32] = kKing;
  ConsoleCapture log;
  EXPECT_EQ(BoardToPieces(pos), 0);
  EXPECT_EQ(log.Text(), "\nno king");
  pos.board[39] = -kKing;
  pos.board[47] = -kKing;
  EXPECT_EQ(BoardToPieces(pos), 0);
  pos.board[47] = 0;
  for (Square s = 0; s < 17; ++s) if (!pos.board[s]) pos.board[s] = kKnight;
  log.Clear();
  EXPECT_EQ(BoardToPieces(pos), 0);
  EXPECT_EQ(log.Text(), "\nwhite has more than 16 pieces");
}

TEST(Setup, CastlingRightsNeedKingAndRookHome) {
  // 3D: white king moved to 24 loses both rights; black keeps its own.
  std::string board = Board3D({{24, 'K'}, {0, 'R'}, {23, 'k'}, {31, 'r'}, {7, 'r'}});
  Position pos = From3D(board + " w QL1,QL6,KL1,KL6 wbwb KQkq -");
  EXPECT_EQ(pos.flags & 15, 12u);
  ExpectConsistent(pos);
  pos = From2D("r3k2r/8/8/8/8/8/8/R3K1R1 w KQkq - 0 1");
  EXPECT_EQ(pos.flags & 15, 14u);  // no rook on h1
}

TEST(Setup, NewGameSettings) {
  auto gs = std::make_unique<GameState>();
  gs->gameMode = kGame3D;
  gs->engineSide = 1;
  ASSERT_EQ(NewGameSetup(*gs), 1);
  EXPECT_EQ(gs->ttMegabytes, 8);
  EXPECT_EQ(gs->engineSide, kEnginePlaysBlack);
  EXPECT_EQ(gs->selection, kNoSquare);
  EXPECT_EQ(gs->spreadMode, kSpreadPiece);
  EXPECT_EQ(gs->targetMarks[17], 'A');
  EXPECT_EQ(gs->position.history, &gs->keyHistory);
  EXPECT_EQ(gs->startEdited, 0);
}

TEST(Setup, ResetBoardHashesSaysSo) {
  ConsoleCapture log;
  ResetBoardHashes();
  EXPECT_EQ(log.Text(), "\nBoard Hashes Reset");
}

}  // namespace
}  // namespace torvik
