#pragma once

#include "engine/DisplayFixture.h"
#include "engine/Render.h"
#include "engine/Sprite.h"

#include <memory>
#include <vector>

namespace corvelle_test {

const Rgba kRed{220, 40, 30, 255};
const Rgba kGreen{30, 200, 60, 255};
const Rgba kBlue{20, 60, 230, 255};
const Rgba kYellow{240, 220, 20, 255};
const Rgba kGrey{90, 90, 90, 255};

// The display and the renderer open, a few pictures preloaded and the tick
// clock in the test's hand:
//   "red.tga" 24 x 24, "big.tga" 48 x 48 blue, "walk1.tga".."walk4.tga"
//   24 x 24 in four colours, "wall.tga" 800 x 600 grey (a backdrop),
//   "background3.jpg" and "grid.png" (the built start-up pictures).
class SpriteTest : public DisplayTest
{
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        auto file = [](const char* name) {
            std::string bytes = readFile(resourceDir() + "/" + name);
            return std::vector<unsigned char>(bytes.begin(), bytes.end());
        };
        preload({{"red.tga", tgaBytes(24, 24, kRed)},
                 {"big.tga", tgaBytes(48, 48, kBlue)},
                 {"walk1.tga", tgaBytes(24, 24, kRed)},
                 {"walk2.tga", tgaBytes(24, 24, kGreen)},
                 {"walk3.tga", tgaBytes(24, 24, kBlue)},
                 {"walk4.tga", tgaBytes(24, 24, kYellow)},
                 {"wall.tga", tgaBytes(800, 600, kGrey)},
                 {"background3.jpg", file("resource0.dat")},
                 {"grid.png", file("resource1.dat")}});
        render_ = std::make_unique<CRender>();
        setTickSourceForTesting([this] { return now_; });
    }

    void TearDown() override
    {
        render_.reset();
        DisplayTest::TearDown();
    }

    static std::vector<DirtyRect> dirty() { return CRender::GetDirtyRects(); }

    // One frame of a sprite: its update, with the dirty list emptied first.
    static std::vector<DirtyRect> frameOf(CSprite& sprite)
    {
        CRender::Clear();
        sprite.update();
        return dirty();
    }

    uint32_t now_ = 0;
    std::unique_ptr<CRender> render_;
};

} // namespace corvelle_test
