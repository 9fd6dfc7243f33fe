#include "world/ElementTerrainBridge.h"

#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "platform/Random.h"
#include "world/ElementObject.h"
#include "world/ElementSprites.h"

#include <algorithm>
#include <string>

std::array<int, 3> CElementTerrainBridge::recentSounds_{-1, -1, -1};

namespace {

constexpr int COLLAPSE_SOUNDS = 6;

std::unique_ptr<CSprite> bridgeSprite(int originX, int originY, int layer, int delay, const char* name)
{
    return makeElementSprite(ImageClass::Bridges, originX, originY, layer, delay, name);
}

} // namespace

CElementTerrainBridge::CElementTerrainBridge(int cellX, int cellY, int material, int modifier, bool inflateLeft)
    : CElementTerrain(cellX, cellY, 1)
{
    LoadSprites(material, modifier, inflateLeft);
    CreateOverlays(true, true, true, false);
    typeTerrain = TERRAIN_BRIDGE;
    collapsing_ = burning = false;
    burnable = freezable = true;
}

CElementTerrainBridge::~CElementTerrainBridge()
{
    logMessage(LOG_DESTRUCT, "CElementTerrainBridge:  Destroying bridge element at (%d,%d)...\n", x, y);
    FreeOverlays(this);
}

int CElementTerrainBridge::PickCollapseSound()
{
    int r = 0;
    do
        r = gameRand() % COLLAPSE_SOUNDS;
    while (std::find(recentSounds_.begin(), recentSounds_.end(), r) != recentSounds_.end());
    std::rotate(recentSounds_.begin(), recentSounds_.begin() + 1, recentSounds_.end());
    recentSounds_.back() = r;
    return r;
}

void CElementTerrainBridge::LoadSprites(int material, int modifier, bool inflateLeft)
{
    collapseSound_ = PickCollapseSound();
    const std::string number = collapseSound_ == 0 ? "" : std::to_string(collapseSound_ + 1);
    CSprite* main = nullptr;
    if (material == INFLATABLE) {
        RegisterSpawned(this);
        inflating_ = burstable = burnable = true;
        section_ = bridgeSprite(19, 42, KIND_TERRAIN, 0, "Bridge (Inflatable) Section");
        section_->addFrame("bridgeinflatable0_trimmed.png");
        collapse_ = bridgeSprite(19, 15, KIND_BRIDGE_COLLAPSING, 2, "Bridge (Inflatable) Collapsing");
        collapse_->addFrames("bridgeinflatable", 0, 10, ".png", 1);
        frozenSprite_ = bridgeSprite(19, 15, KIND_TERRAIN, 0, "Bridge (Inflatable) Frozen");
        inflate_ = bridgeSprite(19, 42, KIND_TERRAIN, 2, "Bridge Inflating");
        inflate_->addFrame(inflateLeft ? "bridgeinflateleft0.png" : "bridgeinflateright0.png");
        for (const char* image : {"bridgeinflate1.png", "bridgeinflate2.png", "bridgeinflatable0_trimmed.png",
                                  "bridgeinflate4.png", "bridgeinflatable0_trimmed.png"})
            inflate_->addFrame(image);
        main = inflate_.get();
        collapseSoundObject_ =
            std::make_unique<SoundObject>(("bridge_collapse_inflatable_short" + number + ".ogg").c_str(), false);
    } else {
        inflating_ = false;
        burnable = true;
        section_ = bridgeSprite(19, 15, KIND_TERRAIN, 0, "Bridge Section");
        section_->addFrame("bridgeA0_trimmed.png");
        collapse_ = bridgeSprite(25, 47, KIND_BRIDGE_COLLAPSING, 2, "Bridge Collapsing");
        collapse_->addFrames("bridgeA", 0, 13, ".png", 1);
        frozenSprite_ = bridgeSprite(19, 15, KIND_TERRAIN, 0, "Bridge Frozen");
        main = modifier == MODIFIER_FROZEN ? frozenSprite_.get() : section_.get();
        collapseSoundObject_ =
            std::make_unique<SoundObject>(("bridge_collapse_wooden_short" + number + ".ogg").c_str(), false);
    }
    frozenSprite_->addFrame("bridgefrozen.png");
    for (CSprite* s : {section_.get(), collapse_.get(), frozenSprite_.get(), inflate_.get()})
        if (s)
            s->setLocation(pixelX, pixelY, false);
    main->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    main->play(true);
    sprite = shownSprite = main;
}

void CElementTerrainBridge::SaveState(ElementRecord& record) const
{
    CElementTerrain::SaveState(record);
    SavePart(record, "ElementTerrainBridge", Saved{collapsing_, inflating_});
}

void CElementTerrainBridge::RestoreState(const ElementRecord& record)
{
    CElementTerrain::RestoreState(record);
    if (const Saved* part = RestorePart<Saved>(record, "ElementTerrainBridge")) {
        collapsing_ = part->collapsing;
        inflating_ = part->inflating;
    }
}

void CElementTerrainBridge::Update()
{
    UpdateOverlays(this);
    CSprite* choice = section_.get();
    if (collapsing_) {
        choice = collapse_.get();
        if (choice->isFinished())
            choice->hide();
    } else if (frozen) {
        choice = frozenSprite_.get();
    } else if (burning || destroyed) {
        // Burnt away: nothing of the bridge shows again.
        shownSprite->hide();
        choice = shownSprite;
    } else if (inflating_) {
        choice = inflate_.get();
        if (choice->isFinished())
            inflating_ = false;
    }
    swapShownSprite(*this, choice);
}

void CElementTerrainBridge::Break()
{
    if (frozen)
        return;
    collapsing_ = true;
    ClearElementAt(x, y);
    if (!collapseSoundObject_->isPlaying())
        collapseSoundObject_->play();
}
