#include "world/ElementDeviceTube.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "world/WorldLinks.h"

namespace {

// No exit tube in the level: no cell answers as the exit.
constexpr int NO_EXIT = -1;
int exitX = NO_EXIT;
int exitY = NO_EXIT;

// The arrow bobs between 2 and 26 pixels above the tube, and fades after
// its fourth bounce.
constexpr int ARROW_STEP = 3;
constexpr int ARROW_TOP = 23;
constexpr int ARROW_BOTTOM = 5;
constexpr int ARROW_BOUNCES = 3;

} // namespace

CElementDeviceTube::CElementDeviceTube(int cellX, int cellY, int tubeKind)
    : CElementDevice(cellX, cellY), kind(tubeKind), entrance(tubeKind != TUBE_EXIT), arrowActive(!entrance)
{
    typeDevice = DEVICE_TUBE;
    const bool images = ::imagesCached(ImageClass::Tubes);
    bodySprite = makeSprite("Tube", 16, 39, KIND_TUBE, 0, images);
    bodySprite->addFrame("tubeentrance0.png");
    if (entrance) {
        breakingSprite = makeSprite("Tube Entrance Breaking", 16, -5, KIND_TUBE, 1, images);
        breakingSprite->addFrames("transporttube_break", 0, 11, ".png", 1);
    } else {
        outcome.exitTubeDestroyed = false;
        exitX = cellX;
        exitY = cellY;
        arrowSprite = makeSprite("Tube Arrow", 16, 39, KIND_TUBE_ARROW, 0, images);
        arrowSprite->addFrame("tubearrow0.png");
        arrowFadingSprite = makeSprite("Tube Arrow Fading", 16, 39, KIND_TUBE_ARROW, 2, images);
        arrowFadingSprite->addFrames("tubearrowfade", 0, 6, ".png", 1);
        lightsSprite = makeSprite("Tube Exit Lights", 12, -16, KIND_TUBE_EXIT_LIGHTS, 0, images);
        lightsSprite->addFrame("tubeexitlights0.png");
        breakingSprite = makeSprite("Tube Exit Breaking", 16, -5, KIND_TUBE, 1, images);
        breakingSprite->addFrames("transporttubeB_break", 0, 11, ".png", 1);
    }
    currentBody = shownBody = bodySprite.get();
    bodySprite->setLocation(pixelX, pixelY, false);
    bodySprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    if (!entrance) {
        shownLights = lightsSprite.get();
        lightsSprite->setLocation(pixelX, pixelY, false);
        lightsSprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        sprite = shownSprite = arrowSprite.get();
        arrowSprite->setLocation(pixelX, pixelY - arrowHeight, false);
        arrowSprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
}

CElementDeviceTube::~CElementDeviceTube()
{
    logMessage(LOG_DESTRUCT, "CElementDeviceTube:  Destroying tube element at (%d,%d)...\n", x, y);
}

bool CElementDeviceTube::IsExitAt(int cellX, int cellY) { return cellX == exitX && cellY == exitY; }

void CElementDeviceTube::ResetAll() { exitX = exitY = NO_EXIT; }

ClassState CElementDeviceTube::classState() { return {"tube", &CElementDeviceTube::ResetAll, nullptr, nullptr, nullptr}; }

// ---- Undo.

void CElementDeviceTube::SaveState(ElementRecord& record) const
{
    CElementDevice::SaveState(record);
    SavePart(record, "ElementDeviceTube",
             Saved{currentBody, shownBody, shownLights, entrance, arrowActive, arrowHeight, bounceCount,
                   arrowMovingDown});
}

void CElementDeviceTube::RestoreState(const ElementRecord& record)
{
    const Saved* part = RestorePart<Saved>(record, "ElementDeviceTube");
    if (!part)
        return;
    if (currentBody != part->currentBody) {
        // Rewound: a later break is judged finished by this sprite before
        // it is shown again.
        currentBody->hide();
        currentBody->resetAnimation();
    }
    currentBody = part->currentBody;
    shownBody = part->shownBody;
    shownLights = part->shownLights;
    entrance = part->entrance;
    arrowActive = part->arrowActive;
    arrowHeight = part->arrowHeight;
    bounceCount = part->bounceCount;
    arrowMovingDown = part->arrowMovingDown;
    CElementDevice::RestoreState(record);
    // An undo stops the arrow at once.
    arrowActive = false;
    if (sprite)
        sprite->hide();
    if (!destroyed) {
        currentBody->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        if (lightsSprite)
            lightsSprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
}

// ---- The tick.

void CElementDeviceTube::Update()
{
    breakWhenLanded();
    if (arrowActive) {
        BobArrow();
        UpdateArrowSprite();
    }
    UpdateBodySprite();
}

void CElementDeviceTube::BobArrow()
{
    if (arrowMovingDown) {
        arrowHeight += ARROW_STEP;
        if (arrowHeight > ARROW_TOP)
            arrowMovingDown = false;
    } else {
        arrowHeight -= ARROW_STEP;
        if (arrowHeight < ARROW_BOTTOM) {
            ++bounceCount;
            arrowMovingDown = true;
        }
    }
}

void CElementDeviceTube::UpdateArrowSprite()
{
    if (bounceCount > ARROW_BOUNCES) {
        sprite = arrowFadingSprite.get();
        if (sprite->isFinished()) {
            arrowActive = false;
            sprite->hide();
        }
    }
    showCurrent(shownSprite, sprite, SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    sprite->setLocation(pixelX, pixelY - arrowHeight, false);
}

void CElementDeviceTube::UpdateBodySprite()
{
    if (destroyed) {
        if (lightsSprite)
            lightsSprite->hide();
        currentBody = breakingSprite.get();
        if (currentBody->isFinished()) {
            currentBody->hide();
            if (!entrance) {
                outcome.exitTubeDestroyed = true;
                levelExited = true;
            }
        }
    }
    showCurrent(shownBody, currentBody, prevPixelX, prevPixelY);
    currentBody->setLocation(pixelX, pixelY, false);
    if (lightsSprite)
        lightsSprite->setLocation(pixelX, pixelY, false);
}

void CElementDeviceTube::DumpLine()
{
    dumpSprite(currentBody);
    dumpSprite(sprite);
}
