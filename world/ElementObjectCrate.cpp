#include "world/ElementObjectCrate.h"

#include "engine/Log.h"
#include "world/ElementSprites.h"

namespace {

constexpr int SQUASH_FRAMES = 5;

struct CrateLook {
    const char* names[OBJECT_SLOTS];
    int originX, originY; // of the plain pictures; frozen ones stand at 19,14
};

const CrateLook kLooks[] = {
    {{"Crate (Wooden) Idle", "Crate (Wooden,Frozen) Idle", nullptr, "Crate (WoodenA) Falling Left",
      "Crate (Wooden,Frozen) Falling Left", nullptr, "Crate (WoodenA) Falling Right",
      "Crate (Wooden,Frozen) Falling Right", nullptr, "Crate (WoodenA) Squashed", nullptr, nullptr, nullptr},
     23, 13},
    {{"Crate (Metal) Idle", "Crate (Metal,Frozen) Idle", "Crate (Metal,Heated) Idle", "Crate (Metal) Falling Left",
      "Crate (Metal,Frozen) Falling Left", "Crate (Metal,Heated) Falling Left", "Crate (Metal) Falling Right",
      "Crate (Metal,Frozen) Falling Right", "Crate (Metal,Heated) Falling Right", "Crate (Metal) Squashed",
      "Crate (Metal,Heated) Squashed", nullptr, "Crate (Metal) Cooling"},
     23, 13},
    {{"Crate (Inflated) Idle", "Crate (Inflated,Frozen) Idle", nullptr, "Crate (Inflated) Falling Left",
      "Crate (Inflated,Frozen) Falling Left", nullptr, "Crate (Inflated) Falling Right",
      "Crate (Inflated,Frozen) Falling Right", nullptr, "Crate (Inflated) Squashed", nullptr, nullptr, nullptr},
     20, 15},
};

// The image stems of the plain pictures by material, before "0.tga" (or
// "0b.tga" for the other grain of wood).
const char* const kStems[] = {"crate", "metalcrate", "crateinflatable"};

void addSquashFrames(CSprite& s, const std::string& stem, const std::string& still, const char* suffix)
{
    const char* order[SQUASH_FRAMES] = {"squash0", "squash1", "squash0", nullptr, "squash4"};
    for (const char* part : order)
        s.addFrame((part ? stem + part + suffix : still).c_str());
}

} // namespace

std::string CElementObjectCrate::WoodenImage(const char* stem, int column)
{
    return std::string(stem) + (column % 2 == 0 ? "b.tga" : ".tga");
}

CElementObjectCrate::CElementObjectCrate(int cellX, int cellY, int material, int modifier, bool inflateLeft)
    : CElementObject(cellX, cellY)
{
    SetElementAt(cellX, cellY, this);
    LoadSprites(material, modifier, inflateLeft);
    CreateOverlays(true, true, true, false);
    typeObject = OBJECT_CRATE;
}

CElementObjectCrate::~CElementObjectCrate()
{
    logMessage(LOG_DESTRUCT, "CElementObjectCrate:  Destroying crate element at (%d,%d)...\n", x, y);
    FreeOverlays(this);
}

void CElementObjectCrate::SaveState(ElementRecord& record) const
{
    CElementObject::SaveState(record);
    LogPart(true, "ElementObjectCrate");
}

void CElementObjectCrate::RestoreState(const ElementRecord& record)
{
    CElementObject::RestoreState(record);
    LogPart(false, "ElementObjectCrate");
}

void CElementObjectCrate::LoadSprites(int material, int modifier, bool inflateLeft)
{
    if (material < MATERIAL_WOODEN || material > MATERIAL_INFLATABLE)
        material = MATERIAL_WOODEN;
    SetMaterialFlags(material);
    const CrateLook& look = kLooks[material];
    const std::string stem = kStems[material];
    auto make = [&](ObjectSlot slot, int originX, int originY, int delay) -> CSprite& {
        slots_[slot] = makeElementSprite(ImageClass::Crates, originX, originY, KIND_OBJECT, delay,
                                         look.names[slot]);
        return *slots_[slot];
    };
    auto plain = [&](ObjectSlot slot, const char* part) {
        std::string image = material == MATERIAL_WOODEN ? WoodenImage(("crate" + std::string(part) + "0").c_str(), x)
                                                         : stem + part + "0.tga";
        make(slot, look.originX, look.originY, 0).addFrame(image.c_str());
    };
    plain(SLOT_IDLE, "still");
    plain(SLOT_FALL_LEFT, "left");
    plain(SLOT_FALL_RIGHT, "right");
    make(SLOT_FROZEN_IDLE, 19, 14, 0).addFrame((stem + "stillfrozen0.tga").c_str());
    make(SLOT_FROZEN_FALL_LEFT, 19, 14, 0).addFrame((stem + "leftfrozen0.tga").c_str());
    make(SLOT_FROZEN_FALL_RIGHT, 19, 14, 0).addFrame((stem + "rightfrozen0.tga").c_str());

    const bool otherGrain = material == MATERIAL_WOODEN && x % 2 == 0;
    const char* suffix = otherGrain ? "b.tga" : ".tga";
    addSquashFrames(make(SLOT_SQUASHED, look.originX, look.originY, 2), stem, stem + "still0" + suffix, suffix);

    if (material == MATERIAL_METAL) {
        make(SLOT_HEATED_IDLE, 23, 13, 0).addFrame("metalcrateheated.png");
        make(SLOT_HEATED_FALL_LEFT, 23, 13, 0).addFrame("metalcrateheatedleft.png");
        make(SLOT_HEATED_FALL_RIGHT, 23, 13, 0).addFrame("metalcrateheatedright.png");
        addSquashFrames(make(SLOT_HEATED_SQUASHED, 23, 13, 2), "metalcrateheated", "metalcrateheated.png", ".png");
        make(SLOT_COOLING, 23, 13, 2).addFrames("metalcratecooling", 0, 6, ".png", 1);
    } else if (material == MATERIAL_INFLATABLE) {
        slots_[SLOT_INFLATING] = makeElementSprite(ImageClass::Crates, 20, 15, KIND_OBJECT, 2,
                                                   inflateLeft ? "Crate Inflating Left" : "Crate Inflating Right");
        slots_[SLOT_INFLATING]->addFrame(inflateLeft ? "crateinflateleft0.tga" : "crateinflateright0.tga");
        slots_[SLOT_INFLATING]->addFrames("crateinflate", 1, 4, ".tga", 1);
    }
    ShowFirstPicture(slots_[SLOT_INFLATING].get(), slots_[SLOT_IDLE].get(), slots_[SLOT_FROZEN_IDLE].get(),
                     slots_[SLOT_HEATED_IDLE].get(), modifier);
}

void CElementObjectCrate::UpdateAnimation() { UpdateSlotAnimation(slots_, false); }
