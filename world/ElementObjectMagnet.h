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

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    int GetOwnSlide() const override { return frozen ? -1 : 0; }

    void Attract();
    void UpdateAnimation();

    // Once per tick, before anything falls: every magnetic magnet at rest,
    // in the order they were made.
    static void AttractAll();
    static void ActivateEMP();
    static ClassState classState();
    static void ClearMagnetLists();
    static const std::vector<CElementObjectMagnet*>& GetAllMagnets() { return allMagnets_; }

private:
    struct SavedMagnet {
        int32_t empTimer = 0;
    };

    void LoadSprites(int material, int modifier);
    bool Repel(CElement* front, CElement* back, CElement* beyond, bool faceLeft);
    void PlayAttract(bool wasFree);

    ObjectSprites slots_;
    // Cooling pictures for the falling and squashed states, kept with the
    // others but never shown.
    std::array<std::unique_ptr<CSprite>, 3> spareCooling_;
    std::unique_ptr<SoundObject> attractSound_, repelSound_;
    bool attractedBefore_ = false;
    int32_t empTimer_ = 0;
    bool facesLeft_ = false;

    static std::vector<CElementObjectMagnet*> allMagnets_;
};
