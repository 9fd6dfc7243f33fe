#include "screens/GuiCounter.h"
#include "screens/WidgetFixture.h"

using namespace corvelle_test;

namespace {

class GuiCounterTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        // Twelve 20-pixel cells: 0 to 9, then 0 and 1 again.
        registerPicture("counterdigitsA_faded.png", 13, 240, {30, 30, 30, 255});
        registerPicture("Step Counter 03.png", 80, 30, {200, 200, 200, 255});
    }

    // The digits' clip offsets, left to right.
    static std::vector<int> clips()
    {
        std::vector<int> out;
        for (CSprite* digit : spritesNamed("GUI Counter Digit"))
            out.push_back(digit->getClipY());
        return out;
    }

    // Runs the counter until it stands still; the positions it showed.
    static std::vector<int> rollToTarget(CGuiCounter& counter)
    {
        std::vector<int> positions;
        while (counter.GetValue(true) != counter.GetValue(false) * 20) {
            counter.Update();
            positions.push_back(counter.GetValue(true));
        }
        return positions;
    }
};

} // namespace

TEST_F(GuiCounterTest, BuildsItsDigitsAndFrame)
{
    CGuiCounter counter;
    counter.Init(720, 569, 5, "Step Counter 03.png", -10, -5);
    std::vector<CSprite*> digits = spritesNamed("GUI Counter Digit");
    ASSERT_EQ(digits.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(digits[i]->getX(false), 720 + 13 * i);
        EXPECT_EQ(digits[i]->getHeight(false), 20);
    }
    EXPECT_EQ(clips(), (std::vector<int>{0, 0, 0, 0, 200}));
    EXPECT_EQ(spriteNamed("GUI Counter Frame").getX(false), 710);
    EXPECT_EQ(spriteNamed("GUI Counter Frame").getY(false), 564);

    counter.Hide();
    EXPECT_FALSE(shown("GUI Counter Frame"));
    EXPECT_TRUE(digits[2]->isHidden());
    counter.Show();
    EXPECT_TRUE(shown("GUI Counter Frame"));
    EXPECT_FALSE(digits[2]->isHidden());

    CGuiCounter wide;
    wide.Init(0, 0, 12, nullptr, 0, 0);
    EXPECT_EQ(spritesNamed("GUI Counter Digit").size(), 15u);
    counter.Release();
    wide.Release();
    EXPECT_TRUE(spritesNamed("GUI Counter Digit").empty());
    EXPECT_TRUE(spritesNamed("GUI Counter Frame").empty());
}

TEST_F(GuiCounterTest, FromZeroToOneTheLastDigitRollsOneStepAFrame)
{
    CGuiCounter counter;
    counter.Init(0, 0, 3, nullptr, 0, 0);
    counter.SetValue(1);
    std::vector<int> lastClips;
    for (int frame = 1; frame <= 20; ++frame) {
        counter.Update();
        EXPECT_EQ(counter.GetValue(true), frame);
        lastClips.push_back(clips()[2]);
        EXPECT_EQ(clips()[1], 0);
    }
    std::vector<int> expected;
    for (int p = 1; p < 20; ++p)
        expected.push_back(200 + p);
    expected.push_back(20);
    EXPECT_EQ(lastClips, expected);
    counter.Update();
    EXPECT_EQ(counter.GetValue(true), 20) << "it stands still at the value";
}

TEST_F(GuiCounterTest, BigJumpsCoverATwentiethOfTheDistanceAFrame)
{
    CGuiCounter counter;
    counter.Init(0, 0, 5, nullptr, 0, 0);
    counter.SetValue(100);
    std::vector<int> positions = rollToTarget(counter);
    ASSERT_GE(positions.size(), 3u);
    EXPECT_EQ(positions[0], 100);
    EXPECT_EQ(positions[1], 195);
    for (size_t i = 1; i < positions.size(); ++i)
        EXPECT_LE(positions[i] - positions[i - 1], positions[i - 1] - (i > 1 ? positions[i - 2] : 0));
    EXPECT_EQ(clips(), (std::vector<int>{0, 0, 20, 200, 200}));

    counter.SetValue(45);
    rollToTarget(counter);
    EXPECT_EQ(clips(), (std::vector<int>{0, 0, 0, 80, 100}));

    counter.SetValue(123456);
    EXPECT_EQ(counter.GetValue(false), 99999);
    rollToTarget(counter);
    EXPECT_EQ(clips(), (std::vector<int>{180, 180, 180, 180, 180}));
}

TEST_F(GuiCounterTest, ADigitRollsAlongWhileItsRightNeighbourTurnsFromNineToZero)
{
    CGuiCounter counter;
    counter.Init(0, 0, 3, nullptr, 0, 0);
    counter.SetValue(99);
    rollToTarget(counter);
    EXPECT_EQ(clips(), (std::vector<int>{0, 180, 180}));
    counter.SetValue(100);
    counter.Update(); // 99 and a twentieth: every digit rolls one step
    EXPECT_EQ(clips(), (std::vector<int>{1, 181, 181}));
    rollToTarget(counter);
    EXPECT_EQ(clips(), (std::vector<int>{20, 200, 200}));
}
