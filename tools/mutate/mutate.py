#!/usr/bin/env python3
"""Measures how many faults the test suite catches.

Picks a random logic line in src/ (files weighted by their size, so every library
gets its share), applies one small fault to it (a comparison flipped, + and -
swapped, a constant moved by one, a call or an assignment deleted, a returned
bool negated, && and || swapped), rebuilds, runs the tests, and restores the
file, always. A mutant that does not compile is skipped and another is drawn.
A mutant is killed when any test fails or runs out of time.

    tools/mutate/mutate.py --build DIR [--count N] [--seed S] [--only LIB]

Writes one line per mutant to DIR/mutants.txt and a table of kill rates per
library at the end. Run it by hand (./qv mutate [N]); it is not a test.
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
LIBRARIES = ["model", "files", "layout", "render", "print", "transpose", "interchange", "edit", "shell"]
TEST_TIMEOUT = 600  # seconds for the whole suite of one mutant

COMPARISONS = {" == ": " != ", " != ": " == ", " <= ": " > ", " >= ": " < ", " < ": " >= ", " > ": " <= "}
SKIP_LINE = re.compile(r'^\s*(//|#|\*|/\*)|static_assert|^\s*(case|default)\b|"[^"]*"\s*;?\s*$')
CALL_STATEMENT = re.compile(r"^(\s*)[A-Za-z_][\w:.\->\[\]]*\s*\(.*\)\s*;\s*$")
ASSIGNMENT = re.compile(r"^(\s*)[A-Za-z_][\w.\->\[\]]*\s*([+\-*/|&]?=)\s*[^=].*;\s*$")
DECLARATION = re.compile(r"^\s*(const\s+)?(auto|int|bool|double|unsigned|std::|char|QImage|QPoint|QRect)\b")
RETURN = re.compile(r"^(\s*)return (.+);\s*$")
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")


def strip_strings(line):
    """The line with string and character literals blanked, for finding operators."""
    return re.sub(r'"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'', lambda m: "_" * len(m.group(0)), line)


def candidates(line):
    """Every single mutation of a line, as (description, new line)."""
    if SKIP_LINE.search(line) or not line.strip():
        return []
    code = strip_strings(line)
    out = []
    for old, new in COMPARISONS.items():
        for m in re.finditer(re.escape(old), code):
            out.append((f"'{old.strip()}' -> '{new.strip()}'", line[: m.start()] + new + line[m.end():]))
    for old, new in ((" + ", " - "), (" - ", " + "), (" && ", " || "), (" || ", " && ")):
        for m in re.finditer(re.escape(old), code):
            out.append((f"'{old.strip()}' -> '{new.strip()}'", line[: m.start()] + new + line[m.end():]))
    for m in NUMBER.finditer(code):
        value = int(m.group(1))
        for changed in (value + 1, value - 1):
            if changed >= 0:
                out.append((f"{value} -> {changed}", line[: m.start()] + str(changed) + line[m.end():]))
    if not DECLARATION.match(code):
        if CALL_STATEMENT.match(code):
            out.append(("call deleted", CALL_STATEMENT.match(line).group(1) + ";\n"))
        elif ASSIGNMENT.match(code):
            out.append(("assignment deleted", ASSIGNMENT.match(line).group(1) + ";\n"))
    ret = RETURN.match(line)
    if ret and ret.group(2) not in ("{}", "0", "nullptr") and "," not in ret.group(2):
        out.append(("return negated", f"{ret.group(1)}return !({ret.group(2)});\n"))
    return out


def library_of(path):
    return path.relative_to(ROOT / "src").parts[0]


def source_files(only):
    files = []
    for lib in LIBRARIES:
        if only and lib != only:
            continue
        for p in sorted((ROOT / "src" / lib).rglob("*.cpp")):
            files.append(p)
    return files


def run(cmd, timeout=None):
    try:
        r = subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout,
                           start_new_session=True)
        return r.returncode, r.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, "timeout"


class Restorer:
    """Puts the mutated file back whatever happens, a Ctrl+C included."""

    def __init__(self):
        self.path = None
        self.text = None
        signal.signal(signal.SIGINT, self._interrupted)
        signal.signal(signal.SIGTERM, self._interrupted)

    def hold(self, path):
        self.path, self.text = path, path.read_text()

    def restore(self):
        if self.path is not None:
            self.path.write_text(self.text)
            os.utime(self.path, None)  # newer than the mutant's object file
            self.path = None

    def _interrupted(self, *_):
        self.restore()
        sys.exit(130)


def configure(build):
    if not (build / "build.ninja").exists():
        code, out = run(["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
                         "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DQUAVERLY_BENCH=OFF"])
        if code != 0:
            sys.exit(out)
    code, out = run(["cmake", "--build", str(build)])
    if code != 0:
        sys.exit("the unmutated tree does not build:\n" + out)
    code, out = run(["ctest", "--test-dir", str(build), "-j2", "--timeout", "300"], timeout=TEST_TIMEOUT)
    if code != 0:
        sys.exit("the unmutated tree fails its tests:\n" + out[-3000:])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, type=Path)
    parser.add_argument("--count", type=int, default=60, help="compiled mutants to run")
    parser.add_argument("--seed", type=int, default=20261207)
    parser.add_argument("--only", choices=LIBRARIES, help="mutate one library only")
    args = parser.parse_args()
    os.environ["QT_QPA_PLATFORM"] = "offscreen"

    build = args.build.resolve()
    configure(build)
    rng = random.Random(args.seed)
    files = source_files(args.only)
    weights = [len(p.read_text().splitlines()) for p in files]
    restorer = Restorer()
    report = open(build / "mutants.txt", "w")
    tally = {lib: [0, 0] for lib in LIBRARIES}  # compiled, killed
    survivors = []
    compiled = 0
    while compiled < args.count:
        path = rng.choices(files, weights)[0]
        lines = path.read_text().splitlines(keepends=True)
        number = rng.randrange(len(lines))
        options = candidates(lines[number])
        if not options:
            continue
        what, new = rng.choice(options)
        rel = path.relative_to(ROOT)
        restorer.hold(path)
        try:
            lines[number] = new
            path.write_text("".join(lines))
            code, _ = run(["cmake", "--build", str(build)])
            if code != 0:
                continue
            compiled += 1
            started = time.time()
            code, out = run(["ctest", "--test-dir", str(build), "-j2", "--stop-on-failure", "--timeout", "120"],
                            timeout=TEST_TIMEOUT)
            killed = code != 0
            lib = library_of(path)
            tally[lib][0] += 1
            tally[lib][1] += killed
            line = f"{'killed ' if killed else 'SURVIVED'} {rel}:{number + 1} {what}: {new.strip()}"
            if not killed:
                survivors.append(line)
            print(f"[{compiled}/{args.count}] {line} ({time.time() - started:.0f} s)", flush=True)
            report.write(line + "\n")
            report.flush()
        finally:
            restorer.restore()
    run(["cmake", "--build", str(build)])  # leave the build matching the tree

    print("\nlibrary   compiled  killed  rate")
    for lib in LIBRARIES:
        n, k = tally[lib]
        if n:
            print(f"{lib:<9} {n:>8} {k:>7}  {100 * k / n:4.0f} %")
    total = sum(n for n, _ in tally.values())
    killed = sum(k for _, k in tally.values())
    print(f"{'all':<9} {total:>8} {killed:>7}  {100 * killed / max(total, 1):4.0f} %")
    print("\nsurvivors:")
    for s in survivors:
        print("  " + s)


if __name__ == "__main__":
    main()
