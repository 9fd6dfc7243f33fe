// Trampolines throw back what comes onto them sideways; devices that fall
// break.
#include "DeviceFixture.h"

#include <functional>

using namespace world_test;

namespace {

class TrampolineTest : public DeviceTest
{
protected:
    // A trampoline at (10, 10) on a grass floor and a crate pushed onto it
    // from the left; the level has started.
    TestElement* crateOntoTrampoline(CElementDeviceTrampoline*& trampoline)
    {
        groundRow(11, 0, 31);
        trampoline = new CElementDeviceTrampoline(10, 10);
        TestElement* box = crate(9, 10);
        start();
        EXPECT_TRUE(box->PushRight(true, false));
        return box;
    }

    // Ticks until the element has come to rest; the trampoline counts that
    // tick as its first at rest.
    void comeToRest(CElement* element)
    {
        for (int t = 0; t < 20 && element->moving; ++t)
            tick();
    }

    // Further ticks until the element is moving again; -1 when it is not
    // thrown within the limit.
    int ticksUntilThrown(CElement* element, int limit = 30)
    {
        for (int t = 1; t <= limit; ++t) {
            tick();
            if (element->moving)
                return t;
        }
        return -1;
    }
};

TEST_F(TrampolineTest, ACrateIsThrownBackTheWayItCameOnTheFourthTickAtRest)
{
    for (bool fromLeft : {true, false}) {
        freshBoard();
        SCOPED_TRACE(fromLeft ? "from the left" : "from the right");
        groundRow(11, 0, 31);
        auto* trampoline = new CElementDeviceTrampoline(10, 10);
        CElement* box = crate(fromLeft ? 9 : 11, 10);
        start();
        ASSERT_TRUE(fromLeft ? box->PushRight(true, false) : box->PushLeft(true, false));
        tick();
        EXPECT_EQ(fromLeft ? trampoline->IsStretchedLeft() : trampoline->IsStretchedRight(), true);
        comeToRest(box);
        EXPECT_EQ(ticksUntilThrown(box), 3); // the fourth tick at rest
        settle();
        EXPECT_EQ(box->x, fromLeft ? 9 : 11);
        tick();
        EXPECT_FALSE(trampoline->IsStretchedLeft());
        EXPECT_FALSE(trampoline->IsStretchedRight());
    }
}

TEST_F(TrampolineTest, ABlockedCellBehindRestartsTheCount)
{
    CElementDeviceTrampoline* trampoline = nullptr;
    CElement* box = crateOntoTrampoline(trampoline);
    CElement* blocker = crate(9, 10); // on grass: the probing push cannot move it
    comeToRest(box);
    EXPECT_EQ(ticksUntilThrown(box, 10), -1);
    EXPECT_EQ(trampoline->GetThrowCounter(), 0);
    CElement::ClearElementAt(blocker->x, blocker->y);
    EXPECT_EQ(ticksUntilThrown(box), 4);
}

TEST_F(TrampolineTest, HeldStickyOrUnthrowableElementsStay)
{
    const std::function<void(TestElement*)> cases[] = {
        [](TestElement* e) { e->SetHoldingMagnet(CElement::GetElementAt(0, 11), true); },
        [](TestElement* e) { e->ownSlide = 1; }, // sand under it, say
        [](TestElement* e) { e->mayBePushedLeft = false; },
    };
    for (const auto& prepare : cases) {
        freshBoard();
        CElementDeviceTrampoline* trampoline = nullptr;
        TestElement* box = crateOntoTrampoline(trampoline);
        prepare(box);
        comeToRest(box);
        EXPECT_EQ(ticksUntilThrown(box, 10), -1);
    }
}

TEST_F(TrampolineTest, AnUndoTakesBackTheStretch)
{
    CElementDeviceTrampoline* trampoline = nullptr;
    CElement* box = crateOntoTrampoline(trampoline);
    for (int t = 0; t < 10; ++t)
        tick();
    ASSERT_TRUE(trampoline->IsStretchedLeft());
    ASSERT_GT(trampoline->GetThrowCounter(), 0);
    CElement::LoadUndoStep(true);
    EXPECT_FALSE(trampoline->IsStretchedLeft());
    EXPECT_EQ(trampoline->GetThrowCounter(), 0);
    EXPECT_EQ(box->x, 9);
}

// A device that falls breaks where it lands; an undo brings it back whole.
TEST_F(TrampolineTest, DevicesThatFallBreakAndAnUndoMendsThem)
{
    struct Case {
        const char* name;
        std::function<CElement*()> make;
        std::function<bool()> stillWorks;
    };
    const Case cases[] = {
        {"button", [] { return new CElementDeviceButton(5, 5, 0); }, [] { return true; }},
        {"trampoline", [] { return new CElementDeviceTrampoline(5, 5); },
         [] { return CElementDeviceTrampoline::IsTrampolineAt(5, 5); }},
        {"teleport",
         [] {
             new CElementDeviceTeleport(15, 10, 0, false);
             return new CElementDeviceTeleport(5, 5, 0, false);
         },
         [] { return CElementDeviceTeleport::IsPairUsable(0); }},
    };
    for (const Case& c : cases) {
        freshBoard();
        SCOPED_TRACE(c.name);
        groundRow(11, 0, 31);
        CElement* device = c.make();
        ASSERT_TRUE(c.stillWorks());
        start();
        settle();
        tick();
        EXPECT_TRUE(device->destroyed);
        EXPECT_FALSE(device->canFall);
        EXPECT_EQ(device->y, 10);
        if (c.name != std::string("button")) {
            EXPECT_FALSE(c.stillWorks());
        }
        EXPECT_TRUE(at(5, 10)->IsNull() || at(5, 10)->type != ELEMENT_DEVICE);

        CElement::LoadUndoStep(true);
        EXPECT_FALSE(device->destroyed);
        EXPECT_EQ(device->y, 5);
        EXPECT_TRUE(c.stillWorks());
    }
}

TEST_F(TrampolineTest, ABrokenButtonCannotBePressed)
{
    groundRow(11, 0, 31);
    auto* button = new CElementDeviceButton(5, 9, 1);
    start();
    settle();
    tick();
    ASSERT_TRUE(button->destroyed);
    crate(5, 10);
    tick(5);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(1), 0);
}

} // namespace
