#!/usr/bin/env python3
"""Writes the interim level sources of assets/levels/ once.

These rooms only stand in until the designed puzzle sets exist: each is a
small, valid room (a floor, a few platforms with ladders, the entrance and
exit tubes on terrain, some crates and devices), and the regular set's
tutorial levels carry a tutorial marker with a hint. The script is
deterministic; the build compiles the sources it wrote, never the script.

    python3 tools/levels/make_interim_levels.py [ASSETS_LEVELS_FOLDER]
"""
import os
import sys

WIDTH, HEIGHT = 32, 24
FLOOR = 22  # rows 22 and 23 are ground
TERRAIN = "#:~-"

TUTORIAL_INDEXES = [1, 3, 5, 7, 9, 11, 14, 16, 18, 20, 22, 24, 28,
                    30, 32, 35, 38, 42, 45, 48, 51, 55, 67, 75, 81, 90]

# The hint of each tutorial level and the thing its room shows.
TUTORIALS = [
    ("Walk with the arrow keys and step into the exit tube.", "walk"),
    ("Climb ladders with the up and down keys.", "ladder"),
    ("Walk against a crate to push it along the floor.", "crate"),
    ("Barrels roll on when pushed until something stops them.", "barrel"),
    ("Stand on a button to open the gate of its colour.", "button"),
    ("Crates can be stacked to climb where no ladder reaches.", "crate"),
    ("Teleports of one colour carry you to their partner.", "teleport"),
    ("A trampoline throws whatever lands on it high up.", "trampoline"),
    ("Pick up a power-up by walking over it.", "powerup"),
    ("Metal crates are heavier: only one can be pushed at a time.", "metal"),
    ("Magnets pull metal things that stand in front of them.", "magnet"),
    ("Bots wake up when they see you. Keep out of their reach.", "bot"),
    ("The frost gun freezes bots, crates and barrels.", "frost"),
    ("The heat gun warms metal until it can be moved again.", "heat"),
    ("Ice is slippery: whatever moves on it slides along.", "ice"),
    ("Sand will not let anything be pushed across it.", "sand"),
    ("A bridge power-up lays a bridge over a gap.", "bridge"),
    ("Frozen things stay put until they thaw or are heated.", "frozen"),
    ("Hanging bots drop down when you pass below them.", "hanging"),
    ("Undo takes back your last steps, up to five of them.", "walk"),
    ("The EMP power-up stops every bot for a while.", "emp"),
    ("Buttons of other colours open gates of their own colour.", "button"),
    ("A teleport power-up places a teleport where you stand.", "teleport"),
    ("Use crates to hold a button down while you walk on.", "button"),
    ("A whistle calls the bots towards you.", "whistle"),
    ("Count your steps: fewer steps make a better score.", "walk"),
]

FIRST = ["Quiet", "Narrow", "Upper", "Lower", "Old", "Sunny", "Windy", "Hidden",
         "Broad", "Dusty", "Mossy", "Stony", "Silent", "Busy", "Little", "Long",
         "Crooked", "Misty", "Bright", "Far"]
SECOND = ["Yard", "Cellar", "Gallery", "Workshop", "Garden", "Terrace", "Loft",
          "Hall", "Courtyard", "Landing", "Passage", "Storeroom", "Balcony",
          "Quarry", "Orchard", "Stairwell", "Depot", "Platform", "Ledge", "Attic"]


class Rng:
    """A small linear congruential generator, the same on every Python."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state >> 8

    def below(self, n):
        return self.next() % n

    def between(self, low, high):
        return low + self.below(high - low + 1)

    def chance(self, percent):
        return self.below(100) < percent


class Room:
    def __init__(self, rng, walls):
        self.rng = rng
        self.cells = [["."] * WIDTH for _ in range(HEIGHT)]
        self.ladder = set()
        self.reserved = set()
        self.platforms = []  # (row, first column, last column)
        self.teleports = []
        self.tutorial = None
        self.legend = {}
        for x in range(WIDTH):
            self.cells[FLOOR][x] = "#"
            self.cells[FLOOR + 1][x] = "#"
        self.low = 2 if walls else 1
        self.high = WIDTH - 3 if walls else WIDTH - 2
        if walls:
            for y in range(FLOOR):
                self.cells[y][0] = ":"
                self.cells[y][WIDTH - 1] = ":"

    def get(self, x, y):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            return self.cells[y][x]
        return "."

    def terrain(self, x, y):
        return self.get(x, y) in TERRAIN

    def free(self, x, y):
        return (0 <= x < WIDTH and 0 <= y < HEIGHT and self.cells[y][x] == "."
                and (x, y) not in self.ladder and (x, y) not in self.reserved)

    # --- structure ---------------------------------------------------------

    def add_platforms(self, rows, materials):
        for row in rows:
            for _ in range(20):
                length = self.rng.between(5, 9)
                first = self.rng.between(4, 27 - length)
                last = first + length - 1
                if self.fits_platform(row, first, last):
                    material = materials[self.rng.below(len(materials))]
                    for x in range(first, last + 1):
                        self.cells[row][x] = material
                    self.platforms.append((row, first, last))
                    break

    def fits_platform(self, row, first, last):
        for other_row, other_first, other_last in self.platforms:
            if abs(other_row - row) < 3 and first - 3 <= other_last and other_first <= last + 3:
                return False
        return all(self.cells[y][x] == "." for y in range(row - 2, row + 2)
                   for x in range(first - 1, last + 2))

    def add_ladders(self):
        # Each platform gets one ladder at an end, down to the nearest ground
        # below: a lower platform where one lies under that end.
        for row, first, last in self.platforms:
            ends = [column for column in (first - 1, last + 1) if 3 <= column <= WIDTH - 4]
            ends.sort(key=lambda column: (self.ground_below(column, row), self.rng.below(2)))
            for column in ends:
                if self.place_ladder(column, row):
                    break
        for (x, y) in self.ladder:
            beside = self.terrain(x - 1, y) or self.terrain(x + 1, y)
            self.cells[y][x] = "=" if beside else "H"

    def ground_below(self, column, row):
        bottom = row + 1
        while bottom < HEIGHT and not self.terrain(column, bottom):
            bottom += 1
        return bottom

    def place_ladder(self, column, row):
        bottom = self.ground_below(column, row)
        cells = [(column, y) for y in range(row - 1, bottom)]
        if bottom >= HEIGHT or not all(self.get(x, y) == "." for x, y in cells):
            return False
        self.ladder.update(cells)
        return True

    # --- things on the ground ------------------------------------------------

    def surfaces(self, on_floor=None):
        """Free cells standing on terrain, in reading order."""
        spots = []
        for y in range(1, FLOOR):
            for x in range(self.low, self.high + 1):
                if self.free(x, y) and self.terrain(x, y + 1):
                    if on_floor is None or (y == FLOOR - 1) == on_floor:
                        spots.append((x, y))
        return spots

    def pick(self, spots):
        return spots[self.rng.below(len(spots))] if spots else None

    def put(self, glyph, on_floor=None, spots=None):
        spot = self.pick(spots if spots is not None else self.surfaces(on_floor))
        if spot:
            x, y = spot
            self.cells[y][x] = glyph
        return spot

    def place_tubes(self):
        start = self.pick([(x, y) for x, y in self.surfaces(True)
                           if x <= self.low + 4 and self.free(x, y - 1)])
        self.cells[start[1]][start[0]] = "S"
        self.reserved.add((start[0], start[1] - 1))
        for x in range(start[0] - 1, start[0] + 2):
            self.reserved.add((x, start[1]))
        if self.platforms:
            top = min(self.platforms)
            spots = [(x, top[0] - 1) for x in range(top[1], top[2] + 1)
                     if self.free(x, top[0] - 1) and self.free(x, top[0] - 2)]
        else:
            spots = [(x, y) for x, y in self.surfaces(True) if x >= self.high - 4 and self.free(x, y - 1)]
        end = self.pick(spots)
        self.cells[end[1]][end[0]] = "E"
        self.reserved.add((end[0], end[1] - 1))
        return start

    def place_teleport_pair(self):
        def zones(on_floor):
            found = []
            for x, y in self.surfaces(on_floor):
                if (self.free(x + 1, y) and self.terrain(x + 1, y + 1) and self.free(x, y - 1)
                        and self.free(x + 1, y - 1)):
                    found.append((x, y))
            return found
        ends = [self.pick(zones(True)), self.pick(zones(False))]
        if None in ends:
            return
        for x, y in ends:
            self.reserved.update({(x, y), (x + 1, y), (x, y - 1), (x + 1, y - 1)})
            self.teleports.append((x, y))

    def place_hanging_bot(self):
        spots = [(x, row + 1) for row, first, last in self.platforms
                 for x in range(first, last + 1) if self.free(x, row + 1)]
        self.put("U", spots=spots)

    def place_tutorial(self, start, text):
        spots = [(x, y) for x, y in self.surfaces(True) if abs(x - start[0]) <= 6]
        spot = self.put("?", spots=spots or self.surfaces())
        self.tutorial = (spot, text)

    def place_feature(self, feature):
        glyphs = {"crate": "c", "barrel": "o", "metal": "C", "trampoline": "Z", "bot": "[",
                  "emp": "4", "frost": "5", "heat": "6", "bridge": "7", "whistle": "8",
                  "powerup": "1"}
        if feature == "button":
            self.put("b", on_floor=True)
            self.put("B", on_floor=True)
        elif feature == "teleport":
            self.place_teleport_pair()
        elif feature == "magnet":
            self.put("<" if self.rng.chance(50) else ">", on_floor=False)
            self.put("C", on_floor=True)
        elif feature == "frozen":
            self.legend["F"] = "OBJECT_WCRATE frozen"
            self.put("F")
        elif feature == "hanging":
            self.place_hanging_bot()
        elif feature in ("ice", "sand"):
            self.put("c", on_floor=False)
        elif feature in glyphs:
            self.put(glyphs[feature], on_floor=feature in ("trampoline", "crate"))

    # --- output ----------------------------------------------------------------

    def source(self, heading, background):
        lines = ["# Interim layout, written by tools/levels/make_interim_levels.py.",
                 'heading "%s"' % heading, "background %d" % background]
        if self.legend:
            lines.append("")
            lines += ["legend %s %s" % item for item in sorted(self.legend.items())]
        lines += ["", "grid"] + ["".join(row) for row in self.cells]
        extras = ["teleport blue %d,%d" % spot for spot in self.teleports]
        if self.tutorial:
            (x, y), text = self.tutorial
            extras.append('tutorial %d,%d "%s"' % (x, y, text))
        if extras:
            lines += [""] + extras
        return "\n".join(lines) + "\n"


def build_room(rng, platform_rows, materials, features, walls, tutorial=None):
    room = Room(rng, walls)
    room.add_platforms(platform_rows, materials)
    room.add_ladders()
    start = room.place_tubes()
    if tutorial:
        room.place_tutorial(start, tutorial)
    for feature in features:
        room.place_feature(feature)
    return room


def heading(rng, used):
    while True:
        text = "%s %s" % (FIRST[rng.below(len(FIRST))], SECOND[rng.below(len(SECOND))])
        if text not in used:
            used.add(text)
            return text


def regular_room(rng, index, tutorial_number):
    rows = [18, 14, 10][: 2 + (index % 2)]
    materials = ["#", "#", "#", ":"]
    features = ["crate"]
    if tutorial_number is not None:
        text, feature = TUTORIALS[tutorial_number]
        if feature == "ice":
            materials = ["~"]
        elif feature == "sand":
            materials = [":"]
        return build_room(rng, rows, materials, [feature] + features, True, text)
    extra = ["barrel", "button", "powerup", "trampoline", "metal", "magnet"]
    features.append(extra[index % len(extra)])
    if index > 40:
        features.append("bot")
    return build_room(rng, rows, materials, features, index % 3 != 2)


def advanced_room(rng, index):
    rows = [18, 14, 10, 6][: 3 + (index % 2)]
    features = ["crate", "metal", "bot"]
    features.append(["teleport", "frozen", "hanging", "magnet", "button"][index % 5])
    if index % 4 == 3:
        features.append("teleport" if features[-1] != "teleport" else "emp")
    return build_room(rng, rows, ["#", "#", ":", "~", "-"], features, index % 2 == 0)


def kids_room(rng, index):
    rows = [18] if index % 3 else [18, 14]
    features = ["crate"] + (["powerup"] if index % 4 == 1 else [])
    return build_room(rng, rows, ["#"], features, True)


def write_set(folder, prefix, count, make_room, seed):
    os.makedirs(folder, exist_ok=True)
    rng = Rng(seed)
    used = set()
    for index in range(count):
        room = make_room(rng, index)
        background = (index * 3 + seed) % 8
        path = os.path.join(folder, "%s%03d.txt" % (prefix, index + 1))
        with open(path, "w", newline="\n") as out:
            out.write(room.source(heading(rng, used), background))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets", "levels")

    def regular(rng, index):
        number = TUTORIAL_INDEXES.index(index) if index in TUTORIAL_INDEXES else None
        return regular_room(rng, index, number)

    write_set(os.path.join(root, "regular"), "reg", 111, regular, 1)
    write_set(os.path.join(root, "advanced"), "adv", 50, advanced_room, 2)
    write_set(os.path.join(root, "kids"), "kid", 81, kids_room, 3)


if __name__ == "__main__":
    main()
