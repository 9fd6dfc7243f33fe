// Power-ups: lying on the board, collected into the professor's inventory,
// the rising text, and an undone collection.
#include "AnimatedWorldFixture.h"
#include "engine/Motion.h"
#include "world/ElementDevicePowerup.h"

#include <vector>

using namespace world_test;

namespace {

// A stand-in for the professor's inventory of nine slots.
std::vector<int>& inventory()
{
    static std::vector<int> slots;
    return slots;
}

bool addToInventory(int type)
{
    if (inventory().size() >= 9)
        return false;
    inventory().push_back(type);
    return true;
}

// Collects as the professor does: what lies in the cell goes into the
// inventory and leaves the board, unless the inventory is full.
bool collect(int x, int y)
{
    int type = CElementDevicePowerup::GetTypeAt(x, y);
    if (type == POWERUP_NONE || !addToInventory(type))
        return false;
    CElementDevicePowerup::RemoveAt(x, y);
    return true;
}

class PowerupTest : public AnimatedWorldTest
{
protected:
    void SetUp() override
    {
        AnimatedWorldTest::SetUp();
        inventory().clear();
    }
};

TEST_F(PowerupTest, TheProfessorCollectsWhileHisInventoryHasRoom)
{
    auto* frost = new CElementDevicePowerup(4, 5, POWERUP_FROSTGUN);
    new CElementDevicePowerup(6, 5, POWERUP_HEATGUN);
    EXPECT_TRUE(CElementDevicePowerup::IsPowerupAt(4, 5));
    EXPECT_EQ(CElementDevicePowerup::GetTypeAt(6, 5), POWERUP_HEATGUN);
    EXPECT_FALSE(CElementDevicePowerup::IsPowerupAt(5, 5));
    EXPECT_EQ(CElementDevicePowerup::GetTypeAt(-1, 5), POWERUP_NONE);
    EXPECT_FALSE(collect(5, 5));

    EXPECT_TRUE(collect(4, 5));
    EXPECT_EQ(inventory(), std::vector<int>{POWERUP_FROSTGUN});
    EXPECT_TRUE(frost->collected);
    EXPECT_FALSE(CElementDevicePowerup::IsPowerupAt(4, 5));
    EXPECT_FALSE(collect(4, 5));

    inventory().assign(9, POWERUP_CRATE);
    EXPECT_FALSE(collect(6, 5)); // a full inventory leaves it lying
    EXPECT_TRUE(CElementDevicePowerup::IsPowerupAt(6, 5));
}

TEST_F(PowerupTest, PowerupsNeverFall)
{
    auto* lying = new CElementDevicePowerup(4, 5, POWERUP_BRIDGE);
    start();
    frame(10);
    EXPECT_EQ(lying->y, 5);
    EXPECT_FALSE(lying->falling);
}

TEST_F(PowerupTest, EachTypeShowsItsItemAndText)
{
    struct Case {
        int type;
        const char* item;
        const char* text;
        int frames;
    } cases[] = {
        {POWERUP_CRATE, "Powerup - Crate", "Powerup - Text for Inflatables", 28},
        {POWERUP_EMP, "Powerup - EMP", "Powerup - Text for EMPs", 18},
        {POWERUP_HEATGUN, "Powerup - Heatgun", "Powerup - Text for Heatgun", 18},
        {POWERUP_TELEPORT_RED, "Powerup - Teleport (Red)", "Powerup - Text for Inflatables", 28},
        // Kept only in the inventory: shown as the crate.
        {POWERUP_TELEPORT_YELLOW_ONE, "Powerup - Crate", "Powerup - Text for Inflatables", 28},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CElementDevicePowerup p(7, 7, c.type);
        EXPECT_STREQ(p.itemSprite->getName(), c.item);
        EXPECT_STREQ(p.textSprite->getName(), c.text);
        EXPECT_EQ(p.itemSprite->getFrameCount(), c.frames);
        EXPECT_EQ(p.textSprite->getFrameCount(), 8);
        CElement::ResetWorld();
    }
}

TEST_F(PowerupTest, SuccessivePowerupsBobOutOfStep)
{
    std::vector<CElementDevicePowerup*> made;
    for (int i = 0; i < 5; ++i)
        made.push_back(new CElementDevicePowerup(2 + i, 5, POWERUP_CRATE));
    for (int i = 1; i < 5; ++i) {
        int before = made[i - 1]->itemSprite->getFrame();
        EXPECT_EQ(made[i]->itemSprite->getFrame(), (before + 4) % 14);
        const Oscillator& a = *made[i - 1]->bobbing;
        const Oscillator& b = *made[i]->bobbing;
        EXPECT_TRUE(a.getPhase() != b.getPhase() || a.getDirection() != b.getDirection());
    }
    start();
    frame(3);
    for (CElementDevicePowerup* p : made) {
        EXPECT_EQ(p->itemSprite->getY(false), p->bobbing->getValue());
        EXPECT_LE(std::abs(p->itemSprite->getY(false) - p->pixelY), 4);
    }
}

TEST_F(PowerupTest, ACollectedPowerupsTextRisesAndGoes)
{
    auto* p = new CElementDevicePowerup(4, 5, POWERUP_WHISTLE);
    start();
    ASSERT_TRUE(collect(4, 5));
    frame(4);
    EXPECT_FALSE(p->textSprite->isHidden());
    EXPECT_TRUE(p->haloSprite->isHidden());
    EXPECT_TRUE(p->itemSprite->isHidden());
    EXPECT_EQ(p->rise, 4);
    EXPECT_EQ(p->textSprite->getY(false), p->pixelY - 4);
    ASSERT_TRUE(frameUntil([&] { return p->textSprite->isHidden(); }));
    EXPECT_TRUE(p->textSprite->isFinished());
}

TEST_F(PowerupTest, AnUndoneCollectionPutsThePowerupBack)
{
    auto* p = new CElementDevicePowerup(4, 5, POWERUP_MAGNET);
    start();
    frame(2);
    CElement::SaveUndoStep();
    ASSERT_TRUE(collect(4, 5));
    frame(30);
    CElement::LoadUndoStep(false);
    EXPECT_TRUE(CElementDevicePowerup::IsPowerupAt(4, 5));
    EXPECT_FALSE(p->collected);
    EXPECT_FALSE(p->haloSprite->isHidden());
    EXPECT_FALSE(p->itemSprite->isHidden());
    EXPECT_TRUE(p->textSprite->isHidden());
    EXPECT_FALSE(p->textSprite->isFinished());
    // Collected again, the text rises from the cell once more.
    ASSERT_TRUE(collect(4, 5));
    frame();
    EXPECT_EQ(p->rise, 1);
}

} // namespace
