// The reader of input scripts (CORVELLE_SCRIPT): every line is read, and
// the commands then run frame by frame into SDL's event queue.

#include "fuzz/FuzzSupport.h"
#include "engine/InputScript.h"

#include <SDL.h>
#include <cstdlib>
#include <string>

namespace {

constexpr int FRAMES_RUN = 64;

void startVideo()
{
    static bool started = false;
    if (started)
        return;
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        abort();
    started = true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    startVideo();
    InputScript script(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    for (int frame = 0; frame < FRAMES_RUN; ++frame) {
        script.runFrame();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
    }
    return 0;
}
