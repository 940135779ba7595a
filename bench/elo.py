#!/usr/bin/env python3
"""Tally a match from its PGN and estimate the Elo difference.

    bench/elo.py GAMES.pgn [MORE.pgn ...] [--engine Torvik]

Counts wins, draws and losses from the side of the engine whose name contains
--engine (Torvik by default), then the Elo difference with its 95% margin:
Elo = -400 log10(1/s - 1) for the score s, and the margin from the normal
approximation of the per-game score variance (which the draw ratio lowers);
at a score of 0 or 1, a bound from the rule of three. Several files are
tallied as one match (a match split over the cores, one run a core).
Also counts how the games ended (mate, time, illegal move, draw rules, ...),
as xboard writes it in the last comment of each game, and the games that the
engine lost on time or by an illegal move.
"""

import argparse
import math
import re
import sys
from collections import Counter


def read_games(path):
    """Yields (tags, movetext) for each game of a PGN file."""
    tags, moves, in_moves = {}, [], False
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            m = re.match(r'^\[(\w+)\s+"(.*)"\]\s*$', line)
            if m:
                if in_moves:
                    yield tags, "\n".join(moves)
                    tags, moves, in_moves = {}, [], False
                tags[m.group(1)] = m.group(2)
            elif line.strip():
                in_moves = True
                moves.append(line)
    if tags:
        yield tags, "\n".join(moves)


def elo_of(score):
    if score <= 0.0:
        return -math.inf
    if score >= 1.0:
        return math.inf
    return -400.0 * math.log10(1.0 / score - 1.0)


def estimate(wins, draws, losses):
    """Score, Elo, and the 95% interval (low, high) of the Elo difference."""
    n = wins + draws + losses
    if n == 0:
        return None
    s = (wins + 0.5 * draws) / n
    var = (wins * (1 - s) ** 2 + draws * (0.5 - s) ** 2 + losses * s ** 2) / n
    se = math.sqrt(var / n)
    lo, hi = max(s - 1.96 * se, 0.0), min(s + 1.96 * se, 1.0)
    return s, elo_of(s), elo_of(lo), elo_of(hi)


def fmt(x):
    if math.isinf(x):
        return "+inf" if x > 0 else "-inf"
    return f"{x:+.0f}" if abs(x) >= 0.5 else "0"


def ending(movetext):
    """The reason xboard gave: the last {comment} of the game."""
    comments = re.findall(r"\{([^}]*)\}", movetext)
    return comments[-1].strip() if comments else "no reason given"


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("pgn", nargs="+")
    ap.add_argument("--engine", default="Torvik",
                    help="part of the engine's name in the White/Black tags")
    args = ap.parse_args()

    w = d = l = unfinished = 0
    reasons = Counter()
    faults = Counter()
    as_white = [0, 0, 0]
    for tags, movetext in (game for path in args.pgn for game in read_games(path)):
        white, black = tags.get("White", ""), tags.get("Black", "")
        if args.engine in white:
            ours = "1-0"
            theirs = "0-1"
            colour = "white"
        elif args.engine in black:
            ours = "0-1"
            theirs = "1-0"
            colour = "black"
        else:
            continue
        result = tags.get("Result", "*")
        why = ending(movetext)
        if result == ours:
            w += 1
            if colour == "white":
                as_white[0] += 1
        elif result == theirs:
            l += 1
            if colour == "white":
                as_white[2] += 1
            low = why.lower()
            if "time" in low or "flag" in low:
                faults["lost on time"] += 1
            if "illegal" in low:
                faults["lost by an illegal move"] += 1
            if "exit" in low or "crash" in low or "disconnect" in low:
                faults["engine exited"] += 1
        elif result == "1/2-1/2":
            d += 1
            if colour == "white":
                as_white[1] += 1
        else:
            unfinished += 1
        reasons[f"{result} {why}"] += 1

    n = w + d + l
    print(f"games {n}: {args.engine} +{w} ={d} -{l}"
          + (f" ({unfinished} unfinished, not counted)" if unfinished else ""))
    if n:
        print(f"  as white +{as_white[0]} ={as_white[1]} -{as_white[2]}, "
              f"as black +{w - as_white[0]} ={d - as_white[1]} -{l - as_white[2]}")
        s, e, lo, hi = estimate(w, d, l)
        if s in (0.0, 1.0):
            # No spread to measure: the rule of three bounds the score instead.
            bound = min(3.0 / n, 0.5)
            if s == 0.0:
                print(f"score 0%  Elo below {fmt(elo_of(bound))} (95%, rule of three)")
            else:
                print(f"score 100%  Elo above {fmt(elo_of(1 - bound))} (95%, rule of three)")
        elif math.isinf(lo) or math.isinf(hi):
            print(f"score {100 * s:.1f}%  Elo {fmt(e)}  95% interval [{fmt(lo)}, {fmt(hi)}]")
        else:
            print(f"score {100 * s:.1f}%  draws {100 * d / n:.0f}%  "
                  f"Elo {fmt(e)} +/- {(hi - lo) / 2:.0f} (95%: {fmt(lo)} .. {fmt(hi)})")
    for k, v in faults.items():
        print(f"{args.engine} {k}: {v}")
    if reasons:
        print("endings:")
        for k, v in reasons.most_common():
            print(f"  {v:3d}  {k}")
    return 0 if n else 1


if __name__ == "__main__":
    sys.exit(main())
