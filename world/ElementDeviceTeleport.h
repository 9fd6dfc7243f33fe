#pragma once

#include "world/ElementDevice.h"

#include <array>
#include <vector>

// A teleport of one colour (0 blue, 1 yellow, 2 red) standing at (x, y)
// covers columns x and x + 1 and rows y - 1 and y. Two teleports of a colour
// form a pair: what walks or is pushed into one comes out of the other. The
// passage itself is the movement code's; this class keeps the pairs and
// answers where they are. Queries take a `right` flag that compares the
// teleport's right column (x + 1) with the asked column instead of its left.
class CElementDeviceTeleport : public CElementDevice
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    // An inflated teleport is the professor's power-up: it is made during
    // play and starts with its inflation.
    CElementDeviceTeleport(int x, int y, int colour, bool inflated);
    ~CElementDeviceTeleport() override;

    bool CanFall(bool ignoreBelow) override;
    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void ReleaseMagnetLinks() override;
    void Update() override;
    void DumpLine() override;

    int GetColour() const { return colour; }
    bool IsLeftLit() const { return leftLit; }
    bool IsRightLit() const { return rightLit; }
    bool IsEnabling() const { return enabling; }
    // The portal's look, for the tests and the debug dump.
    enum Portal { PORTAL_INACTIVE, PORTAL_ACTIVE, PORTAL_ALPHA_70, PORTAL_ALPHA_50, PORTAL_ALPHA_10,
                  PORTAL_ENABLE, PORTAL_DISABLE, PORTAL_NONE };
    Portal GetPortal() const;
    CSprite* GetPortalSprite() const { return current.portal; }

    // The partner of the usable pair whose teleport stands at row y with the
    // selected column at x; null when none.
    static CElement* FindPartner(int x, int y, bool right);
    // A teleport of a usable pair covers (x, y) in the selected column; plays
    // its sound and lights its pair when asked.
    static bool IsTeleportAt(int x, int y, bool right, bool playSound, bool light);
    // Some teleport, usable or not, has its upper row at (x, y).
    static bool IsTopAt(int x, int y, bool right);
    // An inflated teleport can be set up there.
    static bool HasRoomAt(int x, int y, bool right);
    // Exactly two teleports of the colour, none falling, landed or destroyed.
    static bool IsPairUsable(int colour);
    static const std::vector<CElementDeviceTeleport*>& GetList(int colour) { return lists[colour]; }

    static void ResetAll();
    static ClassState classState();

private:
    enum Picture {
        BACK, FRONT, INACTIVE, ACTIVE, GLOW_LEFT, GLOW_RIGHT, ALPHA_70, ALPHA_50, ALPHA_10, INFLATION, ENABLE,
        DISABLE, BACK_BREAKING, FRONT_BREAKING, PICTURE_COUNT
    };
    struct Layers {
        CSprite* back = nullptr;
        CSprite* front = nullptr;
        CSprite* portal = nullptr;
    };

    void loadSprites(bool inflated);
    CSprite* picture(Picture which) const { return sprites[which].get(); }
    void lightPair(int index);
    void animate();
    void animateActive();
    void fadePortal();
    void switchOnAgain();
    void swapShown();
    void playPortalSounds();
    bool isUsable() const { return IsPairUsable(colour); }
    static void updatePairActivity(int colour);
    static bool isUnusable(const CElementDeviceTeleport* t);

    std::array<std::unique_ptr<CSprite>, PICTURE_COUNT> sprites;
    int leftCountdown = 0, rightCountdown = 0; // keep a side lit after a pass
    Layers current, shown;
    std::unique_ptr<SoundObject> soundActivated, soundPowerUp, soundPowerDown;
    bool enabling = false;
    bool leftLit = false, rightLit = false;
    int colour;
    int fadeDelay = 0; // ticks before the active portal starts to fade

    struct Saved {
        Layers current, shown;
        bool enabling = false, leftLit = false, rightLit = false;
        int colour = 0;
        int fadeDelay = 0;
    };

    using List = std::vector<CElementDeviceTeleport*>;
    static std::array<List, 3> lists;
    // The frame in which each colour's pair last took stock of what passes.
    static std::array<long, 3> activityFrame;
};
