#pragma once

#include "world/ElementAI.h"

#include <array>
#include <memory>

class SoundObject;

// What the professor's undo record keeps of his own: the animation flags, the
// idle count, the inventory and the power-up under way.
struct ProfessorStatus {
    static constexpr int INVENTORY_SLOTS = 9;

    bool arriving = true;      // coming out of the entrance tube
    bool leaving = false;      // going into the exit tube
    bool usingPowerup = false; // a power-up animation is running
    bool idling = false;       // an idle animation is playing
    bool turning = false;      // a turn animation is due
    bool recovering = false;   // the trampoline fling ended, the recovery is due
    bool turnedFront = false;  // faces the front for the pulse or the whistle
    bool startPose = true;     // still in the front-facing pose of the start
    int idleTicks = 0;         // ticks spent standing still
    int idleIndex = -1;        // the last idle animation played
    // Power-up types per slot, 0 empty; filled from the left without gaps.
    std::array<int, INVENTORY_SLOTS> inventory{};
    // The power-up being carried out, the ticks before it takes effect, its
    // target cell and the facing when it was started.
    int activePowerup = 0;
    int activePowerupDelay = 0;
    int powerupX = 0, powerupY = 0;
    bool powerupFacingLeft = false;
};

// The player's character. The game screen drives him only through the key and
// mouse operations; each tick his Update collects power-ups, leaves by the exit
// tube, falls off the board, moves by the keys or toward a clicked cell, and
// chooses his animation, whose ends bring the arrival, the exit, the catch and
// the singe to the level's outcome flags. Every move of his that is neither a
// fall nor a slide counts a step on the profile, and his undo record carries
// the step counter.
class CElementAIProfessor : public CElementAI, public ProfessorStatus
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    static constexpr int STATE_COUNT = 57;
    static constexpr int IDLE_COUNT = 10;
    static constexpr int POWERUP_TYPES = 14;
    // Idle animation i is animation state IDLE_STATE + i.
    static constexpr int IDLE_STATE = STATE_COUNT;
    static constexpr int IDLE_AFTER_TICKS = 600;

    enum PowerupType {
        POWERUP_NONE,
        POWERUP_CRATE,
        POWERUP_BARREL,
        POWERUP_MAGNET,
        POWERUP_EMP,
        POWERUP_FROSTGUN,
        POWERUP_HEATGUN,
        POWERUP_BRIDGE,
        POWERUP_WHISTLE,
        POWERUP_TELEPORT_BLUE2, // odd: two teleports left, even: one
        POWERUP_TELEPORT_BLUE1,
        POWERUP_TELEPORT_YELLOW2,
        POWERUP_TELEPORT_YELLOW1,
        POWERUP_TELEPORT_RED2,
        POWERUP_TELEPORT_RED1,
    };

    CElementAIProfessor(int x, int y);
    ~CElementAIProfessor() override;

    void Update() override;
    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;

    // ---- What the game screen calls (ProfessorActions.cpp). `released` is
    // true for a key-up; all five with true when a screen opens over the
    // level.
    void onKeyLeft(bool released);
    void onKeyRight(bool released);
    void onKeyUp(bool released);
    void onKeyDown(bool released);
    // The turn key.
    void onKeyAction(bool released);
    void usePowerup(int slot);
    // A left-button press or release on the board, in screen pixels.
    void onMouseClick(int x, int y, bool released);
    // Every mouse motion: the icon under the mouse.
    void updatePowerupIcons(int mouseX, int mouseY);

    // ---- Inventory and power-ups.
    bool addPowerup(int kind);
    void removePowerup(int slot);
    void handlePowerup();
    static int teleportColourOf(int type);
    void dumpPowerups();
    int getHoveredSlot() const { return hoveredSlot; }

    // ---- Keys and the click target.
    // A key press (or a forced request) at rest saves an undo step, or only
    // defers it while a power-up animation runs.
    void takeUndoSnapshot(bool released, bool forced);
    void cancelMouseTarget();
    void steerToMouseTarget();
    bool isAtRest() const;

    // ---- Animation and sound (ProfessorAnimation.cpp).
    void updateAnimation();
    void updateSounds();
    void loadSprites();
    void loadIdleSprites();
    void loadPowerupIcons();

    bool mouseTargetActive = false;
    int mouseTargetX = 0, mouseTargetY = 0;
    int hoveredSlot = -1;
    bool arrivalSoundPlayed = false;

private:
    struct Sounds;
    struct SavedProfessor {
        int steps = 0;
        ProfessorStatus status;
    };

    void collectPowerup();
    void actAtRest();
    void faceByKeys();
    void keepPushing();
    void setKey(bool& key, bool released);
    bool refusesPowerup(int slot) const;
    bool startPowerup(int kind);
    bool reserveCell(int cellX, int cellY, bool refuseLadder);
    void buildBridgePiece();
    void spawned(CElement* element);
    // Icons.
    CSprite* typeIcon(int slot, int kind) const;
    void showSlot(int slot);
    void syncIcons();
    // Animation.
    CSprite* stateSprite(int animation) const;
    bool handleEndedAnimation();
    int chooseState();
    int chooseMovingState(bool left);
    int chooseStandingState(bool left);
    void applyState(int animation);

    std::array<std::unique_ptr<CSprite>, STATE_COUNT> stateSprites_;
    std::array<std::unique_ptr<CSprite>, IDLE_COUNT> idleSprites_;
    // Per slot: the slot number (index 0) and an icon per power-up type.
    std::array<std::array<std::unique_ptr<CSprite>, POWERUP_TYPES + 1>, INVENTORY_SLOTS> icons_;
    std::unique_ptr<Sounds> sounds_;
    // The chosen state asks its sprite to stand still, or to play again.
    bool stopChosen_ = false, replayChosen_ = false;
};
