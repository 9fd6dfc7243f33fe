#pragma once

#include "WorldFixture.h"
#include "world/ElementDeviceButton.h"
#include "world/ElementDeviceGate.h"
#include "world/ElementDeviceTeleport.h"
#include "world/ElementDeviceTrampoline.h"

namespace world_test {

// The world fixture with the real teleports and trampolines answering the
// base's questions instead of the stand-ins.
class DeviceTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        WorldLinks& links = worldLinks();
        links.findTeleportPartner = &CElementDeviceTeleport::FindPartner;
        links.isTeleportAt = &CElementDeviceTeleport::IsTeleportAt;
        links.isTrampolineAt = &CElementDeviceTrampoline::IsTrampolineAt;
    }

    // A stand-in shot in flight at (x, y): on the grid, yet read as empty.
    static TestElement* shotAt(int x, int y)
    {
        auto* shot = new TestElement(x, y, ELEMENT_DEVICE, DEVICE_GUNSHOT);
        CElement::SetElementAt(x, y, shot);
        return shot;
    }
};

} // namespace world_test
