#!/usr/bin/env python3
"""Stockfish's judgement as tuning targets: reads `FEN;RESULT` lines (bench/sf_games.py),
has Debian's stockfish search each position for a fixed number of nodes, and writes
`FEN;TARGET` with TARGET = MIX x RESULT + (1 - MIX) x the win chance of Stockfish's score
(1 / (1 + 10^(-centipawns / 400)), for White). Positions whose best move is a capture are
left out, so that what remains is quiet for the static evaluation tune_eval fits.

    bench/sf_label.py IN OUT [--nodes 5000] [--mix 0.25]
"""
import argparse
import subprocess


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
    sf = subprocess.Popen([args.stockfish], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)

    def send(line):
        sf.stdin.write(line + "\n")
        sf.stdin.flush()

    for line in ("uci", "setoption name Threads value 1", "setoption name Hash value 16", "isready"):
        send(line)
    for line in sf.stdout:
        if line.startswith("readyok"):
            break
    written = 0
    with open(args.inp) as inp, open(args.out, "w") as out:
        for line in inp:
            fen, result = line.strip().rsplit(";", 1)
            send("position fen " + fen)
            send("go nodes %d" % args.nodes)
            cp, best = None, "(none)"
            for reply in sf.stdout:
                words = reply.split()
                if reply.startswith("info") and "score" in words:
                    i = words.index("score")
                    cp = int(words[i + 2]) if words[i + 1] == "cp" else (3000 if int(words[i + 2]) > 0 else -3000)
                if reply.startswith("bestmove"):
                    best = words[1]
                    break
            if cp is None or (best != "(none)" and occupied(fen, best[2:4])):
                continue
            if fen.split()[1] == "b":
                cp = -cp
            chance = 1 / (1 + 10 ** (-cp / 400))
            out.write("%s;%.4f\n" % (fen, args.mix * float(result) + (1 - args.mix) * chance))
            written += 1
    send("quit")
    print(written, "positions")


if __name__ == "__main__":
    main()
