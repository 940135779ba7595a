// The board editor: every edit leaves a rebuilt position that is also the
// game's start for undo; the engine declines boards it cannot play, and no move,
// undo or save on a broken board brings the program down.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include "board/board_checks.h"
#include "board/byte_io.h"
#include "record/board_editor.h"
#include "record/saved_game.h"
#include "rules/legality.h"
#include "support/game_files.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Contains;
using test::Inconsistency;
using test::MapsDiffer;
using test::QuietGame;
using test::Sq;

constexpr int kWhiteQueenMode = kEditAddWhitePawn + 4;
constexpr int kWhiteKnightMode = kEditAddWhitePawn + 1;
constexpr int kWhiteKingMode = kEditAddWhitePawn + 5;

bool SameStart(const Position& a, const Position& b) {
  return a.board == b.board && a.ply == b.ply && a.hashKey == b.hashKey && a.hashLock == b.hashLock &&
         a.pins == b.pins;
}

Square FindPiece(const Position& pos, int code) {
  for (Square s = 0; s < kSquareCount; ++s)
    if (pos.board[s] == code) return s;
  return kNoSquare;
}

// An empty square where a white queen attacks the black king.
Square CheckingSquare(const Position& pos) {
  for (Square s = 0; s < kSquareCount; ++s) {
    if (pos.board[s] != 0) continue;
    auto copy = std::make_unique<Position>(pos);
    copy->board[s] = kQueen;
    ConsoleCapture quiet;
    if (RebuildPosition(*copy) && KingAttacked(*copy, -1)) return s;
  }
  return kNoSquare;
}

int Edit(GameState& gs, int mode, Square s) {
  ConsoleCapture quiet;
  return EditAtSquare(gs, mode, s);
}

// Room for a white queen that checks: a white pawn and every black pawn go.
void ClearLines(GameState& gs) {
  Edit(gs, kEditRemove, FindPiece(gs.position, kPawn));
  for (Square s; (s = FindPiece(gs.position, -kPawn)) != kNoSquare;) Edit(gs, kEditRemove, s);
}

// The ways an edit breaks a board, white to move, and the reason the engine gives.
struct Breakage {
  const char* name;
  std::function<void(GameState&)> edit;
  const char* why;
};
const std::vector<Breakage> kBreakages = {
    {"no black king", [](GameState& gs) { Edit(gs, kEditRemove, FindPiece(gs.position, -kKing)); }, "black has no king"},
    {"two white kings",
     [](GameState& gs) {
       Edit(gs, kEditRemove, FindPiece(gs.position, kPawn));
       Edit(gs, kWhiteKingMode, FindPiece(gs.position, 0));
     },
     "white has more than one king"},
    {"black in check", [](GameState& gs) { ClearLines(gs); Edit(gs, kWhiteQueenMode, CheckingSquare(gs.position)); },
     "black is in check with white to move"},
    {"board cleared", [](GameState& gs) { ConsoleCapture q; EditBoard(gs, kEditClearBoard); }, "white has no king"},
    {"17 white pieces", [](GameState& gs) { Edit(gs, kWhiteKnightMode, FindPiece(gs.position, 0)); },
     "white has too many"},
};

TEST(BoardEditor, AClickOnNoSquareChangesNothing) {
  auto game = QuietGame(kGame3D);
  GameState& gs = game->state;
  std::vector<unsigned char> before(sizeof(GameState)), after(sizeof(GameState));
  std::memcpy(before.data(), static_cast<void*>(&gs), sizeof(GameState));
  ConsoleCapture log;
  for (int name : {kNoSquare, 65, -1, 64, 100, 106, 116, 122})
    for (int mode : {int(kEditRemove), kWhiteQueenMode}) EXPECT_EQ(EditAtSquare(gs, mode, name), 0) << name;
  std::memcpy(after.data(), static_cast<void*>(&gs), sizeof(GameState));
  EXPECT_TRUE(before == after);
  EXPECT_EQ(log.Text(), "");
  // A mode that places no piece leaves the square's piece as it was.
  EXPECT_EQ(EditAtSquare(gs, kEditNone, 41), 1);
  EXPECT_EQ(gs.position.board[41], kPawn);
}

// Any piece placed on (or removed from) any occupied square of games in
// progress: the piece list, keys and maps are those of a fresh rebuild, and
// the edited board is the game's start.
TEST(BoardEditor, ReplacingAPieceKeepsThePositionWhole) {
  int checked = 0;
  for (int mode : {kGame2D, kGame3D}) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
      auto game = QuietGame(mode);
      test::PlayRandom(*game, 16, seed);
      GameState& gs = game->state;
      std::mt19937 rng(seed);
      for (Square s = 0; s < kSquareCount; ++s) {
        if (gs.position.board[s] == 0 || TypeOf(gs.position.board[s]) == kKing) continue;
        const int pick = int(rng() % 11);  // remove, or a piece but a king of either side
        const int editMode = pick == 10 ? kEditRemove : (pick < 5 ? kEditAddBlackPawn : kEditAddWhitePawn) + pick % 5;
        ASSERT_EQ(Edit(gs, editMode, s), 1);
        const int type = editMode == kEditRemove ? 0 : pick % 5 + 1;
        EXPECT_EQ(gs.position.board[s], pick < 5 ? -type : type);
        if (std::string why; !SidesFit(gs.position, why)) continue;
        EXPECT_EQ(Inconsistency(gs.position), "");
        EXPECT_EQ(MapsDiffer(gs.position), "");
        EXPECT_TRUE(SameStart(gs.startPosition, gs.position));
        EXPECT_EQ(std::tuple(gs.startEdited, gs.startPosition.history), std::tuple(1, &gs.keyHistory));
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 50);
}

// The side to move: the ply's parity and the key's side bit follow, an
// en-passant square that no longer fits goes, and undo comes back here.
TEST(BoardEditor, SideToMove) {
  struct Case {
    int mode;
    std::string start;
    int command;
    int ply;
    Square ep;
  };
  const Case cases[] = {
      {kGame2D, "4k3/8/8/3pP3/8/8/8/4K3 b - - 0 1", kEditWhiteToMove, 0, 0},
      {kGame2D, "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", kEditWhiteToMove, 0, Sq('d', 6)},
      {kGame2D, "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", kEditBlackToMove, 1, 0},
      {kGame2D, "", kEditBlackToMove, 1, 0},
      {kGame3D, "", kEditBlackToMove, 1, 0},
  };
  for (const Case& c : cases) {
    auto game = QuietGame(c.mode, kTournament, c.start);
    GameState& gs = game->state;
    ConsoleCapture quiet;
    ASSERT_TRUE(EditBoard(gs, c.command));
    const Position edited = gs.position;
    EXPECT_EQ(edited.ply, c.ply) << c.start;
    EXPECT_EQ(edited.hashKey & 1, uint32_t(c.ply & 1));
    EXPECT_EQ(edited.epSquare, c.ep) << c.start;
    EXPECT_EQ(Inconsistency(edited), "");
    EXPECT_FALSE(EditBoard(gs, 7));
    test::PlayRandom(*game, 2, 5);
    Undo(*game, 2);
    EXPECT_TRUE(SameStart(gs.position, edited));
    Undo(*game, 0);
    EXPECT_TRUE(SameStart(gs.position, edited));
    StartEngine(*game, 0);
  }
}

// The editor's warning; the maps and the start are checked with the other broken
// boards. A board cleared after moves starts again at move 1, with no last move
// and, once the record is forgotten, no captured pieces or move texts.
TEST(BoardEditor, ClearBoardEmptiesEverySquare) {
  for (int mode : {kGame2D, kGame3D}) {
    auto game = QuietGame(mode);
    test::PlayRandom(*game, 7, 3);
    AppendCaptured(game->record, -kPawn);
    ConsoleCapture log;
    ASSERT_TRUE(EditBoard(game->state, kEditClearBoard));
    ForgetPlayedMoves(game->record);
    EXPECT_EQ(game->state.position.ply, 1);
    EXPECT_EQ(RecordStartPly(game->state), 1);
    EXPECT_EQ(game->state.position.lastMove.to, 0);
    EXPECT_EQ(CapturedCount(game->record), 0);
    EXPECT_STREQ(MoveText(game->record, 0), "");
    EXPECT_TRUE(Contains(log.Text(), "\nedited board may be unstable")) << log.Text();
    EXPECT_EQ(game->state.position.board, decltype(game->state.position.board){});
    EXPECT_EQ(game->state.position.occupiedMask, 0u);
  }
}

class BrokenBoards : public test::TempFolderTest {};

// A broken board is whole (its maps those of its pieces) and the game's start.
// The engine, on its turn, plays nothing and stops playing. Every generated
// move and some made-up ones handed in, each taken back; then a save and a
// restore: nothing crashes, and the edited board comes back, as saved and with
// a warning. The same start in a game never edited is refused.
TEST_F(BrokenBoards, TheEngineDeclinesThemAndNothingDoesHarm) {
  std::mt19937 rng(7);
  for (int mode : {kGame2D, kGame3D}) {
    std::string why;
    EXPECT_TRUE(PlayablePosition(QuietGame(mode)->state.position, why)) << why;
    for (const Breakage& b : kBreakages) {
      SCOPED_TRACE(b.name);
      auto game = QuietGame(mode);
      b.edit(game->state);
      const Position edited = game->state.position;
      EXPECT_EQ(MapsDiffer(edited), "");
      EXPECT_TRUE(SameStart(game->state.startPosition, edited));
      EXPECT_FALSE(PlayablePosition(game->state.position, why));
      EXPECT_TRUE(Contains(why, b.why)) << why;
      game->state.engineSide = kEnginePlaysWhite;
      {
        ConsoleCapture log;
        EXPECT_EQ(EngineTurn(*game), EngineOutcome::kIdle);
        EXPECT_TRUE(Contains(log.Text(), "\nTorvik cannot play this position: " + why)) << log.Text();
      }
      EXPECT_EQ(int(game->state.engineSide), kEnginePlaysNone);
      EXPECT_EQ(game->state.position.ply, edited.ply);
      ConsoleCapture quiet;
      MoveList moves;
      const int n = LegalMoves(game->state.position, moves);
      std::vector<Move> tries(moves.data(), moves.data() + n);
      for (int i = 0; i < 20; ++i)
        tries.push_back(test::M(int(rng() % 13) - 6, int(rng() % 64), int(rng() % 64), "-xeESLQT"[rng() % 8]));
      for (Move m : tries) {
        PlayerMoved(*game, m);
        Undo(*game, 1);
        ASSERT_EQ(game->state.position.board, edited.board);
        ASSERT_EQ(game->state.position.ply, edited.ply);
      }
      Undo(*game, 0);
      EXPECT_EQ(game->state.position.board, edited.board);
      ASSERT_TRUE(SaveGame(*game, Path("broken.sav")));
      ConsoleCapture log;
      ASSERT_TRUE(RestoreGame(*game, Path("broken.sav"))) << "what the editor makes restores";
      EXPECT_TRUE(Contains(log.Text(), "edited board may be unstable")) << log.Text();
      EXPECT_EQ(game->state.position.board, edited.board);
      EXPECT_EQ(game->state.startPosition.board, edited.board);
      test::Bytes bytes = test::ReadBytes(Path("broken.sav"));
      PutU32(bytes, game_image::kStartEdited, 0);
      test::WriteBytes(Path("unedited.sav"), bytes);
      EXPECT_FALSE(RestoreGame(*game, Path("unedited.sav")));
      StartEngine(*game, 0);
    }
  }
}

}  // namespace
}  // namespace torvik
