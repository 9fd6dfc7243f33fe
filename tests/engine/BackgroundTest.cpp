#include "engine/Background.h"
#include "engine/Log.h"
#include "engine/SpriteFixture.h"

using namespace corvelle_test;

namespace {

using Rects = std::vector<DirtyRect>;

CSprite* spriteNamed(const char* name)
{
    for (CSprite* s : CSprite::getAllSprites())
        if (std::string(s->getName()) == name)
            return s;
    return nullptr;
}

} // namespace

TEST_F(SpriteTest, BackgroundShowsItsPictureBehindAHiddenGrid)
{
    enableLogChannel(LOG_CONSTRUCT);
    enableLogChannel(LOG_DESTRUCT);
    testing::internal::CaptureStdout();
    auto background = std::make_unique<CBackground>(3);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("CBackground:  Using background 3  (background3.jpg)\n"), std::string::npos) << log;

    CSprite* picture = spriteNamed("Background");
    CSprite* grid = spriteNamed("Background Debug Grid");
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(picture->getType(), KIND_BACKGROUND);
    EXPECT_EQ(picture->getFrameSurface(0), CDraw::findImageId("background3.jpg"));
    EXPECT_FALSE(picture->isHidden());
    EXPECT_EQ(grid->getType(), KIND_BACKGROUND_GRID);
    EXPECT_EQ(grid->getFrameSurface(0), CDraw::findImageId("grid.png"));
    EXPECT_TRUE(grid->isHidden());
    EXPECT_EQ(grid->getX(true), 14);
    EXPECT_EQ(grid->getY(true), 13);

    // The first frame repaints the whole picture.
    CSprite::updateAll();
    EXPECT_EQ(dirty(), (Rects{{0, 0, 800, 600}}));

    background->ToggleGrid();
    EXPECT_FALSE(grid->isHidden());
    background->ToggleGrid();
    EXPECT_TRUE(grid->isHidden());

    CRender::Clear();
    testing::internal::CaptureStdout();
    background.reset();
    log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Destroying background...\n"), std::string::npos) << log;
    EXPECT_EQ(dirty(), (Rects{{0, 0, 800, 600}}));
    EXPECT_TRUE(CSprite::getAllSprites().empty());
    // The start-up lists hold the picture as well: once the background has
    // given its reference back, dropping theirs frees it.
    CDraw::releaseImage("background3.jpg");
    EXPECT_EQ(CDraw::findImageId("background3.jpg"), -1);
}

TEST_F(SpriteTest, BackgroundThatWasNeverPreloadedIsFatal)
{
    EXPECT_EXIT(CBackground(9), testing::ExitedWithCode(1), "");
}
