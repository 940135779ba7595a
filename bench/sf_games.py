#!/usr/bin/env python3
"""Positions with game results for tuning the evaluation: Debian's stockfish
plays itself at a small node count from the openings of bench/openings.pgn,
its first plies after the opening picked at random among its best few moves.
Writes one line a position, `FEN;RESULT` (1, 0.5 or 0 for White), skipping
the first plies of each game and positions in check.

A game ends at mate or stalemate, a threefold repetition, 100 quiet plies,
or by adjudication: a score of 10 pawns or mate for four plies running
(a win), within 0.1 pawn for ten plies after ply 80 (a draw), or ply 300.

    bench/sf_games.py --games 2000 --out /work/tune-data/sf.txt

With --pgn it writes the positions of finished games instead: the 2D games
bench/uci_match.py wrote (their moves as coordinates), without playing any.

    bench/sf_games.py --pgn /tmp/m-sf/games.pgn ... --out /work/tune-data/matches.txt
"""
import argparse
import os
import random
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uci_match import Engine, as_move_text, read_openings  # noqa: E402


class Stockfish(Engine):
    def __init__(self, path):
        super().__init__([path], "Stockfish", [("Threads", "1"), ("Hash", "16")], subprocess.DEVNULL, None)

    def until(self, prefix):
        """The lines up to and with the first that starts with `prefix`."""
        self.skipped = []
        line = self.expect(prefix, 600)
        if line is None:
            raise RuntimeError("stockfish stopped")
        return self.skipped + [line]

    def board(self, moves):
        """(FEN, in check) after the moves."""
        self.send("position startpos moves " + " ".join(moves) if moves else "position startpos")
        self.send("d")
        lines = self.until("Checkers:")
        fen = next(l[len("Fen: "):] for l in lines if l.startswith("Fen: "))
        return fen, lines[-1].split(":", 1)[1].strip() != ""

    def think(self, nodes, multipv):
        """[(move, score for the side to move in centipawns)] best first; [] without a move."""
        self.send(f"setoption name MultiPV value {multipv}")
        self.send(f"go nodes {nodes}")
        lines = self.until("bestmove")
        best = {}
        for line in lines:
            m = re.search(r" multipv (\d+) score (cp|mate) (-?\d+).* pv (\S+)", line)
            if m:
                k, kind, v, move = int(m.group(1)), m.group(2), int(m.group(3)), m.group(4)
                score = v if kind == "cp" else (100000 - abs(v)) * (1 if v > 0 else -1)
                best[k] = (move, score)
        if lines[-1].split()[1] == "(none)":
            return []
        return [best[k] for k in sorted(best)] or [(lines[-1].split()[1], 0)]


def play(sf, opening, rng, nodes_lo, nodes_hi, random_plies):
    """The game's (FEN, in check, ply) list and its result for White."""
    sf.send("ucinewgame")
    moves = list(opening)
    seen = {}
    out = []
    win_run, draw_run = [0, 0], 0
    while True:
        fen, check = sf.board(moves)
        white = fen.split()[1] == "w"
        key = " ".join(fen.split()[:4])
        seen[key] = seen.get(key, 0) + 1
        if seen[key] >= 3 or int(fen.split()[4]) >= 100:
            return out, 0.5
        ply = len(moves)
        out.append((fen, check, ply))
        extra = ply - len(opening)
        choices = sf.think(rng.randint(nodes_lo, nodes_hi), 4 if extra < random_plies else 1)
        if not choices:
            return out, ((0.0 if white else 1.0) if check else 0.5)
        score = choices[0][1]
        if abs(score) >= 1000:
            win_run[score > 0 if white else score < 0] += 1
        else:
            win_run = [0, 0]
        # both sides' views of a lost game: four plies of a big score for the same colour
        if win_run[1] >= 4:
            return out, 1.0
        if win_run[0] >= 4:
            return out, 0.0
        draw_run = draw_run + 1 if abs(score) <= 10 and ply >= 80 else 0
        if draw_run >= 10 or ply >= 300:
            return out, 0.5
        move = choices[0][0]
        if extra < random_plies:
            good = [m for m, s in choices if s >= score - 60]
            move = rng.choice(good)
        moves.append(move)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--games", type=int, default=1000)
    ap.add_argument("--nodes", default="1000,5000", help="the node range of one move")
    ap.add_argument("--random-plies", type=int, default=8)
    ap.add_argument("--skip", type=int, default=16, help="plies skipped at the start of each game")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--stockfish", default="/usr/games/stockfish")
    ap.add_argument("--cli", default="build/torvik-cli", help="torvik-cli, whose referee reads the openings")
    ap.add_argument("--pgn", nargs="*", help="match games to take positions from instead")
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    if args.pgn:
        return from_pgn(args)
    lo, hi = (int(x) for x in args.nodes.split(","))
    openings = read_openings(os.path.join(os.path.dirname(os.path.abspath(__file__)), "openings.pgn"), "2d")
    rng = random.Random(args.seed)
    sf = Stockfish(args.stockfish)
    # the openings are in standard names; stockfish takes coordinates
    coords = [as_move_text(args.cli, "2d", "tournament", o) for o in openings]
    tally = {1.0: 0, 0.5: 0, 0.0: 0}
    kept = 0
    with open(args.out, "a") as f:
        for g in range(args.games):
            positions, result = play(sf, coords[g % len(coords)], rng, lo, hi, args.random_plies)
            tally[result] += 1
            for fen, check, ply in positions:
                if ply >= args.skip and not check:
                    f.write(f"{fen};{result}\n")
                    kept += 1
            f.flush()
            if (g + 1) % 50 == 0:
                print(f"{g + 1} games, {kept} positions, +{tally[1.0]} ={tally[0.5]} -{tally[0.0]}", flush=True)
    sf.send("quit")


def from_pgn(args):
    sf = Stockfish(args.stockfish)
    games = kept = 0
    results = {"1-0": 1.0, "1/2-1/2": 0.5, "0-1": 0.0}
    with open(args.out, "a") as f:
        for path in args.pgn:
            with open(path) as pgn:
                text = pgn.read()
            for game in re.split(r"\n(?=\[Event )", text):
                if not game.startswith('[Event "2D'):
                    continue
                m = re.search(r'\[Result "([^"]+)"\]', game)
                body = [l for l in game.splitlines() if l and not l.startswith("[")]
                if not m or m.group(1) not in results or not body:
                    continue
                reason = re.search(r"\{([^}]*)\}", body[0])
                if reason and re.search(r"time|illegal|no move", reason.group(1)):
                    continue
                moves = re.sub(r"\{[^}]*\}", " ", body[0]).split()[:-1]
                games += 1
                for ply in range(args.skip, len(moves)):
                    fen, check = sf.board(moves[:ply])
                    if not check:
                        f.write(f"{fen};{results[m.group(1)]}\n")
                        kept += 1
    print(f"{games} games, {kept} positions")
    sf.send("quit")


if __name__ == "__main__":
    main()
