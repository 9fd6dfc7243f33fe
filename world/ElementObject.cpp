#include "world/ElementObject.h"

#include "engine/Log.h"
#include "world/ElementSprites.h"

namespace {

CSprite* slotOr(ObjectSprites& slots, ObjectSlot wanted, ObjectSlot fallback)
{
    return slots[wanted] ? slots[wanted].get() : slots[fallback].get();
}

} // namespace

CElementObject::CElementObject(int cellX, int cellY) : CElement(cellX, cellY, 1)
{
    type = ELEMENT_OBJECT;
    busy = false;
    inGrid = canFall = movable = mobile = freezable = true;
}

void CElementObject::SaveState(ElementRecord& record) const
{
    LogPart(true, "ElementObject");
    CElement::SaveState(record);
}

void CElementObject::RestoreState(const ElementRecord& record)
{
    LogPart(false, "ElementObject");
    CElement::RestoreState(record);
}

int CElementObject::GetSurfaceSlide() const { return frozen && !onTrampoline ? -1 : 0; }

void CElementObject::DumpDebug()
{
    logMessage(LOG_DEBUG,
               "TYPE=%d  OBJECT=%d  CURRENT=(%d,%d)  WASMOVINGLEFT=%d  WASMOVINGRIGHT=%d  WASMOVINGUP=%d  "
               "WASMOVINGDOWN=%d\n",
               type, typeObject, x, y, wasMovingLeft, wasMovingRight, wasMovingUp, wasMovingDown);
    logMessage(LOG_DEBUG,
               "        MOVING=%d  FALLING=%d (%d)  SLIDING=%d  PUSHING=%d  PUSHED=%d  MAGNETIC=%d  MAGNETHELD=%d  "
               "TRAMP=%d\n",
               moving, falling, landed, sliding, pushing, pushed, magnetic, IsMagnetHeld(), onTrampoline);
}

void CElementObject::SetMaterialFlags(int material)
{
    switch (material) {
    case MATERIAL_WOODEN: burnable = true; break;
    case MATERIAL_METAL: metallic = heatable = true; break;
    default:
        burstable = burnable = busy = true;
        RegisterSpawned(this);
        break;
    }
}

void CElementObject::ShowFirstPicture(CSprite* inflating, CSprite* idle, CSprite* frozenIdle, CSprite* heatedIdle,
                                      int modifier)
{
    CSprite* first = idle;
    if (busy)
        first = inflating;
    else if (modifier == MODIFIER_FROZEN && frozenIdle)
        first = frozenIdle;
    else if (modifier == MODIFIER_HEATED && heatedIdle)
        first = heatedIdle;
    first->setLocation(pixelX, pixelY, false);
    first->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    first->play(true);
    sprite = shownSprite = first;
}

CSprite* CElementObject::ChooseSlot(ObjectSprites& slots, bool magnet)
{
    if (!moving && landing && !frozen) {
        if (heated)
            return slotOr(slots, SLOT_HEATED_SQUASHED, SLOT_SQUASHED);
        return wasHeated ? slotOr(slots, SLOT_COOLING, SLOT_SQUASHED) : slots[SLOT_SQUASHED].get();
    }
    bool resting = magnet ? pushed || !falling || IsMagnetHeld() : !falling || IsMagnetHeld() || pixelY == prevPixelY;
    if (resting) {
        if (frozen)
            return slots[SLOT_FROZEN_IDLE].get();
        if (heated)
            return slotOr(slots, SLOT_HEATED_IDLE, SLOT_IDLE);
        return wasHeated ? slotOr(slots, SLOT_COOLING, SLOT_IDLE) : slots[SLOT_IDLE].get();
    }
    // Dropping: after a move to the left the picture turns the other way.
    const bool right = wasMovingLeft;
    if (frozen)
        return slots[right ? SLOT_FROZEN_FALL_RIGHT : SLOT_FROZEN_FALL_LEFT].get();
    const ObjectSlot plain = right ? SLOT_FALL_RIGHT : SLOT_FALL_LEFT;
    if (heated)
        return slotOr(slots, right ? SLOT_HEATED_FALL_RIGHT : SLOT_HEATED_FALL_LEFT, plain);
    wasHeated = false;
    return slots[plain].get();
}

void CElementObject::UpdateSlotAnimation(ObjectSprites& slots, bool magnet)
{
    if (destroyed)
        return;
    UpdateOverlays(this);
    CSprite* choice = nullptr;
    if (!sprite->isFinished()) {
        if ((moving || frozen) && landing) {
            sprite->resetAnimation();
            landing = false;
        }
        if (busy)
            choice = slots[SLOT_INFLATING].get();
    } else if (busy) {
        busy = false;
    } else if (landing) {
        landing = false;
    } else {
        wasHeated = false;
    }
    if (!choice && burning) {
        shownSprite->hide();
        choice = shownSprite;
    }
    if (!choice)
        choice = ChooseSlot(slots, magnet);
    swapShownSprite(*this, choice);
    placeElementSprites(*this);
}
