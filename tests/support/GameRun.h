#pragma once

#include "support/TestEnvironment.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace corvelle_test {

// One headless run of the game program in a process of its own, fed by an
// input script (see engine/InputScript.h). The run works in the folder of
// the built resource files, under the test's temporary HOME and the dummy
// video and audio drivers.
struct GameRun {
    // The script's commands; empty: no script.
    std::string script;
    std::string program = programPath();
    // The one command-line argument: 3 is a window without sound.
    std::string mask = "3";
    // CORVELLE_LOG: 32 shows the start-up and shut-down milestones, 4 adds
    // the debug channel with the report of sprites still alive.
    std::string logChannels = "32";
    // A safety net: after that many frames the run ends as if the window
    // had been closed.
    long maxFrames = 900;
    std::vector<std::pair<std::string, std::string>> environment;
    // The folder the program runs in; empty: the built resource folder.
    std::string workingDir;
    // Run as root, the program gives up root's rights first, so that a
    // read-only folder stops it as it stops a player (WithoutRootRights.h).
    bool withoutRootRights = false;
    // Once the output holds the cue, the action runs, once, while the program
    // goes on: a home that turns read-only at a chosen moment, say. The
    // script should leave the program a few frames before it needs the
    // change: the output is looked at every few milliseconds.
    std::string cue;
    std::function<void()> atCue;
};

struct GameRunResult {
    int exitStatus = -1; // -1 when the program did not exit by itself
    std::string output;  // standard output and error, interleaved

    // A line of the output ends with the text (log lines begin with their
    // channel's prefix).
    bool hasLine(const std::string& text) const;
    // The names the shut-down report lists as sprites still alive.
    std::vector<std::string> liveSprites() const;
};

GameRunResult runGame(const GameRun& run);

// A command run through the shell, its standard output and error together;
// status -1 when it did not exit by itself.
struct CommandRun {
    int status = -1;
    std::string output;
};

CommandRun runCommand(const std::string& command);

// The script lines that clear the focused text entry and type the word in
// place of what it offers.
std::string typedInPlace(const std::string& word);

} // namespace corvelle_test
