#pragma once

#include "world/ElementObject.h"

// A barrel rolls: on its own it keeps going over firm ground, an actor
// standing on it rides it, and sand stops it. A heated metal barrel that
// gets frosted cools down, and its cooling pictures roll on from the frame
// its roll had reached.
class CElementObjectBarrel : public CElementObject
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    // What the cooling picture is doing.
    enum Cooling { COOLING_NONE = 0, COOLING_IDLE = 1, COOLING_LEFT = 2, COOLING_RIGHT = 3 };

    CElementObjectBarrel(int x, int y, int material, int modifier, bool inflateLeft);
    ~CElementObjectBarrel() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override { UpdateAnimation(); }
    // -1 alone, 0 with an actor on it, one less again when frozen.
    int GetOwnSlide() const override;

    void UpdateAnimation();

    int GetCoolingState() const { return coolingState_; }
    int GetRollFrame() const { return rollFrame_; }

private:
    enum Slot {
        IDLE,
        FROZEN_IDLE,
        HEATED_IDLE,
        FALL,
        FROZEN_FALL,
        HEATED_FALL,
        INFLATING,
        COOLING_IDLE_SLOT,
        COOLING_FALL_SLOT,
        SLOTS
    };
    static constexpr int ROLL_FRAMES = 8;

    void LoadSprites(int material, int modifier, bool inflateLeft);
    void LoadCoolingSprites();
    void UpdateCooling();
    // The roll frame a cooling picture of that state shows at its frame.
    int RollFrameOf(int coolingFrame, int cooling) const;

    struct Saved {
        int32_t rollFrame = -1;
        int32_t coolingState = COOLING_NONE;
    };
    std::array<std::unique_ptr<CSprite>, SLOTS> slots_;
    // By cooling state less one: idle, left roll, right roll.
    std::array<std::array<std::unique_ptr<CSprite>, ROLL_FRAMES>, 3> coolingRolls_;
    int32_t rollFrame_ = -1;
    int32_t coolingState_ = COOLING_NONE;
};
