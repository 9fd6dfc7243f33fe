#pragma once

#include "WorldFixture.h"

namespace world_test {

// The world with its sprites animated, as the renderer does once a frame:
// the devices' one-shot animations (a break, a hit, a rising text) end.
class AnimatedWorldTest : public WorldTest
{
protected:
    void frame(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            tick();
            CSprite::updateAll();
        }
    }

    // Frames until the condition holds (at most a few seconds of play).
    template <typename Condition>
    bool frameUntil(Condition condition)
    {
        for (int i = 0; i < 400; ++i) {
            if (condition())
                return true;
            frame();
        }
        return condition();
    }
};

} // namespace world_test
