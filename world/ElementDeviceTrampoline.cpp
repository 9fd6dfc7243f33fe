#include "world/ElementDeviceTrampoline.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/SoundObject.h"

std::array<uint8_t, BOARD_CELLS> CElementDeviceTrampoline::grid{};

namespace {

// The throw comes on the fourth tick at rest with the cell behind free.
constexpr int TICKS_BEFORE_THROW = 3;

} // namespace

CElementDeviceTrampoline::CElementDeviceTrampoline(int cellX, int cellY) : CElementDevice(cellX, cellY)
{
    mark(x, y, 1);
    typeDevice = DEVICE_TRAMPOLINE;
    loadSprites();
    soundStretch = std::make_unique<SoundObject>("trampoline_stretch.ogg", false);
    soundRebound = std::make_unique<SoundObject>("trampoline_rebound.ogg", false);
    current = shown = {picture(BACK), picture(FRONT), picture(CANVAS_IDLE)};
    for (CSprite* s : {current.back, current.front, current.canvas})
        s->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
}

void CElementDeviceTrampoline::loadSprites()
{
    const bool shared = ::imagesCached(ImageClass::Trampolines);
    auto make = [&](Picture which, const char* name, int ox, int oy, int kind, int delay) {
        sprites[which] = makeSprite(name, ox, oy, kind, delay, shared);
        return sprites[which].get();
    };
    make(FRONT, "Trampoline Front", 11, 17, KIND_TRAMPOLINE_FRONT, 0)->addFrame("trampolinefront0.tga");
    CSprite* s = make(FRONT_STRETCHED_RIGHT, "Trampoline Front - Stretched Right", 20, 17, KIND_TRAMPOLINE_FRONT, 2);
    s->addFrameRepeated("trampolinefrontright0.tga", 2);
    s->addFrames("trampolinefrontright", 1, 2, ".tga", 1);
    make(FRONT_UNSTRETCHED_RIGHT, "Trampoline Front - Unstretched Right", 20, 17, KIND_TRAMPOLINE_FRONT, 2)
        ->addFrames("trampolinefrontright", 2, 0, ".tga", 1);
    make(BACK, "Trampoline Back", -9, 17, KIND_TRAMPOLINE_BACK, 0)->addFrame("trampolineback0.tga");
    make(CANVAS_IDLE, "Trampoline Canvas - Idle", 3, 15, KIND_TRAMPOLINE_CANVAS, 0)->addFrame("trampoline0.tga");
    s = make(CANVAS_STRETCHED_LEFT, "Trampoline Canvas - Stretched Left", 3, 15, KIND_TRAMPOLINE_CANVAS_LEFT, 2);
    s->addFrame("trampoline0.tga");
    s->addFrames("trampolinestretchleft", 0, 1, ".tga", 1);
    s->addFrame("trampolinestretchleftfull.tga");
    s = make(CANVAS_UNSTRETCHED_LEFT, "Trampoline Canvas - Unstretched Left", 3, 15, KIND_TRAMPOLINE_CANVAS_LEFT, 2);
    s->addFrames("trampolinestretchleft", 1, 0, ".tga", 1);
    s->addFrame("trampoline0.tga");
    s->addFrames("trampolineunstretchleft", 0, 7, ".tga", 1);
    s = make(CANVAS_STRETCHED_RIGHT, "Trampoline Canvas - Stretched Right", 16, 15, KIND_TRAMPOLINE_CANVAS, 2);
    s->addFrames("trampolinestretchright", 0, 2, ".tga", 1);
    s->addFrame("trampolinestretchrightfull.tga");
    s = make(CANVAS_UNSTRETCHED_RIGHT, "Trampoline Canvas - Unstretched Right", 16, 15, KIND_TRAMPOLINE_CANVAS, 2);
    s->addFrames("trampolinestretchright", 2, 0, ".tga", 1);
    s->addFrames("trampolineunstretchright", 0, 8, ".tga", 1);
    make(BACK_BREAKING, "Trampoline Back Breaking", -9, 17, KIND_TRAMPOLINE_BACK, 1)
        ->addFrames("trampolinebackbreak", 0, 9, ".png", 1);
    make(FRONT_BREAKING, "Trampoline Front Breaking", 11, 17, KIND_TRAMPOLINE_FRONT, 1)
        ->addFrames("trampolinefrontbreak", 0, 9, ".png", 1);
    make(CANVAS_BREAKING, "Trampoline Canvas Breaking", 3, 15, KIND_TRAMPOLINE_CANVAS, 1)
        ->addFrames("trampolinerubberbreak", 0, 9, ".png", 1);
    for (auto& each : sprites)
        each->setLocation(pixelX, pixelY, false);
}

CElementDeviceTrampoline::~CElementDeviceTrampoline()
{
    logMessage(LOG_DESTRUCT, "CElementDeviceTrampoline:  Destroying trampoline element at (%d,%d)...\n", x, y);
}

void CElementDeviceTrampoline::mark(int cellX, int cellY, uint8_t value)
{
    if (isOnBoard(cellX, cellY))
        grid[cellIndex(cellX, cellY)] = value;
}

bool CElementDeviceTrampoline::IsTrampolineAt(int cellX, int cellY)
{
    return isOnBoard(cellX, cellY) && grid[cellIndex(cellX, cellY)] != 0;
}

void CElementDeviceTrampoline::Update()
{
    if (landed && !destroyed) {
        breakOnLanding();
    } else if (!destroyed && IsMoving()) {
        followMove();
    } else if (!destroyed) {
        CElement* element = GetElementAt(x, y, true);
        const bool cameFromLeft = element->WasMovingRight();
        const bool cameFromRight = element->WasMovingLeft();
        if (cameFromLeft && !stretchedLeft)
            stretch(true);
        else if (element->IsNull() && stretchedLeft)
            release(true);
        else if (cameFromRight && !stretchedRight)
            stretch(false);
        else if (element->IsNull() && stretchedRight)
            release(false);
        if ((cameFromLeft || cameFromRight) && !element->IsMoving())
            throwBack(element, cameFromLeft);
    }
    updateSprites();
}

void CElementDeviceTrampoline::breakOnLanding()
{
    if (!soundBreaking->isPlaying())
        soundBreaking->play();
    mark(x, y, 0);
    destroyed = true;
    canFall = inGrid = false;
    if (GetElementAt(x, y, true) == this)
        ClearElementAt(x, y);
}

// Moved, it takes its mark along and from now on occupies cells; a stretch
// springs back.
void CElementDeviceTrampoline::followMove()
{
    mark(originX, originY, 0);
    mark(x, y, 1);
    if (!inGrid) {
        inGrid = true;
        SetElementAt(x, y, this);
    }
    if (stretchedLeft)
        release(true);
    else if (stretchedRight)
        release(false);
}

void CElementDeviceTrampoline::stretch(bool left)
{
    (left ? stretchedLeft : stretchedRight) = true;
    current.canvas = picture(left ? CANVAS_STRETCHED_LEFT : CANVAS_STRETCHED_RIGHT);
    current.front = picture(left ? FRONT : FRONT_STRETCHED_RIGHT);
    soundStretch->play();
}

void CElementDeviceTrampoline::release(bool left)
{
    (left ? stretchedLeft : stretchedRight) = false;
    current.canvas = picture(left ? CANVAS_UNSTRETCHED_LEFT : CANVAS_UNSTRETCHED_RIGHT);
    current.front = picture(left ? FRONT : FRONT_UNSTRETCHED_RIGHT);
    soundRebound->play();
}

void CElementDeviceTrampoline::throwBack(CElement* element, bool left)
{
    if (!(left ? element->mayBePushedLeft : element->mayBePushedRight) || element->GetSlideSum() > 0 ||
        element->IsMagnetHeld())
        return;
    const int column = GetNextColumn(left);
    const int row = GetNextRow(left);
    throwCounter = IsOccupied(column, row, true) ? 0 : throwCounter + 1;
    CElement* behind = GetElementAt(column, row, true);
    if (left)
        behind->PushLeft(false, false);
    else
        behind->PushRight(false, false);
    if (throwCounter <= TICKS_BEFORE_THROW)
        return;
    throwCounter = 0;
    logMessage(LOG_DEBUG,
               left ? "Trampoline pushing ptrElement '%s' to the left...\n"
                    : "Trampoline pushing ptrElement '%s' to the right...\n",
               element->GetTypeName());
    if (left)
        element->PushLeft(true, true);
    else
        element->PushRight(true, true);
}

void CElementDeviceTrampoline::updateSprites()
{
    if (destroyed) {
        current = {picture(BACK_BREAKING), picture(FRONT_BREAKING), picture(CANVAS_BREAKING)};
        if (current.front->isFinished())
            for (CSprite* s : {current.back, current.front, current.canvas})
                s->hide();
    }
    showCurrent(shown.front, current.front, prevPixelX, prevPixelY);
    showCurrent(shown.back, current.back, prevPixelX, prevPixelY);
    showCurrent(shown.canvas, current.canvas, prevPixelX, prevPixelY);
    for (CSprite* s : {current.back, current.front, current.canvas})
        s->setLocation(pixelX, pixelY, false);
}

void CElementDeviceTrampoline::SaveState(ElementRecord& record) const
{
    CElementDevice::SaveState(record);
    SavePart(record, "ElementDeviceTrampoline", Saved{current, shown, stretchedLeft, stretchedRight, throwCounter});
}

void CElementDeviceTrampoline::RestoreState(const ElementRecord& record)
{
    CElementDevice::RestoreState(record);
    const Saved* part = RestorePart<Saved>(record, "ElementDeviceTrampoline");
    if (!part)
        return;
    restoreSprite(current.front, part->current.front, false);
    restoreSprite(current.back, part->current.back, false);
    restoreSprite(current.canvas, part->current.canvas, false);
    shown = current;
    stretchedLeft = part->stretchedLeft;
    stretchedRight = part->stretchedRight;
    throwCounter = part->throwCounter;
}

void CElementDeviceTrampoline::DumpLine()
{
    dumpSprite(current.back);
    dumpSprite(current.front);
    dumpSprite(current.canvas);
}

void CElementDeviceTrampoline::ResetAll()
{
    grid.fill(0);
}

ClassState CElementDeviceTrampoline::classState()
{
    return keptClassState("trampolines", &CElementDeviceTrampoline::ResetAll, grid);
}
