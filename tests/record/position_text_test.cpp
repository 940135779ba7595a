#include <gtest/gtest.h>

#include <vector>

#include "board/setup.h"
#include "record/position_text.h"
#include "support/positions.h"

namespace torvik {
namespace {

TEST(PositionText, StartPositionsMatchTheSetUp) {
  for (int mode : {kGame2D, kGame3D}) {
    Position set, read = test::FromText(mode == kGame3D ? kStartText3D : kStartText2D, mode);
    SetStartPosition(set, mode);
    EXPECT_EQ(read.board, set.board);
    EXPECT_EQ(read.pieces[5].square, set.pieces[5].square);
    EXPECT_EQ(read.hashKey, set.hashKey);
    EXPECT_EQ(read.hashLock, set.hashLock);
    EXPECT_EQ(read.flags, set.flags);
    EXPECT_EQ(FormatPosition(set), mode == kGame3D ? kStartText3D : kStartText2D);
  }
}

TEST(PositionText, FenFields) {
  Position pos = test::From2D("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b Kq e3 0 3");
  EXPECT_EQ(pos.epSquare, MakeSquare(4, 2));
  EXPECT_EQ(pos.flags & 15, 1u | 8u);
  EXPECT_EQ(pos.halfmoveCount, 1);
  EXPECT_EQ(pos.ply, 5);
  EXPECT_EQ(pos.board[MakeSquare(3, 3)], -kPawn);
  EXPECT_EQ(pos.board[7], -kRook);   // a8
  EXPECT_EQ(pos.board[63], -kRook);  // h8
}

TEST(PositionText, ReadAndShownAgainUnchanged) {
  const std::vector<std::pair<std::string, int>> texts = {
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", kGame2D},
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", kGame2D},
      {"rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 4 17", kGame2D},
      {"RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn b QL3,QL6,KL1,KL6 wbwb Kq 33 5 9",
       kGame3D},
      {"..........................K..................k.................. w QL2,QL5,KL3,KL4 wbwb - - 0 1",
       kGame3D},
  };
  for (const auto& [text, mode] : texts) {
    Position pos = test::FromText(text, mode);
    EXPECT_EQ(FormatPosition(pos), text);
  }
}

TEST(PositionText, NormalisesWhatTheRebuildDrops) {
  // No rook on h1: the K right goes. An empty board returns to its owner.
  Position pos = test::From2D("4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1");
  EXPECT_EQ(FormatPosition(pos), "4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  pos = test::From3D(
      "..........................K..................k.................. w QL1,QL6,KL1,KL6 bwbw - -");
  EXPECT_EQ(FormatPosition(pos),
            "..........................K..................k.................. w QL1,QL6,KL1,KL6 wbwb - - 0 1");
}

TEST(PositionText, ErrorsNameWhatIsWrong) {
  const std::string board3D = "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn";
  const std::vector<std::tuple<std::string, int, std::string>> cases = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1", kGame2D, "FEN board must have 8 ranks"},
      {"rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, "rank 7 is too long"},
      {"rnbqkbnr/pppppppp/54/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, "rank 6 is too long"},
      {"rnbqkbnr/ppppxppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, "unknown piece letter 'x'"},
      {"rnbq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1", kGame2D, "black has no king"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1", kGame2D, "side to move must be w or b"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e4 0 1", kGame2D, "bad en-passant square 'e4'"},
      {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", kGame2D, "pawn on the first or last rank"},
      {board3D.substr(1) + " w QL1,QL6,KL1,KL6 wbwb KQkq -", kGame3D, "board field has 63 squares, not 64"},
      {board3D + " w QL1,QL7,KL1,KL6 wbwb KQkq -", kGame3D, "bad pin name 'QL7'"},
      {board3D + " w QL1,QL6,KL1,QL1 wbwb KQkq -", kGame3D, "two boards on pin QL1"},
      {board3D + " w QL1,QL6,KL1,KL6 wbxb KQkq -", kGame3D, "owners must be four of w/b"},
      {board3D + " w QL1,QL6,KL1,KL6 wbwb KQkq 64", kGame3D, "bad en-passant square '64'"},
      {board3D + " w QL1,QL6,KL1,KL6 wbwb KQkq - 0", kGame3D, "3D position needs 6 or 8 fields"},
      {std::string(64, '.') + " w QL1,QL6,KL1,KL6 wbwb - -", kGame3D, "white has no king"},
  };
  for (const auto& [text, mode, message] : cases) {
    Position pos;
    std::string error;
    EXPECT_FALSE(ParsePosition(text, mode, pos, error)) << text;
    EXPECT_EQ(error, message) << text;
  }
}

}  // namespace
}  // namespace torvik
