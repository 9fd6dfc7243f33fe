#pragma once

#include "world/ElementDevice.h"

#include <array>
#include <memory>

// A frost or heat shot, fired by the professor's guns: a ball flying
// horizontally, one cell per move, until it hits an element, which it then
// freezes or heats, or until it has left the board. A trampoline in its cell
// sends it back. The shot passes through the grid cells it flies through but
// every look-up that does not ask for shots skips it.
class CElementDeviceGunshot : public CElementDevice
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    enum ShotType { FROST = 0, HEAT = 1 };

    // The cell it starts in (the one in front of the professor), the kind
    // of shot and its direction. Registered as made during play; an element
    // already standing in the start cell is hit at once.
    CElementDeviceGunshot(int x, int y, int shotType, bool facingLeft);
    ~CElementDeviceGunshot() override;

    void UpdateMovement() override;
    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;

    // The hit test: freezes or heats the element in the cell holding the
    // centre of the ball and stops the shot there.
    void Fly();

    std::unique_ptr<CSprite> leftSprite, rightSprite, explodingSprite;
    // One of the four below, chosen at the hit by what was hit.
    SoundObject* impactSound = nullptr;
    // A frost shot has the first only.
    std::unique_ptr<SoundObject> soundMetal, soundInflatable, soundWood, soundIce;
    int32_t shotType;
    bool done = false;      // ended, hidden and inert
    bool exploding = false; // the hit animation runs

private:
    struct Saved {
        bool done = false, exploding = false;
    };

    void LoadSprites();
    void FlyOn();
    void UpdateSprite();
    SoundObject* HeatImpactSound(const CElement* target) const;

};
