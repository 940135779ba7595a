#!/usr/bin/env python3
"""Checks that a UCI engine's options reach it through polyglot the way xboard
hands them over in a match: starts `polyglot` on the engine with its log on,
speaks xboard's protocol to it, sends each option as xboard does
(`option NAME=VALUE`), and reads in polyglot's log which `setoption` lines the
engine got. Polyglot sends no option whose value is the engine's default, so
an option at its default needs no line. Exits 0 when every option holds its
value, 1 naming those that do not (polyglot drops a check option given as
`true`: xboard's check values are 1 and 0).

    bench/check_uci_options.py --engine stockfish --options "UCI_LimitStrength=1,UCI_Elo=1500"
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import time


def read_until(proc, word, deadline, seen):
    """Reads the adapter's output into `seen` until it holds `word`; False at the deadline or the end."""
    os.set_blocking(proc.stdout.fileno(), False)
    while time.monotonic() < deadline:
        try:
            chunk = proc.stdout.read()
        except BlockingIOError:
            chunk = None
        if chunk:
            seen += chunk
            if word.encode() in seen:
                return True
        elif chunk == b"" and proc.poll() is not None:
            return False
        time.sleep(0.05)
    return False


def defaults(features):
    """The engine's options and their defaults, from polyglot's `feature option=` lines."""
    found = {}
    for m in re.finditer(r'feature option="(.*?) -(spin|check|combo|string|file|path|slider) ?(.*?)"', features):
        name, kind, rest = m.groups()
        if kind == "combo":
            starred = [v.strip()[1:] for v in rest.split("///") if v.strip().startswith("*")]
            found[name] = starred[0] if starred else ""
        elif kind in ("spin", "check", "slider"):
            found[name] = rest.split()[0] if rest.split() else ""
        else:
            found[name] = rest
    return found


def sent_options(engine, directory, options, timeout):
    """The setoption lines polyglot gave the engine (name -> value) and the options' defaults."""
    with tempfile.TemporaryDirectory() as tmp:
        log = os.path.join(tmp, "polyglot.log")
        proc = subprocess.Popen(
            ["polyglot", "-noini", "-ec", engine, "-ed", directory, "-log", "true", "-lf", log],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + timeout
        seen = bytearray()
        try:
            proc.stdin.write(b"xboard\nprotover 2\n")
            proc.stdin.flush()
            if not read_until(proc, "done=1", deadline, seen):
                raise RuntimeError("the engine did not start under polyglot")
            for name, value in options:
                proc.stdin.write(f"option {name}={value}\n".encode())
            proc.stdin.write(b"ping 1\n")
            proc.stdin.flush()
            if not read_until(proc, "pong 1", deadline, seen):
                raise RuntimeError("no answer to ping after the options")
            proc.stdin.write(b"quit\n")
            proc.stdin.flush()
            proc.wait(timeout=max(1, deadline - time.monotonic()))
        finally:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        got = {}
        with open(log, errors="replace") as f:
            for line in f:
                m = re.search(r"Adapter->Engine: setoption name (.*?) value (.*)$", line.rstrip())
                if m:
                    got[m.group(1)] = m.group(2)
        return got, defaults(seen.decode(errors="replace"))


def same(wanted, got):
    if got is None:
        return False
    truth = {"1": "true", "0": "false"}
    return got.lower() == truth.get(wanted, wanted).lower()


def holds(name, wanted, got, default):
    """The option has the value: sent with it, or not sent and the default."""
    if name in got:
        return same(wanted, got[name])
    return name in default and same(wanted, default[name])


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--engine", required=True, help="the UCI engine's command, as xboard's -fcp/-scp")
    ap.add_argument("--options", required=True, help="NAME=VALUE,... as xboard's -firstOptions/-secondOptions")
    ap.add_argument("--dir", default=".", help="the engine's working folder")
    ap.add_argument("--timeout", type=float, default=30)
    args = ap.parse_args()
    options = [tuple(item.split("=", 1)) for item in args.options.split(",") if "=" in item]
    try:
        got, default = sent_options(args.engine, args.dir, options, args.timeout)
    except (OSError, RuntimeError, subprocess.TimeoutExpired) as e:
        print(f"check_uci_options: {args.engine}: {e}", file=sys.stderr)
        return 1
    missing = [f"{n}={v} (sent: {got.get(n, 'nothing')})" for n, v in options
               if not holds(n, v, got, default)]
    if missing:
        print(f"check_uci_options: {args.engine} did not get " + ", ".join(missing), file=sys.stderr)
        return 1
    print("options applied: " + ", ".join(
        f"{n}={got[n]}" if n in got else f"{n}={default[n]} (its default)" for n, _ in options))
    return 0


if __name__ == "__main__":
    sys.exit(main())
