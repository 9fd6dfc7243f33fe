// Buttons count what stands on them; gates of the pressed colour open, close
// when it is released, break when something stands in them then, and refuse
// to open while a magnet holds them.
#include "DeviceFixture.h"

using namespace world_test;

namespace {

constexpr int BLUE = 0, RED = 1, YELLOW = 2;

using ButtonGateTest = DeviceTest;

TEST_F(ButtonGateTest, ThreeTicksUnderACratePressTheButtonAndOpenOnlyItsColoursGates)
{
    groundRow(11, 0, 31);
    auto* button = new CElementDeviceButton(5, 10, RED);
    auto* redGate = new CElementDeviceGate(9, 10, RED);
    auto* blueGate = new CElementDeviceGate(12, 10, BLUE);
    ASSERT_EQ(at(9, 10), redGate); // closed gates block their cells
    crate(5, 10);
    tick(2);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(button->GetOccupancyCounter(), 2);
    tick();
    EXPECT_TRUE(button->IsPressed());
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(RED), 1);
    EXPECT_TRUE(redGate->IsOpen());
    EXPECT_TRUE(at(9, 10)->IsNull());
    EXPECT_EQ(CElementDeviceGate::LastStarted(CElementDeviceGate::SOUND_OPEN), static_cast<long>(frameCounter()));
    EXPECT_FALSE(blueGate->IsOpen());
    EXPECT_EQ(at(12, 10), blueGate);
}

TEST_F(ButtonGateTest, TheGateStaysOpenWhileAnyButtonOfItsColourIsPressed)
{
    groundRow(11, 0, 31);
    auto* gate = new CElementDeviceGate(15, 10, YELLOW);
    new CElementDeviceButton(3, 10, YELLOW);
    new CElementDeviceButton(6, 10, YELLOW);
    crate(3, 10);
    crate(6, 10);
    tick(3);
    ASSERT_EQ(CElementDeviceButton::GetPressedCount(YELLOW), 2);

    CElement::ClearElementAt(3, 10);
    tick();
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(YELLOW), 1);
    EXPECT_TRUE(gate->IsOpen());

    // The gate, made first, sees the release a tick later.
    CElement::ClearElementAt(6, 10);
    tick(2);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(YELLOW), 0);
    EXPECT_FALSE(gate->IsOpen());
    EXPECT_EQ(at(15, 10), gate);
    EXPECT_EQ(CElementDeviceGate::LastStarted(CElementDeviceGate::SOUND_CLOSE), static_cast<long>(frameCounter()));
}


TEST_F(ButtonGateTest, ADestroyedPressedButtonLetsItsGatesClose)
{
    groundRow(11, 0, 31);
    auto* gate = new CElementDeviceGate(15, 10, BLUE);
    auto* button = new CElementDeviceButton(3, 10, BLUE);
    crate(3, 10);
    tick(4); // the gate, made first, sees the press a tick later
    ASSERT_TRUE(gate->IsOpen());

    button->destroyed = true; // broken as a landing breaks it; the crate stays
    tick(2);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(BLUE), 0);
    EXPECT_FALSE(gate->IsOpen());
    tick(5);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(BLUE), 0) << "released once only";
}

TEST_F(ButtonGateTest, TicksOfAnEarlierVisitCountTowardThePress)
{
    groundRow(11, 0, 31);
    auto* button = new CElementDeviceButton(5, 10, BLUE);
    CElement* box = crate(5, 10);
    tick(2);
    CElement::ClearElementAt(5, 10);
    tick(4);
    EXPECT_EQ(button->GetOccupancyCounter(), 2);
    CElement::SetElementAt(5, 10, box);
    tick();
    EXPECT_TRUE(button->IsPressed());
}

TEST_F(ButtonGateTest, ABridgeNeverPressesAndAShotNeverCounts)
{
    groundRow(11, 0, 31);
    auto* underBridge = new CElementDeviceButton(5, 10, BLUE);
    new TestElement(5, 10, ELEMENT_TERRAIN, TERRAIN_BRIDGE);
    auto* underShot = new CElementDeviceButton(8, 10, RED);
    shotAt(8, 10);
    tick(6);
    EXPECT_FALSE(underBridge->IsPressed());
    EXPECT_FALSE(underShot->IsPressed());
    EXPECT_EQ(underShot->GetOccupancyCounter(), 0);
}

TEST_F(ButtonGateTest, ReleasedWithSomethingInItTheGateBreaksForGood)
{
    groundRow(11, 0, 31);
    new CElementDeviceButton(3, 10, RED);
    auto* gate = new CElementDeviceGate(9, 10, RED);
    CElement* weight = crate(3, 10);
    tick(3);
    ASSERT_TRUE(gate->IsOpen());
    CElement* inGate = crate(9, 10);
    CElement::ClearElementAt(3, 10);
    tick();
    EXPECT_TRUE(gate->IsBroken());
    EXPECT_EQ(at(9, 10), inGate);
    EXPECT_EQ(CElementDeviceGate::LastStarted(CElementDeviceGate::SOUND_BREAK), static_cast<long>(frameCounter()));

    // Pressed and released again, the broken gate does nothing; its cell
    // stays passable.
    CElement::ClearElementAt(9, 10);
    CElement::SetElementAt(3, 10, weight);
    tick(4);
    CElement::ClearElementAt(3, 10);
    tick();
    EXPECT_TRUE(at(9, 10)->IsNull());
}

TEST_F(ButtonGateTest, AShotInTheGateDoesNotKeepItFromClosing)
{
    groundRow(11, 0, 31);
    new CElementDeviceButton(3, 10, BLUE);
    auto* gate = new CElementDeviceGate(9, 10, BLUE);
    crate(3, 10);
    tick(3);
    ASSERT_TRUE(gate->IsOpen());
    shotAt(9, 10);
    CElement::ClearElementAt(3, 10);
    tick();
    EXPECT_FALSE(gate->IsOpen());
    EXPECT_FALSE(gate->IsBroken());
}

TEST_F(ButtonGateTest, AMagnetHeldGateFailsOncePerPressAndOpensWhenFree)
{
    groundRow(11, 0, 31);
    new CElementDeviceButton(3, 10, BLUE);
    auto* gate = new CElementDeviceGate(9, 10, BLUE);
    CElement* magnet = crate(8, 10);
    gate->SetHoldingMagnet(magnet, true);
    CElement* weight = crate(3, 10);
    tick(3);
    EXPECT_FALSE(gate->IsOpen());
    EXPECT_TRUE(gate->IsMagnetHeldShown());
    const long failed = CElementDeviceGate::LastStarted(CElementDeviceGate::SOUND_FAIL);
    EXPECT_EQ(failed, static_cast<long>(frameCounter()));
    tick(3);
    EXPECT_EQ(CElementDeviceGate::LastStarted(CElementDeviceGate::SOUND_FAIL), failed);

    CElement::ClearElementAt(3, 10);
    tick();
    EXPECT_FALSE(gate->IsMagnetHeldShown());
    gate->ClearHoldingMagnetA();
    CElement::SetElementAt(3, 10, weight);
    tick(3);
    EXPECT_TRUE(gate->IsOpen());
}

TEST_F(ButtonGateTest, AGateDumpsALineForEachOfItsLayers)
{
    new CElementDeviceGate(2, 10, BLUE);
    new CElementDeviceGate(4, 10, RED);
    LogCapture log(LOG_ACTIVE_SPRITE);
    CElement::GetAllElements()[1]->DumpLine();
    const std::string blue = log.text();
    EXPECT_NE(blue.find("'Gate (Back) Closing'"), std::string::npos);
    EXPECT_NE(blue.find("'Gate (Front) Closing'"), std::string::npos);
    EXPECT_EQ(blue.find("Lights"), std::string::npos);
    LogCapture redLog(LOG_ACTIVE_SPRITE);
    CElement::GetAllElements()[2]->DumpLine();
    EXPECT_NE(redLog.text().find("'Gate Lights (Red) Opening/Closing'"), std::string::npos) << redLog.text();
}

TEST_F(ButtonGateTest, AnUndoTakesBackThePressAndTheOpenGate)
{
    groundRow(11, 0, 31);
    auto* button = new CElementDeviceButton(5, 10, RED);
    auto* gate = new CElementDeviceGate(9, 10, RED);
    crate(5, 10);
    start();
    tick(2);
    ASSERT_TRUE(button->IsPressed());
    ASSERT_TRUE(gate->IsOpen());

    CElement::LoadUndoStep(true);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(button->GetOccupancyCounter(), 0);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(RED), 0);
    EXPECT_FALSE(gate->IsOpen());
    EXPECT_EQ(at(9, 10), gate);

    // And the world goes on from there as before.
    tick(3);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(RED), 1);
    EXPECT_TRUE(gate->IsOpen());
}

} // namespace
