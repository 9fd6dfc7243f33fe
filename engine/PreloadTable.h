#pragma once

#include <set>
#include <string>
#include <variant>
#include <vector>

// What the start-up lists do, as data: each list runs its groups in order,
// and each group its actions. The lists in engine/PreloadLists.cpp only walk
// this table, and the names the start-up needs are derived from it, so every
// name is written once.

namespace preload {

// Acquire one image, or every member first..last of a numbered series, and
// keep the reference for the whole run.
struct Acquire {
    std::string name;
};
struct AcquireSeries {
    std::string prefix;
    int first;
    int last;
    std::string suffix;
};
// A copy of an image with its alpha shifted by dA.
struct Copy {
    std::string source;
    std::string made;
    int dA;
};
// Copies of every member of a series into the same-numbered members of
// another.
struct CopySeries {
    std::string sourcePrefix;
    std::string madePrefix;
    int first;
    int last;
    std::string suffix;
    int dA;
};
// A text-table entry rendered centred into a box, as an image of its own.
struct TextImage {
    std::string name;
    int stringNumber;
    int width;
    int height;
};
// The fade series of an image (see CDraw::createFadeSeries).
struct FadeSeries {
    std::string name;
    int count;
    int step;
};
// One step of the loading bar.
struct BarStep {
};

using Action = std::variant<Acquire, AcquireSeries, Copy, CopySeries, TextImage, FadeSeries, BarStep>;

// A group logs its name once its actions are done.
struct Group {
    std::string name;
    std::vector<Action> actions;
};

struct List {
    std::string function; // the list's name in its log lines
    std::string heading;  // what its first log line says it caches
    std::vector<Group> groups;
};

// Every list, in the order the start-up runs them: the main menu, the map,
// the game's own groups, the thirteen element groups, the button captions
// and the faded images.
const std::vector<List>& lists();
// The list of that name; fatal when there is none.
const List& list(const std::string& function);

// The names the start-up lists touch, derived from the table.
struct Names {
    // Every name read from the image archive, once each, in order of first
    // use: what the archive must hold.
    std::vector<std::string> archived;
    // The archive names whose references are held for the whole run.
    std::set<std::string> held;
    // Every image the lists make (copies, faded and rendered images).
    std::vector<std::string> made;
};
Names startUpNames();

} // namespace preload
