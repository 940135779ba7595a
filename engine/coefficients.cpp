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
// Those fits moved each scalar of each stage and scaled each table or curve as
// a whole. The square tables and the short vectors are fitted entry by entry,
// so they are written out once a stage: a `...ByStage` array holds the
// opening's row first, then the middle game's, the ending's and the pawnless
// ending's, and each square table has one picture a stage. bench/apply_fit.py
// writes a fit into this file; a `Pick(s, {...})` percentage beside a curve is
// the fits' scale for it in each stage.

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

constexpr std::array<Values<8>, kStages> kKingOffBackRowOpeningByStage = {{
    {0, 2130, 4257, 6390, 8520, 10650, 12780, 14910},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
}};
constexpr std::array<Values<8>, kStages> kKingOffBackRowMiddleByStage = {{
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
    {0, 560, 1120, 2240, 3360, 4480, 5600, 6720},
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
}};
constexpr std::array<Values<8>, kStages> kOfficerNoControlByStage = {{
    {443, 1457, 2154, 2987, 3741, 4498, 5248, 5997},
    {443, 1457, 2154, 2987, 3741, 4498, 5248, 5997},
    {478, 1573, 2326, 3225, 4040, 4858, 5668, 6477},
    {1771, 5827, 8615, 11946, 14963, 17991, 20993, 23988},
}};
constexpr std::array<Values<5>, kStages> kBishopLineUpByStage = {{
    {351, 161, 771, 1156, 1248},
    {296, 136, 650, 975, 1053},
    {172, 79, 377, 566, 611},
    {315, 144, 691, 1035, 1118},
}};
// The king by column and by row once the enemy queen is gone. In the opening
// the king still wants its corner side; in the ending it belongs in the centre;
// in the pawnless ending only the losing king reads it, ten times over.
constexpr std::array<Values<8>, kStages> kKingCentreByStage = {{
    {-1260, -670, 768, 958, 887, 782, -600, -1601},
    {-542, -288, 330, 412, 381, 336, -258, -688},
    {-1440, -720, 360, 960, 960, 360, -720, -1440},
    {-2676, -1338, 892, 1784, 1784, 892, -1338, -2676},
}};

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
  f.Put(kKingOffBackRowOpening, kKingOffBackRowOpeningByStage[s]);
  f.Put(kKingOffBackRowMiddle, kKingOffBackRowMiddleByStage[s]);
  // Pawnless ending, the side not behind: the kings' distance counts against it.
  f.Put(kPawnlessKingDistance, Values<8>{0, 0, 1000, 2000, 3000, 4000, 5000, 6000});
  // An officer that controls nothing: the farther up the board, the likelier it is trapped.
  f.Put(kOfficerNoControl, kOfficerNoControlByStage[s]);
  f.Put(kKnightBlocked, Pick(s, {749, 541, 529, 499}));
  f.Put(kLowMobility, Pick(s, {944, 987, 1262, 1000}));
  f.Put(kDrawBase, Pick(s, {-1000, -1000, -743, -618}));
  f.Put(kRookEndingDraw, Pick(s, {-3000, -2998, -2985, -1942}));
  f.Put(kPawnlessAhead, 10000);
  f.Put(kPawnlessCornerStep, 10000);
  // A bishop by the enemy king, queen and rooks standing on its lines (0..4).
  f.Put(kBishopLineUp, kBishopLineUpByStage[s]);
  f.Put(kKingCentre, kKingCentreByStage[s]);
}

// ---------------------------------------------------------------------------
// Entries 61..380: square tables, drawn from White's side.

// Rooks: the seventh row above all; central columns early, activity late.
constexpr Picture kRookTableOpening = {{
    {1060, 1060, 1166, 1272, 1272, 1166, 1060, 1060},
    {4134, 4240, 4346, 4452, 4452, 4346, 4240, 4134},
    {212, 318, 424, 530, 530, 424, 318, 212},
    {0, 106, 212, 318, 318, 212, 106, 0},
    {-106, 0, 106, 212, 212, 106, 0, -106},
    {-212, -106, 0, 106, 106, 0, -106, -212},
    {-212, -106, 0, 106, 106, 0, -106, -212},
    {-106, 0, 318, 530, 530, 318, 0, -106},
}};
constexpr Picture kRookTableMiddle = {{
    {1040, 1040, 1144, 1248, 1248, 1144, 1040, 1040},
    {4056, 4160, 4264, 4368, 4368, 4264, 4160, 4056},
    {208, 312, 416, 520, 520, 416, 312, 208},
    {0, 104, 208, 312, 312, 208, 104, 0},
    {-104, 0, 104, 208, 208, 104, 0, -104},
    {-208, -104, 0, 104, 104, 0, -104, -208},
    {-208, -104, 0, 104, 104, 0, -104, -208},
    {-104, 0, 312, 520, 520, 312, 0, -104},
}};
constexpr Picture kRookTableEnding = {{
    {469, 469, 469, 469, 469, 469, 469, 469},
    {1608, 1642, 1675, 1675, 1675, 1675, 1642, 1608},
    {201, 235, 268, 268, 268, 268, 235, 201},
    {134, 168, 201, 201, 201, 201, 168, 134},
    {67, 101, 134, 134, 134, 134, 101, 67},
    {0, 34, 67, 67, 67, 67, 34, 0},
    {-67, -34, 0, 0, 0, 0, -34, -67},
    {-134, -101, -67, -67, -67, -67, -101, -134},
}};
constexpr Picture kRookTablePawnless = {{
    {180, 203, 225, 225, 225, 225, 203, 180},
    {540, 563, 585, 585, 585, 585, 563, 540},
    {90, 113, 135, 158, 158, 135, 113, 90},
    {45, 90, 135, 158, 158, 135, 90, 45},
    {45, 90, 135, 158, 158, 135, 90, 45},
    {0, 45, 90, 113, 113, 90, 45, 0},
    {-23, 23, 45, 68, 68, 45, 23, -23},
    {-45, 0, 23, 45, 45, 23, 0, -45},
}};

// Knights: "a knight on the rim is dim", in every stage.
constexpr Picture kKnightTableOpening = {{
    {-1267, -815, -543, -453, -453, -543, -815, -1267},
    {-815, -272, 181, 272, 272, 181, -272, -815},
    {-543, 181, 724, 905, 905, 724, 181, -543},
    {-453, 272, 815, 1086, 1086, 815, 272, -453},
    {-453, 181, 724, 1086, 1086, 724, 181, -453},
    {-543, 91, 543, 634, 634, 543, 91, -543},
    {-815, -272, 0, 91, 91, 0, -272, -815},
    {-1267, -815, -543, -453, -453, -543, -815, -1267},
}};
constexpr Picture kKnightTableMiddle = {{
    {-1512, -972, -648, -540, -540, -648, -972, -1512},
    {-972, -324, 216, 324, 324, 216, -324, -972},
    {-648, 216, 864, 1080, 1080, 864, 216, -648},
    {-540, 324, 972, 1296, 1296, 972, 324, -540},
    {-540, 216, 864, 1296, 1296, 864, 216, -540},
    {-648, 108, 648, 756, 756, 648, 108, -648},
    {-972, -324, 0, 108, 108, 0, -324, -972},
    {-1512, -972, -648, -540, -540, -648, -972, -1512},
}};
constexpr Picture kKnightTableEnding = {{
    {-399, -257, -171, -143, -143, -171, -257, -399},
    {-257, -86, 57, 86, 86, 57, -86, -257},
    {-171, 57, 228, 285, 285, 228, 57, -171},
    {-143, 86, 257, 342, 342, 257, 86, -143},
    {-143, 57, 228, 342, 342, 228, 57, -143},
    {-171, 29, 171, 200, 200, 171, 29, -171},
    {-257, -86, 0, 29, 29, 0, -86, -257},
    {-399, -257, -171, -143, -143, -171, -257, -399},
}};
constexpr Picture kKnightTablePawnless = {{
    {-693, -446, -297, -248, -248, -297, -446, -693},
    {-446, -149, 99, 149, 149, 99, -149, -446},
    {-297, 99, 396, 495, 495, 396, 99, -297},
    {-248, 149, 446, 594, 594, 446, 149, -248},
    {-248, 99, 396, 594, 594, 396, 99, -248},
    {-297, 50, 297, 347, 347, 297, 50, -297},
    {-446, -149, 0, 50, 50, 0, -149, -446},
    {-693, -446, -297, -248, -248, -297, -446, -693},
}};

// Holding a square: the centre most, squares in the enemy's half more than our own.
constexpr Picture kControlTableOpening = {{
    {100, 125, 149, 166, 166, 149, 125, 100},
    {133, 183, 232, 266, 266, 232, 183, 133},
    {166, 249, 332, 382, 382, 332, 249, 166},
    {183, 282, 398, 491, 491, 398, 282, 183},
    {166, 266, 382, 465, 465, 382, 266, 166},
    {125, 199, 266, 315, 315, 266, 199, 125},
    {75, 116, 149, 166, 166, 149, 116, 75},
    {42, 66, 83, 91, 91, 83, 66, 42},
}};
constexpr Picture kControlTableMiddle = {{
    {173, 216, 259, 288, 288, 259, 216, 173},
    {230, 317, 403, 461, 461, 403, 317, 230},
    {288, 432, 576, 662, 662, 576, 432, 288},
    {317, 490, 691, 852, 852, 691, 490, 317},
    {288, 461, 662, 806, 806, 662, 461, 288},
    {216, 346, 461, 547, 547, 461, 346, 216},
    {130, 202, 259, 288, 288, 259, 202, 130},
    {72, 115, 144, 158, 158, 144, 115, 72},
}};
constexpr Picture kControlTableEnding = {{
    {74, 93, 112, 124, 124, 112, 93, 74},
    {99, 136, 174, 198, 198, 174, 136, 99},
    {124, 186, 248, 285, 285, 248, 186, 124},
    {136, 211, 298, 367, 367, 298, 211, 136},
    {124, 198, 285, 347, 347, 285, 198, 124},
    {93, 149, 198, 236, 236, 198, 149, 93},
    {56, 87, 112, 124, 124, 112, 87, 56},
    {31, 50, 62, 68, 68, 62, 50, 31},
}};
constexpr Picture kControlTablePawnless = {{
    {84, 105, 126, 140, 140, 126, 105, 84},
    {112, 154, 196, 224, 224, 196, 154, 112},
    {140, 210, 280, 322, 322, 280, 210, 140},
    {154, 238, 336, 414, 414, 336, 238, 154},
    {140, 224, 322, 392, 392, 322, 224, 140},
    {105, 168, 224, 266, 266, 224, 168, 105},
    {63, 98, 126, 140, 140, 126, 98, 63},
    {35, 56, 70, 77, 77, 70, 56, 35},
}};

// Extra for holding the squares in front of a king castled short (g1) ...
constexpr Picture kKingSideZoneTableOpening = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 104, 312, 520, 624, 520},
    {0, 0, 0, 208, 624, 1248, 1456, 1248},
    {0, 0, 0, 250, 728, 1581, 1832, 1581},
    {0, 0, 0, 166, 520, 832, 936, 832},
}};
constexpr Picture kKingSideZoneTableMiddle = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 81, 243, 405, 486, 405},
    {0, 0, 0, 162, 486, 972, 1134, 972},
    {0, 0, 0, 194, 567, 1231, 1427, 1231},
    {0, 0, 0, 130, 405, 648, 729, 648},
}};
constexpr Picture kKingSideZoneTableEnding = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 23, 69, 115, 138, 115},
    {0, 0, 0, 46, 138, 276, 322, 276},
    {0, 0, 0, 55, 161, 350, 405, 350},
    {0, 0, 0, 37, 115, 184, 207, 184},
}};
constexpr Picture kKingSideZoneTablePawnless = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 30, 90, 150, 180, 150},
    {0, 0, 0, 60, 180, 360, 420, 360},
    {0, 0, 0, 72, 210, 456, 529, 456},
    {0, 0, 0, 48, 150, 240, 270, 240},
}};
// ... and long (b1).
constexpr Picture kQueenSideZoneTableOpening = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {520, 624, 520, 312, 104, 0, 0, 0},
    {1248, 1456, 1248, 624, 208, 0, 0, 0},
    {1581, 1853, 1581, 728, 250, 0, 0, 0},
    {832, 936, 832, 520, 166, 0, 0, 0},
}};
constexpr Picture kQueenSideZoneTableMiddle = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {405, 486, 405, 243, 81, 0, 0, 0},
    {972, 1134, 972, 486, 162, 0, 0, 0},
    {1231, 1443, 1231, 567, 194, 0, 0, 0},
    {648, 729, 648, 405, 130, 0, 0, 0},
}};
constexpr Picture kQueenSideZoneTableEnding = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {115, 138, 115, 69, 23, 0, 0, 0},
    {276, 322, 276, 138, 46, 0, 0, 0},
    {350, 410, 350, 161, 55, 0, 0, 0},
    {184, 207, 184, 115, 37, 0, 0, 0},
}};
constexpr Picture kQueenSideZoneTablePawnless = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {150, 180, 150, 90, 30, 0, 0, 0},
    {360, 420, 360, 180, 60, 0, 0, 0},
    {456, 535, 456, 210, 72, 0, 0, 0},
    {240, 270, 240, 150, 48, 0, 0, 0},
}};

constexpr void PutSquareTables(Filler& f, int s) {
  f.Put(kRookSquares, Squares(Pick(s, kRookTableOpening, kRookTableMiddle, kRookTableEnding, kRookTablePawnless)));
  f.Put(kKnightSquares, Squares(Pick(s, kKnightTableOpening, kKnightTableMiddle,
                                        kKnightTableEnding, kKnightTablePawnless)));
  // Square control counts most in the middle game.
  f.Put(kControlSquares, Squares(Pick(s, kControlTableOpening, kControlTableMiddle,
                                         kControlTableEnding, kControlTablePawnless)));
  // Guarding one's own king's corner counts while attacks are still possible.
  f.Put(kKingSideZone, Squares(Pick(s, kKingSideZoneTableOpening, kKingSideZoneTableMiddle,
                                       kKingSideZoneTableEnding, kKingSideZoneTablePawnless)));
  f.Put(kQueenSideZone, Squares(Pick(s, kQueenSideZoneTableOpening, kQueenSideZoneTableMiddle,
                                        kQueenSideZoneTableEnding, kQueenSideZoneTablePawnless)));
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

constexpr std::array<Values<15>, kStages> kOverloadedDefenderByStage = {{
    {200, 460, 929, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930},
    {196, 450, 909, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910},
    {234, 540, 1089, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090},
    {215, 495, 999, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000},
}};

constexpr void PutMaterialAndKingSafety(Filler& f, int s) {
  f.Put(kPieceValueTable, Values<7>{0, 10052, 40012, 41375, 60163, 119983, 800000});
  f.Put(kWinsByCaptures, Pick(s, {2715, 2877, 2713, 3298}));
  f.Put(kThreatensCaptures, Pick(s, {1312, 1305, 2328, 2041}));
  // One defender for two contested pieces is the classic overload; more hardly adds.
  f.Put(kOverloadedDefender, kOverloadedDefenderByStage[s]);
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

constexpr std::array<Values<32>, kStages> kTradeDownPiecesByStage = {{
    {2000, 500, 100, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {2000, 500, 100, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {2360, 590, 118, 59, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1620, 405, 81, 41, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<16>, kStages> kOfficerAttacksByStage = {{
    {86, 52, 29, 166, 275, 428, 570, 703, 817, 912, 996, 1072, 1140, 1197, 1250, 1292},
    {68, 41, 23, 131, 217, 338, 450, 555, 645, 720, 786, 846, 900, 945, 987, 1020},
    {295, 177, 98, 567, 940, 1463, 1950, 2405, 2795, 3120, 3406, 3666, 3900, 4095, 4277, 4420},
    {227, 136, 75, 436, 723, 1125, 1500, 1850, 2150, 2400, 2620, 2820, 3000, 3150, 3290, 3400},
}};
constexpr std::array<Values<32>, kStages> kTradeDownPawnsByStage = {{
    {1900, 200, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1919, 202, 202, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {3401, 358, 358, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {4332, 456, 456, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
}};

constexpr void PutTrades(Filler& f, int s) {
  // The side ahead wants pieces off ...
  f.Put(kTradeDownPieces, kTradeDownPiecesByStage[s]);
  // Officers attacking enemy pieces: one or two is routine, many is an attack.
  f.Put(kOfficerAttacks, kOfficerAttacksByStage[s]);
  // ... but pawns on, for without them the extra material may not win.
  f.Put(kTradeDownPawns, kTradeDownPawnsByStage[s]);
}

// ---------------------------------------------------------------------------
// Entries 1319..1373: pawn weaknesses and passed pawns.

// Safe squares ahead of a passed pawn, one line per row it stands on; the walk
// adds entries until the first square the enemy holds, so the far entries pay
// for a path that is clear all the way.
constexpr std::array<Values<21>, kStages> kPassedPathByStage = {{
    {-7, 19, 31, 43, 56, 68, 31, 47, 62, 78, 93, 62, 93, 124, 155, 124, 171, 217, 217, 372, 613},
    {-16, 44, 74, 104, 133, 163, 74, 111, 148, 185, 222, 148, 222, 296, 370, 296, 407, 518, 518, 888, 1463},
    {-25, 68, 113, 158, 203, 249, 113, 170, 226, 283, 339, 226, 339, 452, 565, 452, 622, 791, 791, 1356, 2234},
    {-31, 84, 140, 196, 252, 308, 140, 210, 280, 350, 420, 280, 420, 560, 700, 560, 770, 980, 980, 1680, 2768},
}};
static_assert(PassedPathStart(7) == static_cast<int>(kPassedPathByStage[0].size()));

constexpr std::array<Values<8>, kStages> kPassedByRowsByStage = {{
    {0, 4947, 3408, 1832, 917, 613, 271, 0},
    {0, 11808, 8136, 4373, 2188, 1463, 647, 0},
    {0, 18031, 12423, 6678, 3341, 2234, 988, 0},
    {0, 22340, 15392, 8274, 4140, 2768, 1224, 0},
}};
constexpr std::array<Values<6>, kStages> kConnectedPasserByStage = {{
    {2449, 1612, 830, 394, 270, 116},
    {5846, 3847, 1982, 940, 645, 276},
    {8927, 5875, 3026, 1435, 985, 421},
    {11060, 7279, 3749, 1778, 1221, 522},
}};
constexpr std::array<Values<7>, kStages> kOpenPawnByRowsByStage = {{
    {0, 1209, 774, 430, 420, 275, 6},
    {0, 2886, 1847, 1026, 1003, 657, 15},
    {0, 4407, 2820, 1566, 1532, 1003, 23},
    {0, 5460, 3494, 1940, 1898, 1243, 28},
}};

constexpr void PutPasserTerms(Filler& f, int s) {
  f.Put(kPawnUndefended, Pick(s, {122, 62, -846, 100}));
  f.Put(kPawnNeighbour, Pick(s, {-456, 61, 115, 500}));
  f.Put(kPassedPath, kPassedPathByStage[s]);
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
  f.Put(kPassedByRows, kPassedByRowsByStage[s]);
  f.Put(kConnectedPasser, kConnectedPasserByStage[s]);
  f.Put(kOpenPawnByRows, kOpenPawnByRowsByStage[s]);
  f.Put(kEnemyKingAheadOfPasser, Pick(s, {918, 380, 1767, 1200}));
}

// ---------------------------------------------------------------------------
// Entries 1374..1467: pawn squares, shelter, isolated and backward pawns.

// Early: d4 and e4 strongly, d3 and e3 block the bishops, f3 and g4 open the king.
constexpr Picture kPawnTableOpening = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 13, 13, 0, 0, 0},
    {65, 65, 390, 807, 780, 130, 0, 0},
    {65, 130, 650, 1260, 1235, 130, -260, -130},
    {130, 130, 260, -3, 0, -260, 130, 130},
    {195, 260, 390, 735, 650, 520, 520, 325},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr Picture kPawnTableMiddle = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 8, 8, 0, 0, 0},
    {41, 41, 243, 503, 486, 81, 0, 0},
    {41, 81, 405, 785, 770, 81, -162, -81},
    {81, 81, 162, -2, 0, -162, 81, 81},
    {122, 162, 243, 458, 405, 324, 324, 203},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr Picture kPawnTableEnding = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {1908, 1908, 1908, 1908, 1908, 1908, 1908, 1908},
    {1272, 1272, 1378, 1378, 1378, 1378, 1272, 1272},
    {742, 806, 890, 954, 954, 890, 806, 742},
    {318, 382, 466, 530, 530, 466, 382, 318},
    {106, 127, 170, 212, 212, 170, 127, 106},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr Picture kPawnTablePawnless = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {900, 900, 900, 900, 900, 900, 900, 900},
    {600, 600, 650, 650, 650, 650, 600, 600},
    {350, 380, 420, 450, 450, 420, 380, 350},
    {150, 180, 220, 250, 250, 220, 180, 150},
    {50, 60, 80, 100, 100, 80, 60, 50},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};

constexpr std::array<Values<6>, kStages> kKingSideShelterByStage = {{
    {468, 540, 450, 432, 486, 432},
    {1118, 1290, 1075, 1032, 1161, 1032},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<6>, kStages> kQueenSideShelterByStage = {{
    {504, 540, 522, 504, 522, 504},
    {1204, 1290, 1247, 1204, 1247, 1204},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<16>, kStages> kBackwardAttackedByStage = {{
    {320, 194, 578, 879, 896, 960, 960, 960, 960, 960, 960, 960, 960, 960, 960, 960},
    {650, 394, 1174, 1786, 1820, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950},
    {1140, 691, 2059, 3133, 3192, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420},
    {500, 303, 903, 1374, 1400, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500},
}};

constexpr void PutPawnStructure(Filler& f, int s) {
  f.Put(kPawnSquares, Squares(Pick(s, kPawnTableOpening, kPawnTableMiddle, kPawnTableEnding, kPawnTablePawnless)));
  // The king's pawn cover while queens are on; the ending has no use for it.
  // f2, g2, h2, g2+h3, h2+g3, g2+f3 (the last two once the enemy bishop for the holes is gone)
  f.Put(kKingSideShelter, kKingSideShelterByStage[s]);
  // a2, b2, c2, b2+a3, a2+b3, b2+c3
  f.Put(kQueenSideShelter, kQueenSideShelterByStage[s]);
  f.Put(kIsolatedPawn, Pick(s, {639, 801, 1036, 500}));
  f.Put(kBackwardOpenColumn, Pick(s, {361, 777, -876, 500}));
  // A backward pawn under attack by n officers; beyond four or five it cannot get worse.
  f.Put(kBackwardAttacked, kBackwardAttackedByStage[s]);
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
