#!/usr/bin/env python3
"""Torvik's engine beside Stockfish on the same machine, in the same run.

For each position: the depth reached and the nodes per second of `go movetime`
at 1 s and at 5 s (one thread each), for `torvik-cli uci` and, when installed,
Debian's `stockfish`; then Torvik's evaluation and perft rates (bench_eval and
bench_movegen of the build) and Stockfish's perft rate. Run by hand:

    bench/speed_table.py [--build build] [--times 1000,5000] [--no-stockfish]

The figures are the machine's, not the program's: run it on a quiet machine.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

POSITIONS = [
    ("start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"),
    ("Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"),
    ("quiet middle game", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10"),
    ("tactical middle game", "r1b1k2r/ppppnppp/2n2q2/2b5/3NP3/2P1B3/PP3PPP/RN1QKB1R w KQkq - 0 7"),
    ("rook ending", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"),
]


def think(command, fen, millis):
    """Depth and nodes of the last full info line, and the wall time, of one think."""
    engine = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, bufsize=1)
    send = lambda line: engine.stdin.write(line + "\n")
    send("uci")
    send("setoption name Threads value 1")
    send("isready")
    for line in engine.stdout:
        if line.startswith("readyok"):
            break
    send("position fen " + fen)
    start = time.monotonic()
    send("go movetime %d" % millis)
    depth = nodes = 0
    for line in engine.stdout:
        words = line.split()
        if words and words[0] == "info" and "depth" in words and "nodes" in words and "pv" in words:
            depth = int(words[words.index("depth") + 1])
            nodes = int(words[words.index("nodes") + 1])
        if words and words[0] == "bestmove":
            break
    elapsed = time.monotonic() - start
    send("quit")
    engine.wait(timeout=10)
    return depth, nodes, elapsed


def perft_rate(command, fen, depth):
    """Stockfish's perft: leaf nodes per second of `go perft`, less the time the
    program takes to start (timed on a perft of depth 1)."""
    def run(d):
        engine = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        start = time.monotonic()
        out, _ = engine.communicate("position fen %s\ngo perft %d\nquit\n" % (fen, d), timeout=600)
        elapsed = time.monotonic() - start
        for line in out.splitlines():
            if line.startswith("Nodes searched"):
                return int(line.split(":")[1]), elapsed
        return 0, elapsed
    _, startup = run(1)
    nodes, elapsed = run(depth)
    return nodes / max(elapsed - startup, 1e-3)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--times", default="1000,5000", help="movetimes in ms, comma-separated")
    parser.add_argument("--no-stockfish", action="store_true")
    args = parser.parse_args()
    torvik = [os.path.join(args.build, "torvik-cli"), "uci"]
    if not os.access(torvik[0], os.X_OK):
        sys.exit("no %s: build it first" % torvik[0])
    stockfish = None if args.no_stockfish else (shutil.which("stockfish") or shutil.which("/usr/games/stockfish"))
    engines = [("Torvik", torvik)] + ([("Stockfish", [stockfish])] if stockfish else [])
    times = [int(t) for t in args.times.split(",")]

    header = "%-22s" % "position" + "".join(
        " | %9s %4.1f s: depth knodes/s" % (name, t / 1000) for name, _ in engines for t in times)
    print(header)
    print("-" * len(header))
    for name, fen in POSITIONS:
        row = "%-22s" % name
        for _, command in engines:
            for t in times:
                depth, nodes, elapsed = think(command, fen, t)
                row += " | %17s %5d %9.0f" % ("", depth, nodes / elapsed / 1000 if elapsed else 0)
        print(row, flush=True)
    if not stockfish and not args.no_stockfish:
        print("(stockfish is not installed: apt-get install stockfish)")

    print()
    for tool in ("bench_eval", "bench_movegen"):
        path = os.path.join(args.build, "bench", tool)
        if os.access(path, os.X_OK):
            print("== %s" % tool, flush=True)
            subprocess.run([path], check=False)
    if stockfish:
        for name, fen, depth in (POSITIONS[0][0], POSITIONS[0][1], 6), (POSITIONS[1][0], POSITIONS[1][1], 5):
            rate = perft_rate([stockfish], fen, depth)
            print("== Stockfish perft %d of %s: %.0f nodes/s" % (depth, name, rate))


if __name__ == "__main__":
    main()
