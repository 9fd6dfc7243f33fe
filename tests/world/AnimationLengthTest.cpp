// How long the player waits on the animations the rules wait for, counted in
// game frames with the real frame lists and delays: nothing is skipped.
#include "AnimatedWorldFixture.h"

#include "world/ElementAIBot.h"
#include "world/ElementAIProfessor.h"

#include <functional>

using namespace world_test;

namespace {

using AnimationLengthTest = AnimatedWorldTest;

struct Wait {
    const char* what;
    // Builds the scene on a floor at row 11 and sets off the animation.
    std::function<void()> begin;
    // Holds from the frame the wait starts (null: from the first frame).
    std::function<bool()> started;
    // Holds once the rules have seen the animation's end.
    std::function<bool()> ended;
    // Frames from the one the wait starts in (or from the first) to the one
    // in which the rules see the end.
    int frames;
};

CElementAIProfessor* professor() { return static_cast<CElementAIProfessor*>(CElement::GetProfessor()); }

CElementAIBot* bot()
{
    for (CElement* e : CElement::GetAllElements())
        if (e->type == ELEMENT_AI && e->typeAI == AI_BOT)
            return static_cast<CElementAIBot*>(e);
    return nullptr;
}

// The professor out of his entrance tube, standing at (5, 10).
void professorOut()
{
    new CElementAIProfessor(5, 10);
    for (int i = 0; i < 200 && professor()->arriving; ++i) {
        ++frameCounter();
        CElement::PumpElements();
        CSprite::updateAll();
    }
}

TEST_F(AnimationLengthTest, TheRulesWaitForTheWholeAnimation)
{
    const Wait waits[] = {
        {"arrival out of the entrance tube", [] { new CElementAIProfessor(5, 10); }, nullptr,
         [] { return !professor()->arriving; }, 48},
        {"caught by a bot, to the level's end",
         [] {
             professorOut();
             auto* b = new CElementAIBot(6, 10, CElementAIBot::CODE_LEFT, 0);
             b->active = true;
         },
         [] { return CElement::IsProfessorCaught(); }, [] { return CElement::IsLevelExited(); }, 117},
        {"leaving by the exit tube, to the level's end", [] { professorOut(); professor()->leaving = true; },
         nullptr, [] { return CElement::IsLevelExited(); }, 48},
        {"singed, to the level's end", [] { professorOut(); professor()->heated = true; }, nullptr,
         [] { return CElement::IsLevelExited(); }, 18},
        {"a dormant bot's landing after a fall (it faces away from him)",
         [] {
             professorOut();
             new CElementAIBot(20, 6, CElementAIBot::CODE_RIGHT, 0);
         },
         [] { return bot()->landing; }, [] { return !bot()->landing; }, 11},
        {"a bot's wobble after the pulse",
         [] {
             professorOut();
             new CElementAIBot(20, 10, CElementAIBot::CODE_RIGHT, 0);
             bot()->Stun();
         },
         nullptr, [] { return bot()->empDazed == 0; }, 12},
    };
    for (const Wait& w : waits) {
        SCOPED_TRACE(w.what);
        freshBoard();
        groundRow(11, 0, 31);
        w.begin();
        int frames = 0;
        for (; w.started && !w.started() && frames < 400; ++frames)
            frame();
        ASSERT_LT(frames, 400) << "the wait never started";
        frames = 0;
        while (!w.ended() && frames < 400) {
            frame();
            ++frames;
        }
        EXPECT_EQ(frames, w.frames);
    }
}

} // namespace
