#pragma once

#include "levels/ElementCodes.h" // the level modifiers that place an object frozen or heated
#include "world/Element.h"

#include <array>

// Materials of crates and barrels (magnets and bridges have their own pair).
enum ObjectMaterial { MATERIAL_WOODEN = 0, MATERIAL_METAL = 1, MATERIAL_INFLATABLE = 2 };

// Layer of every movable object's sprites.

// The pictures of a crate or a magnet, by what they show. A slot a material
// has no picture for stays empty.
enum ObjectSlot {
    SLOT_IDLE,
    SLOT_FROZEN_IDLE,
    SLOT_HEATED_IDLE,
    SLOT_FALL_LEFT,
    SLOT_FROZEN_FALL_LEFT,
    SLOT_HEATED_FALL_LEFT,
    SLOT_FALL_RIGHT,
    SLOT_FROZEN_FALL_RIGHT,
    SLOT_HEATED_FALL_RIGHT,
    SLOT_SQUASHED,
    SLOT_HEATED_SQUASHED,
    SLOT_INFLATING,
    SLOT_COOLING,
    OBJECT_SLOTS
};

using ObjectSprites = std::array<std::unique_ptr<CSprite>, OBJECT_SLOTS>;

// The movable things the professor pushes around: crates, barrels and
// magnets. Falling, sliding, pushing and heat are the world's rules; an
// object gives its flags and slides and, once per tick, picks the picture
// that shows its state. `busy` means inflating: things the power-ups make
// inflate into place first.
class CElementObject : public CElement
{
public:
    CElementObject(int x, int y);

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    // A frozen object is slippery to what stands on it.
    int GetSurfaceSlide() const override;
    void DumpDebug() override;

protected:
    // Sets the material flags; an inflatable object is spawned during play
    // and starts inflating.
    void SetMaterialFlags(int material);
    // The first picture: inflating, else idle, frozen idle or heated idle by
    // the level modifier where the material has that picture.
    void ShowFirstPicture(CSprite* inflating, CSprite* idle, CSprite* frozenIdle, CSprite* heatedIdle, int modifier);
    // One tick of a crate's or a magnet's pictures: a crate shows its
    // falling pictures only while it really drops, a magnet while it falls
    // and was not pushed.
    void UpdateSlotAnimation(ObjectSprites& slots, bool magnet);

private:
    CSprite* ChooseSlot(ObjectSprites& slots, bool magnet);
};
