#include "world/ElementDevice.h"

#include "engine/Log.h"
#include "engine/SoundObject.h"

CElementDevice::CElementDevice(int cellX, int cellY) : CElement(cellX, cellY, 1)
{
    type = ELEMENT_DEVICE;
    mobile = canFall = true;
    movable = inGrid = false;
    soundBreaking = std::make_unique<SoundObject>("device_breaking.ogg", false);
}

CElementDevice::~CElementDevice() = default;

void CElementDevice::SaveState(int step)
{
    logMessage(LOG_UNDO, "      %s:  Saving ElementDevice state...\n", GetTypeName());
    CElement::SaveState(step);
}

void CElementDevice::RestoreState(int step)
{
    logMessage(LOG_UNDO, "      %s:  Restoring ElementDevice state...\n", GetTypeName());
    CElement::RestoreState(step);
}

int CElementDevice::GetOwnSlide() const { return 0; }
int CElementDevice::GetSurfaceSlide() const { return 0; }

void CElementDevice::DumpDebug()
{
    logMessage(LOG_DEBUG, "TYPE=%d  DEVICE=%d  CURRENT=(%d,%d)  METALLIC=%d  MAGNETHELD=%d\n", type, typeDevice, x, y,
               metallic, IsMagnetHeld());
}

void CElementDevice::DumpLine() { DumpSpriteLine(sprite); }

std::unique_ptr<CSprite> CElementDevice::MakeSprite(ImageClass imageClass, const char* name, int originX, int originY,
                                                   int kind, int delay)
{
    auto made = std::make_unique<CSprite>(originX, originY, kind, delay, ::imagesCached(imageClass), 1, 1);
    made->setName(name);
    return made;
}

void CElementDevice::DumpSpriteLine(const CSprite* shown) const
{
    if (!shown)
        return;
    logMessage(LOG_ACTIVE_SPRITE, "   T(%2d,%2d)  %-20s  STATE=%d  FRAME=%d  FINISHED=%d  NAME='%s'\n", x, y,
               GetTypeName(), shown->getState(), shown->getFrame(), shown->isFinished(), shown->getName());
}
