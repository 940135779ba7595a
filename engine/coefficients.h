// The evaluation's weights: one block of coefficients per game and stage, so
// that the same terms weigh differently in the opening (stage 0), the middle
// game (1), the ending (2) and the pawnless ending (3), and in the 2D and 3D games.
//
// Every weight has a fixed index within a block. Tables indexed by square use
// the 8 x column + row numbering and are written from White's view; the
// evaluation reads Black's entries at the row-mirrored square (sq ^ 7).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace torvik {

constexpr int kStages = 4;
constexpr int kCoefficients = 1468;  // entries in one block

using CoefficientTable = std::array<int32_t, kCoefficients>;

// Where each weight lives in a block. A vector is named by its first entry; the
// comment gives its length and how it is indexed.
enum CoefIndex : int {
  kBishopPair = 0,
  kKingCastled = 1,             // + castled, - neither castled nor any right left
  kKnightOutpost = 2,
  kBishopOutpost = 3,
  kKnightOutpostSupported = 4,  // added to kKnightOutpost
  kBishopOutpostSupported = 5,  // added to kBishopOutpost
  kRookDefended = 6,            // by the other rook
  kRooksOnSeventh = 7,          // added to kRookDefended
  kSameBishopsDraw = 8,         // charged to the side ahead
  kQueenEarly = 9,              // stage 0 only
  kKingOffBackRowOpening = 10,  // 8, by rows away from the back row (entry 0 unused)
  kKingOffBackRowMiddle = 18,   // 8, the same for the middle game
  kPawnlessKingDistance = 26,   // 8, by Chebyshev distance between the kings
  kOfficerNoControl = 34,       // 8, by the officer's row counted from its own side
  kKnightBlocked = 42,
  kLowMobility = 43,
  kDrawBase = 44,
  kRookEndingDraw = 45,
  kPawnlessAhead = 46,
  kPawnlessCornerStep = 47,
  kBishopLineUp = 48,           // 5, by enemy king, queen and rooks on the bishop's lines
  kKingCentre = 53,             // 8, by column and by row (one table for both)
  kRookSquares = 61,            // 64, by square
  kKnightSquares = 125,         // 64, by square
  kControlSquares = 189,        // 64, value of holding a square
  kKingSideZone = 253,          // 64, extra for holding a square near a king castled short
  kQueenSideZone = 317,         // 64, extra for holding a square near a king castled long
  kKnightAttacked = 381,        // 80 each: [relative row x 10 + min(count, 9)]
  kBishopAttacked = 461,
  kRookAttacked = 541,
  kQueenAttacked = 621,
  kKingAttacked = 701,
  kKnightControlled = 781,      // 80 each, indexed the same way
  kBishopControlled = 861,
  kRookControlled = 941,
  kQueenControlled = 1021,
  kKingControlled = 1101,
  kPieceValueTable = 1181,      // 7, by piece type 0..6; read from stage 0 always
  kWinsByCaptures = 1188,       // the side to move wins material by captures
  kThreatensCaptures = 1189,    // the side not to move threatens to
  kOverloadedDefender = 1190,   // 15, by defended contested pieces k = 2..16 (entry k - 2)
  kEngineKingAttackers = 1205,  // 8 each, by attackers of the king's zone
  kOpponentKingAttackers = 1213,
  kEngineKingAttackersQueen = 1221,    // while the enemy queen lives
  kOpponentKingAttackersQueen = 1229,
  kOpenColumnByKing = 1237,
  kOpenColumnByKingQueen = 1238,       // while the enemy queen lives
  kTradeDownPieces = 1239,      // 32, by non-pawn pieces on the board, kings included
  kOfficerAttacks = 1271,       // 16, by officers attacking enemy pieces
  kTradeDownPawns = 1287,       // 32, by pawns on the board
  kPawnUndefended = 1319,
  kPawnNeighbour = 1320,
  kPassedPath = 1321,           // 21, safe squares ahead of a passer (see PassedPathStart)
  kUnstoppablePasser = 1342,
  kDoubledPawn = 1343,
  kBackwardPawn = 1344,
  kReserved = 1345,             // carries no term
  kPasserBlocked = 1346,
  kKingByPasser = 1347,
  kEnemyRookBehindPasser = 1348,
  kOwnRookBehindPasser = 1349,
  kBlockedDPawn = 1350,         // the 2D game's d2 pawn with a piece in front
  kBlockedEPawn = 1351,         // the same for e2
  kPassedByRows = 1352,         // 8, by rows to promotion 0..7
  kConnectedPasser = 1360,      // 6, by rows to promotion 1..6 (entry d - 1)
  kOpenPawnByRows = 1366,       // 7, by rows to promotion 0..6
  kEnemyKingAheadOfPasser = 1373,
  kPawnSquares = 1374,          // 64, by square
  kKingSideShelter = 1438,      // 6 shelter items
  kQueenSideShelter = 1444,     // 6 shelter items
  kIsolatedPawn = 1450,
  kBackwardOpenColumn = 1451,
  kBackwardAttacked = 1452,     // 16, by attacking enemy officers n (entry n; 0 unused)
};

// Where a passer's walk starts in the kPassedPath triangle: a pawn on row 1 has
// six squares ahead (entries 0..5), one on row 2 five (6..10), and so on up to
// row 6 with the single entry 20.
constexpr int PassedPathStart(int row) {
  int start = 0;
  for (int r = 1; r < row; ++r) start += 7 - r;
  return start;
}

using CoefficientTables = std::array<CoefficientTable, kStages>;

// The block of one stage (0..3) in one game (kGame2D or kGame3D). The games
// share the layout; the 3D game's values start from the 2D game's and differ
// where a fit to 3D games moved them.
const CoefficientTable& CoefficientBlock(int32_t gameMode, int stage);

// The tables the program carries for one game.
const CoefficientTables& CompiledCoefficients(int32_t gameMode);

// For the weight tuner: the evaluation reads `tables` in both games from now on
// (nullptr: the compiled tables again). The caller keeps them alive while they
// are in use and drops the positions' cached scores. Material sums keep the
// compiled piece values whatever the tables say.
void UseCoefficients(const CoefficientTables* tables);

// A piece's material value by code (either colour), as the stage-0 block gives it.
int32_t PieceValueCoefficient(int code);

// The check made when the table is first loaded: `entries` is the size found
// for one block. Returns 1 when it is kCoefficients, else reports
// "coefficients table corrupt" with both sizes on the console and returns 0.
int CheckCoefficientCount(std::size_t entries);

// CheckCoefficientCount on the table the program carries.
int CheckCoefficients();

}  // namespace torvik
