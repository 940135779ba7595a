#!/usr/bin/env python3
"""Writes what tune_eval printed into engine/coefficients.cpp: a scalar's new value
(`Name stage: old -> new`) and a scaled group's factor (`Name stage: x factor`, taken
onto the group's percentage) go into the stage's place of the group's `Pick(s, {...})`.
With --squares TABLE (the table tune_eval --write kept) the square tables and the
vectors the source writes stage by stage (`kNameOpening` ... pictures, `kNameByStage`
arrays) are drawn again from that table's entries.

    bench/apply_fit.py FIT_OUTPUT [engine/coefficients.cpp] [--squares TABLE]
"""
import argparse
import re
import sys

# Groups whose percentage is a named constant shared by several ranges; the others
# are found by their `f.Put(kName,` line.
SHARED = {"KnightMobility": "knight", "BishopMobility": "bishop", "RookMobility": "rook",
          "QueenMobility": "queen", "KingMobility": "king", "KingSafety": "safety"}


def edit(source, name, stage, change):
    anchor = "const int32_t %s = " % SHARED[name] if name in SHARED else "f.Put(k%s," % name
    at = source.find(anchor)
    if at < 0:
        sys.exit("apply_fit: no %s in the source" % name)
    start = source.find("Pick(s, {", at) + len("Pick(s, {")
    if start < len("Pick(s, {") or start > source.find(";", at):
        sys.exit("apply_fit: %s has no percentages by stage in the source" % name)
    end = source.find("}", start)
    values = [int(v) for v in source[start:end].split(",")]
    values[stage] = change(values[stage])
    return source[:start] + ", ".join(str(v) for v in values) + source[end:]


# The square tables drawn once a stage (`constexpr Picture kNameStage = {{...}};`), by
# the index in coefficients.h where each one's entries begin.
PICTURES = {"kRookTable": "kRookSquares", "kKnightTable": "kKnightSquares", "kControlTable": "kControlSquares",
            "kKingSideZoneTable": "kKingSideZone", "kQueenSideZoneTable": "kQueenSideZone",
            "kPawnTable": "kPawnSquares"}
STAGES = ["Opening", "Middle", "Ending", "Pawnless"]


def first_entry(header, index):
    """Where the range named `index` (as kRookSquares) begins, from coefficients.h."""
    return int(re.search(r"\b%s = (\d+)" % index, header).group(1))


def draw(source, table, header):
    """The source with every stage's picture of every square table drawn from `table`."""
    for picture, index in PICTURES.items():
        first = first_entry(header, index)
        for stage, suffix in enumerate(STAGES):
            anchor = "constexpr Picture %s%s = {{" % (picture, suffix)
            at = source.find(anchor)
            if at < 0:
                sys.exit("apply_fit: no %s%s in the source" % (picture, suffix))
            start, end = at + len(anchor), source.find("}};", at)
            # Squares are numbered 8 x column + row; the picture's first line is row 7.
            rows = ["    {%s}," % ", ".join(str(table[stage][first + 8 * c + r]) for c in range(8))
                    for r in range(7, -1, -1)]
            source = source[:start] + "\n" + "\n".join(rows) + "\n" + source[end:]
    return source


def wrapped(values, indent, width=120):
    """`{v, v, ...},` over as many lines as the width needs, each starting at `indent`."""
    lines, line = [], indent + "{"
    for i, v in enumerate(values):
        item = str(v) + ("}," if i == len(values) - 1 else ",")
        if len(line) + 1 + len(item) > width and line.strip() != "{":
            lines.append(line)
            line = indent + "    " + item
        else:
            line += ("" if line.endswith("{") else " ") + item
    return lines + [line]


def draw_vectors(source, table, header):
    """The source with every `k<Index>ByStage` array drawn from `table`, one stage a row."""
    pattern = re.compile(r"constexpr std::array<Values<(\d+)>, kStages> k(\w+)ByStage = \{\{.*?\}\};", re.S)

    def redraw(m):
        count, name = int(m.group(1)), m.group(2)
        first = first_entry(header, "k" + name)
        rows = [line for stage in range(len(STAGES)) for line in
                wrapped(table[stage][first:first + count], "    ")]
        return "constexpr std::array<Values<%d>, kStages> k%sByStage = {{\n%s\n}};" % (count, name, "\n".join(rows))
    return pattern.sub(redraw, source)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("fit", help="what tune_eval printed")
    ap.add_argument("path", nargs="?", default="engine/coefficients.cpp")
    ap.add_argument("--squares", help="the table tune_eval --write kept")
    args = ap.parse_args()
    source = open(args.path).read()
    if args.squares:
        table = [[int(v) for v in line.split()] for line in open(args.squares) if line.strip()]
        header = open(args.path.replace(".cpp", ".h")).read()
        source = draw_vectors(draw(source, table, header), table, header)
    for line in open(args.fit):
        line = line.strip()
        if m := re.match(r"(\w+)\s+(\d): (-?\d+) -> (-?\d+)$", line):
            source = edit(source, m.group(1), int(m.group(2)), lambda old, new=int(m.group(4)): new)
        elif m := re.match(r"(\w+)\s+(\d): x ([\d.]+)$", line):
            source = edit(source, m.group(1), int(m.group(2)), lambda old, f=float(m.group(3)): round(old * f))
    open(args.path, "w").write(source)


if __name__ == "__main__":
    main()
