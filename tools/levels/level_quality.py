#!/usr/bin/env python3
"""Measures the built-in levels and checks the qualities the level sets promise.

For every level source under assets/levels/ it replays the recorded solution,
runs the solver for the fewest steps and the judge (all through levellab),
then checks:
  - every level has a solution that reaches the exit;
  - the recorded solution has at most 10 % more steps than the solver's
    fewest (or than the fewest the solver has ruled out, where its search
    did not finish);
  - no two levels, in any set, are near-copies, shifted or not;
  - every level needs its idea and is more than a walk (the judge);
  - the regular set's difficulty (solver states) rises on a moving average;
  - every element and power-up appears in at least three regular puzzles after
    its tutorial, and in none before it;
  - headings are unique and at most 32 characters;
  - kids: most solutions under 40 steps; advanced: harder than the regular
    set's last chapters.
A summary line that would rest on a figure the search was cut short at
fails instead of passing.

  level_quality.py [--levellab PATH] [--jobs N] [--only SET...] [--max-states N]
                   [--judge-states N] [--quick] [--cached-only] [--write]

--quick replays the solutions without running the solver (a few seconds for
every level): the heading, tutorial and solution checks only.

--write puts the table, its summary and the per-chapter figures into
assets/levels/README.md between the quality markers. Results are cached per
source text in build/level-quality-cache.json, so a re-run only measures
changed levels; an interrupted run (Ctrl-C) keeps what it finished.
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
MAX_STATES = 1000000   # the solver's search for the fewest steps
JUDGE_STATES = 20000   # each of the judge's idea and walk searches
PAR_SLACK = 1.10
HEADING_LIMIT = 32
MOVING_WINDOW = 11
KIDS_STEP_GOAL = 40
BEGIN_MARK = "<!-- quality table: made by tools/levels/level_quality.py --write -->"
END_MARK = "<!-- end of quality table -->"
NEAR_COPY_SHARE = 0.25  # as levellab judge counts a near-copy

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

    def contents(self):
        """What the grid holds: each default character, or a legend's words."""
        found = set()
        for row in self.grid:
            for cell in row:
                if cell in self.legend:
                    found.add(" ".join(self.legend[cell]))
                elif cell not in ".?":
                    found.add(cell)
        return found

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


class Interrupted(Exception):
    """A levellab run stopped by a signal: nothing of it is kept."""


def run_lab(levellab, *args):
    return run_lab_status(levellab, *args)[0]


def run_lab_status(levellab, *args):
    """The output and the exit status of one levellab run."""
    done = subprocess.run([levellab] + list(args), capture_output=True, text=True)
    if done.returncode in (130, 143):
        raise Interrupted()
    return done.stdout, done.returncode


def read_search(detail):
    """The solver's figures from a judge line's detail."""
    found = re.match(r"(\d+) steps, (\d+) segments, (\d+) states, (\d+) moves, (\d+) frames", detail)
    if found:
        steps, segments, states = (int(found.group(i)) for i in (1, 2, 3))
        proven = "not proven" not in detail
        return {"status": "found" if proven else "unproven", "steps": steps, "segments": segments,
                "states": states, "bound": steps if proven else None}
    capped = re.match(r"no solution within (\d+) states \(none under (\d+) steps\)", detail)
    if capped:
        return {"status": "capped", "states": int(capped.group(1)), "bound": int(capped.group(2))}
    none = re.match(r"no solution at all \((\d+) states\)", detail)
    if none:
        return {"status": "none", "states": int(none.group(1)), "bound": None}
    # No verdict at all: the search itself failed (ran out of memory, say).
    return {"status": "failed", "states": None, "bound": None}


def checked_search(solver):
    """A result cached before failed searches were told apart: "none" without its states was one."""
    if solver and solver["status"] == "none" and solver.get("states") is None:
        return dict(solver, status="failed")
    return solver


def judge_lines(output):
    """{check: (verdict, detail)} of one level's judge output."""
    lines = {}
    for line in output.splitlines():
        found = re.match(r"\S+ (idea|walk|copies|difficulty): (ok|FAIL): (.*)", line)
        if found:
            lines[found.group(1)] = (found.group(2), found.group(3))
    return lines


def measure(levellab, path, max_states, judge_states, solve_too=True):
    """Replays the recorded solution, then runs the solver and the judge on one source."""
    result = {"steps": None, "outcome": "no solution"}
    for line in run_lab(levellab, "check", path).splitlines():
        words = line.split()
        if len(words) >= 5 and words[-1] in ("ok", "FAIL") and words[0].endswith(".txt"):
            result["outcome"] = words[1] if words[-1] == "FAIL" else "exited"
            result["steps"] = int(words[3])
    if not solve_too or result["steps"] is None:
        return result  # a level without a solution is not measured further
    output, status = run_lab_status(levellab, "judge", "--checks", "difficulty", "--max-states", str(max_states),
                                    path)
    result["solver"] = read_search(judge_lines(output).get("difficulty", ("", ""))[1])
    if result["solver"]["status"] == "failed":
        result["solver"]["why"] = "levellab ended with status %d and no verdict" % status
    judged = judge_lines(run_lab(levellab, "judge", "--checks", "idea,walk", "--max-states", str(judge_states),
                                 path))
    for check in ("idea", "walk"):
        verdict, detail = judged.get(check, ("FAIL", "not judged"))
        result[check] = "exempt" if detail.startswith("exempt") else verdict
        result[check + "_detail"] = detail
    return result


def measure_all(levels, levellab, jobs, cache_path, limits, quick, cached_only=False):
    cache = {}
    if os.path.exists(cache_path):
        with open(cache_path, encoding="utf-8") as f:
            cache = json.load(f)
    tool = hashlib.sha1(open(levellab, "rb").read()).hexdigest()
    mode = "quick" if quick else "%d/%d" % limits
    keys = {lv.name: hashlib.sha1((tool + mode + lv.text).encode()).hexdigest() for lv in levels}
    todo = [] if cached_only else [lv for lv in levels if keys[lv.name] not in cache]
    os.makedirs(os.path.dirname(cache_path), exist_ok=True)
    pool = concurrent.futures.ThreadPoolExecutor(max_workers=jobs)
    running = {pool.submit(measure, levellab, lv.path, limits[0], limits[1], not quick): lv for lv in todo}
    try:
        for done in concurrent.futures.as_completed(running):
            cache[keys[running[done].name]] = done.result()
            # Kept after every level, so an interrupted run loses nothing it finished.
            with open(cache_path, "w", encoding="utf-8") as f:
                json.dump(cache, f, sort_keys=True)
    except (Interrupted, KeyboardInterrupt):
        pool.shutdown(wait=False, cancel_futures=True)
        sys.exit("interrupted: the levels finished so far are kept in %s" % cache_path)
    pool.shutdown()
    for lv in levels:
        # With --cached-only a level the solver has not reached yet is replayed only.
        lv.result = cache.get(keys[lv.name]) or measure(levellab, lv.path, 0, 0, False)


def measure_copies(levels, levellab):
    """The closest built-in level to each one, shifted as the judge shifts."""
    output = run_lab(levellab, "judge", "--checks", "copies", *[lv.path for lv in levels])
    found = {}
    for line in output.splitlines():
        match = re.match(r"(\S+) copies: (?:ok|FAIL): closest (\S+) shifted (-?\d+),(-?\d+): (\d+) %", line)
        if match:
            found[match.group(1)] = (match.group(2), match.group(3) + "," + match.group(4), int(match.group(5)))
    for lv in levels:
        lv.copy = found.get(lv.name)


# ---- properties; each returns (holds, summary line, problems)

def designed(levels):
    """The levels with a recorded solution; one without is judged by nothing but that lack."""
    return [lv for lv in levels if lv.result["steps"] is not None]


def solver_of(lv):
    return checked_search(lv.result.get("solver")) or {"status": "not measured", "bound": None, "states": None}


def finished(lv):
    return solver_of(lv)["status"] in ("found", "none")


def solutions_hold(levels):
    bad = ["%s: %s" % (lv.name, lv.result["outcome"]) for lv in levels if lv.result["outcome"] != "exited"]
    return not bad, "%d of %d levels reach the exit with their recorded solution" % (
        len(levels) - len(bad), len(levels)), bad


def par_holds(levels):
    at, within, proven, bad, undecided = 0, 0, 0, [], []
    for lv in designed(levels):
        steps, solver = lv.result["steps"], solver_of(lv)
        bound = solver["bound"]
        if solver["status"] == "none":
            bad.append("%s: the solver finds no solution, the recorded one takes %d steps" % (lv.name, steps))
        elif solver["status"] == "found" and steps <= bound:
            at += 1
        elif solver["status"] == "found" and steps <= PAR_SLACK * bound:
            within += 1
        elif solver["status"] == "found":
            bad.append("%s: %d steps, the solver's fewest %d" % (lv.name, steps, bound))
        elif bound is not None and steps <= PAR_SLACK * bound:
            proven += 1
        elif solver.get("states") is None:
            undecided.append("%s: %d steps; the search gave no figure (%s)" % (
                lv.name, steps, solver.get("why", solver["status"])))
        else:
            undecided.append("%s: %d steps; the search stopped at %s states (%s)" % (
                lv.name, steps, solver.get("states"), "none under %s steps" % bound if bound else solver["status"]))
    line = ("par: %d recorded at the solver's fewest steps, %d within 10 %%, %d longer; %d within 10 %% of the "
            "fewest the solver ruled out where its search did not finish; %d not decided" % (
                at, within, len(bad), proven, len(undecided)))
    return not bad and not undecided, line, bad + ["par not decided: " + u for u in undecided]


def near_copies(levels):
    measured = [lv for lv in designed(levels) if getattr(lv, "copy", None)]
    pairs = {}
    for lv in measured:
        other, shift, share = lv.copy
        if share < 100 * NEAR_COPY_SHARE:
            pairs[tuple(sorted((lv.name, other)))] = (shift, share)
    closest = min((lv.copy[2], lv.name, lv.copy[0]) for lv in measured) if measured else (100, "", "")
    bad = ["%s and %s: %d %% of their cells differ (shifted %s)" % (a, b, share, shift)
           for (a, b), (shift, share) in sorted(pairs.items())]
    if bad:
        return False, "%d near-copy pairs, shifted by up to 4 columns and 6 rows" % len(bad), bad
    return True, ("no near-copies among %d levels, shifted by up to 4 columns and 6 rows (the closest pair, "
                  "%s and %s, differs in %d %% of its cells)" % (len(measured), closest[1], closest[2],
                                                                closest[0])), []


def judged_holds(levels):
    bad, unjudged = [], []
    for lv in designed(levels):
        failing = [check for check in ("idea", "walk") if lv.result.get(check) == "FAIL"]
        if failing:
            bad.append("%s: %s" % (lv.name, ", ".join("%s (%s)" % (c, lv.result[c + "_detail"]) for c in failing)))
        elif any(lv.result.get(check) not in ("ok", "exempt") for check in ("idea", "walk")):
            unjudged.append(lv.name) # a level the judge has not reached passes nothing
    line = "judge: %d of %d levels need their idea and are more than a walk (searches of %d states)%s" % (
        len(designed(levels)) - len(bad) - len(unjudged), len(designed(levels)), JUDGE_STATES,
        "; %d not judged" % len(unjudged) if unjudged else "")
    return not bad and not unjudged, line, bad + ["not judged: " + name for name in unjudged]


def moving_average(values, window):
    half = window // 2
    return [statistics.mean(values[max(0, i - half):i + half + 1]) for i in range(len(values))]


def difficulty_rises(levels):
    regular = [lv for lv in designed(levels) if lv.set == "regular" and solver_of(lv)["states"]]
    if len(regular) < 2 * MOVING_WINDOW:
        return True, "too few regular levels to judge the difficulty curve", []
    logs = moving_average([math.log10(solver_of(lv)["states"]) for lv in regular], MOVING_WINDOW)
    samples = logs[MOVING_WINDOW // 2::MOVING_WINDOW]
    # A dip of a quarter between neighbouring samples is a breather; more, or
    # an end no harder than the start, is a curve that does not rise.
    bad = ["around %s the moving average falls from %.0f to %.0f states" % (
        regular[MOVING_WINDOW // 2 + MOVING_WINDOW * (k + 1)].name, 10 ** a, 10 ** b)
        for k, (a, b) in enumerate(zip(samples, samples[1:])) if b < a - math.log10(4 / 3)]
    if samples[-1] <= samples[0]:
        bad.append("the set ends no harder than it begins")
    # A search that failed has no figure on the curve: it counts as cut short.
    capped = [lv.name for lv in designed(levels) if lv.set == "regular" and not finished(lv)]
    if capped:
        bad.append("the curve rests on %d searches cut short or failed: %s" % (len(capped), ", ".join(capped)))
    line = "regular set: solver states on a moving average of %d levels: %s%s" % (
        MOVING_WINDOW, " → ".join("%.0f" % 10 ** s for s in samples),
        " (%d of them cut short at %d)" % (len(capped), MAX_STATES) if capped else "")
    return not bad, line, bad


def elements_taught(levels):
    regular = {lv.index + 1: lv for lv in designed(levels) if lv.set == "regular"}
    if not regular:
        return True, "elements after their tutorials: the regular set not measured", []
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
    seen = {}
    for lv in sorted(levels, key=lambda lv: (lv.set, lv.index)):
        contents = lv.contents()
        brings_new = bool(contents - seen.get(lv.set, set()))
        seen.setdefault(lv.set, set()).update(contents)
        if lv.is_tutorial() and lv.markers != 1:
            bad.append("%s: a tutorial with %d markers" % (lv.name, lv.markers))
        # Outside the tutorials a marker may explain an element where it first
        # appears in its set (the kids set has no tutorials; the regular set's
        # hanging bot has no tutorial of its own); the advanced set has none.
        if not lv.is_tutorial() and lv.markers and (lv.set == "advanced" or not brings_new):
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
    last = [lv for lv in designed(levels) if lv.set == "regular" and lv.chapter() >= 10 and solver_of(lv)["states"]]
    advanced = [lv for lv in designed(levels) if lv.set == "advanced" and solver_of(lv)["states"]]
    if not last or not advanced:
        return False, "advanced: not measured", ["advanced: no solver figures to compare"]
    bar = statistics.median(solver_of(lv)["states"] for lv in last)
    last_all = [lv for lv in designed(levels) if lv.set == "regular" and lv.chapter() >= 10]
    bar_capped = statistics.median(0 if finished(lv) else 1 for lv in last_all) > 0 or bar >= MAX_STATES
    # An advanced level whose search failed has no figure: it counts as below.
    advanced_all = [lv for lv in designed(levels) if lv.set == "advanced"]
    # A search cut short counts as at or above a bar below its cut; any other
    # that fell short of the bar is below it.
    above = sum(1 for lv in advanced if solver_of(lv)["states"] >= bar)
    holds = above * 2 > len(advanced_all) and not bar_capped
    line = ("advanced: median %s solver states against %s for the regular set's last chapters; %d of %d levels "
            "at or above it" % (states_text([solver_of(lv) for lv in advanced]), states_text(
                [solver_of(lv) for lv in last]), above, len(advanced_all)))
    problems = []
    if bar_capped:
        problems.append("the regular set's last chapters are searched only to the cut: the bar is unknown")
    elif not holds:
        problems.append("most advanced levels should be harder than the regular set's end")
    return holds, line, problems


def states_text(solvers):
    """The median of the states explored; "≥ N" where it falls on a search cut short."""
    ordered = sorted((s for s in solvers if s.get("states") is not None),
                     key=lambda s: (s["states"], s["status"] not in ("found", "none")))
    if not ordered:
        return "–"
    middle = ordered[len(ordered) // 2]
    return ("≥ %d" if middle["status"] not in ("found", "none") else "%d") % middle["states"]


PROPERTIES = [solutions_hold, par_holds, near_copies, judged_holds, difficulty_rises, elements_taught,
              headings_hold, kids_hold, advanced_holds]


def parts(levels):
    """Per chapter of the regular set and per tenth of the others: the solver's fewest steps, move
    segments and states, as medians."""
    rows = ["| set | part | levels | fewest steps | move segments | states | searches cut short |",
            "|---|---|---|---|---|---|---|"]
    for set_name, _, count in SETS:
        members = [lv for lv in designed(levels) if lv.set == set_name and lv.result.get("solver")]
        if not members:
            continue
        if set_name == "regular":
            groups = [("chapter %d" % c, [lv for lv in members if lv.chapter() == c])
                      for c in range(len(CHAPTERS["regular"]))]
        else:
            groups = [("tenth %d" % (k + 1), [lv for lv in members if k * count // 10 <= lv.index < (k + 1) * count // 10])
                      for k in range(10)]
        for label, group in groups:
            if not group:
                continue
            done = [solver_of(lv) for lv in group if solver_of(lv)["status"] == "found"]
            names = "%s–%s" % (group[0].name, group[-1].name)
            rows.append("| %s | %s (%s) | %d | %s | %s | %s | %d |" % (
                set_name, label, names, len(group),
                "%g" % statistics.median(s["steps"] for s in done) if done else "–",
                "%g" % statistics.median(s["segments"] for s in done) if done else "–",
                states_text([solver_of(lv) for lv in group]), sum(1 for lv in group if not finished(lv))))
    return rows


def table(levels):
    rows = ["| level | heading | chapter | steps | solver's fewest | segments | states explored | idea | walk |",
            "|---|---|---|---|---|---|---|---|---|"]
    for lv in levels:
        r, solver = lv.result, solver_of(lv)
        status = solver["status"]
        if r["steps"] is None:
            fewest = segments = states = "–"
        elif status == "found":
            fewest, segments, states = str(solver["steps"]), str(solver["segments"]), str(solver["states"])
        elif status == "unproven":
            fewest = "%d, not proven the fewest (search cut at %d states)" % (solver["steps"], MAX_STATES)
            segments, states = str(solver["segments"]), "≥ %d" % solver["states"]
        elif status == "capped":
            fewest = "≥ %d (search cut at %d states)" % (solver["bound"], solver["states"])
            segments, states = "–", "≥ %d" % solver["states"]
        elif status == "none":
            fewest, segments, states = "none", "–", str(solver["states"])
        elif status == "failed":
            fewest, segments, states = "no verdict: the search failed (%s)" % solver.get(
                "why", "levellab gave no verdict"), "–", "–"
        else:
            fewest = segments = states = "not measured"
        tag = " (tutorial)" if lv.is_tutorial() else ""
        rows.append("| %s | %s%s | %d | %s | %s | %s | %s | %s | %s |" % (
            lv.name, lv.heading.replace("|", "\\|"), tag, lv.chapter(),
            r["steps"] if r["steps"] is not None else "–", fewest, segments, states,
            r.get("idea", "–"), r.get("walk", "–")))
    return rows


def write_readme(summary, part_rows, rows):
    path = os.path.join(LEVELS, "README.md")
    with open(path, encoding="utf-8") as f:
        text = f.read()
    block = "\n".join([BEGIN_MARK, ""] + ["- " + s for s in summary] + [""] + part_rows + [""] + rows +
                      ["", END_MARK])
    if BEGIN_MARK in text and END_MARK in text:
        text = text[:text.index(BEGIN_MARK)] + block + text[text.index(END_MARK) + len(END_MARK):]
    else:
        text = text.rstrip("\n") + "\n\n## Measured quality\n\n" + block + "\n"
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    global MAX_STATES, JUDGE_STATES
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--levellab", default=os.path.join(ROOT, "build", "tools", "levellab", "levellab"))
    parser.add_argument("--jobs", type=int, default=3, help="levels measured at once (3)")
    parser.add_argument("--only", nargs="*", choices=[s for s, _, _ in SETS])
    parser.add_argument("--max-states", type=int, default=MAX_STATES, help="the solver's limit (1,000,000)")
    parser.add_argument("--judge-states", type=int, default=JUDGE_STATES,
                        help="the limit of each idea and walk search (20,000)")
    parser.add_argument("--write", action="store_true")
    parser.add_argument("--quick", action="store_true", help="replay only; no solver figures")
    parser.add_argument("--cached-only", action="store_true", help="measure nothing; report what the cache holds")
    parser.add_argument("--cache", default=os.path.join(ROOT, "build", "level-quality-cache.json"))
    args = parser.parse_args()
    MAX_STATES, JUDGE_STATES = args.max_states, args.judge_states
    if not os.path.exists(args.levellab):
        sys.exit("%s: no levellab; build it first (make build) or pass --levellab" % args.levellab)
    levels = load_levels(args.only)
    if args.quick and args.write:
        sys.exit("--write needs the solver's figures; leave out --quick")
    measure_all(levels, args.levellab, args.jobs, args.cache, (MAX_STATES, JUDGE_STATES), args.quick,
                args.cached_only)
    properties = [solutions_hold, headings_hold, elements_taught, kids_hold] if args.quick else PROPERTIES
    if not args.quick:
        measure_copies(levels, args.levellab)
    summary, failures = [], []
    for prop in properties:
        holds, line, problems = prop(levels)
        summary.append(line + ("" if holds else " — FAILS"))
        failures += problems
    for line in summary:
        print(line)
    for problem in failures:
        print("  " + problem)
    part_rows = parts(levels)
    if not args.quick:
        print("\n".join(part_rows))
    if args.write:
        write_readme(summary, part_rows, table(levels))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
