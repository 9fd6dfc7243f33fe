#!/usr/bin/env python3
"""Measures the built-in levels and checks the qualities the level sets promise.

For every level source under assets/levels/ it replays the recorded solution
and runs the solver (both through levellab), then checks:
  - every level has a solution that reaches the exit;
  - the recorded solution is at most 10 % longer than the solver's shortest;
  - no two levels, in any set, are near-copies;
  - the regular set's difficulty (solver states) rises on a moving average;
  - every element and power-up appears in at least three regular puzzles after
    its tutorial, and in none before it;
  - headings are unique and at most 32 characters;
  - kids: most solutions under 40 steps; advanced: harder than the regular
    set's last chapters.

  level_quality.py [--levellab PATH] [--jobs N] [--only SET...] [--quick] [--write]

--quick replays the solutions without running the solver (a few seconds for
every level): the near-copy, heading, tutorial and solution checks only.

--write puts the table and its summary into assets/levels/README.md between
the quality markers. Results are cached per source text in
build/level-quality-cache.json, so a re-run only measures changed levels.
The exit status is 1 when a property fails.
"""

import argparse
import concurrent.futures
import hashlib
import json
import math
import os
import re
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LEVELS = os.path.join(ROOT, "assets", "levels")
SETS = [("regular", "reg", 111), ("advanced", "adv", 50), ("kids", "kid", 81)]
MAX_STATES = 20000
PAR_SLACK = 1.10
NEAR_COPY_SHARE = 0.25
HEADING_LIMIT = 32
MOVING_WINDOW = 11
KIDS_STEP_GOAL = 40
BEGIN_MARK = "<!-- quality table: made by tools/levels/level_quality.py --write -->"
END_MARK = "<!-- end of quality table -->"

# First index (0-based) of each chapter, per set.
CHAPTERS = {
    "regular": [0, 8, 19, 29, 39, 49, 60, 70, 81, 90, 102, 110],
    "advanced": [0, 4, 9, 13, 18, 22, 27, 31, 36, 40, 45, 49],
    "kids": [0, 80],
}

# What each regular tutorial teaches, by file number; the kinds are those
# kindsOf() finds in a level.
TUTORIALS = {
    2: "ladder", 4: None, 6: "crate", 8: "barrel", 10: "ice", 12: "sand", 15: "bridge",
    17: "gate and button", 19: None, 21: "blue teleport", 23: "yellow teleport", 25: "red teleport",
    29: "trampoline", 31: "magnet", 33: "bot", 36: None, 39: "frozen or heated cell",
    43: "crate power-up", 46: "barrel power-up", 49: "bridge power-up", 52: "magnet power-up",
    56: "teleport power-up", 68: "EMP", 76: "frost gun", 82: "heat gun", 91: "whistle",
}

DEFAULT_KINDS = {
    "H": "ladder", "=": "ladder", ":": "sand", "~": "ice", "-": "bridge",
    "c": "crate", "C": "crate", "o": "barrel", "O": "barrel", "<": "magnet", ">": "magnet",
    "B": "gate and button", "Y": "gate and button", "R": "gate and button",
    "b": "gate and button", "y": "gate and button", "r": "gate and button",
    "Z": "trampoline", "[": "bot", "]": "bot", "U": "bot",
    "1": "crate power-up", "2": "barrel power-up", "3": "magnet power-up", "4": "EMP",
    "5": "frost gun", "6": "heat gun", "7": "bridge power-up", "8": "whistle", "9": "teleport power-up",
}

# Words of a legend code and the kind they name, most specific first.
CODE_KINDS = [
    ("POWERUP_CRATE", "crate power-up"), ("POWERUP_BARREL", "barrel power-up"),
    ("POWERUP_MAGNET", "magnet power-up"), ("POWERUP_EMP", "EMP"), ("POWERUP_FROSTGUN", "frost gun"),
    ("POWERUP_HEATGUN", "heat gun"), ("POWERUP_BRIDGE", "bridge power-up"), ("POWERUP_WHISTLE", "whistle"),
    ("POWERUP_TELEPORT", "teleport power-up"), ("CRATE", "crate"), ("BARREL", "barrel"), ("MAGNET", "magnet"),
    ("GATE", "gate and button"), ("BUTTON", "gate and button"), ("TRAMPOLINE", "trampoline"), ("BOT", "bot"),
    ("SAND", "sand"), ("ICE", "ice"), ("BRIDGE", "bridge"),
]


class Level:
    def __init__(self, set_name, index, path):
        self.set = set_name
        self.index = index
        self.path = path
        self.name = os.path.basename(path)[:-4]
        with open(path, encoding="utf-8") as f:
            self.text = f.read()
        self.heading = ""
        self.grid = []
        self.legend = {}
        self.teleports = set()
        self.markers = 0
        self.has_keys = False
        self._parse()

    def _parse(self):
        lines = self.text.split("\n")
        i = 0
        while i < len(lines):
            line = lines[i].strip()
            words = line.split()
            if line == "grid":
                self.grid = [row.rstrip("\r") for row in lines[i + 1:i + 25]]
                i += 25
                continue
            if words and words[0] == "heading":
                match = re.match(r'heading\s+"((?:[^"\\]|\\.)*)"', line)
                self.heading = match.group(1) if match else ""
            elif words and words[0] == "legend" and len(words) >= 3:
                self.legend[words[1]] = words[2:]
            elif words and words[0] == "teleport" and len(words) >= 2:
                self.teleports.add(words[1] + " teleport")
            elif words and words[0] == "tutorial":
                self.markers += 1
            elif words and words[0] == "key":
                self.has_keys = True
            i += 1

    def chapter(self):
        starts = CHAPTERS[self.set]
        return max(c for c, start in enumerate(starts) if start <= self.index)

    def is_tutorial(self):
        return self.set == "regular" and (self.index + 1) in TUTORIALS

    def kinds(self):
        found = set(self.teleports)
        for row in self.grid:
            for cell in row:
                if cell in self.legend:
                    words = self.legend[cell]
                    code = words[0].upper()
                    found.update(kind for word, kind in CODE_KINDS if word in code)
                    if any(w.startswith("ladder") for w in words[1:]):
                        found.add("ladder")
                    if "frozen" in words[1:] or "heated" in words[1:]:
                        found.add("frozen or heated cell")
                elif cell in DEFAULT_KINDS:
                    found.add(DEFAULT_KINDS[cell])
        return found


def load_levels(only):
    levels = []
    for set_name, prefix, count in SETS:
        if only and set_name not in only:
            continue
        for index in range(count):
            path = os.path.join(LEVELS, set_name, "%s%03d.txt" % (prefix, index + 1))
            if os.path.exists(path):
                levels.append(Level(set_name, index, path))
    return levels


def measure(levellab, path, solve_too=True):
    """Replays the recorded solution and runs the solver on one source."""
    result = {"steps": None, "outcome": "no solution", "solver_steps": None, "states": None}
    check = subprocess.run([levellab, "check", path], capture_output=True, text=True)
    for line in check.stdout.splitlines():
        words = line.split()
        if len(words) >= 5 and words[-1] in ("ok", "FAIL") and words[0].endswith(".txt"):
            result["outcome"] = words[1] if words[-1] == "FAIL" else "exited"
            result["steps"] = int(words[3])
    if not solve_too or result["steps"] is None:
        return result  # a level without a solution is not measured further
    solve = subprocess.run([levellab, "solve", path, "--max-states", str(MAX_STATES)],
                           capture_output=True, text=True)
    found = re.search(r"(\d+) moves, (\d+) steps, \d+ frames, \d+ segments, (\d+) states explored", solve.stdout)
    if found:
        result["solver_steps"] = int(found.group(2))
        result["states"] = int(found.group(3))
    elif "no solution within" in solve.stdout:
        result["states"] = MAX_STATES
    else:
        explored = re.search(r"all (\d+) reachable states", solve.stdout)
        result["states"] = int(explored.group(1)) if explored else None
        result["unsolvable"] = True
    return result


def measure_all(levels, levellab, jobs, cache_path, quick, cached_only=False):
    cache = {}
    if os.path.exists(cache_path):
        with open(cache_path, encoding="utf-8") as f:
            cache = json.load(f)
    tool = hashlib.sha1(open(levellab, "rb").read()).hexdigest()
    mode = "quick" if quick else str(MAX_STATES)
    keys = {lv.name: hashlib.sha1((tool + mode + lv.text).encode()).hexdigest() for lv in levels}
    todo = [] if cached_only else [lv for lv in levels if keys[lv.name] not in cache]
    os.makedirs(os.path.dirname(cache_path), exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        running = {pool.submit(measure, levellab, lv.path, not quick): lv for lv in todo}
        for done in concurrent.futures.as_completed(running):
            cache[keys[running[done].name]] = done.result()
            # Kept after every level, so an interrupted run loses nothing.
            with open(cache_path, "w", encoding="utf-8") as f:
                json.dump(cache, f, sort_keys=True)
    for lv in levels:
        # With --cached-only a level the solver has not reached yet is replayed only.
        lv.result = cache.get(keys[lv.name]) or measure(levellab, lv.path, False)


# ---- properties; each returns (holds, summary line, problems)

def solutions_hold(levels):
    bad = ["%s: %s" % (lv.name, lv.result["outcome"]) for lv in levels if lv.result["outcome"] != "exited"]
    return not bad, "%d of %d levels reach the exit with their recorded solution" % (
        len(levels) - len(bad), len(levels)), bad


def par_holds(levels):
    compared = [lv for lv in levels if lv.result["steps"] is not None and lv.result["solver_steps"]]
    bad = ["%s: %d steps, solver %d" % (lv.name, lv.result["steps"], lv.result["solver_steps"])
           for lv in compared if lv.result["steps"] > PAR_SLACK * lv.result["solver_steps"]]
    shortest = sum(1 for lv in compared if lv.result["steps"] <= lv.result["solver_steps"])
    return not bad, ("%d levels solved by the solver within %d states: %d recorded at its shortest, %d within "
                     "10 %%, %d longer" % (len(compared), MAX_STATES, shortest, len(compared) - shortest - len(bad),
                                          len(bad))), bad


def filled(level):
    cells = {}
    for y, row in enumerate(level.grid):
        for x, cell in enumerate(row):
            if cell != ".":
                cells[(x, y)] = cell
    return cells


def designed(levels):
    """The levels with a recorded solution; one without is judged by nothing but that lack."""
    return [lv for lv in levels if lv.result["steps"] is not None]


def near_copies(levels):
    levels = designed(levels)
    grids = [(lv, filled(lv)) for lv in levels]
    bad = []
    closest = 1.0
    for i, (a, cells_a) in enumerate(grids):
        for b, cells_b in grids[i + 1:]:
            union = set(cells_a) | set(cells_b)
            if not union:
                continue
            differ = sum(1 for p in union if cells_a.get(p) != cells_b.get(p))
            share = differ / len(union)
            closest = min(closest, share)
            if share < NEAR_COPY_SHARE:
                bad.append("%s and %s: %.0f %% of their cells differ" % (a.name, b.name, 100 * share))
    return not bad, "no near-copies among %d designed levels (the closest pair differs in %.0f %% of its cells)" % (
        len(levels), 100 * closest) if not bad else "%d near-copy pairs" % len(bad), bad


def moving_average(values, window):
    half = window // 2
    return [statistics.mean(values[max(0, i - half):i + half + 1]) for i in range(len(values))]


def difficulty_rises(levels):
    regular = [lv for lv in levels if lv.set == "regular" and lv.result["states"]]
    if len(regular) < 2 * MOVING_WINDOW:
        return True, "too few regular levels to judge the difficulty curve", []
    logs = moving_average([math.log10(lv.result["states"]) for lv in regular], MOVING_WINDOW)
    samples = logs[MOVING_WINDOW // 2::MOVING_WINDOW]
    # A dip of a quarter between neighbouring samples is a breather; more, or
    # an end no harder than the start, is a curve that does not rise.
    bad = ["around %s the moving average falls from %.0f to %.0f states" % (
        regular[MOVING_WINDOW // 2 + MOVING_WINDOW * (k + 1)].name, 10 ** a, 10 ** b)
        for k, (a, b) in enumerate(zip(samples, samples[1:])) if b < a - math.log10(4 / 3)]
    if samples[-1] <= samples[0]:
        bad.append("the set ends no harder than it begins")
    line = "regular set: solver states on a moving average of %d levels: %s" % (
        MOVING_WINDOW, " → ".join("%.0f" % 10 ** s for s in samples))
    return not bad, line, bad


def elements_taught(levels):
    regular = {lv.index + 1: lv for lv in designed(levels) if lv.set == "regular"}
    bad, counts = [], []
    for number, kind in sorted(TUTORIALS.items()):
        if kind is None:
            continue
        after = [n for n, lv in regular.items() if n > number and not lv.is_tutorial() and kind in lv.kinds()]
        before = [lv.name for n, lv in regular.items() if n < number and kind in lv.kinds()]
        counts.append(len(after))
        if len(after) < 3:
            bad.append("%s: in %d puzzles after its tutorial reg%03d" % (kind, len(after), number))
        if before:
            bad.append("%s: used before its tutorial reg%03d in %s" % (kind, number, ", ".join(before)))
    for lv in levels:
        if lv.is_tutorial() and lv.markers != 1:
            bad.append("%s: a tutorial with %d markers" % (lv.name, lv.markers))
        if not lv.is_tutorial() and lv.markers:
            bad.append("%s: a tutorial marker outside a tutorial level" % lv.name)
    line = "every element and power-up is in at least %d regular puzzles after its tutorial" % (
        min(counts) if counts else 0)
    return not bad, line, bad


def headings_hold(levels):
    levels = designed(levels)
    bad, seen = [], {}
    for lv in levels:
        if not lv.heading or len(lv.heading.encode("utf-8")) > HEADING_LIMIT:
            bad.append("%s: heading %r" % (lv.name, lv.heading))
        if lv.heading in seen:
            bad.append("%s: the same heading as %s" % (lv.name, seen[lv.heading]))
        seen.setdefault(lv.heading, lv.name)
    return not bad, "%d headings of designed levels, unique, at most %d characters" % (len(levels), HEADING_LIMIT), bad


def kids_hold(levels):
    kids = [lv.result["steps"] for lv in levels if lv.set == "kids" and lv.result["steps"] is not None]
    if not kids:
        return True, "kids: no levels measured", []
    short = sum(1 for s in kids if s < KIDS_STEP_GOAL)
    holds = short * 2 > len(kids)
    line = "kids: median %g steps; %d of %d levels (%.0f %%) under %d steps" % (
        statistics.median(kids), short, len(kids), 100 * short / len(kids), KIDS_STEP_GOAL)
    return holds, line, [] if holds else ["most kids levels should need fewer than %d steps" % KIDS_STEP_GOAL]


def advanced_holds(levels):
    last = [lv.result["states"] for lv in levels if lv.set == "regular" and lv.chapter() >= 10 and lv.result["states"]]
    advanced = [lv.result["states"] for lv in levels if lv.set == "advanced" and lv.result["states"]]
    if not last or not advanced:
        return True, "advanced: not measured", []
    bar = statistics.median(last)
    above = sum(1 for s in advanced if s >= bar)
    holds = above * 2 > len(advanced)
    line = ("advanced: median %.0f solver states against %.0f for the regular set's last chapters; "
            "%d of %d levels at or above it" % (statistics.median(advanced), bar, above, len(advanced)))
    return holds, line, [] if holds else ["most advanced levels should be harder than the regular set's end"]


PROPERTIES = [solutions_hold, par_holds, near_copies, difficulty_rises, elements_taught, headings_hold,
              kids_hold, advanced_holds]


def table(levels):
    rows = ["| level | heading | chapter | steps | solver's shortest | states explored |",
            "|---|---|---|---|---|---|"]
    for lv in levels:
        r = lv.result
        if r["steps"] is not None and r["states"] is None:
            solver, states = "not measured", "not measured"
        elif r["steps"] is None:
            solver, states = "–", "–"
        else:
            solver = str(r["solver_steps"]) if r["solver_steps"] else ("none" if r.get("unsolvable") else "beyond limit")
            states = ("≥ %d" % MAX_STATES) if r["states"] == MAX_STATES and not r["solver_steps"] else str(r["states"])
        tag = " (tutorial)" if lv.is_tutorial() else ""
        rows.append("| %s | %s%s | %d | %s | %s | %s |" % (
            lv.name, lv.heading.replace("|", "\\|"), tag, lv.chapter(),
            r["steps"] if r["steps"] is not None else "–", solver, states))
    return rows


def write_readme(summary, rows):
    path = os.path.join(LEVELS, "README.md")
    with open(path, encoding="utf-8") as f:
        text = f.read()
    block = "\n".join([BEGIN_MARK, ""] + ["- " + s for s in summary] + [""] + rows + ["", END_MARK])
    if BEGIN_MARK in text and END_MARK in text:
        text = text[:text.index(BEGIN_MARK)] + block + text[text.index(END_MARK) + len(END_MARK):]
    else:
        text = text.rstrip("\n") + "\n\n## Measured quality\n\n" + block + "\n"
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--levellab", default=os.path.join(ROOT, "build", "tools", "levellab", "levellab"))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--only", nargs="*", choices=[s for s, _, _ in SETS])
    parser.add_argument("--write", action="store_true")
    parser.add_argument("--quick", action="store_true", help="replay only; no solver figures")
    parser.add_argument("--cached-only", action="store_true", help="measure nothing; report what the cache holds")
    parser.add_argument("--cache", default=os.path.join(ROOT, "build", "level-quality-cache.json"))
    args = parser.parse_args()
    if not os.path.exists(args.levellab):
        sys.exit("%s: no levellab; build it first (make build) or pass --levellab" % args.levellab)
    levels = load_levels(args.only)
    if args.quick and args.write:
        sys.exit("--write needs the solver's figures; leave out --quick")
    measure_all(levels, args.levellab, args.jobs, args.cache, args.quick, args.cached_only)
    summary, failures = [], []
    for prop in PROPERTIES:
        holds, line, problems = prop(levels)
        summary.append(line + ("" if holds else " — FAILS"))
        failures += problems
    for line in summary:
        print(line)
    for problem in failures:
        print("  " + problem)
    if args.write:
        write_readme(summary, table(levels))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
