#include "world/ElementDevicePowerup.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/Motion.h"
#include "engine/SoundObject.h"
#include "world/WorldLinks.h"

namespace {

std::array<CElementDevicePowerup*, BOARD_CELLS> powerupGrid{};
// Staggers the bobbing of successive power-ups; runs on across levels.
int phaseCounter = 0;
constexpr int PHASE_STEP = 4;
constexpr int PHASE_PERIOD = 14;

struct Look {
    const char* itemName;
    const char* itemPrefix;
    int lastFrame;
    const char* extension;
    const char* textName;
    const char* textPrefix;
};

const Look INFLATABLE_CRATE = {"Powerup - Crate", "powerupcrate", 27, ".tga", "Powerup - Text for Inflatables",
                               "poweruptextinflatable"};

// How each type lies on the board; a type without a look of its own (the
// teleports that only the inventory holds) shows as the crate.
const Look& lookOf(int type)
{
    static const struct {
        int type;
        Look look;
    } looks[] = {
        {POWERUP_BARREL, {"Powerup - Barrel", "powerupbarrel", 23, ".tga", "Powerup - Text for Inflatables",
                          "poweruptextinflatable"}},
        {POWERUP_MAGNET, {"Powerup - Magnet", "powerupmagnet", 23, ".tga", "Powerup - Text for Inflatables",
                          "poweruptextinflatable"}},
        {POWERUP_EMP, {"Powerup - EMP", "powerupemp", 17, ".tga", "Powerup - Text for EMPs", "poweruptextemp"}},
        {POWERUP_FROSTGUN, {"Powerup - Frostgun", "powerupfrostgun", 17, ".tga", "Powerup - Text for Frostgun",
                            "poweruptextfrostgun"}},
        {POWERUP_HEATGUN, {"Powerup - Heatgun", "powerupheatgun", 17, ".png", "Powerup - Text for Heatgun",
                           "poweruptextheatgun"}},
        {POWERUP_BRIDGE, {"Powerup - Bridge", "powerupbridge", 27, ".png", "Powerup - Text for Inflatables",
                          "poweruptextinflatable"}},
        {POWERUP_WHISTLE, {"Powerup - Whistle", "powerupwhistle", 17, ".tga", "Powerup - Text for Whistles",
                           "poweruptextwhistle"}},
        {POWERUP_TELEPORT_BLUE, {"Powerup - Teleport (Blue)", "powerupteleport", 27, ".png",
                                 "Powerup - Text for Inflatables", "poweruptextinflatable"}},
        {POWERUP_TELEPORT_YELLOW, {"Powerup - Teleport (Yellow)", "powerupteleportyellow", 27, ".png",
                                   "Powerup - Text for Inflatables", "poweruptextinflatable"}},
        {POWERUP_TELEPORT_RED, {"Powerup - Teleport (Red)", "powerupteleportred", 27, ".png",
                                "Powerup - Text for Inflatables", "poweruptextinflatable"}},
    };
    for (const auto& entry : looks)
        if (entry.type == type)
            return entry.look;
    return INFLATABLE_CRATE;
}

CElementDevicePowerup* powerupAt(int x, int y) { return isOnBoard(x, y) ? powerupGrid[cellIndex(x, y)] : nullptr; }

} // namespace

CElementDevicePowerup::CElementDevicePowerup(int cellX, int cellY, int type)
    : CElementDevice(cellX, cellY), powerupType(type)
{
    typeDevice = DEVICE_POWERUP;
    canFall = false;
    soundCollect = std::make_unique<SoundObject>("powerup_collect.ogg", false);
    LoadSprites();
    if (isOnBoard(cellX, cellY))
        powerupGrid[cellIndex(cellX, cellY)] = this;
}

void CElementDevicePowerup::LoadSprites()
{
    const bool images = ::imagesCached(ImageClass::Powerups);
    const Look& look = lookOf(powerupType);
    haloSprite = makeSprite("Powerup - Halo", 20, 19, KIND_POWERUP_HALO, 0, images);
    haloSprite->addFrame("poweruphalo0.tga");
    itemSprite = makeSprite(look.itemName, 14, 14, KIND_POWERUP_ITEM, 2, images);
    itemSprite->addFrames(look.itemPrefix, 0, look.lastFrame, look.extension, 1);
    itemSprite->setLooping(true);
    textSprite = makeSprite(look.textName, 26, 40, KIND_POWERUP_TEXT, 2, images);
    textSprite->addFrames(look.textPrefix, 0, 7, ".tga", 1);

    sprite = shownSprite = haloSprite.get();
    haloSprite->setLocation(pixelX, pixelY, false);
    haloSprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    currentItem = itemSprite.get();
    currentItem->setLocation(pixelX, pixelY, false);
    currentItem->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    currentItem->resetAnimation();
    currentItem->play(true);
    currentText = textSprite.get();
    currentText->setLocation(pixelX, pixelY, false);
    currentText->resetAnimation();
    currentText->play(true);

    bobbing = std::make_unique<Oscillator>(pixelY, 4, 3.0f, 3.3f, phaseCounter);
    phaseCounter = (phaseCounter + PHASE_STEP) % PHASE_PERIOD;
    currentItem->setFrame(phaseCounter);
}

CElementDevicePowerup::~CElementDevicePowerup()
{
    logMessage(LOG_DESTRUCT, "CElementDevicePowerup:  Destroying powerup element at (%d,%d)...\n", x, y);
    // Nothing may find it by its cell any more.
    if (powerupAt(x, y) == this)
        powerupGrid[cellIndex(x, y)] = nullptr;
    logMessage(LOG_DESTRUCT, "CElementDevicePowerup:  Destroying sounds...\n");
}

// ---- Finding and collecting.

bool CElementDevicePowerup::IsPowerupAt(int cellX, int cellY) { return powerupAt(cellX, cellY) != nullptr; }

int CElementDevicePowerup::GetTypeAt(int cellX, int cellY)
{
    const CElementDevicePowerup* found = powerupAt(cellX, cellY);
    return found ? found->powerupType : POWERUP_NONE;
}

void CElementDevicePowerup::RemoveAt(int cellX, int cellY)
{
    CElementDevicePowerup* found = powerupAt(cellX, cellY);
    if (!found)
        return;
    found->soundCollect->play();
    powerupGrid[cellIndex(cellX, cellY)] = nullptr;
    found->collected = true;
}

// ---- Class-wide state.

void CElementDevicePowerup::ResetAll()
{
    powerupGrid.fill(nullptr);
}

ClassState CElementDevicePowerup::classState()
{
    return keptClassState("powerups", &CElementDevicePowerup::ResetAll, powerupGrid);
}

// ---- Undo. The halo is the main sprite: the element's own record brings it
// back with an undone collection.

void CElementDevicePowerup::SaveState(ElementRecord& record) const
{
    CElementDevice::SaveState(record);
    Saved part;
    part.collected = collected;
    currentItem->saveSnapshot(part.item);
    currentText->saveSnapshot(part.text);
    SavePart(record, "ElementDevicePowerup", part);
}

void CElementDevicePowerup::RestoreState(const ElementRecord& record)
{
    CElementDevice::RestoreState(record);
    const Saved* part = RestorePart<Saved>(record, "ElementDevicePowerup");
    if (!part)
        return;
    collected = part->collected;
    if (!collected)
        rise = 0; // a later collection's text rises from the cell again
    currentItem->loadSnapshot(part->item);
    currentText->loadSnapshot(part->text);
}

// ---- The tick: bobbing while it lies, the text rising once collected.

void CElementDevicePowerup::Update()
{
    if (!collected) {
        bobbing->step();
        haloSprite->setLocation(pixelX, pixelY, false);
        currentItem->setLocation(pixelX, bobbing->getValue(), false);
    } else if (!currentText->isFinished()) {
        ++rise;
        currentText->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        haloSprite->hide();
        currentItem->hide();
        currentText->setLocation(pixelX, pixelY - rise, false);
    } else {
        currentText->hide();
    }
}

void CElementDevicePowerup::DumpLine()
{
    dumpSprite(sprite);
    dumpSprite(currentItem);
    dumpSprite(currentText);
}
