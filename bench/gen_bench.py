#!/usr/bin/env python3
"""Writes the compile benchmark inputs: a script at every capacity limit of the compiler, and a
C file of the same shape for the C preprocessor.

    gen_bench.py OUTDIR      writes OUTDIR/bench.tqc and OUTDIR/bench.c

bench.tqc has exactly 31000 lines, every one an expanded line (no blank or comment lines, no
includes):
  - 2000 `#define ;Knnnn value` (every tenth value names an earlier define, so expansion
    repeats), used throughout the command lines,
  - 255 `defvar`, 20 `defstr` with 50 characters each (1000 in total),
  - 5000 jump marks `::Mnnnn`, spread evenly over the program,
  - the command lines: nested if/else/endif, count/endcount, press/endpress, push/endpush and
    release/endrelease blocks and simple commands, among them jumps to marks both above and
    below them.
It compiles without errors, and its image stays below the 99999 cells the compiler holds.

bench.c has the same 31000 lines one for one: the same 2000 defines (same names without ";",
same values, same chains), declarations for the variables, strings and labels, and each command
line turned into a C-looking line that uses the same defines as often as the script line does.
Only `gcc -E` reads it, so it only has to preprocess.

The output is the same on every run (fixed seed), so timings compare across machines and commits.
"""

import os
import random
import sys

TOTAL_LINES = 31000
DEFINES = 2000
VARIABLES = 255
STRINGS = 20
STRING_LENGTH = 50
MARKS = 5000
IMAGE_CELLS = 99999
MAX_DEPTH = 8  # block nesting of the generated program

SEED = 20240611


def define_name(i):
    return "K%04d" % (i + 1)


def var_name(i):
    return "v%03d" % (i + 1)


def str_name(i):
    return "s%02d" % (i + 1)


def mark_name(i):
    return "M%04d" % (i + 1)


class Writer:
    """Collects the script lines and their C counterparts side by side."""

    def __init__(self):
        self.tqc = []
        self.c = []
        self.uses = 0  # define uses in command lines (the same in both files)
        self.cells = 0  # image cells the script line adds

    def add(self, tqc, c, uses=0, cells=0):
        self.tqc.append(tqc)
        self.c.append(c)
        self.uses += uses
        self.cells += cells


class Program:
    def __init__(self, out, rng):
        self.out = out
        self.rng = rng
        self.next_define = 0
        self.marks_placed = 0
        self.jumps_forward = 0
        self.jumps_backward = 0
        self.blocks = {"if": 0, "else": 0, "count": 0, "press": 0, "push": 0, "release": 0}
        self.deepest = 0

    # Every define is used in turn, so all 2000 occur throughout the lines.
    def use(self):
        d = define_name(self.next_define % DEFINES)
        self.next_define += 1
        return d

    def var(self):
        return var_name(self.rng.randrange(VARIABLES))

    def string(self):
        return str_name(self.rng.randrange(STRINGS))

    def simple(self):
        """One command line that opens no block."""
        r = self.rng.randrange(100)
        o = self.out
        if r < 14:
            d = self.use()
            o.add("on ;%s" % d, "on(%s);" % d, 1, 3)
        elif r < 20:
            v = self.var()
            o.add("off %s" % v, "off(%s);" % v, 0, 2)
        elif r < 36:
            v, d = self.var(), self.use()
            o.add("setvar %s = ;%s" % (v, d), "%s = %s;" % (v, d), 1, 4)
        elif r < 44:
            v, d = self.var(), self.use()
            o.add("addvar %s , ;%s" % (v, d), "%s += %s;" % (v, d), 1, 4)
        elif r < 52:
            v, w, d = self.var(), self.var(), self.use()
            o.add("calc %s = %s + ;%s" % (v, w, d), "%s = %s + %s;" % (v, w, d), 1, 6)
        elif r < 60:
            v, d, e = self.var(), self.use(), self.use()
            o.add("calc %s = ;%s * ;%s" % (v, d, e), "%s = %s * %s;" % (v, d, e), 2, 7)
        elif r < 66:
            v, d = self.var(), self.use()
            o.add("%s = ;%s" % (v, d), "%s = %s;" % (v, d), 1, 4)
        elif r < 72:
            d = self.use()
            o.add("delay ;%s" % d, "delay(%s);" % d, 1, 3)
        elif r < 76:
            s = self.string()
            o.add('send "ok %s"' % s, 'send("ok %s");' % s, 0, 8)
        elif r < 80:
            s, d = self.string(), self.use()
            o.add("setstr %s = ;%s" % (s, d), "%s[0] = %s;" % (s, d), 1, 3)
        elif r < 84:
            v, w = self.var(), self.var()
            o.add("subvar %s , %s" % (v, w), "%s -= %s;" % (v, w), 0, 3)
        else:
            self.jump()

    def jump(self):
        # A jump to a mark above or below, about half each way.
        placed = self.marks_placed
        if placed > 0 and (placed >= MARKS or self.rng.random() < 0.5):
            target = self.rng.randrange(placed)
            self.jumps_backward += 1
        else:
            target = self.rng.randrange(placed, MARKS)
            self.jumps_forward += 1
        m = mark_name(target)
        word = "retjump" if self.rng.random() < 0.1 else "jump"
        self.out.add("%s %s" % (word, m), "goto %s;" % m, 0, 3)

    def open_block(self, kind):
        o = self.out
        self.blocks[kind] += 1
        if kind == "if":
            v, d = self.var(), self.use()
            cmp_tqc, cmp_c = self.rng.choice([("<", "<"), (">=", ">="), ("==", "=="), ("!=", "!=")])
            o.add("if %s %s ;%s" % (v, cmp_tqc, d), "if (%s %s %s) {" % (v, cmp_c, d), 1, 7)
        elif kind == "count":
            v, d, e = self.var(), self.use(), self.use()
            o.add("count %s = ;%s , ;%s" % (v, d, e), "for (%s = %s; %s <= %s; %s++) {" % (v, d, v, e, v), 2, 6)
        else:
            d = self.use()
            o.add("%s ;%s" % (kind, d), "%s(%s) {" % (kind, d), 1, 5)

    def close_block(self, kind):
        if kind == "count":
            self.out.add("endcount", "}", 0, 3)
        else:
            self.out.add("end" + kind, "}", 0, 0)


def generate(rng):
    out = Writer()

    # Defines first; every tenth value names an earlier define, so one use expands twice.
    for i in range(DEFINES):
        name = define_name(i)
        if i % 10 == 9:
            target = define_name(rng.randrange(i))
            out.add("#define ;%s ;%s" % (name, target), "#define %s %s" % (name, target), 1)
        else:
            value = rng.randrange(256)
            text = ("0x%02X" % value) if i % 7 == 3 else str(value)
            out.add("#define ;%s %s" % (name, text), "#define %s %s" % (name, text))
    for i in range(VARIABLES):
        value = rng.randrange(-1000, 1000)
        tqc_value = ("- %d" % -value) if value < 0 else str(value)
        out.add("defvar %s = %s" % (var_name(i), tqc_value), "int %s = %d;" % (var_name(i), value), 0, 4)
    for i in range(STRINGS):
        out.add("defstr %s , %d" % (str_name(i), STRING_LENGTH), "char %s[%d];" % (str_name(i), STRING_LENGTH), 0, 3)

    prog = Program(out, rng)
    command_lines = TOTAL_LINES - len(out.tqc) - MARKS
    # A mark goes before every stride-th command line, so marks sit inside blocks as well.
    stride = command_lines / MARKS

    stack = []  # open blocks: [kind, body lines so far, has else]
    written = 0

    def before_line():
        # Places the marks due at this command line.
        while prog.marks_placed < MARKS and prog.marks_placed * stride <= written:
            m = mark_name(prog.marks_placed)
            out.add("::%s" % m, "%s: ;" % m)
            prog.marks_placed += 1

    kinds = ["if", "count", "press", "push", "release"]
    while written < command_lines:
        left = command_lines - written
        before_line()
        closers = len(stack)
        if stack and (left <= closers or (stack[-1][1] >= 2 and rng.random() < 0.25)):
            kind, _, _ = stack.pop()
            prog.close_block(kind)
        elif (stack and stack[-1][0] == "if" and not stack[-1][2] and stack[-1][1] >= 1
              and left > closers + 1 and rng.random() < 0.3):
            stack[-1][2] = True
            stack[-1][1] = 0
            prog.blocks["else"] += 1
            out.add("else", "} else {", 0, 3)
        elif len(stack) < MAX_DEPTH and left > closers + 2 and rng.random() < 0.12:
            kind = rng.choice(kinds)
            prog.open_block(kind)
            stack.append([kind, 0, False])
            prog.deepest = max(prog.deepest, len(stack))
        else:
            prog.simple()
            if stack:
                stack[-1][1] += 1
        written += 1
    while prog.marks_placed < MARKS:
        before_line()
        written += 1
    assert not stack, stack
    assert len(out.tqc) == TOTAL_LINES, len(out.tqc)
    assert len(out.c) == TOTAL_LINES
    assert out.cells < IMAGE_CELLS, out.cells
    return out, prog


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: gen_bench.py OUTDIR\n")
        return 2
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    out, prog = generate(random.Random(SEED))
    with open(os.path.join(outdir, "bench.tqc"), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(out.tqc) + "\n")
    with open(os.path.join(outdir, "bench.c"), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(out.c) + "\n")
    blocks = ", ".join("%s %d" % (k, v) for k, v in prog.blocks.items())
    print("generated: %d lines, %d defines, %d define uses in the other lines, %d marks, "
          "%d jumps forward + %d backward, blocks: %s, nesting up to %d, about %d image cells"
          % (len(out.tqc), DEFINES, out.uses - DEFINES // 10, MARKS, prog.jumps_forward,
             prog.jumps_backward, blocks, prog.deepest, out.cells))
    return 0


if __name__ == "__main__":
    sys.exit(main())
