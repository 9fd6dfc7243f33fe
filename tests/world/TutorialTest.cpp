// Tutorial markers: the box each text makes, where it opens, the active
// marker, the icon's fades, the rotation phases and the undo record.
#include "DisplayWorldFixture.h"

#include "WorldFixture.h"
#include "world/ElementTutorial.h"

#include <string>
#include <tuple>
#include <vector>

using namespace world_test;

namespace {

// One call of the text drawer: string, layout, wrap width, height limit, x, y, text.
using TextCall = std::tuple<int, int, int, int, int, int, std::string>;

std::vector<TextCall>& textCalls()
{
    static std::vector<TextCall> calls;
    return calls;
}

void recordText(int stringNumber, int, int layout, int wrapWidth, int heightLimit, int x, int y, const char* text)
{
    textCalls().emplace_back(stringNumber, layout, wrapWidth, heightLimit, x, y, text ? text : "<none>");
}

// The display open (the boxes are pictures) and an empty world; the texts
// recorded.
class TutorialTest : public DisplayWorldTest
{
protected:
    TutorialTest() : DisplayWorldTest(&recordText) {}

    void SetUp() override
    {
        DisplayWorldTest::SetUp();
        textCalls().clear();
    }

    static void updateTimes(CElementTutorial* marker, int count)
    {
        for (int i = 0; i < count; ++i)
            marker->Update();
    }
};

TEST_F(TutorialTest, TheTextChoosesTheBoxItsLinesAndWhereItOpens)
{
    const std::string longText(101, 'a'), shortText(100, 'a');
    struct Case {
        const char* text;
        int x, y;
        bool kids, big;
        std::vector<TextCall> calls;
        int boxX, boxY;
    } cases[] = {
        {"#tqdefine 57-k-58#", 3, 7, true, false,
         {{58, 2, KIDS_W - 150, 40, 40, 60, "<none>"}, {57, 0, KIDS_W - 150, KIDS_H - 40, 40, 110, "<none>"}}, 132, 52},
        {"#tqdefine 57-k-0#", 3, 7, true, false, {{57, 0, KIDS_W - 150, KIDS_H - 40, 40, 60, "<none>"}}, 132, 52},
        {"#tqdefine 57-s-0#", 20, 5, false, false, {{57, 0, SMALL_W - 105, SMALL_H - 40, 80, 20, "<none>"}}, 20, 350},
        {"#tqdefine 57", 3, 20, false, true, {{57, 0, BIG_W - 105, BIG_H - 40, 80, 20, "<none>"}}, 340, 15},
        {longText.c_str(), 20, 20, false, true, {{300, 0, BIG_W - 105, BIG_H - 40, 80, 20, longText}}, 10, 15},
        {shortText.c_str(), 3, 20, false, false, {{300, 0, SMALL_W - 105, SMALL_H - 40, 80, 20, shortText}}, 420, 50},
        {nullptr, 5, 5, false, false, {{300, 0, SMALL_W - 105, SMALL_H - 40, 80, 20, ""}}, 420, 350},
    };
    for (const Case& c : cases) {
        textCalls().clear();
        auto* marker = new CElementTutorial(c.x, c.y, c.text);
        const std::string what = c.text ? std::string(c.text).substr(0, 20) : "null";
        EXPECT_EQ(marker->IsKids(), c.kids) << what;
        EXPECT_EQ(marker->IsBig(), c.big) << what;
        EXPECT_EQ(textCalls(), c.calls) << what;
        EXPECT_EQ(marker->GetBox().getX(false), c.boxX) << what;
        EXPECT_EQ(marker->GetBox().getY(false), c.boxY) << what;
        EXPECT_TRUE(marker->GetBox().isHidden()) << what;
        EXPECT_EQ(CElementTutorial::GetAt(c.x, c.y), marker) << what;
    }
}

TEST_F(TutorialTest, TheBoxHasSixFadesThatGoWithTheMarker)
{
    auto* marker = new CElementTutorial(3, 7, "#tqdefine 57-s-0#");
    EXPECT_EQ(marker->GetBox().getFrameCount(), CElementTutorial::BOX_FADE_STEPS);
    std::vector<std::string> names = {"tutorial_03_07.png"};
    for (int n = 0; n < 6; ++n)
        names.push_back("tutorial_03_07" + std::to_string(n) + ".png");
    for (const std::string& name : names)
        EXPECT_NE(CDraw::findImageId(name.c_str()), -1) << name;
    const int faintest = CDraw::findImageId("tutorial_03_070.png");
    EXPECT_EQ(marker->GetBox().getFrameSurface(0), faintest);

    CElement::UnloadElements();
    for (const std::string& name : names)
        EXPECT_EQ(CDraw::findImageId(name.c_str()), -1) << name;
    CElement::ResetWorld();
}

TEST_F(TutorialTest, TheProfessorsCellChoosesTheActiveMarker)
{
    auto* first = new CElementTutorial(5, 10, "one");
    auto* second = new CElementTutorial(6, 10, "two");
    LogCapture log(LOG_DEBUG);
    CElementTutorial::HandleTutorial(5, 10);
    EXPECT_TRUE(first->IsActive());
    EXPECT_EQ(CElementTutorial::GetActive(), first);
    first->Update();
    EXPECT_FALSE(first->GetBox().isHidden());

    // Straight onto the next marker: one switch.
    CElementTutorial::HandleTutorial(6, 10);
    EXPECT_FALSE(first->IsActive());
    EXPECT_TRUE(second->IsActive());
    first->Update();
    second->Update();
    EXPECT_TRUE(first->GetBox().isHidden()) << "back at its faintest frame";
    EXPECT_FALSE(second->GetBox().isHidden());

    CElementTutorial::HandleTutorial(-1, 10); // off the board: nothing
    EXPECT_TRUE(second->IsActive());
    CElementTutorial::HandleTutorial(9, 10);
    EXPECT_FALSE(second->IsActive());
    EXPECT_EQ(CElementTutorial::GetActive(), nullptr);
    EXPECT_NE(log.text().find("Activating tutorial at (6,10)"), std::string::npos);

    CElementTutorial::HandleTutorial(6, 10);
    CElement::UnloadElements();
    CElement::ResetWorld();
    EXPECT_EQ(CElementTutorial::GetActive(), nullptr) << "the level reset";
    EXPECT_EQ(CElementTutorial::GetAt(6, 10), nullptr);
}

TEST_F(TutorialTest, TheIconFadesOneStepEveryFourthTick)
{
    auto* marker = new CElementTutorial(5, 10, "text");
    CElementTutorial::HandleTutorial(5, 10);
    std::vector<int> levels;
    for (int i = 0; i < 10; ++i) {
        marker->Update();
        levels.push_back(marker->GetIconLevel());
    }
    EXPECT_EQ(levels, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2, 3, 3}));

    const int frame = marker->shownSprite->getFrame();
    CElementTutorial::HandleTutorial(0, 0);
    levels.clear();
    for (int i = 0; i < 9; ++i) {
        marker->Update();
        levels.push_back(marker->GetIconLevel());
    }
    EXPECT_EQ(levels, (std::vector<int>{3, 3, 2, 2, 2, 2, 1, 1, 1}));
    marker->Update();
    EXPECT_EQ(marker->GetIconLevel(), 1);
    updateTimes(marker, 3);
    EXPECT_EQ(marker->GetIconLevel(), 0);
    EXPECT_EQ(marker->shownSprite->getFrame(), frame) << "the rotation goes on across the swaps";
}

TEST_F(TutorialTest, EachNewMarkerStartsFourRotationFramesOnModuloFourteen)
{
    std::vector<int> frames;
    for (int x = 0; x < 8; ++x)
        frames.push_back((new CElementTutorial(x, 3, "text"))->shownSprite->getFrame());
    for (int k = 1; k < 8; ++k)
        EXPECT_EQ(frames[k], (frames[k - 1] + 4) % 14) << k;
}

TEST_F(TutorialTest, AnUndoBringsBackTheActiveFlagAndTheFadeDelay)
{
    auto* marker = new CElementTutorial(5, 10, "text");
    CElementTutorial::HandleTutorial(5, 10);
    marker->Update();
    CElement::PumpElements(); // the starting snapshot, then one more tick
    const int level = marker->GetIconLevel();

    CElementTutorial::HandleTutorial(7, 10);
    updateTimes(marker, 12);
    ASSERT_EQ(marker->GetIconLevel(), 0);
    CElement::LoadUndoStep(true);
    EXPECT_TRUE(marker->IsActive());
    EXPECT_EQ(marker->GetIconLevel(), level);
    // The delay came back too: the next fade step waits out its ticks.
    updateTimes(marker, 2);
    EXPECT_EQ(marker->GetIconLevel(), level);
}

TEST_F(TutorialTest, AnUndoBringsBackWhichMarkerIsOpen)
{
    auto* first = new CElementTutorial(5, 10, "first");
    auto* second = new CElementTutorial(7, 10, "second");
    CElementTutorial::HandleTutorial(5, 10);
    CElement::PumpElements(); // the starting snapshot

    CElementTutorial::HandleTutorial(7, 10);
    ASSERT_EQ(CElementTutorial::GetActive(), second);
    CElement::LoadUndoStep(true);
    EXPECT_EQ(CElementTutorial::GetActive(), first);
    EXPECT_TRUE(first->IsActive());
    EXPECT_FALSE(second->IsActive());

    // Walking onto the second marker again opens it.
    CElementTutorial::HandleTutorial(7, 10);
    EXPECT_TRUE(second->IsActive());
    EXPECT_FALSE(first->IsActive());
}

} // namespace
