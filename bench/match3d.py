#!/usr/bin/env python3
"""Plays two builds of torvik-cli against each other in the 3D game over the
Universal Chess Interface, refereed by the program's own rules
(`torvik-cli referee`: legality, mate, stalemate, repetition, 101 quiet plies,
insufficient material). Each opening is played twice, the colours swapped.
Writes the games (PGN headers, the moves in move text, how each ended) and
prints the tally with bench/elo.py.

    bench/match3d.py --engine build/torvik-cli --opponent /tmp/torvik-old --games 20 --st 0.1
"""
import argparse
import os
import queue
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))


class Process:
    """A program on pipes; its output lines come through a queue."""

    def __init__(self, args, stderr):
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=stderr,
                                     text=True, bufsize=1)
        self.lines = queue.Queue()
        self.skipped = []  # the lines expect passed over
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def send(self, line):
        try:
            self.proc.stdin.write(line + "\n")
            self.proc.stdin.flush()
            return True
        except (BrokenPipeError, OSError):
            return False

    def expect(self, prefix, seconds):
        """The first line starting with `prefix`, or None at the end or after `seconds`."""
        deadline = time.monotonic() + seconds
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            try:
                line = self.lines.get(timeout=left)
            except queue.Empty:
                return None
            if line is None:
                return None
            if line.startswith(prefix):
                return line
            self.skipped.append(line)

    def close(self):
        self.send("quit")
        try:
            self.proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


class Engine(Process):
    def __init__(self, path, name, variant, difficulty, log):
        super().__init__([path, "uci"], log)
        self.name = name
        self.send("uci")
        if self.expect("uciok", 30) is None:
            raise RuntimeError(f"{path}: no uciok")
        if not any(line.startswith("option name Variant ") for line in self.skipped):
            raise RuntimeError(f"{path}: no Variant option: it plays only the 2D game")
        self.skipped = []
        for option, value in (("Variant", variant), ("Difficulty", difficulty), ("Hash", "16")):
            self.send(f"setoption name {option} value {value}")
        self.send("isready")
        if self.expect("readyok", 30) is None:
            raise RuntimeError(f"{path}: no readyok")
        for line in self.skipped:
            if line.startswith("info string"):
                raise RuntimeError(f"{path}: {line}")


def play_game(engines, cli, rules, opening, clock, log):
    """One game: engines[0] plays White. Returns (result, reason, moves)."""
    referee = Process([cli, "referee", "--mode", "3d", "--rules", rules], log)
    try:
        moves = []
        for m in opening:
            answer = referee.expect("", 10) if referee.send(m) else None
            if answer != "ok":
                raise RuntimeError(f"opening move {m} after {' '.join(moves)}: {answer}")
            moves.append(m)
        for e in engines:
            e.send("ucinewgame")
        left = [clock["base"], clock["base"]]
        while True:
            side = len(moves) % 2
            engine = engines[side]
            engine.send("position startpos moves " + " ".join(moves) if moves else "position startpos")
            if clock["st"]:
                engine.send(f"go movetime {int(clock['st'] * 1000)}")
                allowed = clock["st"] + 1.0
            else:
                engine.send(f"go wtime {int(left[0] * 1000)} btime {int(left[1] * 1000)} "
                            f"winc {int(clock['inc'] * 1000)} binc {int(clock['inc'] * 1000)}")
                allowed = left[side] + 0.2
            start = time.monotonic()
            engine.skipped = []
            line = engine.expect("bestmove", allowed + 5)
            spent = time.monotonic() - start
            loss = "0-1" if side == 0 else "1-0"
            if line is None:
                return loss, f"{engine.name} gave no move", moves
            if spent > allowed:
                return loss, f"{engine.name} lost on time", moves
            if not clock["st"]:
                left[side] += clock["inc"] - spent
            move = line.split()[1] if len(line.split()) > 1 else "0000"
            answer = referee.expect("", 10) if referee.send(move) else None
            if answer is None:
                raise RuntimeError("the referee stopped")
            if answer.startswith("illegal"):
                return loss, f"{engine.name} played the illegal move {move}", moves
            moves.append(move)
            if answer.startswith("over"):
                _, result, reason = answer.split(" ", 2)
                return result, reason, moves
    finally:
        referee.close()


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--engine", required=True, help="torvik-cli to measure (named Torvik)")
    ap.add_argument("--opponent", required=True, help="the other torvik-cli (named Baseline)")
    ap.add_argument("--rules", default="tournament", choices=["tournament", "standard"])
    ap.add_argument("--openings", default=os.path.join(HERE, "openings-3d.txt"))
    ap.add_argument("--games", type=int, default=20)
    ap.add_argument("--first", type=int, default=1, help="the first opening, 1..number of openings")
    ap.add_argument("--st", type=float, default=0, help="seconds a move (go movetime)")
    ap.add_argument("--tc", type=float, default=10, help="seconds a game (without --st)")
    ap.add_argument("--inc", type=float, default=0.1, help="seconds added a move (without --st)")
    ap.add_argument("--difficulty", default="hard")
    ap.add_argument("--out", required=True, help="folder for games.pgn and the engines' logs")
    args = ap.parse_args()

    with open(args.openings) as f:
        openings = [line.split() for line in f if line.strip() and not line.startswith("#")]
    if not 1 <= args.first <= len(openings):
        sys.exit(f"match3d: --first is 1..{len(openings)}")
    openings = openings[args.first - 1:] + openings[:args.first - 1]
    games = (args.games + 1) // 2 * 2
    os.makedirs(args.out, exist_ok=True)
    variant = "3d-" + args.rules
    clock = {"st": args.st, "base": args.tc, "inc": args.inc}
    pgn = os.path.join(args.out, "games.pgn")
    with open(os.path.join(args.out, "engines-stderr.log"), "a") as log, open(pgn, "w") as out:
        torvik = Engine(args.engine, "Torvik", variant, args.difficulty, log)
        baseline = Engine(args.opponent, "Baseline", variant, args.difficulty, log)
        try:
            for g in range(games):
                number = g // 2 % len(openings)
                pair = (torvik, baseline) if g % 2 == 0 else (baseline, torvik)
                result, reason, moves = play_game(pair, args.engine, args.rules, openings[number], clock, log)
                out.write(f'[Event "3D match, {args.rules} rules"]\n[Round "{g + 1}"]\n'
                          f'[White "{pair[0].name}"]\n[Black "{pair[1].name}"]\n'
                          f'[Opening "{number + args.first}"]\n[PlyCount "{len(moves)}"]\n'
                          f'[Result "{result}"]\n\n{" ".join(moves)} {{{reason}}} {result}\n\n')
                out.flush()
                print(f"  game {g + 1}/{games}: {pair[0].name}-{pair[1].name} {result} ({reason}, "
                      f"{len(moves)} plies)", flush=True)
        finally:
            torvik.close()
            baseline.close()
    return subprocess.call([sys.executable, os.path.join(HERE, "elo.py"), pgn, "--engine", "Torvik"])


if __name__ == "__main__":
    sys.exit(main())
