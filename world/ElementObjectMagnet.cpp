#include "world/ElementObjectMagnet.h"

#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "world/ElementSprites.h"

#include <algorithm>
#include <string>

std::vector<CElementObjectMagnet*> CElementObjectMagnet::allMagnets_;

namespace {

// Not landed, not falling, and free to fall: it will drop this tick.
bool isAboutToFall(CElement* e) { return !e->landed && !e->falling && e->CanFall(false); }

// The link of `e` on that side.
CElement*& linkOn(CElement* e, bool left) { return left ? e->holderA : e->holderB; }

// A bump from the side the element lies on, seen from the magnet.
void bumpFrom(CElement* e, bool liesLeft)
{
    if (liesLeft)
        e->BumpedLeft();
    else
        e->BumpedRight();
}

bool pushToward(CElement* e, bool left) { return left ? e->PushLeft(true, false) : e->PushRight(true, false); }

} // namespace

CElementObjectMagnet::CElementObjectMagnet(int cellX, int cellY, int material, int modifier, bool facingLeftFace)
    : CElementObject(cellX, cellY)
{
    logMessage(LOG_CONSTRUCT, "Adding magnet to allMagnets...%d\n", static_cast<int>(allMagnets_.size()));
    allMagnets_.push_back(this);
    SetElementAt(cellX, cellY, this);
    metallic = magnetic = true;
    facesLeft_ = facingLeftFace;
    LoadSprites(material, modifier);
    CreateOverlays(true, true, true, true);
    typeObject = OBJECT_MAGNET;
    empTimer_ = 0;
    typeMagnet = facesLeft_ ? FACES_LEFT : FACES_RIGHT;
}

CElementObjectMagnet::~CElementObjectMagnet()
{
    logMessage(LOG_DESTRUCT, "CElementObjectMagnet:  Destroying magnet element at (%d,%d)...\n", x, y);
    allMagnets_.erase(std::remove(allMagnets_.begin(), allMagnets_.end(), this), allMagnets_.end());
    logMessage(LOG_DESTRUCT, "CElementObjectMagnet:  Destroying local sprites...\n");
    for (auto& slot : slots_)
        slot.reset();
    for (auto& spare : spareCooling_)
        spare.reset();
    FreeOverlays(this);
    logMessage(LOG_DESTRUCT, "CElementObjectMagnet:  Destroying local sounds...\n");
    attractSound_.reset();
    repelSound_.reset();
}

void CElementObjectMagnet::LoadSprites(int material, int modifier)
{
    const bool inflatable = material == INFLATABLE;
    if (inflatable) {
        burstable = burnable = busy = true;
        RegisterSpawned(this);
    } else {
        heatable = true;
    }
    const std::string facing = facesLeft_ ? "left" : "right";
    const std::string facingName = facesLeft_ ? "Left" : "Right";
    const std::string prefix = "magnet" + std::string(inflatable ? "inflatable" : "") + facing;
    const std::string nameHead = "Magnet (" + facingName + (inflatable ? ",Inflated" : ",Normal");

    // Origins by the kind of picture: plain, frozen, heated, and the falling-
    // right pictures of an inflatable left-facing magnet.
    struct Origin {
        int x, y;
    };
    auto originOf = [&](bool frozenOrHeated, bool isFrozen, bool fallRight) -> Origin {
        if (!inflatable) {
            if (isFrozen)
                return facesLeft_ ? Origin{20, 14} : Origin{20, 13};
            return facesLeft_ ? Origin{16, 12} : Origin{18, 12};
        }
        if (!frozenOrHeated)
            return facesLeft_ ? Origin{16, 12} : Origin{18, 11};
        return facesLeft_ && !fallRight ? Origin{19, 12} : Origin{20, 11};
    };
    struct Picture {
        ObjectSlot slot;
        const char* state;   // in the sprite name
        const char* variant; // ",Frozen", ",Heated" or ""
        const char* normal;  // image part of a normal magnet
        const char* inflated;
        bool fallRight;
    };
    static const Picture pictures[] = {
        {SLOT_IDLE, "Idle", "", "still0.tga", "still0.tga", false},
        {SLOT_FROZEN_IDLE, "Idle", ",Frozen", "stillfrozen0.tga", "stillfrozen0.tga", false},
        {SLOT_HEATED_IDLE, "Idle", ",Heated", "heatednormal.png", "stillheated0.tga", false},
        {SLOT_FALL_LEFT, "Falling Left", "", "left0.tga", "left0.tga", false},
        {SLOT_FROZEN_FALL_LEFT, "Falling Left", ",Frozen", "leftfrozen0.tga", "leftfrozen0.tga", false},
        {SLOT_HEATED_FALL_LEFT, "Falling Left", ",Heated", "heatedleft.png", "leftheated0.tga", false},
        {SLOT_FALL_RIGHT, "Falling Right", "", "right0.tga", "right0.tga", true},
        {SLOT_FROZEN_FALL_RIGHT, "Falling Right", ",Frozen", "rightfrozen0.tga", "rightfrozen0.tga", true},
        {SLOT_HEATED_FALL_RIGHT, "Falling Right", ",Heated", "heatedright.png", "rightheated0.tga", true},
    };
    auto make = [&](ObjectSlot slot, Origin origin, int delay, const std::string& name) -> CSprite& {
        slots_[slot] = makeElementSprite(ImageClass::Magnets, origin.x, origin.y, KIND_OBJECT, delay,
                                         internName(name));
        return *slots_[slot];
    };
    for (const Picture& p : pictures) {
        const std::string variant = p.variant;
        Origin origin = originOf(!variant.empty(), variant == ",Frozen", p.fallRight);
        make(p.slot, origin, 0, nameHead + p.variant + ") " + p.state)
            .addFrame((prefix + (inflatable ? p.inflated : p.normal)).c_str());
    }
    CSprite& squash = make(SLOT_SQUASHED, originOf(false, false, false), 2, nameHead + ") Squashed");
    for (const char* part : {"squash0.tga", "squash1.tga", "squash0.tga", "still0.tga", "squash4.tga"})
        squash.addFrame((prefix + part).c_str());

    if (inflatable) {
        const std::string stem = "magnetinflate" + facing;
        CSprite& s = make(SLOT_INFLATING, originOf(false, false, false), 2, "Magnet Inflating " + facingName);
        s.addFrames(stem.c_str(), 0, 2, ".tga", 1);
        s.addFrame((prefix + "still0.tga").c_str());
        s.addFrame((stem + "4.tga").c_str());
    } else {
        CSprite& heatedSquash = make(SLOT_HEATED_SQUASHED, originOf(true, false, false), 2, nameHead + ",Heated) Squashed");
        for (const char* part : {"heatedsquash0.png", "heatedsquash1.png", "heatedsquash0.png", "heatednormal.png",
                                 "heatedsquash4.png"})
            heatedSquash.addFrame((prefix + part).c_str());
        const std::string cooling = "magnet" + facing + "cooling";
        make(SLOT_COOLING, {18, 12}, 2, "Magnet Cooling " + facingName + " (Idle)")
            .addFrames(cooling.c_str(), 0, 6, ".png", 1);
        const char* spares[] = {" (Left Fall)", " (Right Fall)", " (Squash)"};
        for (size_t i = 0; i < spareCooling_.size(); ++i) {
            spareCooling_[i] = makeElementSprite(ImageClass::Magnets, 18, 12, KIND_OBJECT, 2,
                                                 internName("Magnet Cooling " + facingName + spares[i]));
            spareCooling_[i]->addFrames(cooling.c_str(), 0, 6, ".png", 1);
        }
    }
    attractSound_ = std::make_unique<SoundObject>("magnet_attract.ogg", false);
    repelSound_ = std::make_unique<SoundObject>("magnet_repel.ogg", false);
    ShowFirstPicture(slots_[SLOT_INFLATING].get(), slots_[SLOT_IDLE].get(), slots_[SLOT_FROZEN_IDLE].get(),
                     slots_[SLOT_HEATED_IDLE].get(), modifier);
}

void CElementObjectMagnet::SaveState(ElementRecord& record) const
{
    CElementObject::SaveState(record);
    SavePart(record, "ElementObjectMagnet", SavedMagnet{empTimer_});
}

void CElementObjectMagnet::RestoreState(const ElementRecord& record)
{
    CElementObject::RestoreState(record);
    if (const SavedMagnet* part = RestorePart<SavedMagnet>(record, "ElementObjectMagnet"))
        empTimer_ = part->empTimer;
}

void CElementObjectMagnet::Update()
{
    if (empTimer_ >= 1)
        --empTimer_;
    else if (!magnetic)
        magnetic = true;
    UpdateAnimation();
}

void CElementObjectMagnet::UpdateAnimation() { UpdateSlotAnimation(slots_, true); }

// ---- The pull.

void CElementObjectMagnet::AttractAll()
{
    for (size_t i = 0; i < allMagnets_.size(); ++i) {
        CElementObjectMagnet* magnet = allMagnets_[i];
        if (magnet->magnetic && !magnet->IsMoving())
            magnet->Attract();
    }
}

void CElementObjectMagnet::PlayAttract(bool wasFree)
{
    if (wasFree && attractedBefore_)
        attractSound_->play();
}

void CElementObjectMagnet::Attract()
{
    const bool faceLeft = IsMagnetType1();
    const int frontX = GetNextColumn(faceLeft), frontY = GetNextRow(faceLeft);
    CElement* front = GetElementAt(frontX, frontY);
    CElement* back = GetElementAt(GetNextColumn(!faceLeft), GetNextRow(!faceLeft));
    CElement* beyond = GetElementAt(GetNextColumnAt(frontX, frontY, faceLeft, true),
                                    GetNextRowAt(frontX, frontY, faceLeft, true));

    if (destroyed || burning) {
        holderA->ClearHoldingMagnetB();
        holderB->ClearHoldingMagnetA();
        ClearHoldingMagnets(true, true);
        return;
    }
    // Every pass lets go and decides afresh.
    CElement*& face = linkOn(this, faceLeft);
    const bool wasFree = face->IsNull();
    // An anchor points at the magnet itself, whose back link is not the
    // anchor's to drop.
    if (face != this)
        linkOn(face, !faceLeft) = nullElement;
    face = nullElement;

    const bool facesBack = faceLeft ? front->IsMagnetType2() : front->IsMagnetType1();
    if (facesBack) {
        Repel(front, back, beyond, faceLeft);
    } else if (IsLadderPlatformAt(frontX, frontY)) {
        PlayAttract(wasFree);
        face = this;
    } else if (!front->IsMoving() && front->metallic && !front->IsCatching()) {
        PlayAttract(wasFree);
        face = front;
        linkOn(front, !faceLeft) = this;
    }
    attractedBefore_ = true;
}

// Two faces that look at each other push both magnets one cell apart; one
// about to drop stays where it is.
bool CElementObjectMagnet::Repel(CElement* front, CElement* back, CElement* beyond, bool faceLeft)
{
    if (front->IsMoving())
        return false;
    bool pushed = false;
    if (!isAboutToFall(this)) {
        bumpFrom(back, !faceLeft);
        pushed = pushToward(this, !faceLeft);
    }
    if (!isAboutToFall(front)) {
        bumpFrom(beyond, faceLeft);
        pushed = pushToward(front, faceLeft) || pushed;
    }
    if (pushed && !repelSound_->isPlaying())
        repelSound_->play();
    return pushed;
}

void CElementObjectMagnet::ActivateEMP()
{
    logMessage(LOG_DEBUG, "CElementObjectMagnet:  Activating EMP\n");
    for (CElementObjectMagnet* m : allMagnets_) {
        if (m->destroyed)
            continue;
        m->empTimer_ = EMP_TICKS;
        m->magnetic = false;
        m->holderA->ClearHoldingMagnets(true, true);
        m->holderB->ClearHoldingMagnets(true, true);
        m->ClearHoldingMagnets(true, true);
        m->empStunned = true;
    }
}

// ---- The list of magnets through undo and reset.

ClassState CElementObjectMagnet::classState()
{
    return keptClassState("magnets", &CElementObjectMagnet::ClearMagnetLists, allMagnets_);
}

void CElementObjectMagnet::ClearMagnetLists()
{
    allMagnets_.clear();
}
