#include "engine/coefficients.h"

#include <initializer_list>

#include "board/console.h"
#include "board/piece.h"
#include "board/piece_values.h"

namespace torvik {

// Reached only while the table is built at compile time, where a call to it
// stops the build with the reason in the compiler's message. It has no body:
// nothing at run time may call it.
void TableLayoutError(const char* why);

namespace {

// The weights were first set by hand, then fitted by bench/tune_eval: once to
// the results of some 3300 games (277 000 quiet positions), then, two passes,
// to Stockfish's scores of 92 000 quiet positions from its own games and from
// the engine's (a quarter of each target the game's result, bench/sf_label.py).
// Each fit moves each scalar of each stage and scales each table or curve as a
// whole. So the shapes drawn below are the hand-set ones, and a `Pick(s, {...})`
// percentage beside a table is the fits' scale for it in each stage.

// ---------------------------------------------------------------------------
// Building blocks. The table is assembled at compile time; a range that is put
// out of place, past the end, or a block left short stops the build.

template <std::size_t N>
using Values = std::array<int32_t, N>;

using PerStage = std::array<int32_t, kStages>;

// A square table drawn as the board looks from White's side: the first line is
// row 7, the last line row 0, columns 0..7 from left to right.
using Picture = std::array<std::array<int32_t, 8>, 8>;

class Filler {
 public:
  template <std::size_t N>
  constexpr void Put(int first, const Values<N>& values) {
    if (first != next_) TableLayoutError("coefficient range does not start where the last one ended");
    if (next_ + static_cast<int>(N) > kCoefficients) TableLayoutError("coefficient range runs past the block");
    for (int32_t v : values) block_[next_++] = v;
  }
  constexpr void Put(int index, int32_t value) { Put(index, Values<1>{value}); }

  constexpr CoefficientTable Done() const {
    if (next_ != kCoefficients) TableLayoutError("coefficient block left short");
    return block_;
  }

 private:
  CoefficientTable block_{};
  int next_ = 0;
};

// The value of stage s among four.
constexpr int32_t Pick(int s, PerStage byStage) { return byStage[s]; }

template <class T>
constexpr const T& Pick(int s, const T& opening, const T& middle, const T& ending, const T& pawnless) {
  const T* byStage[kStages] = {&opening, &middle, &ending, &pawnless};
  return *byStage[s];
}

// v x percent / 100, rounded half away from zero.
constexpr int32_t Scale(int32_t v, int32_t percent) {
  int64_t x = int64_t{v} * percent;
  return static_cast<int32_t>(x >= 0 ? (x + 50) / 100 : (x - 50) / 100);
}

template <std::size_t N>
constexpr Values<N> Scaled(const Values<N>& values, int32_t percent) {
  Values<N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = Scale(values[i], percent);
  return out;
}

// The given head, then `rest` to the end.
template <std::size_t N>
constexpr Values<N> Padded(std::initializer_list<int32_t> head, int32_t rest) {
  if (head.size() > N) TableLayoutError("head longer than the vector");
  Values<N> out{};
  std::size_t i = 0;
  for (int32_t v : head) out[i++] = v;
  for (; i < N; ++i) out[i] = rest;
  return out;
}

constexpr Values<64> Squares(const Picture& picture) {
  Values<64> out{};
  for (int c = 0; c < 8; ++c) {
    for (int r = 0; r < 8; ++r) out[8 * c + r] = picture[7 - r][c];
  }
  return out;
}

// A mobility table: a curve by the number of squares (0..8, and 9 for nine or
// more), taken at rowPercent percent and moved by rowShift on each row counted
// from the piece's own side.
struct Mobility {
  Values<10> byCount;
  Values<8> rowPercent;
  Values<8> rowShift;
};

constexpr Values<80> MobilityTable(const Mobility& m, int32_t stagePercent) {
  Values<80> out{};
  for (int row = 0; row < 8; ++row) {
    for (int n = 0; n < 10; ++n) {
      out[row * 10 + n] = Scale(Scale(m.byCount[n], m.rowPercent[row]) + m.rowShift[row], stagePercent);
    }
  }
  return out;
}


constexpr Values<8> kEveryRow = {100, 100, 100, 100, 100, 100, 100, 100};
constexpr Values<8> kNoShift = {};

// ---------------------------------------------------------------------------
// Entries 0..60: pieces, the king's walk, pawnless endings, line-ups.

// The king by column and by row once the enemy queen is gone. In the opening
// the king still wants its corner side; in the ending it belongs in the centre;
// in the pawnless ending only the losing king reads it, ten times over.
constexpr Values<8> kKingCentreOpening = {-1260, -670, 768, 958, 887, 782, -600, -1601};
constexpr Values<8> kKingCentreEnding = {-2400, -1200, 600, 1600, 1600, 600, -1200, -2400};
constexpr Values<8> kKingCentrePawnless = {-1200, -600, 400, 800, 800, 400, -600, -1200};

constexpr void PutPieceTerms(Filler& f, int s) {
  f.Put(kBishopPair, Pick(s, {1826, 5066, 3036, 1441}));
  f.Put(kKingCastled, Pick(s, {715, -431, 3000, 3000}));
  f.Put(kKnightOutpost, Pick(s, {928, 1796, 480, 2000}));
  f.Put(kBishopOutpost, Pick(s, {1240, 946, 140, 1249}));
  f.Put(kKnightOutpostSupported, Pick(s, {1244, 2123, 1856, 2000}));
  f.Put(kBishopOutpostSupported, Pick(s, {1537, 1415, 536, 1500}));
  f.Put(kRookDefended, Pick(s, {1571, 808, 848, 709}));
  f.Put(kRooksOnSeventh, Pick(s, {1500, 1384, 1588, 1497}));
  f.Put(kSameBishopsDraw, Pick(s, {3996, 1148, 4183, 4252}));
  f.Put(kQueenEarly, Pick(s, {2317, 1000, 1000, 1000}));
  // King off its back row while the enemy queen lives, by rows away.
  f.Put(kKingOffBackRowOpening,
        Scaled(Values<8>{0, 3000, 5996, 9000, 12000, 15000, 18000, 21000}, Pick(s, {71, 100, 100, 100})));
  f.Put(kKingOffBackRowMiddle,
        Scaled(Values<8>{0, 1000, 2000, 4000, 6000, 8000, 10000, 12000}, Pick(s, {100, 56, 100, 100})));
  // Pawnless ending, the side not behind: the kings' distance counts against it.
  f.Put(kPawnlessKingDistance, Values<8>{0, 0, 1000, 2000, 3000, 4000, 5000, 6000});
  // An officer that controls nothing: the farther up the board, the likelier it is trapped.
  f.Put(kOfficerNoControl, Scaled(Values<8>{1771, 5827, 8615, 11946, 14963, 17991, 20993, 23988},
                                  Pick(s, {25, 25, 27, 100})));
  f.Put(kKnightBlocked, Pick(s, {749, 541, 529, 499}));
  f.Put(kLowMobility, Pick(s, {944, 987, 1262, 1000}));
  f.Put(kDrawBase, Pick(s, {-1000, -1000, -743, -618}));
  f.Put(kRookEndingDraw, Pick(s, {-3000, -2998, -2985, -1942}));
  f.Put(kPawnlessAhead, 10000);
  f.Put(kPawnlessCornerStep, 10000);
  // A bishop by the enemy king, queen and rooks standing on its lines (0..4).
  f.Put(kBishopLineUp, Scaled(Values<5>{366, 168, 803, 1204, 1300}, Pick(s, {96, 81, 47, 86})));
  f.Put(kKingCentre, Scaled(Pick(s, kKingCentreOpening, kKingCentreOpening, kKingCentreEnding, kKingCentrePawnless),
                            Pick(s, {100, 43, 60, 223})));
}

// ---------------------------------------------------------------------------
// Entries 61..380: square tables, drawn from White's side.

// Rooks: the seventh row above all; central columns early, activity late.
constexpr Picture kRookTableOpening = {{
    {500, 500, 550, 600, 600, 550, 500, 500},
    {1950, 2000, 2050, 2100, 2100, 2050, 2000, 1950},
    {100, 150, 200, 250, 250, 200, 150, 100},
    {0, 50, 100, 150, 150, 100, 50, 0},
    {-50, 0, 50, 100, 100, 50, 0, -50},
    {-100, -50, 0, 50, 50, 0, -50, -100},
    {-100, -50, 0, 50, 50, 0, -50, -100},
    {-50, 0, 150, 250, 250, 150, 0, -50},
}};
constexpr Picture kRookTableEnding = {{
    {700, 700, 700, 700, 700, 700, 700, 700},
    {2400, 2450, 2500, 2500, 2500, 2500, 2450, 2400},
    {300, 350, 400, 400, 400, 400, 350, 300},
    {200, 250, 300, 300, 300, 300, 250, 200},
    {100, 150, 200, 200, 200, 200, 150, 100},
    {0, 50, 100, 100, 100, 100, 50, 0},
    {-100, -50, 0, 0, 0, 0, -50, -100},
    {-200, -150, -100, -100, -100, -100, -150, -200},
}};
// No pawns to take on the seventh, but a rook there still cuts the king off.
constexpr Picture kRookTablePawnless = {{
    {400, 450, 500, 500, 500, 500, 450, 400},
    {1200, 1250, 1300, 1300, 1300, 1300, 1250, 1200},
    {200, 250, 300, 350, 350, 300, 250, 200},
    {100, 200, 300, 350, 350, 300, 200, 100},
    {100, 200, 300, 350, 350, 300, 200, 100},
    {0, 100, 200, 250, 250, 200, 100, 0},
    {-50, 50, 100, 150, 150, 100, 50, -50},
    {-100, 0, 50, 100, 100, 50, 0, -100},
}};

// Knights: "a knight on the rim is dim", in every stage.
constexpr Picture kKnightTable = {{
    {-700, -450, -300, -250, -250, -300, -450, -700},
    {-450, -150, 100, 150, 150, 100, -150, -450},
    {-300, 100, 400, 500, 500, 400, 100, -300},
    {-250, 150, 450, 600, 600, 450, 150, -250},
    {-250, 100, 400, 600, 600, 400, 100, -250},
    {-300, 50, 300, 350, 350, 300, 50, -300},
    {-450, -150, 0, 50, 50, 0, -150, -450},
    {-700, -450, -300, -250, -250, -300, -450, -700},
}};

// Holding a square: the centre most, squares in the enemy's half more than our own.
constexpr Picture kControlTable = {{
    {120, 150, 180, 200, 200, 180, 150, 120},
    {160, 220, 280, 320, 320, 280, 220, 160},
    {200, 300, 400, 460, 460, 400, 300, 200},
    {220, 340, 480, 592, 592, 480, 340, 220},
    {200, 320, 460, 560, 560, 460, 320, 200},
    {150, 240, 320, 380, 380, 320, 240, 150},
    {90, 140, 180, 200, 200, 180, 140, 90},
    {50, 80, 100, 110, 110, 100, 80, 50},
}};

// Extra for holding the squares in front of a king castled short (g1) ...
constexpr Picture kKingSideZoneTable = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 50, 150, 250, 300, 250},
    {0, 0, 0, 100, 300, 600, 700, 600},
    {0, 0, 0, 120, 350, 760, 881, 760},
    {0, 0, 0, 80, 250, 400, 450, 400},
}};
// ... and long (b1).
constexpr Picture kQueenSideZoneTable = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {250, 300, 250, 150, 50, 0, 0, 0},
    {600, 700, 600, 300, 100, 0, 0, 0},
    {760, 891, 760, 350, 120, 0, 0, 0},
    {400, 450, 400, 250, 80, 0, 0, 0},
}};

constexpr void PutSquareTables(Filler& f, int s) {
  f.Put(kRookSquares, Scaled(Squares(Pick(s, kRookTableOpening, kRookTableOpening, kRookTableEnding,
                                           kRookTablePawnless)),
                              Pick(s, {212, 208, 67, 45})));
  f.Put(kKnightSquares, Scaled(Squares(kKnightTable), Pick(s, {181, 216, 57, 99})));
  // Square control counts most in the middle game.
  f.Put(kControlSquares, Scaled(Squares(kControlTable), Pick(s, {83, 144, 62, 70})));
  // Guarding one's own king's corner counts while attacks are still possible.
  const int32_t zone = Pick(s, {208, 162, 46, 60});
  f.Put(kKingSideZone, Scaled(Squares(kKingSideZoneTable), zone));
  f.Put(kQueenSideZone, Scaled(Squares(kQueenSideZoneTable), zone));
}

// ---------------------------------------------------------------------------
// Entries 381..1180: mobility by attacked and by controlled squares.

constexpr Mobility kKnightAttackedCurve = {
    {-1500, -1000, -550, -200, 0, 150, 280, 380, 450, 500}, kEveryRow,
    {-100, 0, 50, 100, 150, 150, 50, -100}};
constexpr Mobility kBishopAttackedCurve = {
    {-1582, -1100, -700, -380, -120, 100, 350, 600, 900, 1200}, kEveryRow,
    {0, 50, 100, 100, 100, 50, 0, -50}};
// Rooks and queens at home have little room early; that is no fault yet.
constexpr Mobility kRookAttackedCurve = {
    {-1200, -900, -600, -350, -150, 0, 150, 280, 400, 500},
    {60, 80, 100, 100, 100, 100, 100, 100}, {0, 0, 0, 0, 50, 100, 150, 100}};
constexpr Mobility kQueenAttackedCurve = {
    {-1500, -1100, -800, -550, -350, -200, -80, 20, 100, 160},
    {30, 60, 100, 100, 100, 100, 100, 100}, kNoShift};
// A king that sees many squares early is an exposed king; late it is an active one.
constexpr Mobility kKingAttackedSheltered = {
    {0, 100, 150, 150, 100, 50, 0, -80, -150, -150}, kEveryRow, kNoShift};
constexpr Mobility kKingAttackedActive = {
    {-1200, -800, -500, -250, -50, 100, 200, 280, 350, 350}, kEveryRow, kNoShift};

constexpr Mobility kKnightControlledCurve = {
    {-800, -400, -100, 100, 250, 350, 420, 470, 500, 520}, kEveryRow,
    {-50, 0, 50, 100, 150, 150, 50, -50}};
constexpr Mobility kBishopControlledCurve = {
    {-900, -550, -250, 0, 200, 350, 470, 570, 650, 720}, kEveryRow,
    {0, 0, 50, 100, 100, 50, 0, 0}};
constexpr Mobility kRookControlledCurve = {
    {-700, -400, -150, 50, 200, 320, 420, 500, 560, 600},
    {60, 80, 100, 100, 100, 100, 100, 100}, {0, 0, 0, 0, 50, 100, 150, 100}};
// The curve is the queen's on the seventh row; at home it barely counts.
constexpr Mobility kQueenControlledCurve = {
    {-3001, -2493, -482, 150, 450, 650, 800, 900, 970, 1020},
    {20, 40, 70, 100, 100, 100, 100, 100}, kNoShift};
constexpr Mobility kKingControlledSheltered = {
    {-300, -150, 0, 80, 140, 180, 200, 220, 230, 240}, kEveryRow, kNoShift};
constexpr Mobility kKingControlledActive = {
    {-1000, -600, -250, 0, 200, 350, 450, 520, 560, 600}, kEveryRow, kNoShift};

constexpr void PutMobility(Filler& f, int s) {
  // Rooks and queens gain from open lines as the board empties; knights do not.
  const int32_t knight = Pick(s, {99, 149, 33, 90});
  const int32_t bishop = Pick(s, {83, 82, 47, 120});
  const int32_t rook = Pick(s, {186, 244, 320, 140});
  const int32_t queen = Pick(s, {63, 129, 230, 120});
  const int32_t king = Pick(s, {64, 144, 47, 100});
  const bool late = s >= 2;
  const Mobility& kingAttacked = late ? kKingAttackedActive : kKingAttackedSheltered;
  const Mobility& kingControlled = late ? kKingControlledActive : kKingControlledSheltered;
  f.Put(kKnightAttacked, MobilityTable(kKnightAttackedCurve, knight));
  f.Put(kBishopAttacked, MobilityTable(kBishopAttackedCurve, bishop));
  f.Put(kRookAttacked, MobilityTable(kRookAttackedCurve, rook));
  f.Put(kQueenAttacked, MobilityTable(kQueenAttackedCurve, queen));
  f.Put(kKingAttacked, MobilityTable(kingAttacked, king));
  f.Put(kKnightControlled, MobilityTable(kKnightControlledCurve, knight));
  f.Put(kBishopControlled, MobilityTable(kBishopControlledCurve, bishop));
  f.Put(kRookControlled, MobilityTable(kRookControlledCurve, rook));
  f.Put(kQueenControlled, MobilityTable(kQueenControlledCurve, queen));
  f.Put(kKingControlled, MobilityTable(kingControlled, king));
}

// ---------------------------------------------------------------------------
// Entries 1181..1238: material, captures, overloads, king safety.

constexpr void PutMaterialAndKingSafety(Filler& f, int s) {
  f.Put(kPieceValueTable, Values<7>{0, 10052, 40012, 41375, 60163, 119983, 800000});
  f.Put(kWinsByCaptures, Pick(s, {2715, 2877, 2713, 3298}));
  f.Put(kThreatensCaptures, Pick(s, {1312, 1305, 2328, 2041}));
  // One defender for two contested pieces is the classic overload; more hardly adds.
  f.Put(kOverloadedDefender, Scaled(Padded<15>({215, 495, 999, 1000}, 1000), Pick(s, {93, 91, 109, 100})));
  // Attackers of a king's zone, by stage.
  const int32_t safety = Pick(s, {25, 35, 40, 16});
  using Zone = Values<8>;
  f.Put(kEngineKingAttackers, Scaled(Zone{-811, 922, 1985, 2993, 3999, 5000, 6000, 6000}, safety));
  f.Put(kOpponentKingAttackers, Scaled(Zone{-1039, 951, 1973, 2994, 4000, 5000, 6000, 6000}, safety));
  f.Put(kEngineKingAttackersQueen, Scaled(Zone{270, 886, 1037, 1499, 1984, 3001, 3000, 3000}, safety));
  f.Put(kOpponentKingAttackersQueen, Scaled(Zone{-2126, -127, 882, 1469, 1995, 3000, 3000, 3000}, safety));
  f.Put(kOpenColumnByKing, Scale(474, safety));
  f.Put(kOpenColumnByKingQueen, Scale(315, safety));
}

// ---------------------------------------------------------------------------
// Entries 1239..1318: trading down and attacks on enemy pieces.

constexpr void PutTrades(Filler& f, int s) {
  // The side ahead wants pieces off ...
  f.Put(kTradeDownPieces, Scaled(Padded<32>({2000, 500, 100, 50, 0}, 0), Pick(s, {100, 100, 118, 81})));
  // Officers attacking enemy pieces: one or two is routine, many is an attack.
  f.Put(kOfficerAttacks,
        Scaled(Values<16>{227, 136, 75, 436, 723, 1125, 1500, 1850, 2150, 2400, 2620, 2820, 3000, 3150, 3290, 3400},
               Pick(s, {38, 30, 130, 100})));
  // ... but pawns on, for without them the extra material may not win.
  f.Put(kTradeDownPawns, Scaled(Padded<32>({1900, 200, 200, 0}, 0), Pick(s, {100, 101, 179, 228})));
}

// ---------------------------------------------------------------------------
// Entries 1319..1373: pawn weaknesses and passed pawns.

// Safe squares ahead of a passed pawn, one line per row it stands on; the walk
// adds entries until the first square the enemy holds, so the far entries pay
// for a path that is clear all the way.
constexpr Values<21> kPassedPathValues = {
    -22, 60, 100, 140, 180, 220,  // row 1
    100, 150, 200, 250, 300,      // row 2
    200, 300, 400, 500,           // row 3
    400, 550, 700,                // row 4
    700, 1200,                    // row 5
    1977,                         // row 6
};
static_assert(PassedPathStart(7) == static_cast<int>(kPassedPathValues.size()));

constexpr void PutPasserTerms(Filler& f, int s) {
  const int32_t passer = Pick(s, {31, 74, 113, 140});  // passers decide endings
  f.Put(kPawnUndefended, Pick(s, {122, 62, -846, 100}));
  f.Put(kPawnNeighbour, Pick(s, {-456, 61, 115, 500}));
  f.Put(kPassedPath, Scaled(kPassedPathValues, passer));
  f.Put(kUnstoppablePasser, 30000);
  f.Put(kDoubledPawn, Pick(s, {1226, 734, 2540, 1500}));
  f.Put(kBackwardPawn, Pick(s, {435, 735, 820, 1000}));
  f.Put(kReserved, 200);
  f.Put(kPasserBlocked, Pick(s, {2031, 3255, 4499, 2000}));
  f.Put(kKingByPasser, Pick(s, {2001, 2932, 4434, 2000}));
  f.Put(kEnemyRookBehindPasser, Pick(s, {1500, 1497, 2675, 1500}));
  f.Put(kOwnRookBehindPasser, Pick(s, {1290, 520, 1477, 2500}));
  // A piece in front of the unmoved d- or e-pawn cramps the opening only.
  f.Put(kBlockedDPawn, Pick(s, {552, 646, 160, 150}));
  f.Put(kBlockedEPawn, Pick(s, {863, 347, 155, 150}));
  f.Put(kPassedByRows, Scaled(Values<8>{0, 15957, 10994, 5910, 2957, 1977, 874, 0}, passer));
  f.Put(kConnectedPasser, Scaled(Values<6>{7900, 5199, 2678, 1270, 872, 373}, passer));
  f.Put(kOpenPawnByRows, Scaled(Values<7>{0, 3900, 2496, 1386, 1356, 888, 20}, passer));
  f.Put(kEnemyKingAheadOfPasser, Pick(s, {918, 380, 1767, 1200}));
}

// ---------------------------------------------------------------------------
// Entries 1374..1467: pawn squares, shelter, isolated and backward pawns.

// Early: d4 and e4 strongly, d3 and e3 block the bishops, f3 and g4 open the king.
constexpr Picture kPawnTableOpening = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 10, 10, 0, 0, 0},
    {50, 50, 300, 621, 600, 100, 0, 0},
    {50, 100, 500, 969, 950, 100, -200, -100},
    {100, 100, 200, -2, 0, -200, 100, 100},
    {150, 200, 300, 565, 500, 400, 400, 250},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
// Late: every step forward counts.
constexpr Picture kPawnTableEnding = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {900, 900, 900, 900, 900, 900, 900, 900},
    {600, 600, 650, 650, 650, 650, 600, 600},
    {350, 380, 420, 450, 450, 420, 380, 350},
    {150, 180, 220, 250, 250, 220, 180, 150},
    {50, 60, 80, 100, 100, 80, 60, 50},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};

constexpr void PutPawnStructure(Filler& f, int s) {
  f.Put(kPawnSquares, Scaled(Squares(Pick(s, kPawnTableOpening, kPawnTableOpening, kPawnTableEnding,
                                           kPawnTableEnding)),
                              Pick(s, {130, 81, 212, 100})));
  // The king's pawn cover while queens are on; the ending has no use for it.
  const int32_t shelter = Pick(s, {36, 86, 0, 0});
  // f2, g2, h2, g2+h3, h2+g3, g2+f3 (the last two once the enemy bishop for the holes is gone)
  f.Put(kKingSideShelter, Scaled(Values<6>{1300, 1500, 1250, 1200, 1350, 1200}, shelter));
  // a2, b2, c2, b2+a3, a2+b3, b2+c3
  f.Put(kQueenSideShelter, Scaled(Values<6>{1400, 1500, 1450, 1400, 1450, 1400}, shelter));
  f.Put(kIsolatedPawn, Pick(s, {639, 801, 1036, 500}));
  f.Put(kBackwardOpenColumn, Pick(s, {361, 777, -876, 500}));
  // A backward pawn under attack by n officers; beyond four or five it cannot get worse.
  f.Put(kBackwardAttacked, Scaled(Padded<16>({500, 303, 903, 1374, 1400, 1500}, 1500), Pick(s, {64, 130, 228, 100})));
}

// ---------------------------------------------------------------------------

constexpr CoefficientTable MakeBlock(int s) {
  Filler f;
  PutPieceTerms(f, s);
  PutSquareTables(f, s);
  PutMobility(f, s);
  PutMaterialAndKingSafety(f, s);
  PutTrades(f, s);
  PutPasserTerms(f, s);
  PutPawnStructure(f, s);
  return f.Done();
}

constexpr CoefficientTables kTable = {MakeBlock(0), MakeBlock(1), MakeBlock(2), MakeBlock(3)};

constexpr bool PieceValuesAgree() {
  for (std::size_t t = 0; t < kPieceValues.size(); ++t) {
    if (kTable[0][kPieceValueTable + t] != kPieceValues[t]) return false;
  }
  return kPieceValueTable == kPieceValueIndex;
}
static_assert(PieceValuesAgree(), "material values differ from the stage-0 coefficients");

// What the evaluation reads: the compiled table unless the tuner hands it another.
const CoefficientTables* active = &kTable;

}  // namespace

const CoefficientTable& CoefficientBlock(int stage) { return (*active)[stage]; }

const CoefficientTables& CompiledCoefficients() { return kTable; }

void UseCoefficients(const CoefficientTables* tables) { active = tables ? tables : &kTable; }

int32_t PieceValueCoefficient(int code) { return kTable[0][kPieceValueTable + TypeOf(code)]; }

int CheckCoefficientCount(std::size_t entries) {
  if (entries == static_cast<std::size_t>(kCoefficients)) return 1;
  ConsolePrintf("\ncoefficients table corrupt %d %d", static_cast<int>(entries), kCoefficients);
  return 0;
}

int CheckCoefficients() { return CheckCoefficientCount(sizeof kTable / sizeof(int32_t) / kStages); }

}  // namespace torvik
