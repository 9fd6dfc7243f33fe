#pragma once

#include "engine/Draw.h"
#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/Render.h"
#include "levels/Level.h"
#include "levels/Profile.h"
#include "platform/Clock.h"
#include "screens/ControllerGame.h"
#include "screens/DialogFixture.h"
#include "world/Element.h"

#include <SDL.h>

#include <memory>
#include <string>

namespace corvelle_test {

// Stands in for the end-of-level board: it keeps the outcome it was opened
// with and, once told, answers the game screen on its next pump.
class EndOfLevelStandIn : public CController
{
public:
    EndOfLevelStandIn(int shownOutcome, bool userLevel)
        : CController(CONTROLLER_SCOREBOARD), outcome(shownOutcome), isUserLevel(userLevel)
    {
    }
    void InputKey(bool, int) override {}
    void Pump() override
    {
        ProcessInput();
        if (answered_) {
            SetReturnValue(answer_);
            SetExitCode(exitCode_);
        }
    }
    void Answer(int value, int exitCode = 1)
    {
        answered_ = true;
        answer_ = value;
        exitCode_ = exitCode;
    }

    const int outcome;
    const bool isUserLevel;

private:
    bool answered_ = false;
    int answer_ = 0;
    int exitCode_ = 1;
};

// The game screen opened over a recording screen on the dummy display, with
// stand-in pictures, a fresh profile and a clock that never makes a frame
// wait. Frames run as the main loop runs them.
class GamePlayTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        initLogChannels(false);
        registerDialogPictures();
        for (const char* name : {"show_solution.tga", "ingame_menubutton.tga", "ingame_menubutton_selected.tga",
                                 "counterdigitsA_faded.png", "Step Counter 03.png", "grid.png"})
            registerPicture(name, 20, 20, {90, 90, 90, 255});
        for (int background = 0; background < BACKGROUND_COUNT; ++background)
            registerPicture(("background" + std::to_string(background) + ".jpg").c_str(), 20, 20, {9, 9, 9, 255});
        CElement::SetImagesCached(true);
        markImagesCached();
        setTickSourceForTesting([this] { return clock_ += 40; });
        // The profile file outlives the test: an earlier test's bindings
        // must not reach this one.
        profile_.ResetKeys();
        CController::SetProfile(&profile_);
        CElement::SetProfile(&profile_);
        CControllerGame::setEndOfLevelMakerForTesting([this](int outcome, bool isUserLevel) {
            auto board = std::make_unique<EndOfLevelStandIn>(outcome, isUserLevel);
            board_ = board.get();
            return std::unique_ptr<CController>(std::move(board));
        });
        dropEvents();
    }

    void TearDown() override
    {
        game_.reset();
        CControllerGame::setEndOfLevelMakerForTesting(nullptr);
        CController::SetProfile(nullptr);
        CElement::SetProfile(nullptr);
        WidgetTest::TearDown();
    }

    // A grass floor along row 21 from column 2 to 20, the start tube at
    // startX on it.
    static void floorLevel(CLevel& level, int startX)
    {
        for (int x = 2; x <= 20; ++x)
            level.SetTile(EC_TERRAIN_GRASS, x, 21);
        level.SetTile(EC_DEVICE_TUBE_START, startX, 20);
    }

    // The world is program-wide: the last game screen goes before the next
    // one is made.
    template <typename... Args> void open(Args... args)
    {
        dropEvents();
        // A board the last game left open kept its picture swapped.
        if (CRender::IsSwapped())
            CRender::Swap(true);
        game_.reset();
        game_ = std::make_unique<CControllerGame>(args...);
        screen.LoadController(game_.get());
        // The end of the opener's frame, as in the main loop.
        CRender::Render(true);
        CDraw::present(true, true);
    }

    // Events left in the queue reach no later screen.
    static void dropEvents()
    {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
    }

    // One frame of the main loop.
    static void frame()
    {
        CController::PumpCurrent();
        CRender::Render(true);
        CDraw::present(true, true);
    }
    static void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            frame();
    }
    // Frames until the condition holds (at most limit); true when it did.
    template <typename Condition> static bool runUntil(Condition done, int limit)
    {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            frame();
        }
        return done();
    }

    // A key event as the input module receives it, taken by the next frame.
    static void keyEvent(int key, bool down)
    {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = static_cast<SDLKey>(key);
        SDL_PushEvent(&event);
    }
    // Pressed in one frame, released in the next.
    static void tap(int key)
    {
        keyEvent(key, true);
        frame();
        keyEvent(key, false);
        frame();
    }

    uint32_t clock_ = 0;
    CProfile profile_;
    std::unique_ptr<CControllerGame> game_;
    EndOfLevelStandIn* board_ = nullptr; // the last board the game opened
};

} // namespace corvelle_test
