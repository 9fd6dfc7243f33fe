#include "world/ElementDeviceButton.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/SoundObject.h"

std::array<int, 3> CElementDeviceButton::pressedCount{};

namespace {

constexpr int TICKS_TO_PRESS = 3;

bool validColour(int colour) { return colour >= 0 && colour < 3; }

} // namespace

CElementDeviceButton::CElementDeviceButton(int cellX, int cellY, int buttonColour)
    : CElementDevice(cellX, cellY), colour(validColour(buttonColour) ? buttonColour : 0)
{
    static const char* const normalNames[] = {"Button (Blue)", "Button (Red)", "Button (Yellow)"};
    static const char* const breakNames[] = {"Button Break (Blue)", "Button Break (Red)", "Button Break (Yellow)"};
    static const char* const prefixes[] = {"buttonblue", "buttonred", "buttonyellow"};
    static const char* const breakPrefixes[] = {"buttonblue_break", "buttonred_break", "buttonyellow_break"};
    typeDevice = DEVICE_BUTTON;
    const bool shared = ::imagesCached(ImageClass::Buttons);
    spriteNormal = makeSprite(normalNames[colour], 11, -9, KIND_BUTTON, 0, shared);
    spriteNormal->addFrames(prefixes[colour], 0, 1, ".tga", 1);
    spriteBreak = makeSprite(breakNames[colour], 13, -5, KIND_BUTTON, 1, shared);
    spriteBreak->addFrames(breakPrefixes[colour], 0, 10, ".png", 1);
    soundClick = std::make_unique<SoundObject>("button_click.ogg", false);

    sprite = shownSprite = spriteNormal.get();
    sprite->setLocation(pixelX, pixelY, false);
    sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    sprite->setFrame(sprite->getFrameCount() - 1); // the released look
}

CElementDeviceButton::~CElementDeviceButton()
{
    logMessage(LOG_DESTRUCT, "CElementDeviceButton:  Destroying button element at (%d,%d)...\n", x, y);
}

void CElementDeviceButton::Update()
{
    if (breakWhenLanded()) {
        // A broken button holds nothing down: its gates close unless another
        // button of its colour is pressed.
        if (pressed)
            release();
    } else {
        CElement* occupant = GetElementAt(x, y);
        const bool occupied = !occupant->IsNull();
        if (occupied && !occupant->IsBridge() && !pressed)
            ++counter;
        if (counter >= TICKS_TO_PRESS) {
            pressed = true;
            ++pressedCount[colour];
            soundClick->play();
            counter = 0;
            logMessage(LOG_DEBUG, "Button (%d) pressed (%d):  %d\n", colour, 1, pressedCount[colour]);
        } else if (!occupied && pressed) {
            release();
        }
    }
    updateSprites();
}

void CElementDeviceButton::release()
{
    pressed = false;
    --pressedCount[colour];
    logMessage(LOG_DEBUG, "Button (%d) released (%d):  %d\n", colour, 0, pressedCount[colour]);
}

void CElementDeviceButton::updateSprites()
{
    if (destroyed) {
        sprite = spriteBreak.get();
        if (sprite->isFinished())
            sprite->hide();
    } else {
        sprite->setFrame(pressed ? 0 : sprite->getFrameCount() - 1);
    }
    showCurrent(shownSprite, sprite, prevPixelX, prevPixelY);
    sprite->setLocation(pixelX, pixelY, false);
}

void CElementDeviceButton::SaveState(ElementRecord& record) const
{
    CElementDevice::SaveState(record);
    SavePart(record, "ElementDeviceButton", Saved{pressed, counter});
}

void CElementDeviceButton::RestoreState(const ElementRecord& record)
{
    CElementDevice::RestoreState(record);
    const Saved* part = RestorePart<Saved>(record, "ElementDeviceButton");
    if (!part)
        return;
    pressed = part->pressed;
    counter = part->counter;
}

bool CElementDeviceButton::IsColourPressed(int colour) { return GetPressedCount(colour) > 0; }

int CElementDeviceButton::GetPressedCount(int colour) { return validColour(colour) ? pressedCount[colour] : 0; }

void CElementDeviceButton::ResetAll()
{
    pressedCount.fill(0);
}

ClassState CElementDeviceButton::classState()
{
    return keptClassState("buttons", &CElementDeviceButton::ResetAll, pressedCount);
}
