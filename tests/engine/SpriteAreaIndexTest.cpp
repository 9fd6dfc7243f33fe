#include "engine/SpriteAreaIndex.h"
#include "engine/SpriteFixture.h"
#include "platform/Random.h"

using namespace corvelle_test;

namespace {

std::vector<CSprite*> walk(const std::vector<CSprite*>& sprites, const DirtyRect& rect)
{
    std::vector<CSprite*> found;
    for (CSprite* s : sprites)
        if (spriteOverlapsRect(*s, rect))
            found.push_back(s);
    return found;
}

int spread(int lo, int hi) { return lo + gameRand() % (hi - lo + 1); }

} // namespace

TEST_F(SpriteTest, AreaIndexFindsWhatAWalkFindsInListOrder)
{
    // Sprites of every size, also hidden ones, empty ones and ones reaching
    // off the screen; rectangles of every size, also off the screen and
    // empty ones (which still meet a sprite whose corner lies inside).
    gameSrand(3);
    std::vector<std::unique_ptr<CSprite>> owned;
    for (int i = 0; i < 300; ++i) {
        auto s = std::make_unique<CSprite>(spread(-40, 80), spread(-40, 80), KIND_TRAMPOLINE_BACK, 0, true, 1, 1);
        s->addFrame(i % 3 ? "red.tga" : "big.tga");
        s->setWidth(spread(-2, 48));
        s->setHeight(spread(-2, 48));
        s->setLocation(spread(-100, 900), spread(-100, 700), false);
        if (i % 7)
            s->show(0, 0);
        owned.push_back(std::move(s));
    }
    const std::vector<CSprite*>& sprites = CSprite::getAllSprites();
    SpriteAreaIndex index;
    index.build(sprites);
    for (int q = 0; q < 3000; ++q) {
        DirtyRect rect = {spread(-200, 900), spread(-200, 700), spread(-5, q % 10 ? 120 : 900),
                          spread(-5, q % 10 ? 120 : 700)};
        std::vector<CSprite*> found;
        index.collect(rect, found);
        ASSERT_EQ(found, walk(sprites, rect)) << rect;
    }

    // Built again after the sprites changed.
    owned[5]->hide();
    owned[6]->setLocation(400, 300, false);
    index.build(sprites);
    DirtyRect all = {-1000, -1000, 3000, 3000};
    std::vector<CSprite*> found;
    index.collect(all, found);
    EXPECT_EQ(found, walk(sprites, all));
}
