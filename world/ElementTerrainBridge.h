#pragma once

#include "world/ElementTerrain.h"

#include <array>

// A bridge tile: wooden, or inflatable (made by the bridge power-up, which
// inflates it into place). It collapses when something other than the
// professor walks off it, burns when heated, and frozen it holds and is
// slippery.
class CElementTerrainBridge : public CElementTerrain
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    enum Material { WOODEN = 0, INFLATABLE = 1 };

    CElementTerrainBridge(int x, int y, int material, int modifier, bool inflateLeft);
    ~CElementTerrainBridge() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    void Break() override;
    int GetSurfaceSlide() const override { return frozen ? -1 : 0; }

    bool IsCollapsing() const { return collapsing_; }
    bool IsInflating() const { return inflating_; }
    // Which of the six collapse sounds this bridge plays.
    int GetCollapseSound() const { return collapseSound_; }

private:
    void LoadSprites(int material, int modifier, bool inflateLeft);
    // A sound unlike the last three picked, so a row of bridges does not
    // repeat itself.
    static int PickCollapseSound();

    struct Saved {
        bool collapsing = false;
        bool inflating = false;
    };
    std::unique_ptr<CSprite> section_, collapse_, frozenSprite_, inflate_;
    std::unique_ptr<SoundObject> collapseSoundObject_;
    int collapseSound_ = 0;
    bool collapsing_ = false;
    bool inflating_ = false;

    static std::array<int, 3> recentSounds_;
};
