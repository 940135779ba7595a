#include "engine/coefficients.h"

#include <initializer_list>

#include "board/console.h"
#include "board/piece.h"
#include "board/piece_values.h"
#include "board/square.h"
#include "engine/coefficient_blocks.h"
#include "engine/coefficients_3d.h"

namespace torvik {

namespace {

// The weights were first set by hand, then fitted by bench/tune_eval: once to
// the results of some 3300 games (277 000 quiet positions), then, two passes,
// to Stockfish's scores of 92 000 quiet positions from its own games and from
// the engine's (a quarter of each target the game's result, bench/sf_label.py).
// Those fits moved each scalar of each stage and scaled each table or curve as
// a whole. A third, two passes over 121 000 quiet positions labelled the same
// way, fitted the square tables and the short vectors entry by entry, and a
// fourth, after the tactics term came to be read off static exchanges, did so
// again (two passes over 94 000 quiet positions of 2700 of the engine's games,
// against itself and against Stockfish, labelled as before). So the tables and
// short vectors are written out once a stage: a `...ByStage` array holds the
// opening's row first, then the middle game's, the ending's and the pawnless
// ending's, and each square table has one picture a stage. bench/apply_fit.py
// writes a fit into this file; a `Pick(s, {...})` percentage beside a curve is
// the fits' scale for it in each stage.
//
// These fits were to 2D positions, and this is the 2D game's table. The 3D
// game's starts from it and writes its own fit over it (coefficients_3d.h).

// ---------------------------------------------------------------------------
// Building blocks. The table is assembled at compile time; a range that is put
// out of place, past the end, or a block left short stops the build.

using namespace coefficient_blocks;

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
    {0, 2695, 4846, 6593, 8520, 10650, 12780, 14910},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
}};
constexpr std::array<Values<8>, kStages> kKingOffBackRowMiddleByStage = {{
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
    {0, 220, 3902, 2651, 3433, 4438, 4761, 6750},
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
}};
constexpr std::array<Values<8>, kStages> kOfficerNoControlByStage = {{
    {124, 1165, 945, 2408, 2187, 3184, 3918, 8393},
    {1502, 2086, 1858, 1858, 352, 1878, 3390, 17594},
    {1035, 1980, 2441, 1964, 2611, 2972, 4733, 11889},
    {1771, 5827, 8615, 11946, 14963, 17991, 20993, 23988},
}};
constexpr std::array<Values<5>, kStages> kBishopLineUpByStage = {{
    {-206, 627, 903, 1156, 1248},
    {-871, 425, 1278, 994, 1053},
    {-1809, -416, 405, 566, 611},
    {-584, 140, 691, 1035, 1118},
}};
// The king by column and by row once the enemy queen is gone. In the opening
// the king still wants its corner side; in the ending it belongs in the centre;
// in the pawnless ending only the losing king reads it, ten times over.
constexpr std::array<Values<8>, kStages> kKingCentreByStage = {{
    {-1260, -670, 768, 958, 887, 782, -600, -1601},
    {-100, 1074, 980, 668, 1054, 20, 899, -199},
    {-1387, -597, 658, 965, 1592, 1630, -40, -2100},
    {-288, 163, 292, 795, 403, 433, 621, -448},
}};

constexpr void PutPieceTerms(Filler& f, int s) {
  f.Put(kBishopPair, Pick(s, {1806, 3997, 7241, 1446}));
  f.Put(kKingCastled, Pick(s, {-313, -503, 3000, 3000}));
  f.Put(kKnightOutpost, Pick(s, {1438, 1795, -325, 776}));
  f.Put(kBishopOutpost, Pick(s, {892, -153, -64, 859}));
  f.Put(kKnightOutpostSupported, Pick(s, {1909, 1835, 2266, 2000}));
  f.Put(kBishopOutpostSupported, Pick(s, {1593, 956, 283, 1500}));
  f.Put(kRookDefended, Pick(s, {218, -162, 715, 522}));
  f.Put(kRooksOnSeventh, Pick(s, {1500, 1216, 1077, 1228}));
  f.Put(kSameBishopsDraw, Pick(s, {2910, 1407, 6594, 4855}));
  f.Put(kQueenEarly, Pick(s, {2721, 1000, 1000, 1000}));
  // King off its back row while the enemy queen lives, by rows away.
  f.Put(kKingOffBackRowOpening, kKingOffBackRowOpeningByStage[s]);
  f.Put(kKingOffBackRowMiddle, kKingOffBackRowMiddleByStage[s]);
  // Pawnless ending, the side not behind: the kings' distance counts against it.
  f.Put(kPawnlessKingDistance, Values<8>{0, 0, 1000, 2000, 3000, 4000, 5000, 6000});
  // An officer that controls nothing: the farther up the board, the likelier it is trapped.
  f.Put(kOfficerNoControl, kOfficerNoControlByStage[s]);
  f.Put(kKnightBlocked, Pick(s, {736, 1277, 526, 499}));
  f.Put(kLowMobility, Pick(s, {730, 965, 2275, 1000}));
  f.Put(kDrawBase, Pick(s, {-1000, -1000, -435, -177}));
  f.Put(kRookEndingDraw, Pick(s, {-3000, -2998, -2985, -1000}));
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
    {1022, 1087, 1166, 1272, 1272, 1166, 1087, 1022},
    {3382, 3115, 4305, 4452, 4452, 4305, 3115, 3382},
    {331, 292, 444, 538, 538, 444, 292, 331},
    {-128, 56, 180, 271, 271, 180, 56, -128},
    {-492, -10, 74, 211, 211, 74, -10, -492},
    {-455, -146, 62, 106, 106, 62, -146, -455},
    {-934, -125, -53, 302, 302, -53, -125, -934},
    {-530, -239, 1568, 1491, 1491, 1568, -239, -530},
}};
constexpr Picture kRookTableMiddle = {{
    {1186, 1128, 1445, 1388, 1388, 1445, 1128, 1186},
    {3453, 2832, 1413, 2447, 2447, 1413, 2832, 3453},
    {330, 732, 778, 1156, 1156, 778, 732, 330},
    {266, 353, 320, 1453, 1453, 320, 353, 266},
    {-1172, -85, 146, 242, 242, 146, -85, -1172},
    {-976, -543, 143, -820, -820, 143, -543, -976},
    {-1201, -92, -165, 212, 212, -165, -92, -1201},
    {-1289, -433, 804, 1070, 1070, 804, -433, -1289},
}};
constexpr Picture kRookTableEnding = {{
    {610, 514, 607, 585, 585, 607, 514, 610},
    {714, 1397, 764, 591, 591, 764, 1397, 714},
    {493, -27, 139, 500, 500, 139, -27, 493},
    {256, 406, 432, 565, 565, 432, 406, 256},
    {133, 405, 650, 661, 661, 650, 405, 133},
    {4, 32, 188, 194, 194, 188, 32, 4},
    {410, -168, 164, 536, 536, 164, -168, 410},
    {534, -73, 281, 832, 832, 281, -73, 534},
}};
constexpr Picture kRookTablePawnless = {{
    {205, 192, 213, 227, 227, 213, 192, 205},
    {540, 506, 549, 654, 654, 549, 506, 540},
    {208, 187, 151, 217, 217, 151, 187, 208},
    {117, 172, 153, 206, 206, 153, 172, 117},
    {100, 98, 160, 237, 237, 160, 98, 100},
    {5, 16, 118, 165, 165, 118, 16, 5},
    {-18, 33, 19, 56, 56, 19, 33, -18},
    {-39, -29, 20, 53, 53, 20, -29, -39},
}};

// Knights: "a knight on the rim is dim", in every stage.
constexpr Picture kKnightTableOpening = {{
    {-1464, -815, -543, -453, -453, -543, -815, -1464},
    {-761, -264, 180, 223, 223, 180, -264, -761},
    {-537, 247, 665, 1044, 1044, 665, 247, -537},
    {-367, 397, 903, 1382, 1382, 903, 397, -367},
    {-375, 179, 1062, 1128, 1128, 1062, 179, -375},
    {-1563, -241, 72, 633, 633, 72, -241, -1563},
    {-892, -325, -426, 624, 624, -426, -325, -892},
    {-1317, -400, -628, -320, -320, -628, -400, -1317},
}};
constexpr Picture kKnightTableMiddle = {{
    {-3064, -846, -507, -475, -475, -507, -846, -3064},
    {-804, -96, 789, 350, 350, 789, -96, -804},
    {-556, 204, 888, 910, 910, 888, 204, -556},
    {-189, -405, 651, 3263, 3263, 651, -405, -189},
    {540, 644, 2145, 2701, 2701, 2145, 644, 540},
    {-1637, -370, -754, 1429, 1429, -754, -370, -1637},
    {-925, -664, -747, 251, 251, -747, -664, -925},
    {-1633, -1082, -907, 106, 106, -907, -1082, -1633},
}};
constexpr Picture kKnightTableEnding = {{
    {-428, -154, -168, -205, -205, -168, -154, -428},
    {-422, -120, -250, 310, 310, -250, -120, -422},
    {-122, -425, -253, 257, 257, -253, -425, -122},
    {-383, -205, 172, 948, 948, 172, -205, -383},
    {-303, -44, 219, 558, 558, 219, -44, -303},
    {-395, -415, 18, -152, -152, 18, -415, -395},
    {-407, -70, -549, -476, -476, -549, -70, -407},
    {-437, -340, -245, -145, -145, -245, -340, -437},
}};
constexpr Picture kKnightTablePawnless = {{
    {-693, -483, -297, -248, -248, -297, -483, -693},
    {-446, -146, 38, 87, 87, 38, -146, -446},
    {-300, 72, 343, 405, 405, 343, 72, -300},
    {-262, 162, 424, 190, 190, 424, 162, -262},
    {-218, 77, 362, 590, 590, 362, 77, -218},
    {-294, 50, 361, 362, 362, 361, 50, -294},
    {-446, -137, -5, -6, -6, -5, -137, -446},
    {-693, -461, -297, -227, -227, -297, -461, -693},
}};

// Holding a square: the centre most, squares in the enemy's half more than our own.
constexpr Picture kControlTableOpening = {{
    {274, 24, 189, 91, 91, 189, 24, 274},
    {128, 226, 913, 507, 507, 913, 226, 128},
    {476, -30, 136, 404, 404, 136, -30, 476},
    {288, -18, -43, 678, 678, -43, -18, 288},
    {-95, -74, 214, 553, 553, 214, -74, -95},
    {71, -414, -20, 259, 259, -20, -414, 71},
    {340, -442, 188, 151, 151, 188, -442, 340},
    {-70, -8, 464, 136, 136, 464, -8, -70},
}};
constexpr Picture kControlTableMiddle = {{
    {1003, 932, 56, 331, 331, 56, 932, 1003},
    {971, 457, 824, 608, 608, 824, 457, 971},
    {599, 536, 338, 136, 136, 338, 536, 599},
    {677, 547, 579, 399, 399, 579, 547, 677},
    {-347, 126, 402, 806, 806, 402, 126, -347},
    {740, -195, 428, 420, 420, 428, -195, 740},
    {516, 862, 187, -234, -234, 187, 862, 516},
    {-241, 122, 392, 130, 130, 392, 122, -241},
}};
constexpr Picture kControlTableEnding = {{
    {694, 252, 91, 501, 501, 91, 252, 694},
    {201, 160, -75, -166, -166, -75, 160, 201},
    {238, 239, 234, 43, 43, 234, 239, 238},
    {456, 341, 247, 400, 400, 247, 341, 456},
    {329, 98, 285, 396, 396, 285, 98, 329},
    {-227, 123, 226, 290, 290, 226, 123, -227},
    {-353, -62, 108, -195, -195, 108, -62, -353},
    {449, 427, 304, 45, 45, 304, 427, 449},
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
    {60, -56, 60, -22, -52, -19, -54, 81},
    {-66, 239, 604, 167, 23, 32, -228, 38},
    {508, -314, 192, 55, -62, -488, 9, -240},
    {409, -312, -372, 31, -19, -180, -228, -318},
    {-306, 282, -588, -34, 297, 600, -91, 328},
    {-1, -413, 582, -235, 556, -80, 442, 521},
    {395, 435, 114, 12, 459, 953, 278, 679},
    {-896, -108, 156, 97, 184, 531, 506, 1467},
}};
constexpr Picture kKingSideZoneTableMiddle = {{
    {661, 585, 263, 143, -216, -557, 401, -15},
    {-216, -651, 852, 125, 268, -65, 82, 139},
    {-57, -819, 234, -599, 246, -887, -334, -381},
    {126, -58, 19, 463, -1054, 682, -497, -218},
    {-441, -667, -819, -534, 455, 1148, 469, 1117},
    {-997, -509, -987, -367, 959, 600, 1337, 565},
    {174, -101, 219, 421, -112, 1166, 1140, 970},
    {263, -89, 623, 332, 263, -98, 1225, 2644},
}};
constexpr Picture kKingSideZoneTableEnding = {{
    {-168, 16, -51, -119, 79, 38, 275, -175},
    {-56, -182, 49, 58, -7, 65, -297, -71},
    {-190, -53, -327, -234, -18, -533, -338, -105},
    {-83, -100, -71, -21, -434, -175, -299, -352},
    {-22, -213, 162, -314, 35, -153, -343, -5},
    {-143, -3, -246, 42, 230, 154, 342, 166},
    {-49, -239, 208, 46, 93, 235, 442, 473},
    {-442, 192, 4, 98, -5, 275, 172, 222},
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
    {81, -54, -19, -52, -22, 60, -56, 60},
    {38, -228, 32, 23, 167, 604, 239, -66},
    {-240, 9, -488, -62, 55, 192, -314, 508},
    {-318, -228, -180, -19, 31, -372, -312, 409},
    {328, -91, 600, 297, -34, -588, 282, -306},
    {521, 442, -80, 556, -235, 582, -413, -1},
    {679, 299, 953, 459, 12, 114, 435, 395},
    {1467, 506, 531, 184, 97, 156, -108, -896},
}};
constexpr Picture kQueenSideZoneTableMiddle = {{
    {-15, 401, -557, -216, 143, 263, 585, 661},
    {139, 82, -65, 268, 125, 852, -651, -216},
    {-381, -334, -887, 246, -599, 234, -819, -57},
    {-218, -497, 682, -1054, 463, 19, -58, 126},
    {1117, 469, 1148, 455, -534, -819, -667, -441},
    {565, 1337, 600, 959, -367, -987, -509, -997},
    {970, 1156, 1166, -112, 421, 219, -101, 174},
    {2644, 1225, -98, 263, 332, 623, -89, 263},
}};
constexpr Picture kQueenSideZoneTableEnding = {{
    {-175, 275, 38, 79, -119, -51, 16, -168},
    {-71, -297, 65, -7, 58, 49, -182, -56},
    {-105, -338, -533, -18, -234, -327, -53, -190},
    {-352, -299, -175, -434, -21, -71, -100, -83},
    {-5, -343, -153, 35, -314, 162, -213, -22},
    {166, 342, 154, 230, 42, -246, -3, -143},
    {473, 447, 235, 93, 46, 208, -239, -49},
    {222, 172, 275, -5, 98, 4, 192, -442},
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
  const int32_t knight = Pick(s, {194, 319, 24, 90});
  const int32_t bishop = Pick(s, {138, 164, 29, 120});
  const int32_t rook = Pick(s, {273, 348, 644, 140});
  const int32_t queen = Pick(s, {90, 394, 590, 120});
  const int32_t king = Pick(s, {58, 368, 40, 100});
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
    {312, 457, 929, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930},
    {648, 610, 923, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910},
    {291, 534, 1089, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090},
    {215, 495, 999, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000},
}};

constexpr void PutMaterialAndKingSafety(Filler& f, int s) {
  f.Put(kPieceValueTable, Values<7>{0, 10052, 40012, 41375, 60163, 119983, 800000});
  f.Put(kWinsByCaptures, Pick(s, {2715, 2877, 2713, 3298}));
  f.Put(kThreatensCaptures, Pick(s, {846, 877, 973, 1940}));
  // One defender for two contested pieces is the classic overload; more hardly adds.
  f.Put(kOverloadedDefender, kOverloadedDefenderByStage[s]);
  // Attackers of a king's zone, by stage.
  const int32_t safety = Pick(s, {15, 48, 14, 15});
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
    {2000, 500, 100, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1576, -479, -713, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {2000, 500, 100, 50, 0, -383, 501, 906, 2250, 532, 928, -152, -911, -504, -960, -120, -319, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0},
    {2360, 590, 2358, -681, -295, 105, 1454, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1620, 405, 81, 326, -51, -1233, -4, -28, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<16>, kStages> kOfficerAttacksByStage = {{
    {644, 436, 278, -294, -576, 278, 604, 698, 946, 1012, 997, 1083, 1140, 1197, 1250, 1292},
    {320, 300, -94, -93, -152, 441, 195, 782, 711, 759, 807, 859, 904, 945, 987, 1020},
    {-1095, -184, 592, 2187, 1504, 1565, 2038, 2405, 2795, 3120, 3406, 3666, 3900, 4095, 4277, 4420},
    {227, 136, 75, 436, 723, 1125, 1500, 1850, 2150, 2400, 2620, 2820, 3000, 3150, 3290, 3400},
}};
constexpr std::array<Values<32>, kStages> kTradeDownPawnsByStage = {{
    {1900, 200, 200, 0, 0, 0, 10, 51, 50, 162, 205, 585, 536, 918, 371, 604, 87, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0},
    {1919, 383, 378, 14, -13, -76, -335, 352, -577, -988, -27, -826, 43, -1129, 189, -642, 150, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0},
    {3401, 3056, 659, 1113, -1305, -424, -2097, -1781, -1916, -2201, -1713, -1343, -253, -134, -23, -64, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {21932, 456, 456, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
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

// Safe squares ahead of a passed pawn: six entries for a pawn on row 1, five
// for row 2, and so on to one for row 6 (PassedPathStart); the walk adds
// entries until the first square the enemy holds, so the far entries pay for a
// path that is clear all the way.
constexpr std::array<Values<21>, kStages> kPassedPathByStage = {{
    {-357, -280, -219, -232, -220, -50, -278, -124, 13, 58, 64, -155, 53, 61, 144, 121, 174, 202, 234, 378, 608},
    {-517, -174, -64, -17, -207, -28, -209, -8, 28, -582, -57, 303, 611, -98, 323, 702, 731, 643, 1103, 1326, 3154},
    {199, -14, -243, -506, -126, -251, -77, -385, -606, -139, 299, 730, -190, -27, 346, 935, 1235, 1654, 3613, 3447,
        11312},
    {-31, 84, 140, 196, 252, 308, 140, 210, 280, 350, 420, 280, 420, 560, 700, 560, 770, 980, 980, 1680, 2768},
}};
static_assert(PassedPathStart(7) == static_cast<int>(kPassedPathByStage[0].size()));

constexpr std::array<Values<8>, kStages> kPassedByRowsByStage = {{
    {0, 5766, 2921, 2108, 671, -9, -86, 0},
    {0, 18979, 9165, 2596, 1848, 684, 437, 0},
    {0, 13905, 8929, 5600, 4197, 1821, 1512, 0},
    {0, 22340, 15392, 8274, 4140, 2768, 1224, 0},
}};
constexpr std::array<Values<6>, kStages> kConnectedPasserByStage = {{
    {2449, 1514, 1012, 429, -7, -181},
    {7756, 2476, 800, -533, -7, 112},
    {9015, 1301, 1133, 224, 329, -52},
    {11060, 7279, 3749, 1778, 1221, 522},
}};
constexpr std::array<Values<7>, kStages> kOpenPawnByRowsByStage = {{
    {0, 1209, 740, 498, 208, -441, -777},
    {0, 3522, 1676, 2662, -37, 115, -41},
    {0, 4927, 1472, 3686, 1331, 688, 451},
    {0, 5460, 3494, 1940, 1898, 1243, 28},
}};

constexpr void PutPasserTerms(Filler& f, int s) {
  f.Put(kPawnUndefended, Pick(s, {1192, 1021, -780, 100}));
  f.Put(kPawnNeighbour, Pick(s, {537, 51, -347, 500}));
  f.Put(kPassedPath, kPassedPathByStage[s]);
  f.Put(kUnstoppablePasser, 30000);
  f.Put(kDoubledPawn, Pick(s, {2371, 1483, 3497, 1500}));
  f.Put(kBackwardPawn, Pick(s, {732, 1129, 1165, 1000}));
  f.Put(kReserved, 200);
  f.Put(kPasserBlocked, Pick(s, {1982, 3043, 6087, 2000}));
  f.Put(kKingByPasser, Pick(s, {2012, 4719, 4734, 2000}));
  f.Put(kEnemyRookBehindPasser, Pick(s, {1500, 2249, 3226, 1500}));
  f.Put(kOwnRookBehindPasser, Pick(s, {350, -764, 841, 2500}));
  // A piece in front of the unmoved d- or e-pawn cramps the opening only.
  f.Put(kBlockedDPawn, Pick(s, {771, 1480, 305, 150}));
  f.Put(kBlockedEPawn, Pick(s, {1671, 975, -13, 150}));
  f.Put(kPassedByRows, kPassedByRowsByStage[s]);
  f.Put(kConnectedPasser, kConnectedPasserByStage[s]);
  f.Put(kOpenPawnByRows, kOpenPawnByRowsByStage[s]);
  f.Put(kEnemyKingAheadOfPasser, Pick(s, {296, -1307, 2985, 1200}));
}

// ---------------------------------------------------------------------------
// Entries 1374..1467: pawn squares, shelter, isolated and backward pawns.

// Early: d4 and e4 strongly, d3 and e3 block the bishops, f3 and g4 open the king.
constexpr Picture kPawnTableOpening = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {11, 1, 16, 2, 2, 16, 1, 11},
    {329, 13, -5, 178, 178, -5, 13, 329},
    {-624, 524, 600, 2723, 2696, 340, 459, -689},
    {-774, 189, 1969, 2373, 2348, 1449, -201, -969},
    {-859, -464, 103, -439, -436, -417, -464, -859},
    {-898, -914, -770, 277, 192, -640, -654, -768},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr Picture kPawnTableMiddle = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {117, -295, -5, 287, 287, -5, -295, 117},
    {-59, 816, 669, 196, 196, 669, 816, -59},
    {170, 138, 2005, 1394, 1377, 1843, 97, 129},
    {81, -230, 706, 1157, 1142, 382, -473, -41},
    {-690, -874, 336, 571, 573, 12, -874, -690},
    {-742, -410, -155, 190, 137, -74, -248, -661},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr Picture kPawnTableEnding = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {1436, 4043, 1334, 521, 521, 1334, 4043, 1436},
    {1633, 3023, 2923, 177, 177, 2923, 3023, 1633},
    {899, 788, 1870, -478, -478, 1870, 788, 899},
    {481, 824, 273, -17, -17, 273, 824, 481},
    {-348, 368, 617, 365, 365, 617, 368, -348},
    {-465, 867, 1058, 279, 279, 1058, 867, -465},
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
    {1857, 716, 604, 654, 401, 571},
    {2459, 861, 1483, 1676, 1124, 495},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<6>, kStages> kQueenSideShelterByStage = {{
    {541, 1070, 1071, 889, 530, 495},
    {1037, 1493, 4413, 1944, 916, 1104},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<16>, kStages> kBackwardAttackedByStage = {{
    {320, 386, 798, 791, 925, 960, 960, 960, 960, 960, 960, 960, 960, 960, 960, 960},
    {650, 1194, 2329, 2361, 1887, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950},
    {1140, 1900, 3147, 2865, 3192, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420},
    {500, 303, 903, 1374, 1400, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500},
}};

constexpr void PutPawnStructure(Filler& f, int s) {
  f.Put(kPawnSquares, Squares(Pick(s, kPawnTableOpening, kPawnTableMiddle, kPawnTableEnding, kPawnTablePawnless)));
  // The king's pawn cover while queens are on; the ending has no use for it.
  // f2, g2, h2, g2+h3, h2+g3, g2+f3 (the last two once the enemy bishop for the holes is gone)
  f.Put(kKingSideShelter, kKingSideShelterByStage[s]);
  // a2, b2, c2, b2+a3, a2+b3, b2+c3
  f.Put(kQueenSideShelter, kQueenSideShelterByStage[s]);
  f.Put(kIsolatedPawn, Pick(s, {400, 336, 200, 500}));
  f.Put(kBackwardOpenColumn, Pick(s, {1421, 709, -1037, 500}));
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

constexpr CoefficientTables kTable2D = {MakeBlock(0), MakeBlock(1), MakeBlock(2), MakeBlock(3)};

constexpr CoefficientTables MakeTable3D() {
  CoefficientTables table{};
  for (int s = 0; s < kStages; ++s) table[s] = coefficients_3d::Block(kTable2D[s], s);
  return table;
}

constexpr CoefficientTables kTable3D = MakeTable3D();

constexpr bool PieceValuesAgree() {
  for (std::size_t t = 0; t < kPieceValues.size(); ++t) {
    if (kTable2D[0][kPieceValueTable + t] != kPieceValues[t]) return false;
    if (kTable3D[0][kPieceValueTable + t] != kPieceValues[t]) return false;
  }
  return kPieceValueTable == kPieceValueIndex;
}
static_assert(PieceValuesAgree(), "material values differ from the stage-0 coefficients");

// What the evaluation reads, by game: the compiled tables unless the tuner hands it another.
std::array<const CoefficientTables*, 2> active = {&kTable2D, &kTable3D};

}  // namespace

const CoefficientTable& CoefficientBlock(int32_t gameMode, int stage) { return (*active[gameMode == kGame3D])[stage]; }

const CoefficientTables& CompiledCoefficients(int32_t gameMode) { return gameMode == kGame3D ? kTable3D : kTable2D; }

void UseCoefficients(const CoefficientTables* tables) {
  active = {tables ? tables : &kTable2D, tables ? tables : &kTable3D};
}

int32_t PieceValueCoefficient(int code) { return kTable2D[0][kPieceValueTable + TypeOf(code)]; }

int CheckCoefficientCount(std::size_t entries) {
  if (entries == static_cast<std::size_t>(kCoefficients)) return 1;
  ConsolePrintf("\ncoefficients table corrupt %d %d", static_cast<int>(entries), kCoefficients);
  return 0;
}

int CheckCoefficients() { return CheckCoefficientCount(sizeof kTable2D / sizeof(int32_t) / kStages); }

}  // namespace torvik
