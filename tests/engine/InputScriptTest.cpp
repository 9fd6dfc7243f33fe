#include "engine/DisplayFixture.h"
#include "engine/InputScript.h"

#include <cstdlib>
#include <filesystem>

using namespace corvelle_test;

namespace {

// The queued events, one word list each.
std::vector<std::string> drainEvents()
{
    std::vector<std::string> out;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        char text[64];
        switch (e.type) {
        case SDL_MOUSEMOTION:
            snprintf(text, sizeof text, "move %d %d (%d %d)", e.motion.x, e.motion.y, e.motion.xrel, e.motion.yrel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            snprintf(text, sizeof text, "%s %d at %d %d", e.type == SDL_MOUSEBUTTONDOWN ? "down" : "up",
                     e.button.button, e.button.x, e.button.y);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            snprintf(text, sizeof text, "%s %d mod %d", e.type == SDL_KEYDOWN ? "keydown" : "keyup", e.key.keysym.sym,
                     e.key.keysym.mod);
            break;
        case SDL_QUIT:
            snprintf(text, sizeof text, "quit");
            break;
        default:
            continue; // the window's own events
        }
        out.push_back(text);
    }
    return out;
}

using Frames = std::vector<std::vector<std::string>>;

Frames runFrames(InputScript& script, int frames)
{
    Frames out;
    for (int i = 0; i < frames; ++i) {
        script.runFrame();
        out.push_back(drainEvents());
    }
    return out;
}

} // namespace

using InputScriptTest = DisplayTest;

TEST_F(InputScriptTest, CommandsBecomeEventsInTheirFrames)
{
    drainEvents();
    InputScript script("# a comment\n"
                       "\n"
                       "move 10 20\n"
                       "wait 2\n"
                       "click 100 200\r\n"
                       "  key Return\n"
                       "keydown left shift\n"
                       "key a\n"
                       "keyup LEFT SHIFT\n"
                       "key 256\n"
                       "key 1\n"
                       "shot shot one.bmp\n"
                       "quit\n",
                       "test");
    EXPECT_EQ(script.errorCount(), 0);
    const int lshift = KMOD_LSHIFT;
    Frames expected = {
        {"move 10 20 (10 20)"},
        {},
        {"move 100 200 (90 180)"},
        {"down 1 at 100 200"},
        {"up 1 at 100 200", "keydown 13 mod 0"},
        {"keyup 13 mod 0", "keydown 304 mod " + std::to_string(lshift), "keydown 97 mod " + std::to_string(lshift)},
        {"keyup 97 mod " + std::to_string(lshift), "keyup 304 mod 0", "keydown 256 mod 0"},
        {"keyup 256 mod 0", "keydown 49 mod 0"},
        {"keyup 49 mod 0", "quit"},
        {},
    };
    EXPECT_EQ(runFrames(script, 10), expected);

    SDL_Surface* shot = SDL_LoadBMP((dir_ + "/shot one.bmp").c_str());
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w, SCREEN_WIDTH);
    SDL_FreeSurface(shot);
}

TEST_F(InputScriptTest, BadLinesAreReportedAndSkipped)
{
    const std::string point = "expected a point X Y within 0..800 x 0..600";
    struct Case {
        const char* line;
        std::string problem;
    } cases[] = {
        {"jump 1 2", "unknown command"},
        {"Move 1 2", "unknown command"},
        {"move 10", point},
        {"move 801 5", point},
        {"move 5 601", point},
        {"move -1 5", point},
        {"move a b", point},
        {"click 1 2 3", point},
        {"wait", "expected a number of frames"},
        {"wait -3", "expected a number of frames"},
        {"wait 2x", "expected a number of frames"},
        {"key", "expected a key name"},
        {"key nokey", "unknown key"},
        {"keyup 999", "unknown key"},
        {"key 1000", "unknown key"},
        {"down now", "takes no arguments"},
        {"quit now", "takes no arguments"},
        {"shot", "expected a file name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        drainEvents();
        InputScript script(std::string("move 1 2\n") + c.line + "\nquit\n", "bad.txt");
        EXPECT_EQ(script.errorCount(), 1);
        EXPECT_EQ(lastErrorLogLine(), "Input script bad.txt, line 2: " + c.problem + ": '" + c.line + "'\n");
        EXPECT_EQ(runFrames(script, 1), Frames({{"move 1 2 (1 2)", "quit"}}));
    }
}

TEST_F(InputScriptTest, TheEnvironmentNamesTheScript)
{
    unsetenv("CORVELLE_SCRIPT");
    EXPECT_EQ(InputScript::fromEnvironment(), nullptr);
    setenv("CORVELLE_SCRIPT", "", 1);
    EXPECT_EQ(InputScript::fromEnvironment(), nullptr);

    writeFile(dir_ + "/script.txt", "quit\n");
    setenv("CORVELLE_SCRIPT", "script.txt", 1);
    std::unique_ptr<InputScript> script = InputScript::fromEnvironment();
    ASSERT_NE(script, nullptr);
    drainEvents();
    EXPECT_EQ(runFrames(*script, 1), Frames({{"quit"}}));

    setenv("CORVELLE_SCRIPT", "missing.txt", 1);
    EXPECT_EXIT(InputScript::fromEnvironment(), testing::ExitedWithCode(1), "");
    EXPECT_EQ(lastErrorLogLine(), "Cannot read the input script 'missing.txt'\n");
    unsetenv("CORVELLE_SCRIPT");
}
