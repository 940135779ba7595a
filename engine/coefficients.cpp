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
// way, fitted the square tables and the short vectors entry by entry,
// so they are written out once a stage: a `...ByStage` array holds the
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
    {0, 2357, 4089, 6390, 8520, 10650, 12780, 14910},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
    {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000},
}};
constexpr std::array<Values<8>, kStages> kKingOffBackRowMiddleByStage = {{
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
    {0, 30, 1734, 1838, 2657, 4324, 5237, 6720},
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
    {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000},
}};
constexpr std::array<Values<8>, kStages> kOfficerNoControlByStage = {{
    {576, 1518, 1141, 2086, 2527, 3451, 5429, 7800},
    {885, 1558, 1309, 1092, 1456, 1733, 2385, 9160},
    {849, 1578, 1697, 2100, 2976, 3962, 4013, 6762},
    {1771, 5827, 8615, 11946, 14963, 17991, 20993, 23988},
}};
constexpr std::array<Values<5>, kStages> kBishopLineUpByStage = {{
    {155, 487, 803, 1156, 1248},
    {129, 471, 774, 974, 1053},
    {-756, -273, 401, 566, 611},
    {38, 150, 691, 1035, 1118},
}};
// The king by column and by row once the enemy queen is gone. In the opening
// the king still wants its corner side; in the ending it belongs in the centre;
// in the pawnless ending only the losing king reads it, ten times over.
constexpr std::array<Values<8>, kStages> kKingCentreByStage = {{
    {-1260, -670, 768, 958, 887, 782, -600, -1601},
    {-951, 255, 443, 596, 483, -102, 92, -897},
    {-2118, -1205, 760, 660, 1044, 770, -152, -1593},
    {-669, -169, 1529, 1399, 1476, 1525, -169, -669},
}};

constexpr void PutPieceTerms(Filler& f, int s) {
  f.Put(kBishopPair, Pick(s, {2455, 5154, 6086, 1441}));
  f.Put(kKingCastled, Pick(s, {3, -513, 3000, 3000}));
  f.Put(kKnightOutpost, Pick(s, {900, 1731, -148, 1540}));
  f.Put(kBishopOutpost, Pick(s, {1529, 469, -56, 1028}));
  f.Put(kKnightOutpostSupported, Pick(s, {1506, 1061, 2257, 2000}));
  f.Put(kBishopOutpostSupported, Pick(s, {1661, 873, 695, 1500}));
  f.Put(kRookDefended, Pick(s, {1132, 607, 1351, 710}));
  f.Put(kRooksOnSeventh, Pick(s, {1500, 1211, 2235, 1500}));
  f.Put(kSameBishopsDraw, Pick(s, {3011, 1160, 5492, 4786}));
  f.Put(kQueenEarly, Pick(s, {2733, 1000, 1000, 1000}));
  // King off its back row while the enemy queen lives, by rows away.
  f.Put(kKingOffBackRowOpening, kKingOffBackRowOpeningByStage[s]);
  f.Put(kKingOffBackRowMiddle, kKingOffBackRowMiddleByStage[s]);
  // Pawnless ending, the side not behind: the kings' distance counts against it.
  f.Put(kPawnlessKingDistance, Values<8>{0, 0, 1000, 2000, 3000, 4000, 5000, 6000});
  // An officer that controls nothing: the farther up the board, the likelier it is trapped.
  f.Put(kOfficerNoControl, kOfficerNoControlByStage[s]);
  f.Put(kKnightBlocked, Pick(s, {587, 491, 548, 499}));
  f.Put(kLowMobility, Pick(s, {856, 441, 1439, 1000}));
  f.Put(kDrawBase, Pick(s, {-1000, -1000, -501, -176}));
  f.Put(kRookEndingDraw, Pick(s, {-3000, -2998, -2985, -1405}));
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
    {1056, 1060, 1166, 1272, 1272, 1166, 1060, 1056},
    {3882, 4235, 4392, 4452, 4452, 4392, 4235, 3882},
    {270, 306, 432, 530, 530, 432, 306, 270},
    {-28, 70, 210, 273, 273, 210, 70, -28},
    {-35, 14, 96, 198, 198, 96, 14, -35},
    {-215, -117, 23, 104, 104, 23, -117, -215},
    {-273, -145, 54, 90, 90, 54, -145, -273},
    {-802, -304, 766, 1141, 1141, 766, -304, -802},
}};
constexpr Picture kRookTableMiddle = {{
    {978, 1099, 1577, 1344, 1344, 1577, 1099, 978},
    {2621, 2516, 2905, 3828, 3828, 2905, 2516, 2621},
    {106, 447, 507, 598, 598, 507, 447, 106},
    {464, 460, 274, 893, 893, 274, 460, 464},
    {-232, 30, 155, 130, 130, 155, 30, -232},
    {-263, 99, 297, -760, -760, 297, 99, -263},
    {-201, -51, -174, 229, 229, -174, -51, -201},
    {-893, -580, 596, 899, 899, 596, -580, -893},
}};
constexpr Picture kRookTableEnding = {{
    {479, 628, 548, 590, 590, 548, 628, 479},
    {1104, 1116, 1082, 1707, 1707, 1082, 1116, 1104},
    {253, 32, -27, 419, 419, -27, 32, 253},
    {471, 455, 538, 458, 458, 538, 455, 471},
    {103, -51, 363, 534, 534, 363, -51, 103},
    {95, 27, 62, 19, 19, 62, 27, 95},
    {161, 15, -202, 209, 209, -202, 15, 161},
    {309, 38, -14, 614, 614, -14, 38, 309},
}};
constexpr Picture kRookTablePawnless = {{
    {168, 157, 169, 191, 191, 169, 157, 168},
    {547, 531, 546, 584, 584, 546, 531, 547},
    {148, 102, 88, 160, 160, 88, 102, 148},
    {50, 115, 107, 162, 162, 107, 115, 50},
    {37, 75, 116, 165, 165, 116, 75, 37},
    {-33, -10, 75, 119, 119, 75, -10, -33},
    {-10, 36, 11, 72, 72, 11, 36, -10},
    {-44, -44, -7, 43, 43, -7, -44, -44},
}};

// Knights: "a knight on the rim is dim", in every stage.
constexpr Picture kKnightTableOpening = {{
    {-1339, -815, -543, -453, -453, -543, -815, -1339},
    {-818, -264, 146, 270, 270, 146, -264, -818},
    {-537, 204, 724, 985, 985, 724, 204, -537},
    {-375, 19, 864, 967, 967, 864, 19, -375},
    {-292, 149, 927, 860, 860, 927, 149, -292},
    {-837, -294, 523, 514, 514, 523, -294, -837},
    {-901, -328, -117, 575, 575, -117, -328, -901},
    {-1267, -284, -598, -431, -431, -598, -284, -1267},
}};
constexpr Picture kKnightTableMiddle = {{
    {-2138, -942, -562, -487, -487, -562, -942, -2138},
    {-953, -226, 479, 266, 266, 479, -226, -953},
    {-663, 492, 1410, 1840, 1840, 1410, 492, -663},
    {-534, -325, 297, 1563, 1563, 297, -325, -534},
    {74, 342, 1302, 1830, 1830, 1302, 342, 74},
    {-591, -861, 246, 1314, 1314, 246, -861, -591},
    {-925, -871, -353, 142, 142, -353, -871, -925},
    {-1549, -316, -839, 78, 78, -839, -316, -1549},
}};
constexpr Picture kKnightTableEnding = {{
    {-417, -198, -201, -206, -206, -201, -198, -417},
    {-325, -30, -153, 336, 336, -153, -30, -325},
    {-84, -18, -168, 129, 129, -168, -18, -84},
    {-238, -42, 175, 553, 553, 175, -42, -238},
    {-401, -49, 198, 540, 540, 198, -49, -401},
    {-255, -119, 281, 58, 58, 281, -119, -255},
    {-255, -100, -303, -69, -69, -303, -100, -255},
    {-383, -384, -165, -87, -87, -165, -384, -383},
}};
constexpr Picture kKnightTablePawnless = {{
    {-693, -443, -297, -246, -246, -297, -443, -693},
    {-446, -149, 82, 156, 156, 82, -149, -446},
    {-288, 115, 383, 437, 437, 383, 115, -288},
    {-248, 151, 444, 510, 510, 444, 151, -248},
    {-176, 91, 402, 585, 585, 402, 91, -176},
    {-294, 50, 283, 349, 349, 283, 50, -294},
    {-446, -137, 9, 56, 56, 9, -137, -446},
    {-693, -446, -297, -232, -232, -297, -446, -693},
}};

// Holding a square: the centre most, squares in the enemy's half more than our own.
constexpr Picture kControlTableOpening = {{
    {107, 99, 153, 147, 147, 153, 99, 107},
    {93, 50, 555, 343, 343, 555, 50, 93},
    {556, 331, 223, 564, 564, 223, 331, 556},
    {623, -94, 252, 662, 662, 252, -94, 623},
    {15, 227, 87, 393, 393, 87, 227, 15},
    {469, 366, 274, 82, 82, 274, 366, 469},
    {46, -43, -143, -55, -55, -143, -43, 46},
    {166, -121, 498, 189, 189, 498, -121, 166},
}};
constexpr Picture kControlTableMiddle = {{
    {310, 779, 572, 669, 669, 572, 779, 310},
    {631, 717, 709, 311, 311, 709, 717, 631},
    {573, 1124, 876, 1061, 1061, 876, 1124, 573},
    {651, 326, 403, 954, 954, 403, 326, 651},
    {74, -40, 324, 644, 644, 324, -40, 74},
    {14, -22, 510, -13, -13, 510, -22, 14},
    {2, 478, 364, 473, 473, 364, 478, 2},
    {286, 22, 92, 209, 209, 92, 22, 286},
}};
constexpr Picture kControlTableEnding = {{
    {563, -460, -27, 89, 89, -27, -460, 563},
    {358, 217, 19, -135, -135, 19, 217, 358},
    {10, 696, 458, 294, 294, 458, 696, 10},
    {637, -46, 503, -85, -85, 503, -46, 637},
    {-31, -237, -207, 66, 66, -207, -237, -31},
    {187, -325, 264, -163, -163, 264, -325, 187},
    {-142, -398, -444, -213, -213, -444, -398, -142},
    {-57, 148, 473, 148, 148, 473, 148, -57},
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
    {-40, -15, 21, -7, -11, -17, -11, 37},
    {13, -165, 284, 24, 52, 40, 7, -53},
    {53, -14, -98, 459, -268, -88, 96, 292},
    {129, -452, 39, -297, 402, -257, -7, 299},
    {-225, 419, -246, 175, 103, 409, 158, 518},
    {72, 50, 233, 275, 204, 819, 1410, 1479},
    {24, -15, -108, 134, 499, 1113, 1326, 1208},
    {-438, -147, 359, 305, 396, 761, 789, 1296},
}};
constexpr Picture kKingSideZoneTableMiddle = {{
    {-98, 125, -293, 128, -129, -182, 288, -92},
    {-211, -331, 306, 250, -133, 174, 290, 251},
    {-147, -411, 751, -114, 306, -10, 14, 619},
    {-427, -226, 430, -102, -180, -39, -61, -303},
    {-246, -355, -649, -472, -343, 233, 584, 316},
    {-830, -536, -213, -442, 479, 857, 729, 1623},
    {-495, -303, 46, 144, 329, 781, 1237, 1388},
    {-266, -30, -212, 454, 339, -117, 790, 1700},
}};
constexpr Picture kKingSideZoneTableEnding = {{
    {-152, 103, -47, -213, 110, 61, 78, -80},
    {-56, -195, 95, -130, 39, 8, -130, -24},
    {-57, -5, -78, -139, 61, -203, -162, -133},
    {-31, -233, 24, -96, -72, -117, -95, -193},
    {-106, -122, -49, 6, -5, 171, -200, 104},
    {-55, -144, -108, -70, 208, 290, 533, 371},
    {-83, -114, 96, -146, 118, 390, 427, 663},
    {-153, 229, 63, -45, 152, 349, 350, 265},
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
    {37, -11, -17, -11, -7, 21, -15, -40},
    {-53, 7, 40, 52, 24, 284, -165, 13},
    {292, 96, -88, -268, 459, -98, -14, 53},
    {299, -7, -257, 402, -297, 39, -452, 129},
    {518, 158, 409, 103, 175, -246, 419, -225},
    {1479, 1410, 819, 204, 275, 233, 50, 72},
    {1208, 1347, 1113, 499, 134, -108, -15, 24},
    {1296, 789, 761, 396, 305, 359, -147, -438},
}};
constexpr Picture kQueenSideZoneTableMiddle = {{
    {-92, 288, -182, -129, 128, -293, 125, -98},
    {251, 290, 174, -133, 250, 306, -331, -211},
    {619, 14, -10, 306, -114, 751, -411, -147},
    {-303, -61, -39, -180, -102, 430, -226, -427},
    {316, 584, 233, -343, -472, -649, -355, -246},
    {1623, 729, 857, 479, -442, -213, -536, -830},
    {1388, 1253, 781, 329, 144, 46, -303, -495},
    {1700, 790, -117, 339, 454, -212, -30, -266},
}};
constexpr Picture kQueenSideZoneTableEnding = {{
    {-80, 78, 61, 110, -213, -47, 103, -152},
    {-24, -130, 8, 39, -130, 95, -195, -56},
    {-133, -162, -203, 61, -139, -78, -5, -57},
    {-193, -95, -117, -72, -96, 24, -233, -31},
    {104, -200, 171, -5, 6, -49, -122, -106},
    {371, 533, 290, 208, -70, -108, -144, -55},
    {663, 432, 390, 118, -146, 96, -114, -83},
    {265, 350, 349, 152, -45, 63, 229, -153},
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
  const int32_t knight = Pick(s, {86, 167, 27, 90});
  const int32_t bishop = Pick(s, {112, 120, 26, 120});
  const int32_t rook = Pick(s, {267, 240, 529, 140});
  const int32_t queen = Pick(s, {62, 180, 262, 120});
  const int32_t king = Pick(s, {63, 170, 39, 100});
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
    {228, 467, 929, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930, 930},
    {261, 534, 909, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910, 910},
    {238, 540, 1089, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090, 1090},
    {215, 495, 999, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000},
}};

constexpr void PutMaterialAndKingSafety(Filler& f, int s) {
  f.Put(kPieceValueTable, Values<7>{0, 10052, 40012, 41375, 60163, 119983, 800000});
  f.Put(kWinsByCaptures, Pick(s, {2715, 2877, 2713, 3298}));
  f.Put(kThreatensCaptures, Pick(s, {1129, 1417, 1639, 1993}));
  // One defender for two contested pieces is the classic overload; more hardly adds.
  f.Put(kOverloadedDefender, kOverloadedDefenderByStage[s]);
  // Attackers of a king's zone, by stage.
  const int32_t safety = Pick(s, {16, 25, 17, 13});
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
    {2000, 500, 100, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -730, -121, 287, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {2000, 500, 100, 50, 0, -1, 230, -65, 1000, 591, 692, 281, -83, 70, -220, -79, -236, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0},
    {2360, 590, 1057, -203, 484, -592, 906, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1620, 405, 81, -381, -46, -248, -5, -8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<16>, kStages> kOfficerAttacksByStage = {{
    {349, 206, 218, -103, -32, 381, 597, 643, 854, 924, 996, 1072, 1140, 1197, 1250, 1292},
    {622, 414, 206, -300, -161, -4, 513, 571, 606, 724, 794, 850, 904, 945, 987, 1020},
    {-356, 58, 485, 1063, 1143, 1526, 1995, 2405, 2795, 3120, 3406, 3666, 3900, 4095, 4277, 4420},
    {227, 136, 75, 436, 723, 1125, 1500, 1850, 2150, 2400, 2620, 2820, 3000, 3150, 3290, 3400},
}};
constexpr std::array<Values<32>, kStages> kTradeDownPawnsByStage = {{
    {1900, 200, 200, 0, 0, 0, 10, 2, 32, 82, 34, 151, 117, 28, 40, 70, 73, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1919, 280, 356, -34, -51, 194, -42, 344, -736, -803, -529, -516, -95, -916, -75, -500, 63, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0},
    {3401, 1358, 977, 564, -352, 56, -898, -757, -872, -967, -642, -729, -84, -2, -4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0},
    {9747, 456, 456, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
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
    {-116, -93, -31, 17, -9, 13, 56, 87, 98, 119, 105, 57, 100, 45, 155, 56, 166, 217, 213, 372, 603},
    {-9, 127, 238, 261, 78, 16, 201, 288, 250, 10, 53, -78, -114, -25, 168, 594, 761, 606, 916, 1184, 2197},
    {167, 78, -33, 75, 178, 216, 30, -219, -273, -21, 224, 460, -25, 102, 335, 930, 1091, 1329, 1650, 2717, 5027},
    {-31, 84, 140, 196, 252, 308, 140, 210, 280, 350, 420, 280, 420, 560, 700, 560, 770, 980, 980, 1680, 2768},
}};
static_assert(PassedPathStart(7) == static_cast<int>(kPassedPathByStage[0].size()));

constexpr std::array<Values<8>, kStages> kPassedByRowsByStage = {{
    {0, 5427, 3008, 1689, 978, 704, 85, 0},
    {0, 17277, 7961, 2443, 1181, 1063, 863, 0},
    {0, 18540, 10873, 5484, 4137, 2642, 1249, 0},
    {0, 22340, 15392, 8274, 4140, 2768, 1224, 0},
}};
constexpr std::array<Values<6>, kStages> kConnectedPasserByStage = {{
    {2449, 1624, 891, 665, 282, 144},
    {7287, 4695, 1084, 171, 698, 491},
    {4467, 3416, 1356, 436, 676, 162},
    {11060, 7279, 3749, 1778, 1221, 522},
}};
constexpr std::array<Values<7>, kStages> kOpenPawnByRowsByStage = {{
    {0, 1209, 778, 637, 516, 257, -454},
    {0, 3510, 1811, 1464, 844, 844, -259},
    {0, 3000, 2923, 1848, 2164, 1096, 734},
    {0, 5460, 3494, 1940, 1898, 1243, 28},
}};

constexpr void PutPasserTerms(Filler& f, int s) {
  f.Put(kPawnUndefended, Pick(s, {469, 292, -1032, 100}));
  f.Put(kPawnNeighbour, Pick(s, {132, 199, -90, 500}));
  f.Put(kPassedPath, kPassedPathByStage[s]);
  f.Put(kUnstoppablePasser, 30000);
  f.Put(kDoubledPawn, Pick(s, {1198, 805, 2398, 1500}));
  f.Put(kBackwardPawn, Pick(s, {206, 372, 742, 1000}));
  f.Put(kReserved, 200);
  f.Put(kPasserBlocked, Pick(s, {2041, 2431, 6785, 2000}));
  f.Put(kKingByPasser, Pick(s, {2001, 2700, 5353, 2000}));
  f.Put(kEnemyRookBehindPasser, Pick(s, {1500, 1598, 3120, 1500}));
  f.Put(kOwnRookBehindPasser, Pick(s, {922, -181, 943, 2500}));
  // A piece in front of the unmoved d- or e-pawn cramps the opening only.
  f.Put(kBlockedDPawn, Pick(s, {702, 857, 232, 150}));
  f.Put(kBlockedEPawn, Pick(s, {1037, 650, -31, 150}));
  f.Put(kPassedByRows, kPassedByRowsByStage[s]);
  f.Put(kConnectedPasser, kConnectedPasserByStage[s]);
  f.Put(kOpenPawnByRows, kOpenPawnByRowsByStage[s]);
  f.Put(kEnemyKingAheadOfPasser, Pick(s, {592, -307, 2559, 1200}));
}

// ---------------------------------------------------------------------------
// Entries 1374..1467: pawn squares, shelter, isolated and backward pawns.

// Early: d4 and e4 strongly, d3 and e3 block the bishops, f3 and g4 open the king.
constexpr Picture kPawnTableOpening = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {-2, 2, 16, 2, 2, 16, 2, -2},
    {85, -8, -13, 33, 33, -13, -8, 85},
    {186, -150, 61, 1944, 1917, -199, -215, 121},
    {-114, 260, 933, 1356, 1331, 413, -130, -309},
    {-296, 69, 76, -85, -82, -444, 69, -296},
    {-119, 86, 32, 254, 169, 162, 346, 11},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr Picture kPawnTableMiddle = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {202, -128, -36, 62, 62, -36, -128, 202},
    {863, 299, 316, 67, 67, 316, 299, 863},
    {684, -431, 869, 1383, 1366, 707, -472, 643},
    {-90, 216, 1177, 652, 637, 853, -27, -212},
    {-572, 126, 211, -303, -301, -113, 126, -572},
    {-858, -551, 845, 173, 120, 926, -389, -777},
    {0, 0, 0, 0, 0, 0, 0, 0},
}};
constexpr Picture kPawnTableEnding = {{
    {0, 0, 0, 0, 0, 0, 0, 0},
    {1177, 4218, 870, 1606, 1606, 870, 4218, 1177},
    {2718, 2042, 2015, 362, 362, 2015, 2042, 2718},
    {1247, 1012, 1231, 466, 466, 1231, 1012, 1247},
    {337, 1146, 258, -333, -333, 258, 1146, 337},
    {-628, 79, 859, -53, -53, 859, 79, -628},
    {-221, 469, 995, 195, 195, 995, 469, -221},
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
    {781, 716, 466, 313, 283, 457},
    {1435, 1137, 557, 1664, 924, 601},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<6>, kStages> kQueenSideShelterByStage = {{
    {623, 644, 625, 541, 518, 504},
    {1126, 1248, 1961, 1599, 1304, 1048},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
}};
constexpr std::array<Values<16>, kStages> kBackwardAttackedByStage = {{
    {320, 605, 353, 845, 896, 960, 960, 960, 960, 960, 960, 960, 960, 960, 960, 960},
    {650, 515, 2197, 2020, 1887, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950, 1950},
    {1140, 1523, 2187, 2856, 3192, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420, 3420},
    {500, 303, 903, 1374, 1400, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500},
}};

constexpr void PutPawnStructure(Filler& f, int s) {
  f.Put(kPawnSquares, Squares(Pick(s, kPawnTableOpening, kPawnTableMiddle, kPawnTableEnding, kPawnTablePawnless)));
  // The king's pawn cover while queens are on; the ending has no use for it.
  // f2, g2, h2, g2+h3, h2+g3, g2+f3 (the last two once the enemy bishop for the holes is gone)
  f.Put(kKingSideShelter, kKingSideShelterByStage[s]);
  // a2, b2, c2, b2+a3, a2+b3, b2+c3
  f.Put(kQueenSideShelter, kQueenSideShelterByStage[s]);
  f.Put(kIsolatedPawn, Pick(s, {656, 1073, 891, 500}));
  f.Put(kBackwardOpenColumn, Pick(s, {421, 473, -959, 500}));
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
