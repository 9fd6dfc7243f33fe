#pragma once

#include "world/ElementObject.h"

#include <vector>

// A magnet: a movable object with one magnetic face. Each tick a magnet at
// rest looks at the cell in front of its face and holds a metal element
// there, anchors itself to a ladder platform there, or repels a magnet that
// faces it back. Holding is done by the magnet links of the element record,
// which falling and pushing follow. An EMP switches every magnet off for a
// few ticks.
class CElementObjectMagnet : public CElementObject
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    enum Material { NORMAL = 0, INFLATABLE = 1 };
    // The kinds, in typeMagnet.
    enum Facing { FACES_LEFT = 1, FACES_RIGHT = 2 };
    static constexpr int EMP_TICKS = 4;

    CElementObjectMagnet(int x, int y, int material, int modifier, bool facingLeft);
    ~CElementObjectMagnet() override;

    void SaveState(int step) override;
    void RestoreState(int step) override;
    void Update() override;
    int GetOwnSlide() const override { return frozen ? -1 : 0; }

    void Attract();
    void UpdateAnimation();

    // Once per tick, before anything falls: every magnetic magnet at rest,
    // in the order they were made.
    static void AttractAll();
    static void ActivateEMP();
    static void SaveMagnetLists(int step);
    static void RestoreMagnetLists(int step);
    static void ClearMagnetLists();
    static const std::vector<CElementObjectMagnet*>& GetAllMagnets() { return allMagnets_; }

private:
    void LoadSprites(int material, int modifier);
    bool Repel(CElement* front, CElement* back, CElement* beyond, bool faceLeft);
    void PlayAttract(bool wasFree);

    std::array<int32_t, UNDO_STEPS> savedEmpTimer_{};
    ObjectSprites slots_;
    // Cooling pictures for the falling and squashed states, kept with the
    // others but never shown.
    std::array<std::unique_ptr<CSprite>, 3> spareCooling_;
    std::unique_ptr<SoundObject> attractSound_, repelSound_;
    bool attractedBefore_ = false;
    int32_t empTimer_ = 0;
    bool facesLeft_ = false;

    static std::vector<CElementObjectMagnet*> allMagnets_;
    static std::array<std::vector<CElementObjectMagnet*>, UNDO_STEPS> savedMagnets_;
    static bool magnetsBuilt_;
};
