// The bot's pictures and sounds: the 55 animation states, the choice of one
// each tick, footsteps, climbing and the slide loop.
#include "world/ElementAIBot.h"

#include "engine/ImagesCached.h"
#include "engine/SoundObject.h"
#include "platform/Random.h"
#include "world/ElementSprites.h"
#include "world/WorldLinks.h"

#include <string>

namespace {
constexpr int FOOTSTEP_INTERVAL = 5;
constexpr int CLIMB_INTERVAL = 6;
constexpr int SLIDE_FADE_OUT_STEPS = 150;

// A run of frames: the numbered images prefix first..last + ".png" (counting
// down when first > last), or, with first < 0, the one image `prefix`;
// `repeat` times over.
struct Run {
    const char* prefix = nullptr;
    int first = -1;
    int last = -1;
    int repeat = 1;
};

struct StateSprite {
    const char* name;
    int originX, originY, delay;
    bool looped;
    std::array<Run, 5> runs;
};

Run image(const char* name, int repeat = 1) { return {name, -1, -1, repeat}; }
Run series(const char* prefix, int first, int last, int repeat = 1) { return {prefix, first, last, repeat}; }

// Indexed by the animation state.
const StateSprite kStates[CElementAIBot::STATE_COUNT] = {
    {"Bot Deactivated - Hanging", 25, 27, 2, false, {image("bothang.png")}},
    {"Bot Activating", 25, 25, 2, false, {series("botfall", 0, 11)}},
    {"Bot Falling", 25, 25, 2, true, {series("botfall", 9, 11)}},
    {"Bot Landing", 25, 25, 2, false, {series("botfall", 12, 18)}},
    {"Bot Climb", 16, 14, 2, true,
     {image("botclimb0.png"), image("botclimb1.png"), image("botclimb0.png"), image("botclimb2.png")}},
    {"Bot Run Left", 14, 23, 1, true, {series("botrunleft", 0, 11)}},
    {"Bot Run Right", 18, 22, 1, true, {series("botrunright", 0, 11)}},
    {"Bot Stun Left", 17, 20, 3, false, {series("botcrushedleft", 0, 2)}},
    {"Bot Stun Right", 18, 19, 3, false, {series("botcrushedright", 0, 2)}},
    {"Bot Unstun Left", 17, 20, 3, false, {series("botcrushedleft", 2, 0)}},
    {"Bot Unstun Right", 18, 19, 3, false, {series("botcrushedright", 2, 0)}},
    {"Bot Push Left", 16, 19, 1, true, {series("botpushleft", 0, 11)}},
    {"Bot Push Right", 14, 18, 1, true, {series("botpushright", 0, 11)}},
    {"Bot Stand Left", 14, 20, 0, false, {image("botstandleft.png")}},
    {"Bot Stand Right", 18, 19, 0, false, {image("botstandright.png")}},
    {"Bot EMPed Left", 14, 20, 2, false, {series("botstunnedleft", 0, 2), series("botstunnedleft", 1, 0)}},
    {"Bot EMPed Right", 18, 19, 2, false, {series("botstunnedright", 0, 2), series("botstunnedright", 1, 0)}},
    {"Bot Magnet-Held (Left)", 14, 19, 2, false, {series("botmagnetleft", 0, 1)}},
    {"Bot Magnet-Held (Right)", 18, 20, 2, false, {series("botmagnetright", 0, 1)}},
    {"Bot Sliding (Left)", 14, 20, 2, true, {series("botslidingleft", 0, 5)}},
    {"Bot Sliding (Right)", 15, 19, 2, true, {series("botslidingright", 0, 5)}},
    {"Bot Crawling (Left)", 18, 13, 2, true, {series("botcrawlleft", 0, 5)}},
    {"Bot Crawling (Right)", 15, 12, 2, true, {series("botcrawlright", 0, 5)}},
    {"Bot Frozen", 22, 16, 0, false, {image("botfrozen.png")}},
    {"Bot (HEATED_LEFT)", 11, 22, 2, false, {image("botmeltingleft4.png")}},
    {"Bot (HEATED_LEFT_LFALL)", 11, 22, 0, false, {image("botheatedlefttiltleft.png")}},
    {"Bot (HEATED_LEFT_RFALL)", 11, 22, 0, false, {image("botheatedlefttiltright.png")}},
    {"Bot (HEATED_LEFT_SQUASH)", 11, 22, 2, false,
     {series("botheatedleftsquash", 0, 1), image("botheatedleftsquash0.png"), image("botmeltingleft4.png"),
      image("botheatedleftsquash2.png")}},
    {"Bot (HEATED_RIGHT)", 16, 20, 2, false, {image("botmeltingright4.png")}},
    {"Bot (HEATED_RIGHT_LFALL)", 16, 20, 0, false, {image("botheatedrighttiltleft.png")}},
    {"Bot (HEATED_RIGHT_RFALL)", 16, 20, 0, false, {image("botheatedrighttiltright.png")}},
    {"Bot (HEATED_RIGHT_SQUASH)", 16, 20, 2, false,
     {series("botheatedrightsquash", 0, 1), image("botheatedrightsquash0.png"), image("botmeltingright4.png"),
      image("botheatedrightsquash2.png")}},
    {"Bot (MELTING_LEFT)", 11, 22, 2, false, {series("botmeltingleft", 0, 4)}},
    {"Bot (MELTING_RIGHT)", 16, 20, 2, false, {series("botmeltingright", 0, 4)}},
    {"Bot (COOLING_LEFT)", 11, 22, 2, false, {series("botcoolingleft", 0, 6)}},
    {"Bot (COOLING_LEFT_LFALL)", 11, 22, 2, false, {series("botcoolinglefttiltedleft", 0, 6)}},
    {"Bot (COOLING_LEFT_RFALL)", 11, 22, 2, false, {series("botcoolinglefttiltedright", 0, 6)}},
    {"Bot (COOLING_RIGHT)", 16, 20, 2, false, {series("botcoolingright", 0, 6)}},
    {"Bot (COOLING_RIGHT_LFALL)", 16, 20, 2, false, {series("botcoolingrighttiltedleft", 0, 6)}},
    {"Bot (COOLING_RIGHT_RFALL)", 16, 20, 2, false, {series("botcoolingrighttiltedright", 0, 6)}},
    {"Bot (COOLED_LEFT)", 11, 22, 0, false, {image("botcoolingleft6.png")}},
    {"Bot (COOLED_LEFT_LFALL)", 11, 22, 0, false, {image("botcooledlefttiltleft.png")}},
    {"Bot (COOLED_LEFT_RFALL)", 11, 22, 0, false, {image("botcooledlefttiltright.png")}},
    {"Bot (COOLED_LEFT_SQUASH)", 11, 22, 2, false,
     {series("botcooledleftsquash", 0, 1), image("botcooledleftsquash0.png"), image("botcoolingleft6.png"),
      image("botcooledleftsquash2.png")}},
    {"Bot (COOLED_RIGHT)", 16, 20, 0, false, {image("botcoolingright6.png")}},
    {"Bot (COOLED_RIGHT_LFALL)", 16, 20, 0, false, {image("botcooledrighttiltleft.png")}},
    {"Bot (COOLED_RIGHT_RFALL)", 16, 20, 0, false, {image("botcooledrighttiltright.png")}},
    {"Bot (COOLED_RIGHT_SQUASH)", 16, 20, 2, false,
     {series("botcooledrightsquash", 0, 1), image("botcooledrightsquash0.png"), image("botcoolingright6.png"),
      image("botcooledrightsquash2.png")}},
    {"Bot Frozen (and destroyed)", 22, 16, 0, false, {image("botfrozenmelted.png")}},
    {"Bot EMPed Left with LFall", 14, 20, 2, false, {image("batstunnedlefttiltleft.png", 5)}},
    {"Bot EMPed Left with RFall", 14, 20, 2, false, {image("batstunnedlefttiltright.png", 5)}},
    {"Bot EMPed Right with LFall", 18, 19, 2, false, {image("batstunnedrighttiltleft.png", 5)}},
    {"Bot EMPed Right with RFall", 18, 19, 2, false, {image("batstunnedrighttiltright.png", 5)}},
    {"Bot Capture Left", 17, 33, 2, false,
     {series("botcatchprofleft", 0, 24), series("botcatchprofleft", 19, 24, 5), series("botcatchprofleft", 25, 26),
      image("botcatchprofleft25.png")}},
    {"Bot Capture Right", 17, 32, 2, false,
     {series("botcatchprofright", 0, 24), series("botcatchprofright", 19, 24, 5), series("botcatchprofright", 25, 26),
      image("botcatchprofright25.png")}},
};

void addRun(CSprite& sprite, const Run& run)
{
    for (int n = 0; n < run.repeat; ++n) {
        if (run.first < 0)
            sprite.addFrame(run.prefix);
        else
            sprite.addFrames(run.prefix, run.first, run.last, ".png", 1);
    }
}

// A random member of 0..count-1 other than the last one played.
int pickOther(int last, int count)
{
    int pick = last;
    while (pick == last)
        pick = gameRand() % count;
    return pick;
}

// Of the two tilted pictures of a falling bot, the first unless it was last
// moving left.
int tilt(const CElement& bot, int lfall, int rfall) { return bot.wasMovingLeft ? rfall : lfall; }

bool isTiltedCooling(int state) { return state == 35 || state == 36 || state == 38 || state == 39; }

} // namespace

void CElementAIBot::MakeSprites()
{
    const bool shared = ::imagesCached(ImageClass::Bots);
    for (int s = 0; s < STATE_COUNT; ++s) {
        const StateSprite& spec = kStates[s];
        auto made = std::make_unique<CSprite>(spec.originX, spec.originY, KIND_BOT, spec.delay, shared, 1, 1);
        made->setName(spec.name);
        for (const Run& run : spec.runs)
            if (run.prefix)
                addRun(*made, run);
        made->setLooping(spec.looped);
        made->hide();
        sprites_[s] = std::move(made);
    }
}

void CElementAIBot::MakeSounds()
{
    soundFall_ = std::make_unique<SoundObject>("bot_fall.ogg", false);
    soundCrush_ = std::make_unique<SoundObject>("bot_crush.ogg", false);
    soundDetectStand_ = std::make_unique<SoundObject>("bot_hang_detect.ogg", false);
    soundDetectHang_ = std::make_unique<SoundObject>("bot_hang_detect.ogg", false);
    soundBotSlide_ = std::make_unique<SoundObject>("bot_slide.ogg", false);
    static const char* const footstepNames[12] = {
        "bot_footstep1.ogg", "bot_footstep2.ogg", "bot_footstep3.ogg",  "bot_footstep4.ogg",
        "bot_footstep5.ogg", "bot_footstep6.ogg", "bot_footstep7.ogg",  "bot_footstep8.ogg",
        "bot_footstep9.ogg", "bot_footstep10.ogg", "bot_footstep11.ogg", "bot_footstep12.ogg"};
    static const char* const climbNames[4] = {"bot_climb0.ogg", "bot_climb1.ogg", "bot_climb2.ogg", "bot_climb3.ogg"};
    for (size_t n = 0; n < footsteps_.size(); ++n)
        footsteps_[n] = std::make_unique<SoundObject>(footstepNames[n], false);
    for (size_t n = 0; n < climbs_.size(); ++n)
        climbs_[n] = std::make_unique<SoundObject>(climbNames[n], false);
}

// ---- Animation.

void CElementAIBot::EndFinishedAnimation()
{
    CSprite* current = sprites_[state].get();
    if (!current->isFinished()) {
        bool busyNow = moving || keyLeft || keyRight || keyUp || keyDown || (stunned && stunTicks == 0);
        if (busyNow && (landing || thawed))
            landing = thawed = false;
        return;
    }
    switch (state) {
    case 1: standUp = false; break;
    case 3: case 15: case 16: case 27: case 31: case 43: case 47: case 49: case 50: case 51: case 52:
        landing = false;
        empDazed = 0;
        break;
    case 9: case 10: stunned = false; break;
    case 34: case 35: case 36: case 37: case 38: case 39: wasHeated = false; break;
    default: return;
    }
    current->resetAnimation();
}

void CElementAIBot::UpdateAnimation()
{
    UpdateOverlays(this);
    if (landing && standUp)
        standUp = false;
    EndFinishedAnimation();
    stopChosen_ = playChosen_ = false;
    continueFrame_ = false;
    ShowState(ChooseState());
    if (!falling)
        soundFall_->stop();
}

void CElementAIBot::ShowState(int newState)
{
    const int reachedFrame = sprites_[state]->getFrame();
    state = newState;
    sprite = sprites_[state].get();
    if (sprite != shownSprite) {
        DumpLine();
        if (shownSprite) {
            shownSprite->hide();
            shownSprite->resetAnimation();
            shownSprite->reset();
        }
        sprite->show(prevPixelX, prevPixelY);
        sprite->resetAnimation();
        sprite->play(true);
        if (continueFrame_)
            sprite->setFrame(reachedFrame);
        shownSprite = sprite;
    }
    if (stopChosen_)
        sprite->stopAnimation();
    else if (playChosen_ && sprite->isStopped())
        sprite->play(true);
    placeElementSprites(*this);
}

int CElementAIBot::ChooseState()
{
    const bool left = facingLeft;
    auto side = [left](int l, int r) { return left ? l : r; };
    if (frozen)
        return destroyed ? 48 : 23;
    if (IsMagnetHeld()) {
        if (heated)
            return side(24, 28);
        if (wasHeated)
            return side(34, 37);
        if (destroyed)
            return side(40, 44);
        if (state == 17 || state == 18)
            return state;
        facingLeft = holderA->IsNull();
        return facingLeft ? 17 : 18;
    }
    if (catchRight)
        return 54;
    if (catchLeft)
        return 53;
    if (empDazed)
        return falling ? side(tilt(*this, 49, 50), tilt(*this, 51, 52)) : side(15, 16);
    if (standUp)
        return 1;
    if (falling) {
        if (heated)
            return side(tilt(*this, 25, 26), tilt(*this, 29, 30));
        if (wasHeated)
            return side(tilt(*this, 35, 36), tilt(*this, 38, 39));
        if (destroyed)
            return side(tilt(*this, 41, 42), tilt(*this, 45, 46));
        if (!soundFall_->isPlaying())
            soundFall_->play(true);
        return 2;
    }
    if (landing)
        return ChooseLandingState();
    if (stunned)
        return ChooseStunnedState();
    if (!active) {
        if (!canFall)
            return 0;
        if (heated)
            return side(24, 28);
        if (wasHeated)
            return side(34, 37);
        if (destroyed)
            return side(40, 44);
        return side(13, 14);
    }
    if (IsMovingLeft())
        return ChooseMovingState(true);
    if (IsMovingRight())
        return ChooseMovingState(false);
    if (IsMovingUp() || IsMovingDown()) {
        playChosen_ = true;
        return 4;
    }
    if (IsLadderAt(x, y)) {
        stopChosen_ = true;
        return state;
    }
    return ChooseStandingState();
}

int CElementAIBot::ChooseLandingState()
{
    const bool left = facingLeft;
    if (heated)
        return left ? 27 : 31;
    if (wasHeated) {
        landing = false;
        if (isTiltedCooling(state))
            continueFrame_ = true;
        return left ? 34 : 37;
    }
    if (destroyed)
        return left ? 43 : 47;
    if (!active)
        return left ? 15 : 16;
    if (IsLadderAt(x, y) && !IsSupported(false)) {
        landing = false;
        return 4;
    }
    return 3;
}

int CElementAIBot::ChooseStunnedState()
{
    const bool left = facingLeft;
    if (IsOccupiedAbove(false)) {
        if (stunTicks > 0) {
            --stunTicks;
            return state;
        }
        return left ? 7 : 8;
    }
    if ((state == 7 || state == 8) && sprites_[state]->isFinished())
        return state == 7 ? 9 : 10;
    if (state == 9 || state == 10)
        return state;
    return left ? 7 : 8;
}

// The bot passes under a teleport: the cell it left is a teleport's upper
// cell.
bool CElementAIBot::TeleportUpperCellAtOrigin() const
{
    auto isTeleportAt = worldLinks().isTeleportAt;
    if (!isTeleportAt)
        return false;
    for (bool right : {false, true})
        if (isTeleportAt(originX, originY, right, false, false) && isTeleportAt(originX, originY + 1, right, false, false))
            return true;
    return false;
}

int CElementAIBot::ChooseMovingState(bool left)
{
    bool lowCeiling = IsOccupied(x, y - 1) || (!left && !teleporting && IsOccupied(originX, originY - 1)) ||
                      TeleportUpperCellAtOrigin();
    // Riding a barrel, the bot faces against the way it travels.
    const bool facesLeft = left != barrelRolled;
    if (lowCeiling)
        return facesLeft ? 21 : 22;
    if (sliding) {
        facingLeft = !left;
        return left ? 20 : 19;
    }
    if (barrelRolled)
        return left ? 6 : 5;
    if (pushing)
        return left ? 11 : 12;
    return left ? 5 : 6;
}

int CElementAIBot::ChooseStandingState()
{
    const bool left = facingLeft;
    const int push = left ? 11 : 12, crawl = left ? 21 : 22, slide = left ? 19 : 20;
    const int stand = left ? 13 : 14, run = left ? 5 : 6;
    bool wasMovingThatWay = left ? wasMovingLeft : wasMovingRight;
    if (wasMovingThatWay && onTrampoline)
        return push;
    bool occupiedAbove = IsOccupied(x, y - 1);
    if (!(left ? keyLeft : keyRight)) {
        if (occupiedAbove) {
            stopChosen_ = true;
            return crawl;
        }
        return onTrampoline ? state : stand;
    }
    if (occupiedAbove)
        return crawl;
    if (IsOnSlipperyGround())
        return slide;
    int next = GetNextColumn(left);
    if (next < 0 || next >= BOARD_COLUMNS)
        return stand;
    if (GetElementAt(x, y + 1)->IsBarrel())
        return run;
    return push;
}

// ---- Sounds.

void CElementAIBot::PlayFootstep()
{
    lastFootstep_ = pickOther(lastFootstep_, static_cast<int>(footsteps_.size()));
    footsteps_[lastFootstep_]->play();
}

void CElementAIBot::PlayClimbSound()
{
    lastClimb_ = pickOther(lastClimb_, static_cast<int>(climbs_.size()));
    climbs_[lastClimb_]->play();
}

void CElementAIBot::UpdateSlideSound()
{
    if (slideFaded)
        return;
    bool slidingNow = sliding || (IsOnSlipperyGround() && (keyLeft || keyRight));
    if (!slidingNow || frozen || falling || IsCatching()) {
        soundBotSlide_->stop();
        return;
    }
    if (!soundBotSlide_->isPlaying())
        soundBotSlide_->play(true);
    if (--slideCountdown < 1) {
        slideFaded = true;
        soundBotSlide_->fadeOut(SLIDE_FADE_OUT_STEPS);
    }
}

void CElementAIBot::UpdateSounds()
{
    bool walking = (keyLeft || keyRight) && !sliding && !IsOnSlipperyGround() && !frozen && !destroyed &&
                   IsSupported(false) && !stunned && !IsMagnetHeld() && !IsProfessorCaught();
    if (!walking) {
        footstepCounter_ = 3;
    } else if (++footstepCounter_ > FOOTSTEP_INTERVAL) {
        PlayFootstep();
        footstepCounter_ = 0;
    }
    bool climbing = (IsMovingUp() || IsMovingDown()) && IsLadderAt(x, y);
    if (!climbing) {
        climbCounter_ = 2;
    } else if (++climbCounter_ >= CLIMB_INTERVAL) {
        PlayClimbSound();
        climbCounter_ = 0;
    }
    UpdateSlideSound();
}
