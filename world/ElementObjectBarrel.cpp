#include "world/ElementObjectBarrel.h"

#include "engine/Log.h"
#include "world/ElementSprites.h"

#include <string>

namespace {

constexpr int COOLING_STEPS = 7;

struct BarrelLook {
    const char* material; // in the sprite names
    const char* stem;     // of the images
    const char* suffix;
    int originX, originY; // of the plain pictures
};

const BarrelLook kLooks[] = {
    {"Wooden", "barrel", ".tga", 19, 15},
    {"Metal", "metalbarrel", ".png", 19, 15},
    {"Inflated", "barrelinflatable", ".tga", 20, 16},
};

} // namespace

CElementObjectBarrel::CElementObjectBarrel(int cellX, int cellY, int material, int modifier, bool inflateLeft)
    : CElementObject(cellX, cellY)
{
    SetElementAt(cellX, cellY, this);
    LoadSprites(material, modifier, inflateLeft);
    LoadCoolingSprites();
    CreateOverlays(true, true, true, false);
    typeObject = OBJECT_BARREL;
}

CElementObjectBarrel::~CElementObjectBarrel()
{
    logMessage(LOG_DESTRUCT, "CElementObjectBarrel:  Destroying barrel element at (%d,%d)...\n", x, y);
    for (auto& slot : slots_)
        slot.reset();
    logMessage(LOG_DESTRUCT, "CElementObjectBarrel:  Destroying local cooling sprites...\n");
    for (auto& set : coolingRolls_)
        for (auto& roll : set)
            roll.reset();
    FreeOverlays(this);
}

void CElementObjectBarrel::SaveState(ElementRecord& record) const
{
    CElementObject::SaveState(record);
    SavePart(record, "ElementObjectBarrel", Saved{rollFrame_, coolingState_});
}

void CElementObjectBarrel::RestoreState(const ElementRecord& record)
{
    CElementObject::RestoreState(record);
    if (const Saved* part = RestorePart<Saved>(record, "ElementObjectBarrel")) {
        rollFrame_ = part->rollFrame;
        coolingState_ = part->coolingState;
    }
}

int CElementObjectBarrel::GetOwnSlide() const { return (frozen ? -1 : 0) - (grabbed ? 0 : 1); }

void CElementObjectBarrel::LoadSprites(int material, int modifier, bool inflateLeft)
{
    if (material < MATERIAL_WOODEN || material > MATERIAL_INFLATABLE)
        material = MATERIAL_WOODEN;
    SetMaterialFlags(material);
    const BarrelLook& look = kLooks[material];
    const std::string stem = look.stem;
    auto make = [&](Slot slot, int originX, int originY, const std::string& name) -> CSprite& {
        slots_[slot] = makeElementSprite(ImageClass::Barrels, originX, originY, KIND_OBJECT, 2,
                                         internName("Barrel (" + std::string(look.material) + name));
        return *slots_[slot];
    };
    // The metal barrel's plain roll starts one frame on.
    auto roll = [&](CSprite& s, const std::string& prefix) {
        if (material == MATERIAL_METAL && (prefix == stem || prefix == stem + "heated")) {
            s.addFrames(prefix.c_str(), 1, 7, look.suffix, 1);
            s.addFrame((prefix + "0" + look.suffix).c_str());
        } else {
            s.addFrames(prefix.c_str(), 0, 7, look.suffix, 1);
        }
        s.setLooping(true);
    };
    const bool wooden = material == MATERIAL_WOODEN;
    roll(make(IDLE, look.originX, look.originY, ") Idle"), stem);
    roll(make(FROZEN_IDLE, 21, 17, ",Frozen) Idle"), stem + "frozen");
    roll(make(HEATED_IDLE, 19, 15, ",Heated) Idle"), stem + "heated");
    roll(make(FALL, look.originX, look.originY, wooden ? ") Falling" : ") Falling Right"), stem + "fall");
    roll(make(FROZEN_FALL, 21, 17, ",Frozen) Falling Right"), stem + "fallfrozen");
    roll(make(HEATED_FALL, 19, 15, ",Heated) Falling Right"), stem + "fallheated");
    if (material == MATERIAL_METAL) {
        make(COOLING_IDLE_SLOT, 19, 15, ",Cooling) Idle").addFrames("metalbarrelcooling", 0, 6, ".png", 1);
        make(COOLING_FALL_SLOT, 19, 15, ",Cooling) Falling Right").addFrames("metalbarrelcooling", 0, 6, ".png", 1);
    } else if (material == MATERIAL_INFLATABLE) {
        slots_[INFLATING] = makeElementSprite(ImageClass::Barrels, 20, 16, KIND_OBJECT, 2,
                                              inflateLeft ? "Barrel Inflating Left" : "Barrel Inflating Right");
        CSprite& s = *slots_[INFLATING];
        s.addFrame(inflateLeft ? "barrelinflateleft0.tga" : "barrelinflateright0.tga");
        for (const char* image : {"barrelinflate1.tga", "barrelinflate2.tga", "barrelinflatable0.tga",
                                  "barrelinflate4.tga"})
            s.addFrame(image);
    }

    ShowFirstPicture(slots_[INFLATING].get(), slots_[IDLE].get(), slots_[FROZEN_IDLE].get(), slots_[HEATED_IDLE].get(),
                     modifier);
}

void CElementObjectBarrel::LoadCoolingSprites()
{
    static const char* const names[] = {"Barrel (Metal,Cooling) Idle", "Barrel (Metal,Cooling) Left Roll",
                                        "Barrel (Metal,Cooling) Right Roll"};
    for (int set = 0; set < 3; ++set) {
        for (int r = 0; r < ROLL_FRAMES; ++r) {
            auto s = makeElementSprite(ImageClass::Barrels, 19, 15, KIND_OBJECT, 2, names[set]);
            for (int step = 0; step < COOLING_STEPS; ++step) {
                int shown = set == 0 ? r : set == 1 ? (r - step + ROLL_FRAMES) % ROLL_FRAMES : (r + step) % ROLL_FRAMES;
                s->addFrame(("metalbarrelcooling" + std::to_string(shown) + "-" + std::to_string(step) + ".png").c_str());
            }
            s->setLocation(pixelX, pixelY, false);
            coolingRolls_[set][r] = std::move(s);
        }
    }
}

int CElementObjectBarrel::RollFrameOf(int coolingFrame, int state) const
{
    switch (state) {
    case COOLING_LEFT: return ((rollFrame_ - coolingFrame) % ROLL_FRAMES + ROLL_FRAMES) % ROLL_FRAMES;
    case COOLING_RIGHT: return (coolingFrame + rollFrame_) % ROLL_FRAMES;
    default: return rollFrame_;
    }
}

void CElementObjectBarrel::UpdateAnimation()
{
    if (destroyed)
        return;
    UpdateOverlays(this);
    if (sprite->isFinished()) {
        if (busy) {
            sprite->resetAnimation();
            busy = false;
        } else if (wasHeated) {
            sprite->resetAnimation();
            wasHeated = false;
        }
    }
    if (!wasHeated) {
        if (busy) {
            sprite = slots_[INFLATING].get();
        } else if (burning) {
            sprite->hide();
        } else if (!falling || IsMagnetHeld()) {
            sprite = slots_[frozen ? FROZEN_IDLE : heated ? HEATED_IDLE : IDLE].get();
            if (moving)
                sprite->play(!facingLeft);
            else if (!grabFlagA && !grabFlagB)
                sprite->stopAnimation();
            else
                sprite->play(!grabFlagA);
        } else {
            sprite = slots_[frozen ? FROZEN_FALL : heated ? HEATED_FALL : FALL].get();
            sprite->play(!facingLeft);
        }
    }
    UpdateCooling();
    if (sprite != shownSprite) {
        DumpLine();
        shownSprite->hide();
        shownSprite->reset();
        sprite->show(prevPixelX, prevPixelY);
        shownSprite = sprite;
    }
    placeElementSprites(*this);
}

void CElementObjectBarrel::UpdateCooling()
{
    if (!wasHeated) {
        if (coolingState_ != COOLING_NONE) {
            sprite->setFrame(RollFrameOf(shownSprite->getFrame(), coolingState_));
            coolingState_ = COOLING_NONE;
        }
        return;
    }
    if (coolingState_ == COOLING_NONE)
        rollFrame_ = sprite->getFrame();
    const int wanted = !moving ? COOLING_IDLE : facingLeft ? COOLING_LEFT : COOLING_RIGHT;
    if (coolingState_ != wanted) {
        const int old = coolingState_;
        if (old != COOLING_NONE)
            rollFrame_ = RollFrameOf(sprite->getFrame(), old);
        sprite = coolingRolls_[wanted - 1][rollFrame_].get();
        if (old != COOLING_NONE)
            sprite->setFrame(shownSprite->getFrame());
        coolingState_ = wanted;
        static const char* const lines[] = {"*** S_COOLING_IDLE starting at frame %i\n",
                                            "*** S_COOLING_MOVING_LEFT starting at frame %i\n",
                                            "*** S_COOLING_MOVING_RIGHT starting at frame %i\n"};
        logMessage(LOG_DEBUG, lines[wanted - 1], rollFrame_);
    }
    sprite->play(true);
}
