// The whole-world snapshot. One walk over the world's state serves the three
// uses: saving it into bytes, loading it back, and hashing it. Each element
// class lists its fields once, in WorldSnapshotAccess below.
#include "world/WorldSnapshot.h"

#include "engine/Sprite.h"
#include "levels/Profile.h"
#include "world/ElementAIBot.h"
#include "world/ElementAIProfessor.h"
#include "world/ElementDeviceButton.h"
#include "world/ElementDeviceGate.h"
#include "world/ElementDeviceGunshot.h"
#include "world/ElementDevicePowerup.h"
#include "world/ElementDeviceTeleport.h"
#include "world/ElementDeviceTrampoline.h"
#include "world/ElementDeviceTube.h"
#include "world/ElementObjectBarrel.h"
#include "world/ElementObjectCrate.h"
#include "world/ElementObjectMagnet.h"
#include "world/ElementTerrain.h"
#include "world/ElementTerrainBridge.h"
#include "world/ElementTutorial.h"
#include "world/WorldLinks.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

using Ghosts = std::vector<std::shared_ptr<const CSprite>>;

// Elements made after a snapshot and taken out of the world by a restore,
// kept while a snapshot holds them.
std::unordered_set<CElement*> setAside;
// How many snapshots hold each element made during play: one that none holds
// and the world no longer has is deleted.
std::unordered_map<const CElement*, int> holds;

// A snapshot keeps its world as blocks of this many bytes that differ from
// the run's base, the world as its first snapshot took it: most of a world
// (the terrain, the pictures not shown) never changes, so a snapshot is a
// few blocks where a whole copy would be tens of kilobytes.
constexpr size_t BLOCK = 32;
using Blocks = std::vector<uint64_t>; // a bit per block: kept in the snapshot

// The whole world written out by a take, before it is set against the base;
// kept at its size from take to take.
WorldSnapshot::Bytes scratch;
// The base of this run's snapshots (each holds it too).
std::shared_ptr<const WorldSnapshot::Bytes> runBase;
// The class-wide states the last take kept: a take that finds one unchanged
// shares it instead of copying it again.
std::vector<std::shared_ptr<const std::any>> lastClassStates;
// The list of elements a restore reads first.
std::vector<CElement*> restoredElements;

bool sameBlock(const uint8_t* a, const uint8_t* b)
{
    uint64_t difference = 0;
    for (size_t i = 0; i < BLOCK; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        difference |= x ^ y;
    }
    return difference == 0;
}

bool isChanged(const std::vector<uint64_t>& changed, size_t block)
{
    return (changed[block / 64] >> (block % 64)) & 1U;
}

// Reads the world back from the base and the changed blocks, in the order it
// was written.
class DeltaReader
{
public:
    DeltaReader(const WorldSnapshot::Bytes& base, const std::vector<uint64_t>& changed,
                const WorldSnapshot::Bytes& blocks)
        : base_(base.data()), changed_(changed), blocks_(blocks.data())
    {
    }

    void read(void* to, size_t size, size_t& cursor)
    {
        auto* out = static_cast<uint8_t*>(to);
        while (size > 0) {
            const size_t block = cursor / BLOCK;
            const size_t offset = cursor % BLOCK;
            advanceTo(block);
            const size_t part = std::min(size, BLOCK - offset);
            const uint8_t* from =
                isChanged(changed_, block) ? blocks_ + index_ * BLOCK + offset : base_ + cursor;
            std::memcpy(out, from, part);
            out += part;
            cursor += part;
            size -= part;
        }
    }

private:
    void advanceTo(size_t block)
    {
        while (block_ < block) {
            if (block_ % 64 == 0 && block_ + 64 <= block) {
                index_ += static_cast<size_t>(__builtin_popcountll(changed_[block_ / 64]));
                block_ += 64;
            } else {
                index_ += isChanged(changed_, block_);
                ++block_;
            }
        }
    }

    const uint8_t* base_;
    const std::vector<uint64_t>& changed_;
    const uint8_t* blocks_;
    size_t block_ = 0; // the reads have reached this block
    size_t index_ = 0; // changed blocks before it
};

// The positions of the world's elements in its list, which the hash gives
// in place of their addresses: open addressing on the address, the table
// kept from hash to hash so that hashing allocates nothing.
class PositionTable
{
public:
    void fill(const std::vector<CElement*>& elements)
    {
        size_t size = 64;
        while (size < elements.size() * 2)
            size *= 2;
        keys_.assign(size, nullptr);
        positions_.resize(size);
        mask_ = size - 1;
        for (size_t i = 0; i < elements.size(); ++i) {
            size_t at = slotOf(elements[i]);
            while (keys_[at] && keys_[at] != elements[i])
                at = (at + 1) & mask_;
            if (keys_[at])
                continue; // listed twice: the first place counts
            keys_[at] = elements[i];
            positions_[at] = static_cast<int64_t>(i);
        }
    }

    // -2 for an element not in the list.
    int64_t find(const CElement* e) const
    {
        for (size_t at = slotOf(e);; at = (at + 1) & mask_) {
            if (keys_[at] == e)
                return positions_[at];
            if (!keys_[at])
                return -2;
        }
    }

private:
    size_t slotOf(const CElement* e) const
    {
        return static_cast<size_t>((reinterpret_cast<uintptr_t>(e) >> 4) * 0x9e3779b97f4a7c15ULL >> 40) & mask_;
    }

    std::vector<const CElement*> keys_;
    std::vector<int64_t> positions_;
    size_t mask_ = 0;
};
PositionTable positions;

// A frame stamp this old or older hashes alike: the world compares stamps
// only with the frame under way.
constexpr int64_t STAMP_AGE_LIMIT = 2;

// The walk in one of its modes. Values pass through `value` (kept and
// hashed) or `quiet` (kept, not hashed: what only sound and looks depend on);
// element and sprite pointers through `element` and `spriteRef`, which the
// hash replaces by positions so that equal worlds built of other objects hash
// equal. SPRITES only lists an element's own sprites.
class StateVisitor
{
public:
    enum Mode { SAVE, LOAD, HASH, SPRITES };

    StateVisitor(Mode mode, uint32_t frameNow, int64_t frameShift)
        : mode_(mode), frameNow_(frameNow), frameShift_(frameShift)
    {
    }

    // SAVE writes into `bytes` (sized on, then cut to what was written) and
    // `ghosts`.
    void saveTo(WorldSnapshot::Bytes& bytes, Ghosts& ghosts)
    {
        out_ = &bytes;
        ghostsOut_ = &ghosts;
    }
    // LOAD reads through `reader`, from the byte `at` on.
    void loadFrom(DeltaReader& reader, size_t at, const Ghosts& ghosts)
    {
        in_ = &reader;
        cursor_ = at;
        ghostsIn_ = &ghosts;
    }
    size_t written() const { return cursor_; }

    void keepGhost(const CSprite& ghost) { ghostsOut_->push_back(std::make_shared<const CSprite>(ghost)); }
    const CSprite& nextGhost() { return *(*ghostsIn_)[ghostCursor_++]; }
    // The element's own sprites as the last visit listed them (SPRITES).
    const std::vector<CSprite*>& ownSprites() const { return own_; }

    Mode mode() const { return mode_; }
    uint64_t hash() const
    {
        uint64_t z = hash_ + 0x9e3779b97f4a7c15ULL;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    template <class T> void value(T& v)
    {
        static_assert(std::is_trivially_copyable<T>::value, "plain values only");
        if (mode_ == HASH)
            mixBytes(&v, sizeof v);
        else
            quiet(v);
    }

    template <class T> void quiet(T& v)
    {
        static_assert(std::is_trivially_copyable<T>::value, "plain values only");
        if (mode_ == SAVE) {
            if (cursor_ + sizeof v > out_->size())
                out_->resize(std::max(out_->size() * 2, cursor_ + sizeof v));
            std::memcpy(out_->data() + cursor_, &v, sizeof v);
            cursor_ += sizeof v;
        } else if (mode_ == LOAD) {
            in_->read(&v, sizeof v, cursor_);
        }
    }

    template <class T> void element(T*& e)
    {
        if (mode_ == HASH)
            mix(positionOf(e));
        else
            quiet(e);
    }

    template <class T> void elements(std::vector<T*>& list)
    {
        uint64_t count = list.size();
        value(count);
        if (mode_ == LOAD)
            list.resize(count);
        for (T*& e : list)
            element(e);
    }

    // A display frame number, or -1 for none.
    template <class T> void stamp(T& frame)
    {
        if (mode_ == HASH) {
            mix(frame < 0 ? -1 : std::min<int64_t>(static_cast<int64_t>(frameNow_) - frame, STAMP_AGE_LIMIT));
            return;
        }
        quiet(frame);
        if (mode_ == LOAD && frame >= 0)
            frame = static_cast<T>(frame + frameShift_);
    }

    // ---- Sprites, per element: its own sprites, then the references to
    // them (the picture it shows, its layers).
    void beginElement()
    {
        own_.clear();
        refs_.clear();
        decoration_.clear();
    }

    // shown: what the sprite shows counts in the hash; false for pure
    // decoration, which moves on whatever the world does.
    void sprite(CSprite* s, bool shown = true)
    {
        own_.push_back(s);
        bool present = s != nullptr;
        value(present);
        if (!present)
            spriteRoom();
        if (!present || mode_ == SPRITES)
            return;
        SpriteSnapshot snap; // every field written before it is read
        bool looping = false;
        if (mode_ != LOAD) {
            s->saveSnapshot(snap);
            looping = s->isLooping();
        }
        if (mode_ == HASH && !shown) {
            decoration_.push_back(s);
            return;
        }
        if (mode_ == HASH) {
            // Where a looping animation stands tells nothing the world waits
            // on (it never ends), so the hash leaves its frame out; that keeps
            // worlds equal whatever time they were reached at.
            mix(snap.hidden);
            mix(snap.state);
            mix(snap.type);
            mix(looping);
            if (!looping) {
                mix(snap.frame);
                mix(snap.delayCounter);
                mix(snap.finished);
            }
            return;
        }
        quiet(snap);
        quiet(looping);
        if (mode_ == LOAD) {
            s->loadSnapshot(snap);
            s->setLooping(looping);
        }
    }

    // SAVE and LOAD give every place of a sprite the same room, there or
    // not, so that a sprite made or dropped moves nothing after it in the
    // bytes, and a snapshot differs from the base only where the world does.
    void spriteRoom()
    {
        if (mode_ != SAVE && mode_ != LOAD)
            return;
        static SpriteSnapshot snap{};
        bool looping = false;
        quiet(snap);
        quiet(looping);
    }

    template <size_t N> void sprites(std::array<std::unique_ptr<CSprite>, N>& list)
    {
        for (auto& s : list)
            sprite(s.get());
    }

    void spriteRef(CSprite*& s)
    {
        if (mode_ == HASH)
            refs_.push_back(s);
        else
            quiet(s);
    }

    void endElement()
    {
        for (CSprite* s : refs_) {
            auto at = std::find(own_.begin(), own_.end(), s);
            const bool decoration = std::find(decoration_.begin(), decoration_.end(), s) != decoration_.end();
            mix(s == nullptr ? -1
                : decoration ? -3
                : at == own_.end() ? -2
                             : static_cast<int64_t>(at - own_.begin()));
        }
    }

private:
    int64_t positionOf(const CElement* e) const
    {
        return e ? positions.find(e) : -1;
    }

    void mix(int64_t v) { hash_ = (hash_ ^ static_cast<uint64_t>(v)) * 0x100000001b3ULL + 0x9e3779b9ULL; }

    void mixBytes(const void* data, size_t size)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        while (size >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            mix(static_cast<int64_t>(word));
            p += 8;
            size -= 8;
        }
        uint64_t tail = 0;
        std::memcpy(&tail, p, size);
        mix(static_cast<int64_t>(tail));
    }

    Mode mode_;
    WorldSnapshot::Bytes* out_ = nullptr;
    DeltaReader* in_ = nullptr;
    Ghosts* ghostsOut_ = nullptr;
    const Ghosts* ghostsIn_ = nullptr;
    size_t cursor_ = 0;
    size_t ghostCursor_ = 0;
    uint32_t frameNow_;
    int64_t frameShift_;
    uint64_t hash_ = 0xcbf29ce484222325ULL;
    std::vector<CSprite*> own_;
    std::vector<CSprite*> refs_;
    std::vector<CSprite*> decoration_;
};

} // namespace

// Every class's fields, listed once for the three modes.
struct WorldSnapshotAccess {
    // The fields of ElementStatus one by one: a copy as a whole would carry
    // the padding between them into the hash.
    static void status(ElementStatus& s, StateVisitor& v)
    {
        if (v.mode() != StateVisitor::HASH) {
            v.quiet(s);
            return;
        }
        for (int32_t* field : {&s.state, &s.x, &s.y, &s.originX, &s.originY, &s.requestX, &s.requestY, &s.pixelX,
                               &s.pixelY, &s.prevPixelX, &s.prevPixelY, &s.ghostPixelX, &s.ghostPixelY,
                               &s.teleportProgress})
            v.value(*field);
        for (bool* flag :
             {&s.magnetic, &s.metallic, &s.burstable, &s.inGrid, &s.canFall, &s.movable, &s.mobile, &s.freezable,
              &s.heatable, &s.burnable, &s.meltable, &s.facingLeft, &s.moving, &s.falling, &s.sliding, &s.pushing,
              &s.pushed, &s.landing, &s.busy, &s.empStunned, &s.destroyed, &s.muteHeatSound, &s.frozen, &s.thawing,
              &s.thawed, &s.heated, &s.wasHeated, &s.burning, &s.delayedHeat, &s.teleporting, &s.grabbed,
              &s.grabFlagA, &s.grabFlagB, &s.wasMovingLeft, &s.wasMovingRight, &s.wasMovingUp, &s.wasMovingDown,
              &s.supportedBeforeMove, &s.landed, &s.skipSlideCheck, &s.onTrampoline, &s.mayBePushedLeft,
              &s.mayBePushedRight, &s.leftTrampoline, &s.catchLeft, &s.catchRight})
            v.value(*flag);
        v.stamp(s.landedFrame);
        v.element(s.holderA);
        v.element(s.holderB);
    }

    static void professorStatus(ProfessorStatus& s, StateVisitor& v)
    {
        if (v.mode() != StateVisitor::HASH) {
            v.quiet(s);
            return;
        }
        for (bool* flag : {&s.arriving, &s.leaving, &s.usingPowerup, &s.idling, &s.turning, &s.recovering,
                           &s.turnedFront, &s.startPose, &s.powerupFacingLeft})
            v.value(*flag);
        for (int* field : {&s.idleTicks, &s.idleIndex, &s.activePowerup, &s.activePowerupDelay, &s.powerupX,
                           &s.powerupY})
            v.value(*field);
        v.value(s.inventory);
    }

    // The teleport ghost: a copy kept beside the bytes.
    static void ghost(CElement& e, StateVisitor& v)
    {
        bool present = e.ghostSprite != nullptr;
        v.value(present);
        if (v.mode() == StateVisitor::SAVE && present)
            v.keepGhost(*e.ghostSprite);
        if (v.mode() == StateVisitor::LOAD) {
            e.ghostSprite.reset();
            if (present) {
                e.ghostSprite = std::make_unique<CSprite>(v.nextGhost());
                CSprite::registerCopy(e.ghostSprite.get());
            }
        }
        if (v.mode() == StateVisitor::HASH && present) {
            SpriteSnapshot snap{};
            e.ghostSprite->saveSnapshot(snap);
            v.value(snap.frame);
            v.value(snap.x);
            v.value(snap.y);
        }
    }

    // The heat, steam and pulse overlays, made when first needed.
    static void overlays(CElement& e, StateVisitor& v)
    {
        std::unique_ptr<CSprite>* slots[] = {&e.overlayGlow, &e.overlayExplosion, &e.overlaySteam, &e.overlayEmp};
        for (int i = 0; i < 4; ++i) {
            bool present = *slots[i] != nullptr;
            v.value(present);
            if (v.mode() == StateVisitor::LOAD) {
                if (present && !*slots[i])
                    e.CreateOverlays(i == 0, i == 1, i == 2, i == 3);
                else if (!present)
                    slots[i]->reset();
            }
            if (present)
                v.sprite(slots[i]->get());
            else
                v.spriteRoom();
        }
    }

    static void base(CElement& e, StateVisitor& v)
    {
        status(e, v);
        v.spriteRef(e.sprite);
        v.spriteRef(e.shownSprite);
        ghost(e, v);
        overlays(e, v);
    }

    static void ai(CElementAI& e, StateVisitor& v)
    {
        v.value(e.barrelRolled);
        v.element(e.barrel);
        for (bool* key : {&e.keyLeft, &e.keyRight, &e.keyUp, &e.keyDown, &e.keyAction, &e.hotStep, &e.hotPush,
                          &e.stunned})
            v.value(*key);
        v.value(e.stunTicks);
    }

    static void professor(CElementAIProfessor& e, StateVisitor& v)
    {
        professorStatus(e, v);
        v.value(e.mouseTargetActive);
        v.value(e.mouseTargetX);
        v.value(e.mouseTargetY);
        v.quiet(e.hoveredSlot);
        v.quiet(e.arrivalSoundPlayed);
        v.value(e.stopChosen_);
        v.value(e.replayChosen_);
        v.sprites(e.stateSprites_);
        v.sprites(e.idleSprites_);
        if (v.mode() == StateVisitor::LOAD)
            e.syncIcons(); // the inventory icons show the inventory
    }

    static void bot(CElementAIBot& e, StateVisitor& v)
    {
        v.value(e.active);
        v.value(e.standUp);
        v.value(e.empDazed);
        v.value(e.catchJumpDelay);
        v.value(e.slideFaded);
        v.value(e.slideCountdown);
        v.quiet(e.lastFootstep_);
        v.quiet(e.footstepCounter_);
        v.quiet(e.lastClimb_);
        v.quiet(e.climbCounter_);
        v.value(e.stopChosen_);
        v.value(e.playChosen_);
        v.value(e.continueFrame_);
        v.sprites(e.sprites_);
    }

    template <class Layers> static void layers(Layers& l, StateVisitor& v)
    {
        for (CSprite** s : layerList(l))
            v.spriteRef(*s);
    }
    static std::array<CSprite**, 3> layerList(CElementDeviceGate::Layers& l) { return {&l.back, &l.front, &l.lights}; }
    static std::array<CSprite**, 3> layerList(CElementDeviceTrampoline::Layers& l)
    {
        return {&l.back, &l.front, &l.canvas};
    }
    static std::array<CSprite**, 3> layerList(CElementDeviceTeleport::Layers& l)
    {
        return {&l.back, &l.front, &l.portal};
    }

    static void device(CElement& e, StateVisitor& v)
    {
        switch (e.typeDevice) {
        case DEVICE_BUTTON: {
            auto& d = static_cast<CElementDeviceButton&>(e);
            v.sprite(d.spriteNormal.get());
            v.sprite(d.spriteBreak.get());
            v.value(d.pressed);
            v.value(d.counter);
            break;
        }
        case DEVICE_GATE: {
            auto& d = static_cast<CElementDeviceGate&>(e);
            v.sprites(d.backs);
            v.sprites(d.fronts);
            v.sprites(d.lights);
            layers(d.current, v);
            layers(d.shown, v);
            v.value(d.open);
            v.value(d.broken);
            v.value(d.magnetHeldShown);
            break;
        }
        case DEVICE_GUNSHOT: {
            auto& d = static_cast<CElementDeviceGunshot&>(e);
            v.sprite(d.leftSprite.get());
            v.sprite(d.rightSprite.get());
            v.sprite(d.explodingSprite.get());
            v.quiet(d.impactSound);
            v.value(d.done);
            v.value(d.exploding);
            break;
        }
        case DEVICE_POWERUP: {
            auto& d = static_cast<CElementDevicePowerup&>(e);
            v.sprite(d.haloSprite.get());
            v.sprite(d.itemSprite.get());
            v.sprite(d.textSprite.get());
            v.spriteRef(d.currentItem);
            v.spriteRef(d.currentText);
            if (d.bobbing)
                v.quiet(*d.bobbing); // it only moves the picture
            v.quiet(d.rise);
            v.value(d.collected);
            break;
        }
        case DEVICE_TELEPORT: {
            auto& d = static_cast<CElementDeviceTeleport&>(e);
            v.sprites(d.sprites);
            v.value(d.leftCountdown);
            v.value(d.rightCountdown);
            layers(d.current, v);
            layers(d.shown, v);
            v.value(d.enabling);
            v.value(d.leftLit);
            v.value(d.rightLit);
            v.value(d.colour);
            v.value(d.fadeDelay);
            break;
        }
        case DEVICE_TRAMPOLINE: {
            auto& d = static_cast<CElementDeviceTrampoline&>(e);
            v.sprites(d.sprites);
            layers(d.current, v);
            layers(d.shown, v);
            v.value(d.stretchedLeft);
            v.value(d.stretchedRight);
            v.value(d.throwCounter);
            break;
        }
        case DEVICE_TUBE: {
            auto& d = static_cast<CElementDeviceTube&>(e);
            // The arrow over the entrance bounces on by itself.
            v.sprite(d.arrowSprite.get(), false);
            v.sprite(d.arrowFadingSprite.get(), false);
            for (CSprite* s : {d.bodySprite.get(), d.breakingSprite.get(), d.lightsSprite.get()})
                v.sprite(s);
            v.spriteRef(d.currentBody);
            v.spriteRef(d.shownBody);
            v.spriteRef(d.shownLights);
            v.value(d.entrance);
            v.quiet(d.arrowActive);
            v.quiet(d.arrowHeight);
            v.quiet(d.bounceCount);
            v.quiet(d.arrowMovingDown);
            break;
        }
        default: break;
        }
    }

    static void object(CElement& e, StateVisitor& v)
    {
        switch (e.typeObject) {
        case OBJECT_CRATE: v.sprites(static_cast<CElementObjectCrate&>(e).slots_); break;
        case OBJECT_BARREL: {
            auto& o = static_cast<CElementObjectBarrel&>(e);
            v.sprites(o.slots_);
            for (auto& rolls : o.coolingRolls_)
                v.sprites(rolls);
            v.value(o.rollFrame_);
            v.value(o.coolingState_);
            break;
        }
        case OBJECT_MAGNET: {
            auto& o = static_cast<CElementObjectMagnet&>(e);
            v.sprites(o.slots_);
            v.sprites(o.spareCooling_);
            v.value(o.attractedBefore_);
            v.value(o.empTimer_);
            v.value(o.facesLeft_);
            break;
        }
        default: break;
        }
    }

    static void terrain(CElement& e, StateVisitor& v)
    {
        auto& t = static_cast<CElementTerrain&>(e);
        v.sprite(t.tile_.get());
        if (e.typeTerrain != TERRAIN_BRIDGE)
            return;
        auto& b = static_cast<CElementTerrainBridge&>(e);
        for (CSprite* s : {b.section_.get(), b.collapse_.get(), b.frozenSprite_.get(), b.inflate_.get()})
            v.sprite(s);
        v.value(b.collapsing_);
        v.value(b.inflating_);
    }

    static void tutorial(CElementTutorial& t, StateVisitor& v)
    {
        v.sprites(t.icons_);
        v.sprite(t.box_.get());
        if (t.bob_)
            v.quiet(*t.bob_);
        v.value(t.active_);
        v.value(t.fadeDelay_);
    }

    static void visitElement(CElement& e, StateVisitor& v)
    {
        v.beginElement();
        base(e, v);
        switch (e.type) {
        case ELEMENT_AI:
            ai(static_cast<CElementAI&>(e), v);
            if (e.typeAI == AI_PROFESSOR)
                professor(static_cast<CElementAIProfessor&>(e), v);
            else if (e.typeAI == AI_BOT)
                bot(static_cast<CElementAIBot&>(e), v);
            break;
        case ELEMENT_DEVICE: device(e, v); break;
        case ELEMENT_OBJECT: object(e, v); break;
        case ELEMENT_TERRAIN: terrain(e, v); break;
        case ELEMENT_TUTORIAL: tutorial(static_cast<CElementTutorial&>(e), v); break;
        default: break; // ladders never change
        }
        v.endElement();
    }

    // Class-wide state, after the elements.
    static void classes(StateVisitor& v)
    {
        v.value(CElement::outcome);
        v.value(CElement::levelExited);
        v.quiet(CElement::undoPending);
        v.quiet(CElement::undoDeferred);
        uint64_t heated = CElement::heatedCells.size();
        v.value(heated);
        if (v.mode() == StateVisitor::LOAD)
            CElement::heatedCells.resize(heated);
        for (int& cell : CElement::heatedCells)
            v.value(cell);

        for (long& frame : CElementDeviceTeleport::activityFrame)
            v.stamp(frame);
        // The step counter is kept, not hashed: the world runs on alike
        // whatever it shows.
        int32_t steps = CElement::profile ? CElement::profile->GetSteps(true) : 0;
        v.quiet(steps);
        if (v.mode() == StateVisitor::LOAD && CElement::profile)
            CElement::profile->SetSteps(steps);
        if (v.mode() != StateVisitor::HASH)
            return; // the class-state table keeps the rest
        v.value(CElementDeviceButton::pressedCount);
        for (auto& list : CElementDeviceTeleport::lists)
            v.elements(list);
        v.value(CElementDeviceTrampoline::grid);
        v.elements(CElementObjectMagnet::allMagnets_);
        CElementTutorial* active = CElementTutorial::GetActive();
        v.element(active);
    }

    static void walk(StateVisitor& v)
    {
        for (CElement* e : CElement::allElements)
            visitElement(*e, v);
        classes(v);
    }

    // The list of elements, written after the walk so that an element made
    // moves nothing before it in the bytes; a restore reads it first.
    static void listOf(StateVisitor& v, std::vector<CElement*>& list)
    {
        uint64_t count = list.size();
        v.quiet(count);
        if (v.mode() == StateVisitor::LOAD)
            list.resize(count);
        for (CElement*& e : list)
            v.quiet(e);
    }

    static void take(WorldSnapshot& s)
    {
        hold(CElement::spawnedElements);
        release(s.spawned_);
        s.spawned_ = CElement::spawnedElements;
        s.frame_ = CElement::CurrentFrame();
        s.ghosts_.clear();
        s.classStates_.clear();
        StateVisitor v(StateVisitor::SAVE, s.frame_, 0);
        v.saveTo(scratch, s.ghosts_);
        v.quiet(CElement::grid);
        walk(v);
        s.listAt_ = v.written();
        listOf(v, CElement::allElements);
        s.used_ = v.written();
        encode(s);
        const std::vector<ClassState>& table = worldLinks().classStates;
        lastClassStates.resize(table.size());
        for (size_t n = 0; n < table.size(); ++n) {
            if (!table[n].save)
                continue;
            std::shared_ptr<const std::any>& last = lastClassStates[n];
            if (!last || !table[n].same || !table[n].same(*last))
                last = std::make_shared<const std::any>(table[n].save());
            s.classStates_.push_back(last);
        }
    }

    // Sets the world just written against the run's base: the blocks that
    // differ go into the snapshot. The first take of a run is the base.
    static void encode(WorldSnapshot& s)
    {
        const size_t blocks = (s.used_ + BLOCK - 1) / BLOCK;
        if (scratch.size() < blocks * BLOCK)
            scratch.resize(blocks * BLOCK);
        std::fill(scratch.begin() + static_cast<std::ptrdiff_t>(s.used_),
                  scratch.begin() + static_cast<std::ptrdiff_t>(blocks * BLOCK), 0);
        if (!runBase)
            runBase = std::make_shared<const WorldSnapshot::Bytes>(
                scratch.begin(), scratch.begin() + static_cast<std::ptrdiff_t>(blocks * BLOCK));
        s.base_ = runBase;
        const WorldSnapshot::Bytes& base = *runBase;
        s.changed_.assign((blocks + 63) / 64, 0);
        size_t changed = 0;
        for (size_t b = 0; b < blocks; ++b) {
            if ((b + 1) * BLOCK <= base.size() && sameBlock(scratch.data() + b * BLOCK, base.data() + b * BLOCK))
                continue;
            s.changed_[b / 64] |= uint64_t{1} << (b % 64);
            ++changed;
        }
        s.blocks_.resize(changed * BLOCK);
        size_t at = 0;
        for (size_t b = 0; b < blocks; ++b)
            if (isChanged(s.changed_, b)) {
                std::memcpy(s.blocks_.data() + at, scratch.data() + b * BLOCK, BLOCK);
                at += BLOCK;
            }
    }

    static void restore(const WorldSnapshot& s)
    {
        {
            DeltaReader listReader(*s.base_, s.changed_, s.blocks_);
            StateVisitor list(StateVisitor::LOAD, 0, 0);
            list.loadFrom(listReader, s.listAt_, s.ghosts_);
            listOf(list, restoredElements);
        }
        DeltaReader reader(*s.base_, s.changed_, s.blocks_);
        const uint32_t now = CElement::CurrentFrame();
        StateVisitor v(StateVisitor::LOAD, now, static_cast<int64_t>(now) - static_cast<int64_t>(s.frame_));
        v.loadFrom(reader, 0, s.ghosts_);
        // Every world of a run starts with the level's own elements, in the
        // same order: only those made since can differ.
        const std::vector<CElement*>& live = CElement::allElements;
        const std::vector<CElement*>& kept = restoredElements;
        const size_t common = static_cast<size_t>(
            std::mismatch(live.begin(), live.end(), kept.begin(), kept.end()).first - live.begin());
        const auto made = [common](const std::vector<CElement*>& list, CElement* e) {
            return std::find(list.begin() + static_cast<std::ptrdiff_t>(common), list.end(), e) != list.end();
        };
        std::vector<CElement*> back;
        for (size_t i = common; i < kept.size(); ++i)
            if (!made(live, kept[i]))
                back.push_back(kept[i]);
        for (size_t i = common; i < live.size(); ++i)
            if (!made(kept, live[i]))
                setAsideElement(live[i]);
        CElement::allElements = kept;
        CElement::spawnedElements = s.spawned_;
        v.quiet(CElement::grid);
        walk(v);
        for (CElement* e : back)
            bringBack(*e);
        size_t n = 0;
        for (const ClassState& state : worldLinks().classStates)
            if (state.save)
                state.restore(*s.classStates_[n++]);
    }

    // The element's own sprites, as the walk lists them.
    static std::vector<CSprite*> spritesOf(CElement& e)
    {
        StateVisitor v(StateVisitor::SPRITES, 0, 0);
        visitElement(e, v);
        return v.ownSprites();
    }

    // An element leaving the world: it shows nothing and its sprites leave
    // the live list, which every frame walks; deleted at once when no
    // snapshot holds it.
    static void setAsideElement(CElement* e)
    {
        if (e->sprite)
            e->sprite->hide();
        if (e->shownSprite)
            e->shownSprite->hide();
        e->ghostSprite.reset();
        CElement::FreeOverlays(e);
        for (CSprite* sprite : spritesOf(*e))
            if (sprite)
                CSprite::unregister(sprite);
        // Only what was made during play is counted; anything else stays
        // set aside until the run ends.
        if (e->spawned && !holds.count(e))
            delete e;
        else
            setAside.insert(e);
    }

    // An element set aside comes back with the snapshot that holds it.
    static void bringBack(CElement& e)
    {
        setAside.erase(&e);
        for (CSprite* sprite : spritesOf(e))
            if (sprite)
                CSprite::registerCopy(sprite);
    }

    static void hold(const std::vector<CElement*>& made)
    {
        for (const CElement* e : made)
            ++holds[e];
    }

    static void release(const std::vector<CElement*>& made)
    {
        for (CElement* e : made) {
            const auto held = holds.find(e);
            if (held == holds.end() || --held->second > 0)
                continue;
            holds.erase(held);
            if (setAside.erase(e))
                delete e;
        }
    }

    static uint64_t hash()
    {
        StateVisitor v(StateVisitor::HASH, CElement::CurrentFrame(), 0);
        positions.fill(CElement::allElements);
        for (CElement* cell : CElement::grid)
            v.element(cell);
        walk(v);
        return v.hash();
    }
};

WorldSnapshot::WorldSnapshot() = default;

WorldSnapshot::~WorldSnapshot() { WorldSnapshotAccess::release(spawned_); }

WorldSnapshot::WorldSnapshot(const WorldSnapshot& other)
    : spawned_(other.spawned_), base_(other.base_), changed_(other.changed_), blocks_(other.blocks_),
      used_(other.used_), listAt_(other.listAt_), classStates_(other.classStates_), ghosts_(other.ghosts_), frame_(other.frame_)
{
    WorldSnapshotAccess::hold(spawned_);
}

WorldSnapshot& WorldSnapshot::operator=(const WorldSnapshot& other)
{
    if (this != &other) {
        WorldSnapshotAccess::hold(other.spawned_);
        WorldSnapshotAccess::release(spawned_);
        spawned_ = other.spawned_;
        base_ = other.base_;
        changed_ = other.changed_;
        blocks_ = other.blocks_;
        used_ = other.used_;
        listAt_ = other.listAt_;
        classStates_ = other.classStates_;
        ghosts_ = other.ghosts_;
        frame_ = other.frame_;
    }
    return *this;
}

WorldSnapshot::WorldSnapshot(WorldSnapshot&& other) noexcept
    : spawned_(std::exchange(other.spawned_, {})), base_(std::move(other.base_)),
      changed_(std::move(other.changed_)), blocks_(std::move(other.blocks_)), used_(std::exchange(other.used_, 0)), listAt_(other.listAt_),
      classStates_(std::move(other.classStates_)), ghosts_(std::move(other.ghosts_)), frame_(other.frame_)
{
}

WorldSnapshot& WorldSnapshot::operator=(WorldSnapshot&& other) noexcept
{
    if (this != &other) {
        WorldSnapshotAccess::release(spawned_);
        spawned_ = std::exchange(other.spawned_, {});
        base_ = std::move(other.base_);
        changed_ = std::move(other.changed_);
        blocks_ = std::move(other.blocks_);
        used_ = std::exchange(other.used_, 0);
        listAt_ = other.listAt_;
        classStates_ = std::move(other.classStates_);
        ghosts_ = std::move(other.ghosts_);
        frame_ = other.frame_;
    }
    return *this;
}

void WorldSnapshot::Take() { WorldSnapshotAccess::take(*this); }

void WorldSnapshot::Restore() const { WorldSnapshotAccess::restore(*this); }

uint64_t WorldSnapshot::HashWorld() { return WorldSnapshotAccess::hash(); }

void WorldSnapshot::ReleaseSetAside()
{
    for (CElement* e : setAside)
        delete e;
    setAside.clear();
    holds.clear();
    // The next run's snapshots are set against a base of their own.
    runBase.reset();
    lastClassStates.clear();
}
