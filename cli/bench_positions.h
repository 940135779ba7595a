// The positions `torvik-cli bench` searches: openings, middle games, endings
// and tactical positions of the 2D game and of the 3D game under each rule
// set. Changing the list changes the bench's node count (bench/signature).
#pragma once

#include <array>

#include "board/square.h"

namespace torvik::cli {

struct BenchPosition {
  int mode;
  int rules;
  const char* name;
  const char* text;
};

inline constexpr std::array<BenchPosition, 19> kBenchPositions = {{
    {kGame2D, kTournament, "start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
    {kGame2D, kTournament, "opening", "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4"},
    {kGame2D, kTournament, "middle game", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10"},
    {kGame2D, kTournament, "tactics", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
    {kGame2D, kTournament, "promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"},
    {kGame2D, kTournament, "ending", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"},
    {kGame2D, kTournament, "back rank", "2r3k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1"},

    {kGame3D, kTournament, "start",
     "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn w QL1,QL6,KL1,KL6 wbwb KQkq - 0 1"},
    {kGame3D, kTournament, "opening",
     "RP....prQP...np.KPN..npkRP....pr..PN..pqBP...p.bBP....pb..P...p. w QL1,QL6,KL1,KL6 wbwb KQkq - 2 7"},
    {kGame3D, kTournament, "middle game",
     "R.....prQ.....pq.P....pk.P.K..prNP...p.nB.....pbBP..P.pb.P....pn b QL3,QL6,KL1,KL6 wbwb kq - 7 23"},
    {kGame3D, kTournament, "exchanges",
     ".P....p..P...ppkRP..nNprRP...qpr.K.P......P....b..P..p...P...Bp. w QL1,QL6,KL1,KL6 wbwb - - 0 17"},
    {kGame3D, kTournament, "ending",
     ".P....p......p..R........P.r..p..P..k....K.p......n......P...... b QL3,QL6,KL1,KL6 wbwb - - 4 50"},
    {kGame3D, kTournament, "boards moved",
     "......p......p...R....r..Pn...P....k.....K.p.............P...... w KL2,QL6,KL1,KL5 wbww - - 15 61"},

    {kGame3D, kStandard, "start",
     "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn w QL1,QL6,KL1,KL6 wbwb KQkq - 0 1"},
    {kGame3D, kStandard, "opening",
     "RP.q..pr.P....p.KP..QnpkRP....pr..P..pb.BP...np.BP..N.pbN.P...p. w QL1,QL6,KL1,KL6 wbwb KQkq - 4 8"},
    {kGame3D, kStandard, "middle game",
     ".P..n.p.RP...pp.RPN...prKP....pk..P..br.BBP..n...P....p...P..p.. w QL1,QL6,KL1,KL6 wbwb - - 3 16"},
    {kGame3D, kStandard, "queens",
     ".P..q.pr.P..N.R..P...Q.rKP..R.pk......b..P..p...B...p..b..P...p. w QL1,QL6,KL1,KL6 wbwb - - 0 18"},
    {kGame3D, kStandard, "mate in one",
     ".P....pr.P....R..P.....r.K..R.pk......b..P..p...B...p.N...P...p. w QL1,QL6,KL1,KL6 wbwb - - 0 23"},
    {kGame3D, kStandard, "ending",
     "......p.B.....p..P...PpkKP....p....P..............B........RRp.. w QL3,QL6,KL1,KL6 wbwb - - 1 36"},
}};

// More roots for the walks of the evaluation's signature, for what the bench
// positions seldom reach: promoted pieces and endings without pawns.
inline constexpr std::array<BenchPosition, 6> kEvalWalkPositions = {{
    {kGame2D, kTournament, "promoted queen", "rnbQqk1r/pp3ppp/2p5/b7/2B5/6N1/PPP2KPP/RNBQ3R w - - 1 11"},
    {kGame2D, kTournament, "promoted knight", "r3k2r/Ppp2ppp/1b1p1nbN/nPP1P3/BB6/5N2/P2P2PP/nq1Q1RK1 w kq - 1 5"},
    {kGame2D, kTournament, "no pawns", "8/8/3k4/8/2R5/4N3/5r2/4K2B w - - 0 1"},
    {kGame2D, kTournament, "queens", "6k1/5pp1/8/3q4/8/2Q5/5PPP/6K1 b - - 0 40"},
    {kGame3D, kTournament, "no pawns",
     "................R..........r........k....K........n............. b QL3,QL6,KL1,KL6 wbwb - - 4 50"},
    {kGame3D, kStandard, "no pawns",
     "........B..............kK...............q.........B........RR... b QL3,QL6,KL1,KL6 wbwb - - 1 36"},
}};

}  // namespace torvik::cli
