#pragma once

#include "world/ElementDevice.h"

#include <array>
#include <memory>

class Oscillator;

// What the professor carries and uses: the kinds of power-up.
enum PowerupType {
    POWERUP_NONE = 0,
    POWERUP_CRATE = 1, // the three inflatables
    POWERUP_BARREL = 2,
    POWERUP_MAGNET = 3,
    POWERUP_EMP = 4,
    POWERUP_FROSTGUN = 5,
    POWERUP_HEATGUN = 6,
    POWERUP_BRIDGE = 7,
    POWERUP_WHISTLE = 8,
    // Of each teleport pair the first leaves two teleports, the second one.
    POWERUP_TELEPORT_BLUE = 9,
    POWERUP_TELEPORT_BLUE_ONE = 10,
    POWERUP_TELEPORT_YELLOW = 11,
    POWERUP_TELEPORT_YELLOW_ONE = 12,
    POWERUP_TELEPORT_RED = 13,
    POWERUP_TELEPORT_RED_ONE = 14,
};

// A power-up lying on the board: a halo and a bobbing picture of the item
// until the professor steps into its cell and collects it; then a short text
// rises from the cell. Power-ups never fall. They are found by cell through a
// class-wide grid that the undo keeps, so an undone collection puts the
// power-up back.
class CElementDevicePowerup : public CElementDevice
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElementDevicePowerup(int x, int y, int powerupType);
    ~CElementDevicePowerup() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    void DumpLine() override;

    static bool IsPowerupAt(int x, int y);
    // The type lying in that cell; 0 for none.
    static int GetTypeAt(int x, int y);
    // Takes the power-up off the board (with its sound); nothing happens
    // when the cell holds none.
    static void RemoveAt(int x, int y);

    static void ResetAll();
    static ClassState classState();

    std::unique_ptr<CSprite> haloSprite, itemSprite, textSprite;
    std::unique_ptr<SoundObject> soundCollect;
    int32_t powerupType;
    CSprite* currentItem = nullptr;
    CSprite* currentText = nullptr;
    std::unique_ptr<Oscillator> bobbing;
    int32_t rise = 0; // pixels the text has risen
    bool collected = false;

private:
    struct Saved {
        bool collected = false;
        SpriteSnapshot item{}, text{};
    };

    void LoadSprites();

};
