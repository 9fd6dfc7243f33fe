#pragma once

#include "world/ElementAI.h"

#include <array>
#include <memory>
#include <vector>

class SoundObject;

// The enemy robot. A bot is dormant (hanging from the ceiling or standing)
// until it sees the professor, or a whistle, a magnet or frost wakes it; then
// it chases him by setting its direction keys toward him every tick, without
// planning a path, and takes him when it stands beside him (the world tick's
// catch test marks it). Heat destroys it for good, frost freezes it, an EMP
// dazes it back to dormant, and a mobile element landing on its head crushes
// it until the weight is gone.
//
// Its animation state, chosen afresh every tick, is the element's `state`
// and indexes the table of 55 sprites.
class CElementAIBot : public CElementAI
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    // The level codes a bot is built from, and the modifier that starts it
    // frozen (the factory then freezes it).
    static constexpr int CODE_HANG = 450;
    static constexpr int CODE_LEFT = 451;
    static constexpr int CODE_RIGHT = 452;
    static constexpr int MODIFIER_FROZEN = 1024;
    static constexpr int STATE_COUNT = 55;
    // Ticks a catching bot waits before its capture takes hold.
    static constexpr int CATCH_JUMP_DELAY = 16;

    CElementAIBot(int x, int y, int code, int modifier);
    ~CElementAIBot() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    bool IsCatching() override;

    // A dormant bot looks for the professor; an active one steers at him.
    void Detect();
    void Chase();
    void Activate();
    void Deactivate();
    // The EMP: stops a chasing bot; a standing one is dazed until its
    // wobble ends and must see the professor anew.
    void Stun();
    void UpdateAnimation();
    void UpdateSounds();

    // The whistle wakes every bot; the EMP stuns every bot.
    static void WakeAll();
    static void StunAll();
    // Level reset: forgets every bot.
    static void ResetList();
    static const std::vector<CElementAIBot*>& GetList();

    bool active = false;
    bool standUp = false; // a woken hanging bot still has to drop and stand
    int empDazed = 0;
    int catchJumpDelay = CATCH_JUMP_DELAY;
    bool slideFaded = false;
    int slideCountdown = 300;

private:
    struct SavedBot {
        bool active = false;
        bool standUp = false;
        int empDazed = 0;
    };

    void MakeSprites();
    void MakeSounds();
    bool CanSeeProfessorOnRow(const CElement& prof) const;
    bool CanSeeProfessorBelow(const CElement& prof) const;
    void ClearKeys();
    void KeepPushingOnlyAgainstSomething();
    // The animation's end clears the state it shows.
    void EndFinishedAnimation();
    int ChooseState();
    int ChooseMovingState(bool left);
    int ChooseStandingState();
    int ChooseStunnedState();
    int ChooseLandingState();
    void ShowState(int newState);
    bool TeleportUpperCellAtOrigin() const;
    void PlayFootstep();
    void PlayClimbSound();
    void UpdateSlideSound();

    std::array<std::unique_ptr<CSprite>, STATE_COUNT> sprites_;
    std::unique_ptr<SoundObject> soundFall_, soundCrush_, soundDetectStand_, soundDetectHang_, soundBotSlide_;
    std::array<std::unique_ptr<SoundObject>, 12> footsteps_;
    std::array<std::unique_ptr<SoundObject>, 4> climbs_;
    int lastFootstep_ = 0;
    int footstepCounter_ = 3;
    int lastClimb_ = 0;
    int climbCounter_ = 2;
    // Set while choosing: the chosen sprite is stopped, played, or continues
    // from the frame the shown one (a tilted cooling sprite) had reached.
    bool stopChosen_ = false;
    bool playChosen_ = false;
    bool continueFrame_ = false;
};
