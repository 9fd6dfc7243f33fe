#include "engine/SpriteFixture.h"
#include "engine/TextLayout.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>

using namespace corvelle_test;

namespace {

using Rects = std::vector<DirtyRect>;
using Sprites = std::vector<CSprite*>;

int imageId(const char* name) { return CDraw::findImageId(name); }

std::vector<int> framesOf(const CSprite& s)
{
    std::vector<int> ids;
    for (int i = 0; i < s.getFrameCount(); ++i)
        ids.push_back(s.getFrameSurface(i));
    return ids;
}

std::vector<int> idsOf(std::initializer_list<const char*> names)
{
    std::vector<int> ids;
    for (const char* name : names)
        ids.push_back(imageId(name));
    return ids;
}

int alphaOf(int id) { return CDraw::getImageSurface(id)->format->alpha; }

// A visible 24 x 24 sprite whose box corner is its location.
std::unique_ptr<CSprite> redAt(int x, int y, int type = 30)
{
    auto s = std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, type, 0, false, 1, 1);
    s->addFrame("red.tga");
    s->setLocation(x, y, false);
    s->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    return s;
}

} // namespace

TEST_F(SpriteTest, NewSpritesAreHiddenAndListedUntilDestroyed)
{
    CSprite a(7, 0, false);
    auto b = std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, 8, 0, false, 1, 1);
    CSprite grid(15, 7, 9, 0, false, 1, 1);
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{&a, b.get(), &grid}));
    EXPECT_TRUE(a.isHidden());
    EXPECT_EQ(a.getOriginX(), 0);
    EXPECT_EQ(b->getOriginX(), 0);
    EXPECT_EQ(b->getOriginY(), 0);
    EXPECT_EQ(grid.getOriginX(), -14);
    EXPECT_EQ(grid.getOriginY(), -13);
    grid.setLocation(0, 0, false);
    EXPECT_EQ(grid.getX(true), 14);
    EXPECT_EQ(grid.getY(true), 13);

    b.reset();
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{&a, &grid}));
    // Taken out and put back: at the end, and only once.
    CSprite::unregister(&a);
    CSprite::unregister(&a);
    CSprite::registerCopy(&a);
    CSprite::registerCopy(&a);
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{&grid, &a}));
}

TEST_F(SpriteTest, FrameSeries)
{
    // Decode every picture once so that the expected ids exist.
    CSprite holder(1, 0, false);
    for (const char* name : {"walk1.tga", "walk2.tga", "walk3.tga", "walk4.tga", "red.tga"})
        holder.addFrame(name);
    struct Case {
        const char* what;
        std::function<void(CSprite&)> add;
        std::vector<int> frames;
    } cases[] = {
        {"counting up", [](CSprite& s) { s.addFrames("walk", 1, 4, ".tga", 1); },
         idsOf({"walk1.tga", "walk2.tga", "walk3.tga", "walk4.tga"})},
        {"counting down by two", [](CSprite& s) { s.addFrames("walk", 4, 1, ".tga", 2); },
         idsOf({"walk4.tga", "walk2.tga"})},
        {"one number", [](CSprite& s) { s.addFrames("walk", 3, 3, ".tga", 1); }, idsOf({"walk3.tga"})},
        {"a step below 1 counts by one", [](CSprite& s) { s.addFrames("walk", 3, 4, ".tga", 0); },
         idsOf({"walk3.tga", "walk4.tga"})},
        {"repeated", [](CSprite& s) { s.addFrameRepeated("red.tga", 3); }, idsOf({"red.tga", "red.tga", "red.tga"})},
        {"repeated no times", [](CSprite& s) { s.addFrameRepeated("red.tga", 0); }, {}},
    };
    for (const Case& c : cases) {
        CSprite s(1, 0, false);
        c.add(s);
        EXPECT_EQ(framesOf(s), c.frames) << c.what;
    }

    CSprite s(1, 0, false);
    s.addFrames("walk", 1, 3, ".tga", 1);
    struct FrameCase {
        int set, frame;
    } frames[] = {{1, 1}, {5, 2}, {3, 0}, {-1, static_cast<int>(0xFFFFFFFFu % 3)}};
    for (const FrameCase& c : frames) {
        s.setFrame(c.set);
        EXPECT_EQ(s.getFrame(), c.frame) << c.set;
    }
    EXPECT_EQ(s.getFrameSurface(3), -1);
    EXPECT_EQ(s.getFrameSurface(-1), -1);

    // No frames: nothing to pick, nothing to divide by.
    CSprite empty(1, 0, false);
    empty.setFrame(5);
    empty.finish();
    EXPECT_EQ(empty.getFrame(), 0);
    EXPECT_EQ(empty.getFrameSurface(0), -1);
    empty.show(0, 0);
    empty.play(true);
    empty.update();
    empty.SetFadeOut(100, 255, 0);
    CRender::Render(false);
}

TEST_F(SpriteTest, AddedFrameSetsTheSizes)
{
    CSprite s(1, 0, false);
    s.addFrame("big.tga");
    EXPECT_EQ(s.getWidth(true), 48);
    EXPECT_EQ(s.getWidth(false), 48);
    EXPECT_EQ(s.getHeight(false), 48);
    s.addFrame("red.tga");
    EXPECT_EQ(s.getWidth(true), 24);
    EXPECT_EQ(s.getHeight(true), 24);

    // Clip offsets and drawn sizes stay within the image.
    struct Case {
        int value, clip, size;
    } cases[] = {{-5, 0, 0}, {0, 0, 0}, {10, 10, 10}, {24, 24, 24}, {25, 24, 24}};
    for (const Case& c : cases) {
        s.setClipX(c.value);
        s.setClipY(c.value);
        s.setWidth(c.value);
        s.setHeight(c.value);
        EXPECT_EQ(s.getClipX(), c.clip) << c.value;
        EXPECT_EQ(s.getClipY(), c.clip) << c.value;
        EXPECT_EQ(s.getWidth(false), c.size) << c.value;
        EXPECT_EQ(s.getHeight(false), c.size) << c.value;
    }
    s.setClipX(7);
    s.setWidth(3);
    s.setType(99);
    s.setOriginX(40);
    s.reset();
    EXPECT_EQ(s.getClipX(), 0);
    EXPECT_EQ(s.getWidth(false), 24);
    EXPECT_EQ(s.getType(), 1);
    EXPECT_EQ(s.getOriginX(), 11); // the origin is not reset
    s.resetOriginX();
    EXPECT_EQ(s.getOriginX(), 0);
}

TEST_F(SpriteTest, ImageReferencesLiveAsLongAsTheSprite)
{
    auto owner = std::make_unique<CSprite>(1, 0, false);
    owner->addFrame("red.tga");
    int id = imageId("red.tga");
    ASSERT_GE(id, 0);
    // A shared sprite only looks the image up; one not decoded yet is -1.
    auto shared = std::make_unique<CSprite>(1, 0, true);
    shared->addFrame("red.tga");
    shared->addFrame("big.tga");
    EXPECT_EQ(framesOf(*shared), (std::vector<int>{id, -1}));
    EXPECT_EQ(shared->getWidth(true), 0);
    shared.reset();
    EXPECT_EQ(imageId("red.tga"), id);

    // A copy is not listed and holds references of its own.
    owner->setName("Original");
    owner->setLocation(5, 6, false);
    auto copy = std::make_unique<CSprite>(*owner);
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{owner.get()}));
    EXPECT_STREQ(copy->getName(), "Original");
    EXPECT_EQ(copy->getX(false), 5);
    EXPECT_EQ(framesOf(*copy), std::vector<int>{id});
    owner.reset();
    EXPECT_EQ(imageId("red.tga"), id);
    CSprite::registerCopy(copy.get());
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{copy.get()}));
    copy.reset();
    EXPECT_EQ(imageId("red.tga"), -1);
    EXPECT_TRUE(CSprite::getAllSprites().empty());
}

TEST_F(SpriteTest, AnimationForwardWithDelay)
{
    // frameDelay 3, 4 frames: frame 1 from the 4th update, 2 from the 7th,
    // 3 from the 10th; at the 13th the run ends on frame 3.
    CSprite s(1, 3, false);
    s.addFrames("walk", 1, 4, ".tga", 1);
    s.show(0, 0);
    s.resetAnimation();
    s.play(true);
    for (int update = 1; update <= 13; ++update) {
        s.update();
        int expected = update < 4 ? 0 : update < 7 ? 1 : update < 10 ? 2 : 3;
        EXPECT_EQ(s.getFrame(), expected) << "update " << update;
        EXPECT_EQ(s.isFinished(), update == 13) << "update " << update;
        EXPECT_EQ(s.isPlayingForward(), update < 13) << "update " << update;
    }
}

TEST_F(SpriteTest, AnimationLoopsBackwardAndWaits)
{
    struct Case {
        const char* what;
        bool forward, looping, hidden;
        int start;
        std::vector<int> frames; // after each update
        bool finished;
        int state;
    } cases[] = {
        {"forward, looping", true, true, false, 2, {2, 3, 0, 1}, false, 1},
        {"backward to the first frame", false, false, false, 2, {2, 1, 0, 0}, true, -1},
        {"backward, looping", false, true, false, 1, {1, 0, 3, 2}, false, -1},
        {"hidden sprites do not animate", true, false, true, 0, {0, 0, 0, 0}, false, 1},
    };
    for (const Case& c : cases) {
        CSprite s(1, 1, false);
        s.addFrames("walk", 1, 4, ".tga", 1);
        if (!c.hidden)
            s.show(0, 0);
        s.setFrame(c.start);
        s.setLooping(c.looping);
        s.play(c.forward);
        std::vector<int> frames;
        for (int i = 0; i < 4; ++i) {
            s.update();
            frames.push_back(s.getFrame());
        }
        EXPECT_EQ(frames, c.frames) << c.what;
        EXPECT_EQ(s.isFinished(), c.finished) << c.what;
        EXPECT_EQ(s.getState(), c.state) << c.what;
    }

    CSprite still(1, 0, false);
    still.play(true);
    EXPECT_TRUE(still.isStopped());
    CSprite s(1, 2, false);
    s.addFrames("walk", 1, 4, ".tga", 1);
    s.finish();
    EXPECT_EQ(s.getFrame(), 3);
    EXPECT_TRUE(s.isFinished());
    s.resetAnimation();
    EXPECT_EQ(s.getFrame(), 0);
    EXPECT_FALSE(s.isFinished());
}

// A run without a screen steps only the sprites that animate or fade. Every
// way a sprite comes to (shown, played, given frames, faded, restored, a
// copy registered, brought back from a swap) must put it on that list, and a
// sprite out of the live list must not step: each case's trace under
// stepAnimations must be the one updateAll gives.
TEST_F(SpriteTest, SteppingOnlyTheActiveSpritesAnimatesAsUpdatingEverySprite)
{
    using Trace = std::vector<int>;
    using Stepper = void (*)();
    const auto walker = [] {
        auto s = std::make_unique<CSprite>(1, 1, false);
        s->addFrames("walk", 1, 4, ".tga", 1);
        s->setLooping(true);
        return s;
    };
    // Each step's frame, and -1 while hidden.
    const auto steps = [](Stepper step, const CSprite& s, int count, Trace& trace) {
        for (int i = 0; i < count; ++i) {
            step();
            trace.push_back(s.isHidden() ? -1 : s.getFrame());
        }
    };
    struct Case {
        const char* what;
        std::function<Trace(Stepper)> run;
    };
    const Case cases[] = {
        {"shown, then played",
         [&](Stepper step) {
             auto s = walker();
             Trace trace;
             s->show(0, 0);
             s->play(true);
             steps(step, *s, 6, trace);
             return trace;
         }},
        {"played while hidden, shown later",
         [&](Stepper step) {
             auto s = walker();
             Trace trace;
             s->play(true);
             steps(step, *s, 2, trace);
             s->show(0, 0);
             steps(step, *s, 4, trace);
             s->hide();
             steps(step, *s, 2, trace);
             return trace;
         }},
        {"given its frames after play",
         [&](Stepper step) {
             CSprite s(1, 1, false);
             Trace trace;
             s.show(0, 0);
             s.play(true);
             steps(step, s, 2, trace);
             s.addFrames("walk", 1, 4, ".tga", 1);
             steps(step, s, 5, trace);
             return trace;
         }},
        {"faded out, hidden at the end",
         [&](Stepper step) {
             auto s = walker();
             now_ = 100;
             s->SetFadeOut(0, 255, 0);
             Trace trace{s->getFrame()};
             steps(step, *s, 2, trace);
             return trace;
         }},
        {"restored from a record of one that plays",
         [&](Stepper step) {
             auto playing = walker();
             playing->show(0, 0);
             playing->play(true);
             SpriteSnapshot record{};
             playing->saveSnapshot(record);
             playing->stopAnimation();
             auto s = walker();
             Trace trace;
             s->loadSnapshot(record);
             steps(step, *s, 5, trace);
             return trace;
         }},
        {"a copy, registered after a while",
         [&](Stepper step) {
             auto original = walker();
             original->show(0, 0);
             original->play(true);
             CSprite copy(*original);
             original->stopAnimation();
             Trace trace;
             steps(step, copy, 2, trace);
             CSprite::registerCopy(&copy);
             steps(step, copy, 4, trace);
             CSprite::unregister(&copy);
             return trace;
         }},
        {"taken out of the live list and put back",
         [&](Stepper step) {
             auto s = walker();
             Trace trace;
             s->show(0, 0);
             s->play(true);
             steps(step, *s, 2, trace);
             CSprite::unregister(s.get());
             steps(step, *s, 2, trace);
             CSprite::registerCopy(s.get());
             steps(step, *s, 3, trace);
             return trace;
         }},
        {"parked by a swap and brought back",
         [&](Stepper step) {
             auto s = walker();
             Trace trace;
             s->show(0, 0);
             s->play(true);
             steps(step, *s, 1, trace);
             CSprite::swapLists(false);
             steps(step, *s, 2, trace);
             CSprite::swapLists(true);
             steps(step, *s, 3, trace);
             return trace;
         }},
    };
    for (const Case& c : cases) {
        const Trace everySprite = c.run(&CSprite::updateAll);
        EXPECT_EQ(c.run(&CSprite::stepAnimations), everySprite) << c.what;
        EXPECT_NE(std::count(everySprite.begin(), everySprite.end(), everySprite.back()),
                  static_cast<long>(everySprite.size()))
            << c.what << ": nothing happened to compare";
    }
}

TEST_F(SpriteTest, UpdateMarksWhatChanged)
{
    auto s = redAt(100, 100);
    EXPECT_EQ(frameOf(*s), (Rects{{100, 100, 24, 24}})) << "first show: its own box";
    EXPECT_EQ(frameOf(*s), Rects{}) << "nothing changed";

    s->setLocation(110, 100, false);
    EXPECT_EQ(frameOf(*s), (Rects{{100, 100, 34, 24}})) << "a short move: the union";
    s->setLocation(300, 300, false);
    EXPECT_EQ(frameOf(*s), (Rects{{300, 300, 24, 24}, {110, 100, 24, 24}})) << "a long move: new, then old";

    s->hide();
    s->setLocation(400, 300, false);
    EXPECT_EQ(frameOf(*s), (Rects{{400, 300, 24, 24}, {300, 300, 24, 24}})) << "hidden while moving";
    s->setLocation(500, 300, false);
    EXPECT_EQ(frameOf(*s), Rects{}) << "moving while hidden";
    s->setLocation(520, 300, false);
    s->show(500, 300);
    EXPECT_EQ(frameOf(*s), (Rects{{520, 300, 24, 24}})) << "shown again: the new box";

    s->invalidate();
    EXPECT_EQ(frameOf(*s), (Rects{{520, 300, 24, 24}})) << "forced";
    s->setWidth(10);
    EXPECT_EQ(frameOf(*s), (Rects{{520, 300, 24, 24}})) << "narrower: the full image box";

    // Shown again while visible, a sprite repaints from the location given;
    // screen furniture ignores it.
    s->show(500, 300);
    EXPECT_EQ(frameOf(*s), (Rects{{500, 300, 44, 24}}));
    auto furniture = redAt(50, 50, 1200);
    frameOf(*furniture);
    furniture->show(0, 0);
    EXPECT_EQ(frameOf(*furniture), Rects{});
}

TEST_F(SpriteTest, DestroyingAVisibleSpriteMarksItsBox)
{
    auto s = redAt(40, 30);
    s->update();
    CRender::Clear();
    s.reset();
    EXPECT_EQ(dirty(), (Rects{{40, 30, 24, 24}}));
    CRender::Clear();
    CSprite hidden(1, 0, false);
    hidden.addFrame("red.tga");
    { CSprite gone(hidden); }
    EXPECT_EQ(dirty(), Rects{});
    EXPECT_GE(imageId("red.tga"), 0) << "the copy dropped only its own reference";
}

TEST_F(SpriteTest, TilesAndMovingFlags)
{
    struct Case {
        const char* what;
        int type;
        bool visible;
        int fromX, fromY, x, y;
        int tileX, tileY, prevTileX, prevTileY;
        const char* moving; // L R U D
    } cases[] = {
        {"standing on a tile", 30, true, 48, 72, 48, 72, 2, 3, 2, 3, ""},
        {"standing between tiles", 30, true, 30, 30, 30, 30, 1, 1, 2, 2, ""},
        {"moving right: the tile it enters", 30, true, 24, 48, 30, 48, 2, 2, 1, 2, "R"},
        {"moving left", 30, true, 40, 48, 30, 48, 1, 2, 2, 2, "L"},
        {"moving down", 30, true, 48, 40, 48, 50, 2, 3, 2, 2, "D"},
        {"moving up", 30, true, 48, 60, 48, 50, 2, 2, 2, 3, "U"},
        {"hidden: not moving", 30, false, 24, 48, 30, 48, 1, 2, 2, 2, ""},
        {"from nowhere: not moving", 30, true, -999, -999, 30, 48, 1, 2, 2, 2, ""},
        {"emerging half standing still counts as moving right", 67, false, 30, 48, 30, 48, 2, 2, 1, 2, "R"},
        {"teleport ghost tracked while hidden", 64, false, 40, 48, 30, 48, 1, 2, 2, 2, "L"},
    };
    for (const Case& c : cases) {
        CSprite s(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, c.type, 0, false, 1, 1);
        s.addFrame("red.tga");
        if (c.visible)
            s.show(0, 0);
        s.setLocation(c.fromX, c.fromY, true);
        s.setLocation(c.x, c.y, false);
        s.computeTiles();
        EXPECT_EQ(s.getTileX(), c.tileX) << c.what;
        EXPECT_EQ(s.getTileY(), c.tileY) << c.what;
        EXPECT_EQ(s.getPrevTileX(), c.prevTileX) << c.what;
        EXPECT_EQ(s.getPrevTileY(), c.prevTileY) << c.what;
        std::string moving = std::string(s.isMovingLeft() ? "L" : "") + (s.isMovingRight() ? "R" : "") +
                             (s.isMovingUp() ? "U" : "") + (s.isMovingDown() ? "D" : "");
        EXPECT_EQ(moving, c.moving) << c.what;
        EXPECT_EQ(s.isMoving(), !moving.empty()) << c.what;
        EXPECT_EQ(s.getPrevX(false), c.x) << c.what;
    }

    // Things stand on their tile and reach up; ladders hang down.
    CSprite crate(29, 20, 40, 0, false, 2, 3);
    CSprite ladder(29, 20, 10, 0, false, 2, 3);
    for (CSprite* s : {&crate, &ladder}) {
        s->setLocation(5 * 24, 8 * 24, false);
        s->computeTiles();
    }
    EXPECT_EQ(crate.getTileLeft(false), 5);
    EXPECT_EQ(crate.getTileRight(false), 6);
    EXPECT_EQ(crate.getTileTop(false), 6);
    EXPECT_EQ(crate.getTileBottom(false), 8);
    EXPECT_EQ(ladder.getTileTop(false), 8);
    EXPECT_EQ(ladder.getTileBottom(false), 10);
}

TEST_F(SpriteTest, FadesFollowTheClockExactly)
{
    auto s = redAt(200, 100);
    int id = imageId("red.tga");
    s->hide();
    s->update();
    now_ = 5000;
    s->SetFadeOut(1000, 255, 0);
    EXPECT_FALSE(s->isHidden());
    EXPECT_TRUE(s->isFading());
    EXPECT_EQ(alphaOf(id), 255);
    struct Step {
        uint32_t at;
        int alpha;
        bool hidden;
    } out[] = {{5000, 255, false}, {5500, 127, false}, {5999, 0, false}, {6000, 0, true}};
    for (const Step& step : out) {
        now_ = step.at;
        std::vector<DirtyRect> marked = frameOf(*s);
        EXPECT_EQ(alphaOf(id), step.alpha) << step.at;
        EXPECT_EQ(s->isHidden(), step.hidden) << step.at;
        EXPECT_FALSE(marked.empty()) << step.at;
    }
    EXPECT_FALSE(s->isFading());

    now_ = 10000;
    s->SetFadeIn(400, 40, 240);
    Step in[] = {{10000, 40, false}, {10100, 90, false}, {10300, 190, false}, {10400, 240, false}};
    for (const Step& step : in) {
        now_ = step.at;
        s->update();
        EXPECT_EQ(alphaOf(id), step.alpha) << step.at;
    }
    EXPECT_FALSE(s->isFading());
    EXPECT_FALSE(s->isHidden());

    // No time at all: the end value at the next update.
    s->SetFadeOut(0, 200, 30);
    EXPECT_EQ(alphaOf(id), 200);
    s->update();
    EXPECT_EQ(alphaOf(id), 30);
    EXPECT_TRUE(s->isHidden());
}

TEST_F(SpriteTest, EndOfAFadeIsLeftToTheRenderer)
{
    CSprite wall(29, 20, KIND_BACKGROUND, 0, false, 1, 1);
    wall.addFrame("wall.tga");
    wall.show(-999, -999);
    auto s = redAt(200, 100);
    CRender::Render(true);
    s->SetFadeIn(100, 0, 255);
    CRender::Render(true);
    // Paint the sprite's area over, as if something else had drawn there:
    // the end of the fade must not blit the sprite by itself.
    SDL_Rect area = {200, 100, 24, 24};
    SDL_FillRect(CDraw::getScreen(), &area, 0);
    now_ = 100;
    CRender::Clear();
    CSprite::updateAll();
    EXPECT_EQ(pixelAt(CDraw::getScreen(), 205, 105).r, 0);
    ASSERT_FALSE(dirty().empty());
    EXPECT_EQ(dirty().front(), (DirtyRect{200, 100, 24, 24}));
    CRender::Render(false);
    EXPECT_EQ(pixelAt(CDraw::getScreen(), 205, 105).r, kRed.r);
}

TEST_F(SpriteTest, SnapshotRestoresTheSavedFieldsOnly)
{
    auto s = redAt(100, 100);
    s->addFrames("walk", 1, 4, ".tga", 1);
    s->setName("Crate");
    s->setFrame(2);
    s->setClipX(4);
    s->setWidth(20);
    s->update();
    s->setLocation(130, 90, false);
    s->update();
    now_ = 70;
    s->SetFadeOut(50, 255, 0);
    SpriteSnapshot saved;
    s->saveSnapshot(saved);

    s->setLocation(10, 10, false);
    s->setType(64);
    s->setFrame(4);
    s->hide();
    s->setOriginX(60);
    s->setClipX(0);
    now_ = 200;
    s->update();
    s->setName("Renamed");
    s->setLooping(true);

    s->loadSnapshot(saved);
    SpriteSnapshot again;
    s->saveSnapshot(again);
    EXPECT_EQ(memcmp(&saved, &again, sizeof saved), 0);
    EXPECT_EQ(s->getX(false), 130);
    EXPECT_EQ(s->getFrame(), 2);
    EXPECT_TRUE(s->isFading());
    EXPECT_STREQ(s->getName(), "Renamed");
    EXPECT_TRUE(s->isLooping());
    EXPECT_EQ(s->getFrameCount(), 5);
}

TEST_F(SpriteTest, SwapParksTheLiveListAndKeepsThePointerOnTop)
{
    static CSprite* pointer = nullptr;
    auto a = std::make_unique<CSprite>(1, 0, false);
    CSprite p(KIND_POINTER, 0, false);
    pointer = &p;
    auto b = std::make_unique<CSprite>(2, 0, false);
    auto doomed = std::make_unique<CSprite>(3, 0, false);
    CSprite::setSwapKeepers([] { CSprite::unregister(pointer); }, [] { CSprite::registerCopy(pointer); });

    CSprite::swapLists(false);
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{&p}));
    auto child = std::make_unique<CSprite>(4, 0, false);
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{&p, child.get()}));
    doomed.reset(); // its owner frees it while it is parked
    CSprite::swapLists(true);
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{a.get(), b.get(), &p}));
    CSprite::updateAll();
    child.reset(); // forgotten at the restore: nothing to take out
    EXPECT_EQ(CSprite::getAllSprites(), (Sprites{a.get(), b.get(), &p}));
    CSprite::setSwapKeepers(nullptr, nullptr);
}

TEST_F(SpriteTest, TextFramesThroughTheTextRenderer)
{
    static std::vector<std::tuple<int, int, int, int, std::string>> calls;
    calls.clear();
    CSprite::setTextRenderer([](int w, int h, int align, int entry, const char* text) {
        calls.emplace_back(w, h, align, entry, text ? text : "(entry)");
        return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    });
    auto s = std::make_unique<CSprite>(1, 0, false);
    s->addTextFrame("", 350, 50, ALIGN_RIGHT, "label", false);
    int first = imageId("label");
    ASSERT_GE(first, 0);
    EXPECT_EQ(framesOf(*s), std::vector<int>{first});
    EXPECT_EQ(s->getWidth(true), 350);

    s->addTextFrame("Hello", 300, 30, ALIGN_LEFT, "label", true);
    EXPECT_EQ(CDraw::getImageSurface(first), nullptr) << "the old picture is released";
    EXPECT_EQ(framesOf(*s), std::vector<int>{imageId("label")});
    s->addTextFrameWrapped(2706, 200, 30, ALIGN_CENTRE, "caption", false);
    EXPECT_EQ(framesOf(*s), idsOf({"label", "caption"}));
    EXPECT_EQ(calls, (std::vector<std::tuple<int, int, int, int, std::string>>{
                         {350, 50, ALIGN_RIGHT, 300, " "},
                         {300, 30, ALIGN_LEFT, 300, "Hello"},
                         {200, 30, ALIGN_CENTRE, 2706, "(entry)"}}));
    s.reset();
    EXPECT_EQ(imageId("label"), -1);
    EXPECT_EQ(imageId("caption"), -1);

    // Without a renderer (or a picture) no frame is added.
    CSprite::setTextRenderer([](int, int, int, int, const char*) -> SDL_Surface* { return nullptr; });
    CSprite none(1, 0, false);
    none.addTextFrame("x", 10, 10, ALIGN_LEFT, "x", false);
    CSprite::setTextRenderer(nullptr);
    none.addTextFrameWrapped(5, 10, 10, ALIGN_LEFT, "y", false);
    EXPECT_EQ(none.getFrameCount(), 0);
}

TEST_F(SpriteTest, NearnessIncludesTheEdges)
{
    auto s = redAt(100, 200);
    struct Case {
        int x, y, marginX, marginY;
        bool near;
    } cases[] = {
        {110, 210, 0, 0, true}, {100, 200, 0, 0, true},  {124, 224, 0, 0, true}, {125, 210, 0, 0, false},
        {90, 210, 10, 0, true}, {89, 210, 10, 0, false}, {110, 229, 0, 5, true}, {110, 230, 0, 5, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s->isOnScreenNear(c.x, c.y, c.marginX, c.marginY), c.near) << c.x << "," << c.y;
}

TEST_F(SpriteTest, DrawingOutsideTheRendererPutsTheBoxOnDisplay)
{
    watchDisplayUpdates();
    CSprite s(19, 10, KIND_PALETTE_DIMMER, 0, false, 1, 1); // box corner 10 right and down of the location
    s.addFrame("red.tga");
    s.setLocation(300, 200, false);
    s.draw();
    EXPECT_EQ(updates_, (Rects{{310, 210, 24, 24}})) << "hidden: only the update";
    EXPECT_FALSE(pixelAt(CDraw::getScreen(), 315, 215) == kRed);
    s.show(0, 0);
    s.draw();
    EXPECT_EQ(pixelAt(CDraw::getScreen(), 315, 215), kRed);
    EXPECT_EQ(pixelAt(CDraw::getScreen(), 333, 233), kRed);
    EXPECT_FALSE(pixelAt(CDraw::getScreen(), 309, 215) == kRed);
}
