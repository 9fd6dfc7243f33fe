#pragma once

#include "engine/DisplayFixture.h"
#include "engine/Input.h"
#include "engine/Render.h"
#include "engine/Sprite.h"
#include "screens/ScreenTestSupport.h"

#include <memory>
#include <vector>

namespace corvelle_test {

// A picture of one colour registered under a name, as the screens' own
// composed pictures are.
inline void registerPicture(const char* name, int width, int height, Rgba c)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, c.r, c.g, c.b, c.a));
    CDraw::LoadSurface(surface, name);
}

// The display and the renderer open, a current screen that records its
// callbacks, the pointer at (0, 0) and the interface sounds recorded.
class WidgetTest : public DisplayTest, public ScreenState
{
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        render_ = std::make_unique<CRender>();
        screen.Activate(nullptr);
        pointAt(0, 0);
    }

    void TearDown() override
    {
        render_.reset();
        DisplayTest::TearDown();
    }

    static void pointAt(int x, int y)
    {
        CInput::SetMouseX(x);
        CInput::SetMouseY(y);
    }

    // The live sprites of that name, in the order they were made.
    static std::vector<CSprite*> spritesNamed(const std::string& name)
    {
        std::vector<CSprite*> found;
        for (CSprite* sprite : CSprite::getAllSprites())
            if (sprite->getName() == name)
                found.push_back(sprite);
        return found;
    }

    // The one live sprite of that name (a test fails with an exception
    // when there is none).
    static CSprite& spriteNamed(const std::string& name)
    {
        std::vector<CSprite*> found = spritesNamed(name);
        EXPECT_EQ(found.size(), 1u) << name;
        return *found.at(0);
    }

    static bool shown(const std::string& name) { return !spriteNamed(name).isHidden(); }

    std::unique_ptr<CRender> render_;
    RecordingScreen screen{100};
};

} // namespace corvelle_test
