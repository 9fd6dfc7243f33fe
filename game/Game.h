#pragma once

#include <functional>

class CControllerIntro;

// Start-up mask bits, from the one optional command-line argument.
enum StartMask {
    MASK_WINDOW = 1,      // start in a window instead of full screen
    MASK_NO_SOUND = 2,    // the sound system stays off
    MASK_ASK_SOUND = 4,   // ask for sound output and driver on the console
};

// The mask is read only when exactly one argument is given; text that is not
// a number gives 0.
int parseStartMask(int argc, char** argv);

// Frames after which the main loop acts as if the window had been closed
// (CORVELLE_MAX_FRAMES, for automated runs); 0 means no limit.
long maxFramesFromEnvironment();

// The whole life of the program: start-up, the frame loop, shut-down.
// Programs built for tests may open a screen of their own over the root
// screen once start-up is complete.
using RootScreenHook = std::function<void(CControllerIntro& root)>;
int runCorvelle(int argc, char** argv, const RootScreenHook& openOverRoot = nullptr);
