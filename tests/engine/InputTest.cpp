// The event pump with real SDL events pushed onto the queue, dispatched to a
// screen that records what it hears.
#include "engine/Input.h"
#include "engine/Log.h"

#include "engine/DisplayFixture.h"

#include <string>
#include <vector>

using namespace corvelle_test;

namespace {

std::vector<std::string>* g_heard = nullptr;

void hear(const std::string& what)
{
    if (g_heard)
        g_heard->push_back(what);
}

std::string upDown(bool released)
{
    return released ? "up" : "down";
}

class RecordingScreen : public CInputTarget
{
public:
    bool IsActive() const override { return active; }
    void SetExitCode(int code) override { hear("exit " + std::to_string(code)); }
    bool InputModKey(bool released, int key) override
    {
        hear("mod " + upDown(released) + " " + std::to_string(key));
        return key >= SDLK_RSHIFT && key <= SDLK_LALT;
    }
    void InputKey(bool released, int key) override
    {
        hear("key " + upDown(released) + " " + std::to_string(key));
        if (closeOnKey)
            active = false;
    }
    void InputMouseMotion(int x, int y) override { hear("move " + std::to_string(x) + "," + std::to_string(y)); }
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override
    {
        hear("button " + upDown(released) + (left ? " left" : "") + (right ? " right" : "") +
             (wheelUp ? " wheelup" : "") + (wheelDown ? " wheeldown" : ""));
    }

    bool active = true;
    bool closeOnKey = false;
};

SDL_Event keyEvent(bool released, int key, int mod = KMOD_NONE)
{
    SDL_Event e = {};
    e.type = released ? SDL_KEYUP : SDL_KEYDOWN;
    e.key.state = released ? SDL_RELEASED : SDL_PRESSED;
    e.key.keysym.sym = static_cast<SDLKey>(key);
    e.key.keysym.mod = static_cast<SDLMod>(mod);
    return e;
}

SDL_Event motionEvent(int x, int y, int xrel, int yrel)
{
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    e.motion.xrel = static_cast<Sint16>(xrel);
    e.motion.yrel = static_cast<Sint16>(yrel);
    return e;
}

SDL_Event buttonEvent(bool released, int button)
{
    SDL_Event e = {};
    e.type = released ? SDL_MOUSEBUTTONUP : SDL_MOUSEBUTTONDOWN;
    e.button.button = static_cast<Uint8>(button);
    e.button.state = released ? SDL_RELEASED : SDL_PRESSED;
    return e;
}

SDL_Event typedEvent(Uint8 type)
{
    SDL_Event e = {};
    e.type = type;
    return e;
}

class InputTest : public DisplayTest
{
protected:
    void SetUp() override
    {
        initLogChannels(false);
        DisplayTest::SetUp();
        SDL_Event stale;
        while (SDL_PollEvent(&stale)) {
        }
        CInput::SetRelativeMouse(true);
        CInput::SetMouseSpeed(1.0f);
        CInput::SetMouseX(0);
        CInput::SetMouseY(0);
        CInput::SetMouseXf(0);
        CInput::SetMouseYf(0);
        CInput::SetFullscreenToggle(nullptr);
        CInput::SetMouseButtonHook([](bool released, bool dispatch) {
            hear("widgets " + upDown(released) + (dispatch ? " dispatch" : ""));
        });
        g_heard = &heard_;
    }

    void TearDown() override
    {
        g_heard = nullptr;
        CInput::SetMouseButtonHook(nullptr);
        CInput::SetFullscreenToggle(nullptr);
        DisplayTest::TearDown();
    }

    std::vector<std::string> pump(std::vector<SDL_Event> events)
    {
        heard_.clear();
        for (SDL_Event& e : events)
            SDL_PushEvent(&e);
        CInput::ProcessEvents(&screen_);
        return heard_;
    }

    CInput input_;
    RecordingScreen screen_;
    std::vector<std::string> heard_;
};

using Heard = std::vector<std::string>;

} // namespace

TEST_F(InputTest, KeysReachTheModifierTrackingFirst)
{
    struct Case {
        SDL_Event event;
        Heard heard;
    } cases[] = {
        {keyEvent(false, SDLK_RETURN), {"mod down 13", "key down 13"}},
        {keyEvent(true, 'a'), {"mod up 97", "key up 97"}},
        {keyEvent(false, SDLK_RETURN, KMOD_LCTRL), {"mod down 13", "key down 13"}},
        {keyEvent(true, SDLK_RETURN, KMOD_LALT), {"mod up 13", "key up 13"}},
        {keyEvent(false, SDLK_UP), {"mod down 273", "key down 273"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pump({c.event}), c.heard);
    for (int key = SDLK_RSHIFT; key <= SDLK_LALT; ++key) {
        std::string k = std::to_string(key);
        EXPECT_EQ(pump({keyEvent(false, key), keyEvent(true, key)}), (Heard{"mod down " + k, "mod up " + k})) << key;
    }
}

TEST_F(InputTest, AltReturnTogglesFullScreenOncePerPress)
{
    int toggles = 0;
    CInput::SetFullscreenToggle([&toggles] { ++toggles; });
    EXPECT_EQ(pump({keyEvent(false, SDLK_RETURN, KMOD_LALT)}), Heard{});
    EXPECT_EQ(toggles, 1);
    EXPECT_EQ(pump({keyEvent(true, SDLK_RETURN, KMOD_LALT)}), (Heard{"mod up 13", "key up 13"}));
    EXPECT_EQ(pump({keyEvent(false, SDLK_RETURN, KMOD_RALT)}), Heard{});
    EXPECT_EQ(toggles, 2);
    CInput::SetFullscreenToggle(nullptr);
    EXPECT_EQ(pump({keyEvent(false, SDLK_RETURN, KMOD_LALT)}), Heard{}) << "taken even with nothing to toggle";
}

TEST_F(InputTest, FreePointerFollowsTheSystemPointer)
{
    EXPECT_EQ(pump({motionEvent(10, 20, 10, 20), motionEvent(10, 20, 5, 5), motionEvent(799, 0, 0, 0)}),
              (Heard{"move 10,20", "move 799,0"}));
    EXPECT_EQ(CInput::GetMouseX(), 799);
    EXPECT_EQ(CInput::GetMouseY(), 0);
}

TEST_F(InputTest, CapturedPointerScalesAndClamps)
{
    struct Case {
        float speed;
        int startX, startY;
        int xrel, yrel;
        const char* heard; // empty: the event is ignored
        int x, y;
    } cases[] = {
        {2.0f, 5, 5, -3, 0, "move 0,5", 0, 5},
        {2.0f, 5, 5, 0, 0, "", 0, 0},
        {1.0f, 790, 590, 50, 50, "move 800,600", 800, 600},
        {0.5f, 10, 10, 3, -3, "move 11,8", 11, 8},
        {3.0f, 0, 600, 1, 100, "move 3,600", 3, 600},
    };
    CInput::SetRelativeMouse(false);
    EXPECT_FALSE(CInput::IsRelativeMouse());
    for (const Case& c : cases) {
        CInput::SetMouseSpeed(c.speed);
        CInput::SetMouseXf(c.startX);
        CInput::SetMouseYf(c.startY);
        CInput::SetMouseX(0);
        CInput::SetMouseY(0);
        Heard expected = *c.heard ? Heard{c.heard} : Heard{};
        EXPECT_EQ(pump({motionEvent(400, 300, c.xrel, c.yrel)}), expected) << c.heard;
        EXPECT_EQ(CInput::GetMouseX(), c.x) << c.heard;
        EXPECT_EQ(CInput::GetMouseY(), c.y) << c.heard;
    }
    // Half steps add up: the float position keeps what the integer drops.
    CInput::SetMouseSpeed(0.5f);
    CInput::SetMouseXf(0);
    CInput::SetMouseYf(0);
    EXPECT_EQ(pump({motionEvent(0, 0, 1, 0), motionEvent(0, 0, 1, 0)}), (Heard{"move 0,0", "move 1,0"}));
}

TEST_F(InputTest, ButtonsAndTheWheel)
{
    CInput::SetMouseX(12);
    CInput::SetMouseY(34);
    enableLogChannel(LOG_DEBUG);
    testing::internal::CaptureStdout();
    Heard heard = pump({buttonEvent(false, SDL_BUTTON_LEFT), buttonEvent(true, SDL_BUTTON_LEFT),
                        buttonEvent(false, SDL_BUTTON_RIGHT), buttonEvent(true, SDL_BUTTON_RIGHT),
                        buttonEvent(false, SDL_BUTTON_MIDDLE), buttonEvent(true, SDL_BUTTON_MIDDLE),
                        buttonEvent(false, SDL_BUTTON_WHEELUP), buttonEvent(true, SDL_BUTTON_WHEELUP),
                        buttonEvent(false, SDL_BUTTON_WHEELDOWN), buttonEvent(true, SDL_BUTTON_WHEELDOWN),
                        buttonEvent(false, 9)});
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(heard, (Heard{"widgets down dispatch", "button down left", "widgets up dispatch", "button up left",
                            "button down right", "button up right", "button down wheelup", "button down wheeldown"}));
    EXPECT_NE(log.find("Mouse Location:  (12,34)\n"), std::string::npos) << log;
}

TEST_F(InputTest, ClosingTheWindowEndsTheProgramAndOtherEventsAreIgnored)
{
    EXPECT_EQ(pump({typedEvent(SDL_JOYBUTTONDOWN), typedEvent(SDL_USEREVENT), typedEvent(SDL_QUIT)}),
              Heard{"exit -1"});
}

TEST_F(InputTest, AScreenThatBecameInactiveLeavesTheRestQueued)
{
    screen_.closeOnKey = true;
    EXPECT_EQ(pump({keyEvent(false, 'a'), keyEvent(false, 'b'), keyEvent(false, 'c')}),
              (Heard{"mod down 97", "key down 97"}));
    SDL_Event left;
    ASSERT_EQ(SDL_PollEvent(&left), 1);
    EXPECT_EQ(left.key.keysym.sym, 'c');
    EXPECT_EQ(SDL_PollEvent(&left), 0);
}

TEST_F(InputTest, RegainedFocusPutsTheWholeScreenOnDisplay)
{
    watchDisplayUpdates();
    SDL_Event lost = typedEvent(SDL_ACTIVEEVENT);
    lost.active.gain = 0;
    lost.active.state = SDL_APPINPUTFOCUS;
    const uint32_t frame = CDraw::getFrame();
    EXPECT_EQ(pump({lost}), Heard{});
    EXPECT_TRUE(updates_.empty());

    for (Uint8 state : {SDL_APPACTIVE, SDL_APPINPUTFOCUS, SDL_APPMOUSEFOCUS}) {
        updates_.clear();
        SDL_Event gained = typedEvent(SDL_ACTIVEEVENT);
        gained.active.gain = 1;
        gained.active.state = state;
        EXPECT_EQ(pump({gained}), Heard{});
        EXPECT_EQ(updates_, (std::vector<DirtyRect>{{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}})) << int(state);
    }
    EXPECT_EQ(CDraw::getFrame(), frame);
}
