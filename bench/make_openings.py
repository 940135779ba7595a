#!/usr/bin/env python3
"""Writes balanced openings for bench/uci_match.py: from the start, a few plies
picked at random among the legal moves (in 3D, those legal under both rule
sets, Tournament and Standard), kept when a short search at Medium scores the
position within --balance of even for the side to move. One opening a line, in
move text, as bench/openings-3d.txt and bench/openings-2d.txt hold them.

    bench/make_openings.py --cli build/torvik-cli --mode 3d --count 100 --seed 1 > openings.txt
"""
import argparse
import random
import re
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uci_match import Engine  # noqa: E402

MOVE = re.compile(r"^(\d+-\d+)\s")
MOVE_2D = re.compile(r"^([a-h][1-8][a-h][1-8][nbrq]?)\s")


def legal(cli, mode, rules, moves):
    text = "\n".join(moves + ["moves", "quit"]) + "\n"
    out = subprocess.run([cli, "play", "--mode", mode, "--rules", rules], input=text, capture_output=True,
                         text=True).stdout
    pattern = MOVE if mode == "3d" else MOVE_2D
    # the listing after the moves: the last run of move lines
    lines = out.splitlines()
    found = []
    for line in reversed(lines):
        m = pattern.match(line)
        if m:
            found.append(m.group(1))
        elif found:
            break
    return set(found)


def score(cli, mode, moves):
    """Medium's score of the position after the moves, for the side to move."""
    variant = [("Variant", "3d-tournament")] if mode == "3d" else []
    engine = Engine([cli, "uci"], "Torvik", variant + [("Difficulty", "medium")], subprocess.DEVNULL, None)
    try:
        engine.send(f"position startpos moves {' '.join(moves)}")
        engine.send("go")
        engine.expect("bestmove", 60)
        values = [re.search(r"score cp (-?\d+)", line) for line in engine.skipped]
        values = [int(m.group(1)) for m in values if m]
        return values[-1] if values else None
    finally:
        engine.close()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--mode", choices=["2d", "3d"], default="3d")
    ap.add_argument("--count", type=int, default=100)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--plies", type=int, default=8, help="plies an opening (6 to this many)")
    ap.add_argument("--balance", type=int, default=40, help="centipawns from even at most")
    args = ap.parse_args()
    rng = random.Random(args.seed)
    seen = set()
    kept = 0
    while kept < args.count:
        moves = []
        for _ in range(rng.randint(6, args.plies)):
            both = legal(args.cli, args.mode, "tournament", moves)
            if args.mode == "3d":
                both &= legal(args.cli, args.mode, "standard", moves)
            both = sorted(both)
            if not both:
                break
            moves.append(rng.choice(both))
        key = " ".join(moves)
        if key in seen or len(moves) < 6:
            continue
        seen.add(key)
        value = score(args.cli, args.mode, moves)
        if value is None or abs(value) > args.balance:
            continue
        print(key, flush=True)
        kept += 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
