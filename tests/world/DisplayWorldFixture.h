#pragma once

#include "engine/DisplayFixture.h"
#include "engine/ImagesCached.h"
#include "world/ElementTutorial.h"

namespace world_test {

// The tutorial box backgrounds, of sizes that tell them apart.
constexpr int SMALL_W = 300, SMALL_H = 200, BIG_W = 400, BIG_H = 300, KIDS_W = 500, KIDS_H = 400;

// The display open and an empty world without element pictures: sprites only
// look their frames up and find none, but for the tutorial boxes, which are
// pictures of their own. Tutorial texts go to the drawer given.
class DisplayWorldTest : public corvelle_test::DisplayTest
{
protected:
    explicit DisplayWorldTest(CElementTutorial::TextDrawer drawer) : drawer_(drawer) {}

    void SetUp() override
    {
        DisplayTest::SetUp();
        CDraw::createImage(SMALL_W, SMALL_H, "tutorial_small.png");
        CDraw::createImage(BIG_W, BIG_H, "tutorial_big.png");
        CDraw::createImage(KIDS_W, KIDS_H, "parchment_kids.png");
        CElementTutorial::SetTextDrawer(drawer_);
        CElement::SetImagesCached(true);
        markImagesCached();
        CElement::ResetWorld();
    }

    void TearDown() override
    {
        CElement::UnloadElements();
        CElementTutorial::SetTextDrawer(nullptr);
        DisplayTest::TearDown();
    }

private:
    CElementTutorial::TextDrawer drawer_;
};

} // namespace world_test
