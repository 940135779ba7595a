#!/usr/bin/env python3
"""Writes what tune_eval printed into engine/coefficients.cpp: a scalar's new value
(`Name stage: old -> new`) and a scaled group's factor (`Name stage: x factor`, taken
onto the group's percentage) go into the stage's place of the group's `Pick(s, {...})`.

    bench/apply_fit.py FIT_OUTPUT [engine/coefficients.cpp]
"""
import re
import sys

# Groups whose percentage is a named constant shared by several ranges; the others
# are found by their `f.Put(kName,` line.
SHARED = {"KingZones": "zone", "KnightMobility": "knight", "BishopMobility": "bishop",
          "RookMobility": "rook", "QueenMobility": "queen", "KingMobility": "king",
          "KingSafety": "safety", "Passers": "passer", "Shelter": "shelter"}


def edit(source, name, stage, change):
    anchor = "const int32_t %s = " % SHARED[name] if name in SHARED else "f.Put(k%s," % name
    at = source.find(anchor)
    if at < 0:
        sys.exit("apply_fit: no %s in the source" % name)
    start = source.find("Pick(s, {", at) + len("Pick(s, {")
    end = source.find("}", start)
    values = [int(v) for v in source[start:end].split(",")]
    values[stage] = change(values[stage])
    return source[:start] + ", ".join(str(v) for v in values) + source[end:]


def main():
    fit = sys.argv[1]
    path = sys.argv[2] if len(sys.argv) > 2 else "engine/coefficients.cpp"
    source = open(path).read()
    for line in open(fit):
        line = line.strip()
        if m := re.match(r"(\w+)\s+(\d): (-?\d+) -> (-?\d+)$", line):
            source = edit(source, m.group(1), int(m.group(2)), lambda old, new=int(m.group(4)): new)
        elif m := re.match(r"(\w+)\s+(\d): x ([\d.]+)$", line):
            source = edit(source, m.group(1), int(m.group(2)), lambda old, f=float(m.group(3)): round(old * f))
    open(path, "w").write(source)


if __name__ == "__main__":
    main()
