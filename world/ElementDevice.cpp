// The common part of every device.
#include "world/ElementDevice.h"

#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "world/ElementSprites.h"

#include <string>

CElementDevice::CElementDevice(int cellX, int cellY) : CElement(cellX, cellY, 1)
{
    type = ELEMENT_DEVICE;
    mobile = canFall = true;
    movable = inGrid = false;
    soundBreaking = std::make_unique<SoundObject>("device_breaking.ogg", false);
}

CElementDevice::~CElementDevice() = default;

void CElementDevice::SaveState(ElementRecord& record) const
{
    CElement::SaveState(record);
    LogPart(true, "ElementDevice");
}

void CElementDevice::RestoreState(const ElementRecord& record)
{
    CElement::RestoreState(record);
    LogPart(false, "ElementDevice");
}

void CElementDevice::DumpDebug()
{
    logMessage(LOG_DEBUG, "TYPE=%d  DEVICE=%d  CURRENT=(%d,%d)  METALLIC=%d  MAGNETHELD=%d\n", type, typeDevice, x, y,
               metallic, IsMagnetHeld());
}

void CElementDevice::DumpLine() { dumpSprite(sprite); }

void CElementDevice::dumpSprite(const CSprite* s) const
{
    if (!s)
        return;
    logMessage(LOG_ACTIVE_SPRITE, "   T(%2d,%2d)  %-20s  STATE=%d  FRAME=%d  FINISHED=%d  NAME='%s'\n", x, y,
               GetTypeName(), s->getState(), s->getFrame(), s->isFinished(), s->getName());
}

std::unique_ptr<CSprite> CElementDevice::makeSprite(const char* name, int originX, int originY, int kind, int delay,
                                                    bool sharedImages, int tileHeight)
{
    auto s = std::make_unique<CSprite>(originX, originY, kind, delay, sharedImages, 1, tileHeight);
    s->setName(name);
    return s;
}

std::string CElementDevice::fillIn(const char* pattern, const char* word)
{
    std::string text = pattern;
    size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, word);
    return text;
}

const char* CElementDevice::keepName(const char* pattern, const char* word)
{
    return internName(fillIn(pattern, word));
}

bool CElementDevice::breakWhenLanded()
{
    if (landed) {
        if (!destroyed && !soundBreaking->isPlaying())
            soundBreaking->play(false, 0, 0.0f);
        destroyed = true;
    }
    if (destroyed)
        canFall = false;
    return destroyed;
}

void CElementDevice::showCurrent(CSprite*& shown, CSprite* current, int showX, int showY)
{
    if (current == shown)
        return;
    if (shown)
        shown->hide();
    if (current) {
        current->show(showX, showY);
        current->resetAnimation();
        current->play(true);
    }
    shown = current;
}

void CElementDevice::restoreSprite(CSprite*& now, CSprite* saved, bool lastFrame, bool show)
{
    if (now == saved)
        return;
    if (now) {
        now->hide();
        now->resetAnimation();
    }
    now = saved;
    if (!now)
        return;
    if (lastFrame)
        now->setFrame(now->getFrameCount() - 1);
    if (show)
        now->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
}
