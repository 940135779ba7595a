#!/usr/bin/env python3
"""Writes what tune_eval printed into engine/coefficients.cpp: a scalar's new value
(`Name stage: old -> new`) and a scaled group's factor (`Name stage: x factor`, taken
onto the group's percentage) go into the stage's place of the group's `Pick(s, {...})`.
With --squares TABLE (the table tune_eval --write kept) the square tables and the
vectors the source writes stage by stage (`kNameOpening` ... pictures, `kNameByStage`
arrays) are drawn again from that table's entries.

    bench/apply_fit.py FIT_OUTPUT [engine/coefficients.cpp] [--squares TABLE]

With --game 3d it writes engine/coefficients_3d.h whole instead: every range where
TABLE (a fit of the 3D game's table) differs from BASE (tune_eval --write-2d), as a
percentage of the 2D range where each stage's entries are the 2D ones scaled, else
written out entry by entry. FIT_OUTPUT is then not read.

    bench/apply_fit.py - --game 3d --squares TABLE --base BASE --about "TEXT" [engine/coefficients_3d.h]
"""
import argparse
import re
import sys
import textwrap

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


def ranges(header):
    """(name, first entry, length) of every range of the block, from coefficients.h."""
    size = int(re.search(r"kCoefficients = (\d+);", header).group(1))
    firsts = [(m.group(1), int(m.group(2))) for m in re.finditer(r"^\s+(k\w+) = (\d+),", header, re.M)]
    return [(name, first, (firsts[i + 1][1] if i + 1 < len(firsts) else size) - first)
            for i, (name, first) in enumerate(firsts)]


def scale(v, percent):
    """What the compiled table makes of `v` scaled by `percent` (Scale in coefficient_blocks.h)."""
    x = v * percent
    return (x + 50) // 100 if x >= 0 else -((-x + 50) // 100)


def percent_of(new, old):
    """The whole percentage that scales `old` to exactly `new` in the compiled table, or None."""
    scale_sum = sum(abs(v) for v in old)
    if scale_sum == 0:
        return None
    guess = round(100 * sum(abs(v) for v in new) / scale_sum)
    for p in (guess, guess - 1, guess + 1):
        if p > 0 and all(scale(o, p) == n for n, o in zip(new, old)):
            return p
    return None


THREE_D_HEAD = """// The 3D game's weights. Its block of each stage is the 2D game's (same
// layout, same meaning per index) with the ranges below written over it:
// where a fit to positions of 3D games moved them. Square tables are drawn as
// the 2D ones, a line a row (rows 7..0) and columns 0..7 across, though a 3D
// square's column and row are those of geometry.h: columns 0..3 hold the
// attack boards and the neutral level, columns 4..7 the two main levels.
//
// bench/apply_fit.py --game 3d writes this file whole from a table tune_eval
// fitted; a range it leaves out keeps the 2D value.
//
%s
#pragma once

#include "engine/coefficient_blocks.h"

namespace torvik::coefficients_3d {

using namespace coefficient_blocks;
"""


def write_3d(table, base, header, about):
    """The text of coefficients_3d.h: where `table` differs from `base`."""
    decls, puts = [], []
    for name, first, count in ranges(header):
        new = [table[s][first:first + count] for s in range(len(STAGES))]
        old = [base[s][first:first + count] for s in range(len(STAGES))]
        if new == old:
            continue
        if name == "kPieceValueTable":
            sys.exit("apply_fit: the fit moved the piece values, which both games share")
        if count == 1:
            puts.append("  Overwrite(t, %s, Pick(s, {%s}));" % (name, ", ".join(str(n[0]) for n in new)))
            continue
        percents = [100 if n == o else percent_of(n, o) for n, o in zip(new, old)]
        if None not in percents and percents != [100] * len(STAGES):
            scaled = "Scaled(Entries<%d>(t, %s), Pick(s, {%s}))" % (count, name, ", ".join(str(p) for p in percents))
            line = "  Overwrite(t, %s, %s);" % (name, scaled)
            puts.append(line if len(line) <= 120 else "  Overwrite(t, %s,\n            %s);" % (name, scaled))
        elif count == 64:
            pictures = []
            for stage, values in enumerate(new):
                rows = ["        {%s}," % ", ".join(str(values[8 * c + r]) for c in range(8)) for r in range(7, -1, -1)]
                pictures.append("    {{  // %s\n%s\n    }}," % (STAGES[stage].lower(), "\n".join(rows)))
            decls.append("constexpr std::array<Picture, kStages> %s3D = {{\n%s\n}};" % (name, "\n".join(pictures)))
            puts.append("  Overwrite(t, %s, Squares(%s3D[s]));" % (name, name))
        else:
            rows = [line for values in new for line in wrapped(values, "    ")]
            decls.append("constexpr std::array<Values<%d>, kStages> %s3D = {{\n%s\n}};"
                         % (count, name, "\n".join(rows)))
            puts.append("  Overwrite(t, %s, %s3D[s]);" % (name, name))
    body = "\n".join(decls) + ("\n\n" if decls else "")
    body += ("// The 3D block of stage s, from the 2D block `t` of the same stage.\n"
             "constexpr CoefficientTable Block(CoefficientTable t, int s) {\n")
    body += "\n".join(puts) + "\n" if puts else "  static_cast<void>(s);\n"
    body += "  return t;\n}\n\n}  // namespace torvik::coefficients_3d\n"
    about = "\n".join("// " + line for line in textwrap.wrap(about, 77)) or "//"
    return THREE_D_HEAD % about + "\n" + body


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("fit", help="what tune_eval printed")
    ap.add_argument("path", nargs="?")
    ap.add_argument("--squares", help="the table tune_eval --write kept")
    ap.add_argument("--game", choices=["2d", "3d"], default="2d")
    ap.add_argument("--base", help="with --game 3d: the 2D game's table (tune_eval --write-2d)")
    ap.add_argument("--about", default="", help="with --game 3d: a line on the fit, for the file's head")
    args = ap.parse_args()
    read = lambda path: [[int(v) for v in line.split()] for line in open(path) if line.strip()]
    if args.game == "3d":
        if not (args.squares and args.base):
            sys.exit("apply_fit: --game 3d needs --squares and --base")
        path = args.path or "engine/coefficients_3d.h"
        header = open(path.replace("coefficients_3d.h", "coefficients.h")).read()
        open(path, "w").write(write_3d(read(args.squares), read(args.base), header, args.about))
        return
    args.path = args.path or "engine/coefficients.cpp"
    source = open(args.path).read()
    if args.squares:
        table = read(args.squares)
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
