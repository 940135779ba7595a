#!/usr/bin/env python3
"""Stockfish's judgement as tuning targets: reads `FEN;RESULT` lines (bench/sf_games.py),
has Debian's stockfish search each position for a fixed number of nodes, and writes
`FEN;TARGET` with TARGET = MIX x RESULT + (1 - MIX) x the win chance of Stockfish's score
(1 / (1 + 10^(-centipawns / 400)), for White). Positions whose best move is a capture, and
those without a move, are left out, so that what remains is quiet for the static evaluation
tune_eval fits.

    bench/sf_label.py IN OUT [--nodes 5000] [--mix 0.25]
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sf_games import Stockfish  # noqa: E402

MATE_CENTIPAWNS = 3000  # a mate score counts as this many centipawns: a certain win


def occupied(fen, square):
    """Whether the FEN's board has a piece on `square` (as e4)."""
    row = fen.split()[0].split("/")[8 - int(square[1])]
    column, at = ord(square[0]) - ord("a"), 0
    for ch in row:
        if ch.isdigit():
            at += int(ch)
        else:
            if at == column:
                return True
            at += 1
    return False


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("inp")
    ap.add_argument("out")
    ap.add_argument("--nodes", type=int, default=5000)
    ap.add_argument("--mix", type=float, default=0.25, help="the game result's share of the target")
    ap.add_argument("--stockfish", default="/usr/games/stockfish")
    args = ap.parse_args()
    sf = Stockfish(args.stockfish)
    written = 0
    with open(args.inp) as inp, open(args.out, "w") as out:
        for line in inp:
            fen, result = line.strip().rsplit(";", 1)
            sf.send("position fen " + fen)
            choices = sf.think(args.nodes, 1)
            if not choices or occupied(fen, choices[0][0][2:4]):
                continue
            cp = max(-MATE_CENTIPAWNS, min(MATE_CENTIPAWNS, choices[0][1]))
            if fen.split()[1] == "b":
                cp = -cp
            chance = 1 / (1 + 10 ** (-cp / 400))
            out.write("%s;%.4f\n" % (fen, args.mix * float(result) + (1 - args.mix) * chance))
            written += 1
    sf.send("quit")
    print(written, "positions")


if __name__ == "__main__":
    main()
