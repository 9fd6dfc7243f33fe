#include "engine/Draw.h"
#include "engine/Log.h"
#include "screens/ScreenTestSupport.h"

#include <algorithm>
#include <memory>
#include <string>

using namespace corvelle_test;

namespace {

// A stack of `depth` screens (ids 100, 101, ...), the last one current.
std::vector<std::unique_ptr<RecordingScreen>> makeStack(int depth)
{
    std::vector<std::unique_ptr<RecordingScreen>> screens;
    for (int i = 0; i < depth; ++i) {
        screens.push_back(std::make_unique<RecordingScreen>(100 + i));
        if (i == 0)
            screens[0]->Activate(nullptr);
        else
            screens[i - 1]->LoadController(screens[i].get());
    }
    return screens;
}

} // namespace

using ControllerTest = ScreenTest;

TEST_F(ControllerTest, CloseCodesTravelOneLevelPerFrameAndTheClosingFramesAreNotPresented)
{
    for (int depth = 1; depth <= 4; ++depth) {
        for (int code : {1, 2, 3, EXIT_QUIT, EXIT_QUIT_FOR_WEB}) {
            SCOPED_TRACE("depth " + std::to_string(depth) + ", code " + std::to_string(code));
            CController::resetStackForTesting();
            auto screens = makeStack(depth);
            screens.back()->onPump = [code](RecordingScreen& s) { s.SetExitCode(code); };

            const int closing = code > 0 ? std::min(code, depth) : depth;
            const bool programEnds = code < 0 || code >= depth;
            for (int frame = 1; frame <= closing; ++frame) {
                ASSERT_TRUE(CController::IsRunning());
                CController::PumpCurrent();
                EXPECT_TRUE(CDraw::isPresentDisabled()) << "frame " << frame;
            }
            EXPECT_EQ(CController::IsRunning(), !programEnds);
            if (!programEnds) {
                RecordingScreen* survivor = screens[depth - 1 - closing].get();
                EXPECT_EQ(CController::GetCurrent(), survivor);
                EXPECT_EQ(CController::GetPreviousId(), 100 + depth - closing);
                EXPECT_TRUE(survivor->IsActive());
                CController::PumpCurrent();
                EXPECT_FALSE(CDraw::isPresentDisabled());
                EXPECT_EQ(survivor->closedChildren, std::vector<int>{100 + depth - closing});
                EXPECT_EQ(CController::GetPreviousId(), survivor->GetID());
            }
            // Every closed screen below the top was pumped once more to
            // handle its closed child; none is active any more.
            for (int i = depth - closing; i < depth; ++i) {
                EXPECT_FALSE(screens[i]->IsActive());
                EXPECT_EQ(screens[i]->GetExitCode(), 0);
                if (i < depth - 1) {
                    EXPECT_EQ(screens[i]->pumps, 1);
                    EXPECT_EQ(screens[i]->closedChildren, std::vector<int>{101 + i});
                }
            }
            EXPECT_TRUE(screens.back()->closedChildren.empty()) << "the first pump of a new screen closed no child";
        }
    }
}

TEST_F(ControllerTest, OpeningAChildInAPumpMakesItCurrentAtOnce)
{
    auto screens = makeStack(1);
    RecordingScreen child(200);
    screens[0]->onPump = [&child](RecordingScreen& s) {
        s.onPump = nullptr;
        s.LoadController(&child);
        EXPECT_EQ(s.GetExitCode(), 0);
    };
    CController::PumpCurrent();
    EXPECT_EQ(CController::GetCurrent(), &child);
    EXPECT_EQ(CController::GetCurrentId(), 200);
    EXPECT_EQ(CController::GetPreviousId(), 100);
    EXPECT_FALSE(screens[0]->IsActive());
    EXPECT_TRUE(child.IsActive());
    EXPECT_EQ(child.GetParent(), screens[0].get());
    EXPECT_FALSE(CDraw::isPresentDisabled());

    CController::PumpCurrent();
    EXPECT_EQ(child.pumps, 1);
    EXPECT_TRUE(child.closedChildren.empty());
    EXPECT_EQ(screens[0]->pumps, 1);
}

TEST_F(ControllerTest, NoCurrentScreenPumpsNothing)
{
    CController::PumpCurrent();
    EXPECT_TRUE(CController::IsRunning());
    EXPECT_EQ(CController::GetCurrent(), nullptr);
}

TEST_F(ControllerTest, ModifierTracking)
{
    RecordingScreen screen(100);
    struct Step {
        bool released;
        int key;
        bool taken, shift, ctrl, alt;
    } steps[] = {
        {false, SDLK_LSHIFT, true, true, false, false},
        {false, SDLK_RSHIFT, true, true, false, false},
        {true, SDLK_LSHIFT, true, true, false, false},
        {true, SDLK_RSHIFT, true, false, false, false},
        {false, SDLK_LCTRL, true, false, true, false},
        {false, SDLK_RALT, true, false, true, true},
        {false, 'a', false, false, true, true},
        {false, 302, false, false, true, true},
        {false, 309, false, false, true, true},
        {true, SDLK_LCTRL, true, false, false, true},
        {true, SDLK_RALT, true, false, false, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE("key " + std::to_string(s.key) + (s.released ? " up" : " down"));
        EXPECT_EQ(screen.InputModKey(s.released, s.key), s.taken);
        EXPECT_EQ(CController::IsShiftDown(), s.shift);
        EXPECT_EQ(CController::IsCtrlDown(), s.ctrl);
        EXPECT_EQ(CController::IsAltDown(), s.alt);
    }
}

TEST_F(ControllerTest, PushAndPopForgetHeldModifiersAndTheHeldButton)
{
    auto screens = makeStack(1);
    RecordingScreen child(200);
    for (int step = 0; step < 2; ++step) {
        for (int key : {SDLK_LSHIFT, SDLK_LCTRL, SDLK_RALT})
            CController::GetCurrent()->InputModKey(false, key);
        CGuiButtonBase::SetMouseButton(false, false);
        if (step == 0) {
            screens[0]->LoadController(&child);
        } else {
            child.onPump = [](RecordingScreen& s) { s.SetExitCode(1); };
            CController::PumpCurrent();
            EXPECT_EQ(CController::GetCurrent(), screens[0].get());
        }
        EXPECT_FALSE(CController::IsShiftDown() || CController::IsCtrlDown() || CController::IsAltDown());
        EXPECT_FALSE(CGuiButtonBase::IsMouseButtonDown());
    }
}

TEST_F(ControllerTest, GuiKeys)
{
    RecordingScreen screen(100);
    screen.Activate(nullptr);
    FakeWidget first(&screen, 10), second(&screen, 11), third(&screen, 12);

    struct Case {
        const char* name;
        int key;
        bool released, allowEscape, allowTab, shift;
        int hotAfter;     // the focus, starting from the second widget
        int clicks;       // callbacks of the second widget
        int exitCode;
    } cases[] = {
        {"Return", SDLK_RETURN, false, false, false, false, 1, 1, 0},
        {"Space", SDLK_SPACE, false, false, false, false, 1, 1, 0},
        {"Return released", SDLK_RETURN, true, false, false, false, 1, 0, 0},
        {"Escape", SDLK_ESCAPE, false, true, false, false, 1, 0, 1},
        {"Escape not allowed", SDLK_ESCAPE, false, false, false, false, 1, 0, 0},
        {"Escape released", SDLK_ESCAPE, true, true, false, false, 1, 0, 0},
        {"Tab", SDLK_TAB, false, false, true, false, 2, 0, 0},
        {"Shift+Tab", SDLK_TAB, false, false, true, true, 0, 0, 0},
        {"Tab not allowed", SDLK_TAB, false, false, false, false, 1, 0, 0},
        {"Up", SDLK_UP, false, false, false, false, 0, 0, 0},
        {"Left", SDLK_LEFT, false, false, false, false, 0, 0, 0},
        {"Down", SDLK_DOWN, false, false, false, false, 2, 0, 0},
        {"Right", SDLK_RIGHT, false, false, false, false, 2, 0, 0},
        {"Right released", SDLK_RIGHT, true, false, false, false, 1, 0, 0},
        {"a letter", 'a', false, true, true, false, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.SetExitCode(0);
        screen.callbacks.clear();
        screen.InputModKey(!c.shift, SDLK_LSHIFT);
        second.pointerOver = true;
        CGuiButtonBase::UpdateAll();
        second.pointerOver = false;

        CController::InputGuiKey(&screen, c.released, c.key, c.allowEscape, c.allowTab);
        EXPECT_EQ(CGuiButtonBase::GetHotId(), c.hotAfter);
        EXPECT_EQ(static_cast<int>(screen.callbacks.size()), c.clicks);
        EXPECT_EQ(screen.GetExitCode(), c.exitCode);
    }
}

TEST_F(ControllerTest, TheBaseReportsUnhandledCallbacksAndButtons)
{
    struct Plain : CController {
        Plain() : CController(42) {}
        void Pump() override {}
        void InputKey(bool, int) override {}
    } screen;
    testing::internal::CaptureStdout();
    enableLogChannel(LOG_DEBUG);
    screen.GUICallback(3, 1, true);
    screen.InputMouseButton(true, true, false, false, false);
    screen.InputMouseButton(false, false, true, false, false);
    disableLogChannel(LOG_DEBUG);
    std::string out = testing::internal::GetCapturedStdout();
    for (const char* line : {"CController::GUICallback(index=3,value=1,dclick=1) to controller 42 (VIRTUAL METHOD)\n",
                             "Left Mouse Click:  Released?  1\n", "Right Mouse Click:  Released?  0\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << out;
}
