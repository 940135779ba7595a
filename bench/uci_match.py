#!/usr/bin/env python3
"""Plays Torvik (torvik-cli uci) against another UCI engine, in the 2D game or
the 3D game, without a chess interface between them: this script speaks UCI
to both and hands every move to the program's own rules (`torvik-cli
referee`: legality, mate, stalemate, repetition, 101 quiet plies, insufficient
material). Each opening is played twice, the colours swapped. Writes the
games (PGN headers, the moves in move text, how each ended), every line sent
to and read from the engines, and prints the tally with bench/elo.py.

The opponent: torvik:PATH (another build, named Baseline), stockfish:ELO
(UCI_LimitStrength at UCI_Elo) or stockfish-skill:N (Skill Level N), the last
two in the 2D game only. The options are checked before the first game: each
must be in the engine's option list with a value it takes, and the engine
must not refuse it.

    bench/uci_match.py --engine build/torvik-cli --opponent stockfish:1500 --st 0.1 --out DIR
    bench/uci_match.py --mode 3d --engine build/torvik-cli --opponent torvik:/tmp/torvik-old --out DIR
"""
import argparse
import os
import queue
import re
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))


class Process:
    """A program on pipes; its output lines come through a queue."""

    def __init__(self, args, stderr, name="", transcript=None):
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=stderr,
                                     text=True, bufsize=1)
        self.name = name
        self.transcript = transcript  # a file every line to and from the program goes to, or None
        self.lines = queue.Queue()
        self.skipped = []  # the lines expect passed over
        threading.Thread(target=self._read, daemon=True).start()

    def _note(self, arrow, line):
        if self.transcript:
            self.transcript.write(f"{time.monotonic():.3f} {arrow}{self.name}: {line}\n")

    def _read(self):
        for line in self.proc.stdout:
            self._note("<", line.rstrip("\n"))
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def send(self, line):
        self._note(">", line)
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


def option_list(lines):
    """The options a `uci` answer lists: name -> (type, default, min, max, vars)."""
    found = {}
    for line in lines:
        m = re.match(r"option name (.+?) type (\w+)(.*)$", line)
        if not m:
            continue
        name, kind, rest = m.groups()
        words = rest.split()
        field = {}
        for key in ("default", "min", "max"):
            if key in words and words.index(key) + 1 < len(words):
                field[key] = words[words.index(key) + 1]
        choices = [words[i + 1] for i, w in enumerate(words) if w == "var" and i + 1 < len(words)]
        found[name] = (kind, field.get("default"), field.get("min"), field.get("max"), choices)
    return found


def takes(option, value):
    """Whether an option of the engine's list takes `value` as it stands (no clamping)."""
    kind, _, low, high, choices = option
    if kind == "spin":
        return value.lstrip("-").isdigit() and int(low) <= int(value) <= int(high)
    if kind == "check":
        return value in ("true", "false")
    if kind == "combo":
        return value in choices
    return True


class Engine(Process):
    """A UCI engine set up with its options, each checked against its option list."""

    def __init__(self, command, name, options, log, transcript):
        super().__init__(command, log, name, transcript)
        self.send("uci")
        if self.expect("uciok", 30) is None:
            raise RuntimeError(f"{name}: no uciok from {' '.join(command)}")
        listed = option_list(self.skipped)
        self.id = next((l[len("id name "):] for l in self.skipped if l.startswith("id name ")), name)
        for option, value in options:
            if option not in listed:
                raise RuntimeError(f"{name} ({self.id}) has no option {option}")
            if not takes(listed[option], value):
                raise RuntimeError(f"{name} ({self.id}): option {option} does not take {value}: {listed[option]}")
        self.skipped = []
        for option, value in options:
            self.send(f"setoption name {option} value {value}")
        self.send("isready")
        if self.expect("readyok", 30) is None:
            raise RuntimeError(f"{name}: no readyok")
        for line in self.skipped:
            if line.startswith("info string") or line.lower().startswith("no such option"):
                raise RuntimeError(f"{name} refused an option: {line}")
        self.applied = ", ".join(f"{o}={v}" for o, v in options)


def replay_opening(referee, opening):
    """The opening's moves as move text, each judged by the referee (which
    takes standard names too, in 2D)."""
    moves = []
    for m in opening:
        answer = referee.expect("", 10) if referee.send(m) else None
        if not answer or not answer.startswith("ok "):
            raise RuntimeError(f"opening move {m} after {' '.join(moves)}: {answer}")
        moves.append(answer.split()[1])
    return moves


def as_move_text(cli, mode, rules, opening, log=subprocess.DEVNULL):
    """replay_opening with a referee of its own."""
    referee = Process([cli, "referee", "--mode", mode, "--rules", rules], log)
    try:
        return replay_opening(referee, opening)
    finally:
        referee.close()


ADJUDICATION_PLIES = 6  # three moves of each engine


def reported_score(lines):
    """The score of the last `info ... score` line, in centipawns from the
    mover's view (a mate as +-100000), or None."""
    for line in reversed(lines):
        m = re.search(r" score (cp|mate) (-?\d+)", line)
        if m and line.startswith("info"):
            v = int(m.group(2))
            return v if m.group(1) == "cp" else (100000 if v > 0 else -100000)
    return None


def adjudged(scores, threshold):
    """The result when each of the last ADJUDICATION_PLIES scores (White's
    view, both engines) gives the same side at least `threshold`, else None."""
    last = scores[-ADJUDICATION_PLIES:]
    if threshold <= 0 or len(last) < ADJUDICATION_PLIES or None in last:
        return None
    if all(s >= threshold for s in last):
        return "1-0"
    if all(s <= -threshold for s in last):
        return "0-1"
    return None


def play_game(engines, cli, mode, rules, opening, clock, log, adjudicate=0):
    """One game: engines[0] plays White. Returns (result, reason, moves).
    With `adjudicate` (centipawns) a game both engines have scored that far
    for one side over their last three moves each ends there."""
    referee = Process([cli, "referee", "--mode", mode, "--rules", rules], log)
    scores = []
    try:
        moves = replay_opening(referee, opening)
        for e in engines:
            e.send("ucinewgame")
        left = [clock["base"], clock["base"]]
        while True:
            side = len(moves) % 2
            engine = engines[side]
            engine.send("position startpos moves " + " ".join(moves) if moves else "position startpos")
            if clock["ticks"]:
                engine.send("go")  # the Difficulty's tick budget: the same move on every machine
                allowed = 120.0
            elif clock["st"]:
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
            if not clock["st"] and not clock["ticks"]:
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
            score = reported_score(engine.skipped)
            scores.append(None if score is None else score if side == 0 else -score)
            result = adjudged(scores, adjudicate)
            if result:
                return result, "adjudicated", moves
    finally:
        referee.close()


def read_openings(path, mode):
    """The openings as lists of moves: from a .txt file (and always in 3D) a
    move list a line (# comments); otherwise the games of a PGN file, their
    moves in standard notation."""
    with open(path) as f:
        text = f.read()
    if mode == "3d" or path.endswith(".txt"):
        return [line.split() for line in text.splitlines() if line.strip() and not line.startswith("#")]
    openings = []
    for game in re.split(r"\n(?=\[Event )", text):
        body = "\n".join(l for l in game.splitlines() if not l.startswith("["))
        body = re.sub(r"\{[^}]*\}|\([^)]*\)|\$\d+", " ", body)
        moves = [w.rstrip("+#!?") for w in body.split()
                 if not re.match(r"^(\d+\.+|1-0|0-1|1/2-1/2|\*)$", w)]
        moves = [re.sub(r"^\d+\.+", "", w) for w in moves]
        if moves:
            openings.append([m for m in moves if m])
    return openings


def opponent_of(named, variant, difficulty):
    """The opponent's command, name and options from torvik:PATH, stockfish[:ELO] or
    stockfish-skill[:N], for the Variant `variant` (2d, 3d-tournament, 3d-standard)."""
    kind, _, arg = named.partition(":")
    if kind == "torvik" and arg:
        game = [("Variant", variant)] if variant != "2d" else []
        return [arg, "uci"], "Baseline", [("Difficulty", difficulty), ("Hash", "16")] + game
    if variant != "2d":
        raise SystemExit("uci_match: the 3D game is played against torvik:PATH only")
    if kind == "stockfish":
        return ["stockfish"], "Stockfish", [("Threads", "1"), ("Hash", "16"), ("UCI_LimitStrength", "true"),
                                            ("UCI_Elo", arg or "1350")]
    if kind == "stockfish-skill":
        return ["stockfish"], "Stockfish", [("Threads", "1"), ("Hash", "16"), ("Skill Level", arg or "0")]
    raise SystemExit(f"uci_match: unknown opponent {named}")



def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--engine", required=True, help="torvik-cli to measure (named Torvik)")
    ap.add_argument("--opponent", required=True, help="torvik:PATH, stockfish[:ELO] or stockfish-skill[:N]")
    ap.add_argument("--mode", default="2d", choices=["2d", "3d"])
    ap.add_argument("--rules", default="tournament", choices=["tournament", "standard"], help="the 3D rule set")
    ap.add_argument("--openings", help="default bench/openings.pgn (2D), bench/openings-3d.txt (3D); "
                    "bench/openings-2d.txt holds more 2D ones")
    ap.add_argument("--games", type=int, default=20)
    ap.add_argument("--first", type=int, default=1, help="the first opening, 1..number of openings")
    ap.add_argument("--st", type=float, default=0, help="seconds a move (go movetime)")
    ap.add_argument("--ticks", action="store_true",
                    help="each move on the Difficulty's tick budget (Torvik against Torvik: equal work, not time)")
    ap.add_argument("--tc", type=float, default=10, help="seconds a game (without --st)")
    ap.add_argument("--inc", type=float, default=0.1, help="seconds added a move (without --st)")
    ap.add_argument("--difficulty", default="hard")
    ap.add_argument("--adjudicate", type=int, default=0, metavar="CP",
                    help="end a game once both engines have scored it CP centipawns or more for one side "
                    "over their last three moves each (0: play every game out)")
    ap.add_argument("--out", required=True, help="folder for games.pgn and the engines' logs")
    args = ap.parse_args()

    os.environ["PATH"] += os.pathsep + "/usr/games"  # where Debian puts stockfish
    path = args.openings or os.path.join(HERE, "openings-3d.txt" if args.mode == "3d" else "openings.pgn")
    openings = read_openings(path, args.mode)
    if not 1 <= args.first <= len(openings):
        sys.exit(f"uci_match: --first is 1..{len(openings)}")
    openings = openings[args.first - 1:] + openings[:args.first - 1]
    games = (args.games + 1) // 2 * 2
    os.makedirs(args.out, exist_ok=True)
    variant = "2d" if args.mode == "2d" else "3d-" + args.rules
    opp_command, opp_name, opp_options = opponent_of(args.opponent, variant, args.difficulty)
    ours = [("Difficulty", args.difficulty), ("Hash", "16")] + ([("Variant", variant)] if args.mode == "3d" else [])
    if args.ticks and not args.opponent.startswith("torvik:"):
        sys.exit("uci_match: --ticks needs a torvik:PATH opponent")
    clock = {"st": args.st, "ticks": args.ticks, "base": args.tc, "inc": args.inc}
    pgn = os.path.join(args.out, "games.pgn")
    event = "2D match" if args.mode == "2d" else f"3D match, {args.rules} rules"
    with open(os.path.join(args.out, "engines-stderr.log"), "a") as log, \
            open(os.path.join(args.out, "uci-transcript.log"), "w", buffering=1) as transcript, \
            open(pgn, "w") as out:
        torvik = Engine([args.engine, "uci"], "Torvik", ours, log, transcript)
        opponent = Engine(opp_command, opp_name, opp_options, log, transcript)
        print(f"options:   Torvik: {torvik.applied}; {opp_name} ({opponent.id}): {opponent.applied}", flush=True)
        try:
            for g in range(games):
                number = g // 2 % len(openings)
                pair = (torvik, opponent) if g % 2 == 0 else (opponent, torvik)
                result, reason, moves = play_game(pair, args.engine, args.mode, args.rules, openings[number],
                                                  clock, log, args.adjudicate)
                out.write(f'[Event "{event}"]\n[Round "{g + 1}"]\n'
                          f'[White "{pair[0].name}"]\n[Black "{pair[1].name}"]\n'
                          f'[Opening "{(number + args.first - 1) % len(openings) + 1}"]\n'
                          f'[PlyCount "{len(moves)}"]\n'
                          f'[Result "{result}"]\n\n{" ".join(moves)} {{{reason}}} {result}\n\n')
                out.flush()
                print(f"  game {g + 1}/{games}: {pair[0].name}-{pair[1].name} {result} ({reason}, "
                      f"{len(moves)} plies)", flush=True)
        finally:
            torvik.close()
            opponent.close()
    return subprocess.call([sys.executable, os.path.join(HERE, "elo.py"), pgn, "--engine", "Torvik"])


if __name__ == "__main__":
    sys.exit(main())
