#include "world/ElementDeviceGunshot.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/SoundObject.h"

#include <cmath>

namespace {

// A shot flies on beyond the board's edge to these columns before it ends.
constexpr int LAST_LEFT_COLUMN = -2;
constexpr int LAST_RIGHT_COLUMN = BOARD_COLUMNS;

// How many cells an element covers: a grass or sand run covers its width.
int widthInCells(const CElement* e) { return e->IsTerrain() && e->GetVariant() > 1 ? e->GetVariant() : 1; }

// The pictures of a shot in flight, to each side, and of its hit.
struct ShotLook {
    const char* leftName;
    const char* leftPrefix;
    const char* rightName;
    const char* rightPrefix;
    const char* flightExtension;
    const char* hitName;
    int hitOriginX, hitOriginY, hitKind;
    const char* hitPrefix;
    int hitLastFrame;
    const char* hitExtension;
};

const ShotLook FROST_LOOK = {"Frostball moving left",
                             "frostballleft",
                             "Frostball moving right",
                             "frostballright",
                             ".tga",
                             "Frostball exploding",
                             46,
                             47,
                             KIND_FROST_BURST,
                             "frostexplode",
                             8,
                             ".tga"};
const ShotLook HEAT_LOOK = {"Heatball moving left",
                            "fireballleft",
                            "Heatball moving right",
                            "fireballright",
                            ".png",
                            "Heatball exploding",
                            33,
                            77,
                            KIND_HEAT_BURST,
                            "heatgunimpact",
                            25,
                            ".png"};

} // namespace

CElementDeviceGunshot::CElementDeviceGunshot(int cellX, int cellY, int type, bool left)
    : CElementDevice(cellX, cellY), shotType(type)
{
    logMessage(LOG_CONSTRUCT, "CElementDeviceGunshot(%i,%i,%i,%i)\n", cellX, cellY, type, left);
    typeDevice = DEVICE_GUNSHOT;
    facingLeft = left;
    inGrid = true;
    canFall = movable = false;
    mobile = true;
    if (shotType == HEAT) {
        soundMetal = std::make_unique<SoundObject>("explode_heat_metal.ogg", false);
        soundInflatable = std::make_unique<SoundObject>("explode_heat_inflatable.ogg", false);
        soundWood = std::make_unique<SoundObject>("explode_heat_wood.ogg", false);
        soundIce = std::make_unique<SoundObject>("explode_heat_ice.ogg", false);
    } else {
        soundMetal = std::make_unique<SoundObject>("explode_frost.ogg", false);
    }
    LoadSprites();
    RegisterSpawned(this);
    Fly();
}

void CElementDeviceGunshot::LoadSprites()
{
    const ShotLook& look = shotType == HEAT ? HEAT_LOOK : FROST_LOOK;
    const bool images = ::imagesCached(ImageClass::Gunshots);
    leftSprite = makeSprite(look.leftName, 10, 9, KIND_SHOT, 1, images);
    leftSprite->addFrames(look.leftPrefix, 0, 11, look.flightExtension, 1);
    rightSprite = makeSprite(look.rightName, 10, 9, KIND_SHOT, 1, images);
    rightSprite->addFrames(look.rightPrefix, 0, 11, look.flightExtension, 1);
    explodingSprite = makeSprite(look.hitName, look.hitOriginX, look.hitOriginY, look.hitKind, 2, images);
    explodingSprite->addFrames(look.hitPrefix, 0, look.hitLastFrame, look.hitExtension, 1);
    leftSprite->setLooping(true);
    rightSprite->setLooping(true);
    sprite = shownSprite = facingLeft ? leftSprite.get() : rightSprite.get();
    sprite->setLocation(pixelX, pixelY, false);
    sprite->play(true);
    sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
}

CElementDeviceGunshot::~CElementDeviceGunshot()
{
    logMessage(LOG_DESTRUCT, "CElementDeviceGunshot:  Destroying gunshot element at (%d,%d)...\n", x, y);
    if (GetElementAt(x, y, true) == this)
        ClearElementAt(x, y);
}

// ---- The hit.

SoundObject* CElementDeviceGunshot::HeatImpactSound(const CElement* target) const
{
    if (target->IsProfessor())
        return soundMetal.get();
    if (target->meltable || target->frozen)
        return soundIce.get();
    if (target->burstable)
        return soundInflatable.get();
    if (target->burnable)
        return soundWood.get();
    return soundMetal.get();
}

void CElementDeviceGunshot::Fly()
{
    const int column = teleporting ? x : static_cast<int>(std::floor((pixelX + CELL_SIZE / 2.0) / CELL_SIZE));
    CElement* target = GetElementAt(column, y);
    if (target->IsNull() || target == this || exploding)
        return;
    if (target->x > column || target->x + widthInCells(target) <= column || target->y > y)
        return;
    if (shotType == HEAT) {
        impactSound = HeatImpactSound(target);
        Heat(target, true, false);
    } else {
        impactSound = soundMetal.get();
        Freeze(target);
    }
    // The shot stops where it is.
    exploding = true;
    moving = false;
    if (GetElementAt(x, y, true) == this)
        ClearElementAt(x, y);
    originX = x;
    originY = y;
}

// ---- The tick.

void CElementDeviceGunshot::UpdateMovement()
{
    if (exploding || done)
        return;
    Fly();
    CElementDevice::UpdateMovement();
    Fly();
}

void CElementDeviceGunshot::Update()
{
    if (breakWhenLanded())
        return;
    if (!exploding && !done && !moving)
        FlyOn();
    UpdateSprite();
}

void CElementDeviceGunshot::FlyOn()
{
    if (IsTrampolineAt(x, y))
        facingLeft = !facingLeft;
    Fly();
    if (exploding)
        return;
    if (facingLeft ? x >= LAST_LEFT_COLUMN : x <= LAST_RIGHT_COLUMN)
        MoveTo(x + (facingLeft ? -1 : 1), y);
    else
        done = true;
}

void CElementDeviceGunshot::UpdateSprite()
{
    if (done)
        return;
    if (exploding) {
        if (sprite != explodingSprite.get()) {
            sprite = explodingSprite.get();
            sprite->setLocation(pixelX, pixelY, false);
            if (impactSound)
                impactSound->play();
        } else if (sprite->isFinished()) {
            exploding = false;
            done = true;
            sprite->hide();
            return;
        }
    } else {
        sprite = facingLeft ? leftSprite.get() : rightSprite.get();
    }
    if (sprite != shownSprite) {
        DumpLine();
        showCurrent(shownSprite, sprite, prevPixelX, prevPixelY);
    }
    CreateTeleportGhost(this);
    if (exploding)
        return;
    if (teleporting)
        PositionSprites(this);
    else
        sprite->setLocation(pixelX, pixelY, false);
}

// ---- Undo.

void CElementDeviceGunshot::SaveState(ElementRecord& record) const
{
    CElementDevice::SaveState(record);
    SavePart(record, "ElementDeviceGunshot", Saved{done, exploding});
}

void CElementDeviceGunshot::RestoreState(const ElementRecord& record)
{
    CElementDevice::RestoreState(record);
    if (const Saved* part = RestorePart<Saved>(record, "ElementDeviceGunshot")) {
        done = part->done;
        exploding = part->exploding;
    }
}
