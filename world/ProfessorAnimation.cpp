// The professor's pictures and sounds: the animation chosen afresh each tick
// by a first-match list, what the end of a one-shot animation brings about,
// and the run and climb sounds.
#include "world/ElementAIProfessor.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "platform/Random.h"
#include "world/ProfessorSounds.h"
#include "world/ElementSprites.h"
#include "world/WorldLinks.h"

#include <string>

namespace {
constexpr int ICON_SPACING = 40;

// Animation states by number.
enum State {
    STAND_MIDDLE = 0,
    STAND_LEFT = 1,
    STAND_RIGHT = 2,
    RUN_LEFT = 3,
    RUN_RIGHT = 4,
    CLIMB_DOWN = 5,
    CLIMB_UP = 6,
    FALL = 7,
    PUSH_LEFT = 8,
    PUSH_RIGHT = 9,
    HOT_STEP_LEFT = 10,
    HOT_PUSH_LEFT = 12,
    INFLATE_LEFT = 14,
    INFLATE_STAND_LEFT = 16,
    SLIDE_LEFT = 18,
    SLIDE_LEFT_UNCOOL = 19,
    SLIDE_RIGHT = 20,
    SLIDE_RIGHT_UNCOOL = 21,
    WHISTLE = 22,
    EMP = 23,
    FROSTGUN_LEFT = 24,
    HEATGUN_LEFT = 26,
    TRAMPOLINE_LEFT = 28,
    TRAMPOLINE_RIGHT = 29,
    TRAMPOLINE_PUSH_LEFT = 30,
    FLING_RIGHT = 32,
    FLING_LEFT = 33,
    RECOVER = 34,
    LAND = 35,
    TUBE_ENTRANCE = 36,
    TUBE_EXIT = 37,
    LADDER_JUMP_LEFT = 38,
    LADDER_JUMP_RIGHT = 39,
    CAUGHT_LEFT = 40,
    CAUGHT_RIGHT = 41,
    BARREL_LEFT = 42,
    BARREL_RIGHT = 43,
    CRAWL_LEFT = 44,
    CRAWL_RIGHT = 45,
    STUN_LEFT = 46,
    UNSTUN_LEFT = 48,
    TURN_LEFT = 50,
    UNTURN_LEFT = 52,
    FROZEN = 54,
    SINGED = 55,
    THAWING = 56,
};

// Of a left/right pair, the one for the facing.
int facing(int leftState, bool left) { return left ? leftState : leftState + 1; }

std::string numbered(const std::string& prefix, int n, const char* suffix)
{
    return prefix + std::to_string(n) + suffix;
}

// Frames added in runs, as the animation tables give them.
struct Frames {
    CSprite& sprite;
    Frames& run(const std::string& prefix, int first, int last, const char* suffix = ".tga")
    {
        sprite.addFrames(prefix.c_str(), first, last, suffix, 1);
        return *this;
    }
    Frames& one(const std::string& image, int times = 1)
    {
        sprite.addFrameRepeated(image.c_str(), times);
        return *this;
    }
};

bool isLooped(int state)
{
    return state <= PUSH_RIGHT || (state >= SLIDE_LEFT && state <= SLIDE_RIGHT_UNCOOL) ||
           state == TRAMPOLINE_PUSH_LEFT || state == TRAMPOLINE_PUSH_LEFT + 1 || state == LADDER_JUMP_LEFT ||
           state == LADDER_JUMP_RIGHT || (state >= BARREL_LEFT && state <= CRAWL_RIGHT);
}

// Plays one of the sounds, never the last one again.
void playOther(SoundObject* sounds, int count, int& last)
{
    int pick = gameRand() % (count - 1);
    if (pick >= last)
        ++pick;
    last = pick;
    sounds[pick].play();
}

} // namespace

// ---- Pictures.

void CElementAIProfessor::loadSprites()
{
    const bool shared = ::imagesCached(ImageClass::Professor);
    auto make = [&](int state, const char* name, int originX, int originY) {
        int delay = state >= STUN_LEFT && state <= UNSTUN_LEFT + 1 ? 3 : 2;
        auto made = std::make_unique<CSprite>(
            originX, originY, state == TUBE_EXIT ? KIND_PROFESSOR_IN_TUBE : KIND_PROFESSOR, delay, shared, 1, 1);
        made->setName(name);
        made->setLooping(isLooped(state));
        stateSprites_[state] = std::move(made);
        return Frames{*stateSprites_[state]};
    };
    // Standing: breathing, then a blink.
    const char* const standNames[] = {"Professor Standing Middle", "Professor Standing Left",
                                      "Professor Standing Right"};
    const char* const standPrefixes[] = {"profstandmiddle", "profstandleft", "profstandright"};
    for (int i = 0; i < 3; ++i) {
        std::string p = standPrefixes[i];
        make(STAND_MIDDLE + i, standNames[i], 11, 35)
            .run(p, 0, 7)
            .one(numbered(p, 8, ".tga"), 4)
            .run(p, 7, 0)
            .one(numbered(p, 9, ".tga"))
            .one(numbered(p, 10, ".tga"), 8)
            .one(numbered(p, 9, ".tga"));
    }
    make(RUN_LEFT, "Professor Running Left", 12, 36).run("profrunleft", 0, 9);
    make(RUN_RIGHT, "Professor Running Right", 9, 36).run("profrunright", 0, 9);
    make(CLIMB_DOWN, "Professor Climbing Down", 12, 31).run("profclimbdown", 0, 2).one("profclimbdown1.tga");
    make(CLIMB_UP, "Professor Climbing Up", 21, 25).run("profclimbup", 0, 2).one("profclimbup1.tga");
    make(FALL, "Professor Falling", 13, 28).run("proffall", 0, 5);
    make(PUSH_LEFT, "Professor Pushing Left", 17, 30).run("profpushleft", 0, 7);
    make(PUSH_RIGHT, "Professor Pushing Right", 17, 30).run("profpushright", 0, 7);
    make(HOT_STEP_LEFT, "Professor Hot Step Left", 20, 35).run("profhotstepleft", 0, 48, ".png");
    make(HOT_STEP_LEFT + 1, "Professor Hot Step Right", 12, 36).run("profhotstepright", 0, 48, ".png");
    make(HOT_PUSH_LEFT, "Professor Hot Push Left", 14, 37).run("profpushhotleft", 0, 32, ".png");
    make(HOT_PUSH_LEFT + 1, "Professor Hot Push Right", 16, 36).run("profpushhotright", 0, 32, ".png");
    make(INFLATE_LEFT, "Professor Inflating Left", 25, 35).run("profinflateleft", 0, 7);
    make(INFLATE_LEFT + 1, "Professor Inflating Right", 23, 36).run("profinflateright", 0, 7);
    make(INFLATE_STAND_LEFT, "Professor Inflating Left", 25, 35).run("profinflateleft", 8, 9);
    make(INFLATE_STAND_LEFT + 1, "Professor Inflating Right (Stand)", 23, 36).run("profinflateright", 8, 9);
    for (int state : {SLIDE_LEFT, SLIDE_RIGHT}) {
        bool left = state == SLIDE_LEFT;
        std::string p = left ? "profslideleft" : "profslideright";
        make(state, left ? "Professor Sliding Left" : "Professor Sliding Right", left ? 9 : 13, left ? 27 : 29)
            .run(p, 1, 2)
            .run(p, 2, 1);
        make(state + 1, "Professor Uncool Sliding Right", left ? 9 : 13, left ? 27 : 29).run(p + "uncool", 0, 5);
    }
    make(WHISTLE, "Professor Blowing Whistle", 19, 34).run("profwhistle", 0, 8);
    make(EMP, "Professor Activating EMP", 14, 38).run("profemp", 0, 10);
    make(FROSTGUN_LEFT, "Professor Firing Frostgun Left", 21, 35).run("profgunleft", 0, 10);
    make(FROSTGUN_LEFT + 1, "Professor Firing Frostgun Right", 15, 35).run("profgunright", 0, 10);
    make(HEATGUN_LEFT, "Professor Firing Heatgun Left", 21, 35).run("proffireheatgunleft", 0, 10, ".png");
    make(HEATGUN_LEFT + 1, "Professor Firing Heatgun Right", 15, 35).run("proffireheatgunright", 0, 10, ".png");
    make(TRAMPOLINE_LEFT, "Professor Entering Left into Trampoline", 20, 14).run("proftrampleft", 0, 6);
    make(TRAMPOLINE_RIGHT, "Professor Entering Right into Trampoline", 18, 21).run("proftrampright", 0, 6);
    make(TRAMPOLINE_PUSH_LEFT, "Professor Pushing Left into Trampoline", 20, 14).run("proftrampleft", 2, 6);
    make(TRAMPOLINE_PUSH_LEFT + 1, "Professor Pushing Right into Trampoline", 18, 21).run("proftrampright", 2, 6);
    make(FLING_RIGHT, "Professor Flinging Right from Trampoline", 18, 27).run("proftrampflingright", 0, 8);
    make(FLING_LEFT, "Professor Flinging Left from Trampoline", 18, 27)
        .run("proftrampflingleft", 0, 2)
        .run("proftrampflingright", 3, 8);
    make(RECOVER, "Professor Recovering from Trampoline", 12, 29).run("proftramprecover", 0, 7);
    make(LAND, "Professor Landing", 17, 36).run("profland", 0, 5);
    make(TUBE_ENTRANCE, "Professor Activating Tube Entrance", 16, 39).one("tubeentrance0.png").run("tube", 21, 0);
    make(TUBE_EXIT, "Professor Activating Tube Exit", 16, 39).run("tube", 0, 21).one("tubeexit0.png");
    make(LADDER_JUMP_LEFT, "Professor Jumping Ladder Left", 11, 35).run("profladderleft", 0, 3).one("profladderleft3.tga");
    make(LADDER_JUMP_RIGHT, "Professor Jumping Ladder Right", 11, 35)
        .run("profladderright", 0, 3)
        .one("profladderright3.tga");
    for (int state : {CAUGHT_LEFT, CAUGHT_RIGHT}) {
        bool left = state == CAUGHT_LEFT;
        std::string p = left ? "profcaughtleft" : "profcaughtright";
        Frames frames = make(state, left ? "Professor Caught on Left" : "Professor Caught on Right", left ? 37 : 18,
                             left ? 35 : 34)
                            .run(p, 0, 27, ".png");
        for (int i = 0; i < 5; ++i)
            frames.run(p, 28, 30, ".png").run(p, 29, 27, ".png");
    }
    make(BARREL_LEFT, "Professor Barrel Left", 13, 35).run("profbarrelleft", 0, 9);
    make(BARREL_RIGHT, "Professor Barrel Right", 13, 35).run("profbarrelright", 0, 9);
    make(CRAWL_LEFT, "Professor Crawl Left", 11, 15).run("profcrawlleft", 4, 5).run("profcrawlleft", 0, 3);
    make(CRAWL_RIGHT, "Professor Crawl Right", 11, 15).run("profcrawlright", 4, 5).run("profcrawlright", 0, 3);
    make(STUN_LEFT, "Professor Stun Left", 15, 23).run("profstunleft", 0, 2);
    make(STUN_LEFT + 1, "Professor Stun Right", 15, 23).run("profstunright", 0, 2);
    make(UNSTUN_LEFT, "Professor Unstun Left", 15, 23).run("profstunleft", 2, 0);
    make(UNSTUN_LEFT + 1, "Professor Unstun Right", 15, 23).run("profstunright", 2, 0);
    make(TURN_LEFT, "Professor Turn Left", 13, 36).run("profturnleft", 0, 1);
    make(TURN_LEFT + 1, "Professor Turn Right", 13, 36).run("profturnright", 0, 1);
    make(UNTURN_LEFT, "Professor Unturn Left", 13, 36).run("profturnleft", 1, 0);
    make(UNTURN_LEFT + 1, "Professor Unturn Right", 13, 36).run("profturnright", 1, 0);
    make(FROZEN, "Professor Freeze", 16, 17).one("proffrozen0.tga");
    make(SINGED, "Professor Heat", 13, 25).run("profsinged", 0, 7, ".png");
    make(THAWING, "Professor Thawing", 12, 36).run("profthawing", 0, 4, ".png");
}

void CElementAIProfessor::loadIdleSprites()
{
    const bool shared = ::imagesCached(ImageClass::Professor);
    auto make = [&](int index, const char* name, int originX, int originY) {
        idleSprites_[index] = std::make_unique<CSprite>(originX, originY, KIND_PROFESSOR, 2, shared, 1, 1);
        idleSprites_[index]->setName(name);
        return Frames{*idleSprites_[index]};
    };
    auto times = [](int count, auto&& add) {
        for (int i = 0; i < count; ++i)
            add();
    };
    Frames h = make(0, "Professor Idling H", 20, 36);
    times(3, [&] { h.run("profidleH", 0, 16, ".png"); });
    Frames c = make(1, "Professor Idling C", 17, 32);
    times(4, [&] { c.run("profidleC", 0, 4).run("profidleC", 3, 0).run("profidleC", 9, 12).run("profidleC", 11, 9); });
    c.one("profidleC0.tga");
    Frames i = make(2, "Professor Idling I", 22, 34);
    times(3, [&] { i.run("profidleI", 0, 11, ".png"); });
    Frames a = make(3, "Professor Idling A", 10, 36);
    a.run("profidleA", 0, 3);
    times(4, [&] { a.run("profidleA", 4, 6).run("profidleA", 5, 4); });
    a.run("profidleA", 3, 0);
    Frames j = make(4, "Professor Idling J", 14, 31);
    times(3, [&] { j.run("profidleJ", 0, 13, ".png"); });
    Frames b = make(5, "Professor Idling B", 14, 38);
    times(3, [&] { b.run("profidleB", 0, 10); });
    b.one("profidleB0.tga");
    make(6, "Professor Idling F", 26, 35).run("profidleF", 0, 60);
    make(7, "Professor Idling E", 12, 37).run("profidleE", 0, 22);
    Frames d = make(8, "Professor Idling D", 11, 33);
    times(2, [&] { d.run("profidleD", 0, 5).run("profidleD", 4, 0).run("profidleD", 11, 17).run("profidleD", 16, 11); });
    Frames g = make(9, "Professor Idling G", 14, 35);
    times(3, [&] {
        g.one("profidleG2.tga").one("profidleG0.tga").one("profidleG1.tga", 2).one("profidleG0.tga");
        g.run("profidleG", 2, 6).run("profidleG", 6, 3);
    });
}

void CElementAIProfessor::loadPowerupIcons()
{
    const bool shared = ::imagesCached(ImageClass::Professor);
    struct TypeIcon {
        const char* name;
        const char* prefix;
        const char* suffix;
    };
    static const TypeIcon types[POWERUP_TYPES] = {
        {"Powerup Icon (crate)", "iconcrate", ".tga"},
        {"Powerup Icon (barrel)", "iconbarrel", ".tga"},
        {"Powerup Icon (magnet)", "iconmagnet", ".tga"},
        {"Powerup Icon (emp)", "iconemp", ".tga"},
        {"Powerup Icon (frostgun)", "iconfrostgun", ".tga"},
        {"Powerup Icon (heatgun)", "iconheatgun", ".png"},
        {"Powerup Icon (bridge)", "iconbridge", ".png"},
        {"Powerup Icon (emp)", "iconwhistle", ".tga"},
        {"Powerup Icon (teleport_b2)", "iconteleportblue", ".png"},
        {"Powerup Icon (teleport_b1)", "iconteleportblue", ".png"},
        {"Powerup Icon (teleport_y2)", "iconteleportyellow", ".png"},
        {"Powerup Icon (teleport_y1)", "iconteleportyellow", ".png"},
        {"Powerup Icon (teleport_r2)", "iconteleportred", ".png"},
        {"Powerup Icon (teleport_r1)", "iconteleportred", ".png"},
    };
    static const char* const numberNames[INVENTORY_SLOTS] = {
        "Powerup Icon (1)", "Powerup Icon (2)", "Powerup Icon (3)", "Powerup Icon (4)", "Powerup Icon (5)",
        "Powerup Icon (6)", "Powerup Icon (7)", "Powerup Icon (8)", "Powerup Icon (9)"};
    static const char* const counts[INVENTORY_SLOTS] = {"one", "two",   "three", "four", "five",
                                                        "six", "seven", "eight", "nine"};
    for (int slot = 0; slot < INVENTORY_SLOTS; ++slot) {
        std::string count = std::string("icon") + counts[slot];
        auto number =
            std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, KIND_WIDGET_OVERLAY, 2, shared, 1, 1);
        number->setName(numberNames[slot]);
        Frames{*number}.run(count, 0, 1).one(count + "0.tga");
        number->setLocation(30 + ICON_SPACING * slot, 25, false);
        icons_[slot][0] = std::move(number);
    }
    for (int type = 1; type <= POWERUP_TYPES; ++type) {
        const TypeIcon& t = types[type - 1];
        auto icon =
            std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, KIND_WIDGET_BASE, 2, shared, 1, 1);
        icon->setName(t.name);
        Frames frames{*icon};
        std::string three = numbered(t.prefix, 3, "");
        bool oneLeft = type >= POWERUP_TELEPORT_BLUE2 && type % 2 == 0;
        if (oneLeft) {
            frames.one(three + ".png");
            for (const char* letter : {"b", "c", "d", "e", "d", "c", "b"})
                frames.one(three + letter + ".png");
            frames.one(three + ".png");
            icon->resetAnimation();
        } else {
            frames.run(t.prefix, 0, 4, t.suffix);
            if (type >= POWERUP_TELEPORT_BLUE2)
                frames.one(three + ".png");
            icon->finish();
        }
        icons_[0][type] = std::move(icon);
    }
    for (int slot = 0; slot < INVENTORY_SLOTS; ++slot) {
        for (int type = 1; type <= POWERUP_TYPES; ++type) {
            if (slot > 0) {
                icons_[slot][type] = std::make_unique<CSprite>(*icons_[0][type]);
                CSprite::registerCopy(icons_[slot][type].get());
            }
            icons_[slot][type]->setLocation(14 + ICON_SPACING * slot, 10, false);
        }
    }
}

CSprite* CElementAIProfessor::stateSprite(int animation) const
{
    if (animation >= IDLE_STATE)
        return idleSprites_[(animation - IDLE_STATE) % IDLE_COUNT].get();
    return stateSprites_[animation].get();
}

// ---- The animation of the tick.

void CElementAIProfessor::updateAnimation()
{
    UpdateOverlays(this);
    stopChosen_ = replayChosen_ = false;
    if (sprite && sprite->isFinished()) {
        if (handleEndedAnimation())
            return;
    } else if (startPose && (keyLeft || keyRight || stunned)) {
        if (!arriving)
            startPose = false;
    } else if (!moving && !keyLeft && !keyRight && !keyUp && !keyDown && !usingPowerup && !stunned &&
               stunTicks <= 0) {
        if (state >= STAND_MIDDLE && state <= STAND_RIGHT && ++idleTicks >= IDLE_AFTER_TICKS) {
            idling = true;
            idleTicks = 0;
            idleIndex = (idleIndex + 1) % IDLE_COUNT;
        }
    } else {
        if (thawed || landing || idling || (!usingPowerup && (turning || turnedFront)))
            thawed = landing = idling = turning = turnedFront = false;
        if (moving || stunned)
            hotStep = hotPush = false;
        idleTicks = 0;
    }
    applyState(chooseState());
}

// Acts on the one-shot animation that has ended; true when it ended the level.
bool CElementAIProfessor::handleEndedAnimation()
{
    bool rewind = true;
    if (state >= IDLE_STATE) {
        idling = false;
        if (!startPose)
            turning = true;
    }
    switch (state) {
    case HOT_STEP_LEFT:
    case HOT_STEP_LEFT + 1: hotStep = false; break;
    case HOT_PUSH_LEFT:
    case HOT_PUSH_LEFT + 1: hotPush = false; break;
    case INFLATE_LEFT:
    case INFLATE_LEFT + 1:
        // Stays inflating while the bridge is still being built.
        if (activePowerup != POWERUP_BRIDGE || !busy) {
            busy = false;
            state += INFLATE_STAND_LEFT - INFLATE_LEFT;
        }
        break;
    case INFLATE_STAND_LEFT:
    case INFLATE_STAND_LEFT + 1:
    case FROSTGUN_LEFT:
    case FROSTGUN_LEFT + 1:
    case HEATGUN_LEFT:
    case HEATGUN_LEFT + 1: usingPowerup = false; break;
    case WHISTLE:
    case EMP: turning = true; break;
    case TRAMPOLINE_LEFT:
    case TRAMPOLINE_RIGHT: rewind = !onTrampoline; break;
    case FLING_RIGHT:
    case FLING_LEFT: recovering = true; break;
    case RECOVER:
        recovering = leftTrampoline = false;
        turning = true;
        break;
    case LAND:
        landing = false;
        turning = true;
        break;
    case TUBE_ENTRANCE:
        arriving = false;
        movable = true;
        break;
    case TUBE_EXIT:
    case CAUGHT_LEFT:
    case CAUGHT_RIGHT:
    case SINGED: levelExited = true; return true;
    case UNSTUN_LEFT:
    case UNSTUN_LEFT + 1: stunned = false; break;
    case TURN_LEFT:
    case TURN_LEFT + 1:
        if (activePowerup == POWERUP_NONE)
            usingPowerup = false;
        turnedFront = turning = false;
        break;
    case UNTURN_LEFT:
    case UNTURN_LEFT + 1:
        turnedFront = true;
        // An effect already done leaves nothing to face the front for.
        if (activePowerup == POWERUP_NONE)
            turning = true;
        break;
    case THAWING: thawed = false; break;
    default: break;
    }
    if (rewind) {
        sprite->resetAnimation();
        sprite->play(true);
    }
    return false;
}

int CElementAIProfessor::chooseState()
{
    if (frozen) {
        landing = usingPowerup = busy = false;
        return FROZEN;
    }
    if (heated) {
        outcome.professorSinged = true;
        return SINGED;
    }
    if (thawed) {
        landing = false;
        return THAWING;
    }
    if (arriving) {
        if (!arrivalSoundPlayed) {
            arrivalSoundPlayed = true;
            sounds_->tubeArrival.play(false, 4);
        }
        return TUBE_ENTRANCE;
    }
    if (leaving) {
        outcome.professorLeaving = true;
        landing = false;
        if (!sounds_->tubeDeparture.isPlaying())
            sounds_->tubeDeparture.play();
        return TUBE_EXIT;
    }
    if (catchRight || catchLeft) {
        if (!sounds_->caught.isPlaying())
            sounds_->caught.play();
        return catchRight ? CAUGHT_RIGHT : CAUGHT_LEFT;
    }
    if (falling) {
        usingPowerup = turning = turnedFront = false;
        leftTrampoline = recovering = false;
        return FALL;
    }
    if (turning)
        return facing(TURN_LEFT, facingLeft);
    if (leftTrampoline) {
        if (recovering)
            return RECOVER;
        if (!IsMovingLeft() && !IsMovingRight())
            return state;
        facingLeft = !IsMovingLeft();
        SoundObject& sound = sounds_->trampoline;
        if (!sound.isPlaying() && !sound.isStartDelayed())
            sound.play(false, 11);
        return IsMovingLeft() ? FLING_RIGHT : FLING_LEFT;
    }
    if (usingPowerup) {
        switch (activePowerup) {
        case POWERUP_FROSTGUN: return facing(FROSTGUN_LEFT, facingLeft);
        case POWERUP_HEATGUN: return facing(HEATGUN_LEFT, facingLeft);
        case POWERUP_EMP:
        case POWERUP_WHISTLE: {
            const char* what = activePowerup == POWERUP_EMP ? "EMP" : "WHISTLE";
            if (!turnedFront) {
                logMessage(LOG_DEBUG, "***  %s:  UNTURNING\n", what);
                return facing(UNTURN_LEFT, facingLeft);
            }
            logMessage(LOG_DEBUG, "***  %s:  ACTIVATE\n", what);
            return activePowerup == POWERUP_EMP ? EMP : WHISTLE;
        }
        case POWERUP_NONE: return state; // the animation plays to its end
        default: return facing(INFLATE_LEFT, facingLeft);
        }
    }
    if (idling)
        return IDLE_STATE + idleIndex;
    if (landing && !IsOccupiedAbove(false)) {
        if (!IsLadderAt(x, y) || IsSupported(false))
            return LAND;
        landing = false;
        return CLIMB_DOWN;
    }
    if (IsMovingLeft() || IsMovingRight())
        return chooseMovingState(IsMovingLeft());
    if (IsMovingUp() || IsMovingDown()) {
        replayChosen_ = true;
        return IsMovingUp() ? CLIMB_UP : CLIMB_DOWN;
    }
    if (startPose)
        return STAND_MIDDLE;
    if (IsLadderAt(x, y)) {
        CElement* below = GetElementAt(x, y + 1);
        bool climbPose = !IsSupported(false) || (below->mobile && (wasMovingUp || wasMovingDown));
        if (climbPose) {
            stopChosen_ = true;
            return wasMovingUp ? CLIMB_UP : CLIMB_DOWN;
        }
    }
    return chooseStandingState(facingLeft);
}

int CElementAIProfessor::chooseMovingState(bool left)
{
    if (onTrampoline)
        return left ? TRAMPOLINE_LEFT : TRAMPOLINE_RIGHT;
    const WorldLinks& links = worldLinks();
    bool crawl = IsOccupied(x, y - 1) || (!teleporting && IsOccupied(originX, originY - 1)) ||
                 (links.isTeleportTopAt && links.isTeleportTopAt(originX, originY));
    if (crawl)
        return (left != barrelRolled) ? CRAWL_LEFT : CRAWL_RIGHT;
    if (sliding) {
        if (left)
            return facingLeft ? SLIDE_LEFT : SLIDE_LEFT_UNCOOL;
        return facingLeft ? SLIDE_RIGHT_UNCOOL : SLIDE_RIGHT;
    }
    if (barrelRolled)
        return left ? BARREL_RIGHT : BARREL_LEFT;
    bool ladderUnderWay = (IsLadderAt(x, y) && !IsSupported(false)) ||
                          (IsLadderAt(originX, originY) && moving && !supportedBeforeMove);
    if (ladderUnderWay)
        return left ? LADDER_JUMP_LEFT : LADDER_JUMP_RIGHT;
    if (pushing)
        return facing(PUSH_LEFT, left);
    return left ? RUN_LEFT : RUN_RIGHT;
}

// Standing still: the pose after a refused move, the stun, or the push
// against what will not move while the key is held.
int CElementAIProfessor::chooseStandingState(bool left)
{
    if (hotStep)
        return facing(HOT_STEP_LEFT, left);
    if (hotPush)
        return facing(HOT_PUSH_LEFT, left);
    if ((left ? wasMovingLeft : wasMovingRight) && onTrampoline)
        return facing(TRAMPOLINE_PUSH_LEFT, left);
    if (stunned) {
        if (IsOccupiedAbove(false)) {
            if (stunTicks > 0) {
                --stunTicks;
                return state;
            }
            return facing(STUN_LEFT, left);
        }
        bool stunEnded = state == facing(STUN_LEFT, left) && sprite->isFinished();
        if (stunEnded || state == facing(UNSTUN_LEFT, left))
            return facing(UNSTUN_LEFT, left);
        return facing(STUN_LEFT, left);
    }
    const int crawl = left ? CRAWL_LEFT : CRAWL_RIGHT;
    const int stand = left ? STAND_LEFT : STAND_RIGHT;
    if (!(left ? keyLeft : keyRight)) {
        if (IsOccupiedAbove(false)) {
            stopChosen_ = true;
            return crawl;
        }
        return onTrampoline ? state : stand;
    }
    if (IsOccupiedAbove(false))
        return crawl;
    if (IsOnSlipperyGround())
        return left ? SLIDE_RIGHT_UNCOOL : SLIDE_LEFT_UNCOOL;
    int column = GetNextColumn(left);
    if (left ? column < 0 : column >= BOARD_COLUMNS)
        return stand;
    if (GetElementAt(x, y + 1)->IsBarrel())
        return left ? BARREL_LEFT : BARREL_RIGHT;
    int aheadX = x + (left ? -1 : 1);
    if (!GetElementAt(aheadX, y + 1)->heated && !GetElementAt(aheadX, y)->heated)
        return facing(PUSH_LEFT, left);
    return stand;
}

// The chosen state's sprite replaces the one shown, at the drawn position of
// the start of the tick, and plays.
void CElementAIProfessor::applyState(int animation)
{
    CSprite* chosen = stateSprite(animation);
    if (chosen != shownSprite) {
        if (shownSprite) {
            DumpLine();
            shownSprite->hide();
            shownSprite->resetAnimation();
            shownSprite->reset();
        }
        chosen->show(prevPixelX, prevPixelY);
        chosen->play(true);
        shownSprite = chosen;
    }
    sprite = chosen;
    state = animation;
    if (stopChosen_)
        sprite->stopAnimation();
    else if (replayChosen_)
        sprite->play(true);
    placeElementSprites(*this);
}

// ---- Sounds.

void CElementAIProfessor::updateSounds()
{
    Sounds& s = *sounds_;
    bool running = ((IsMovingLeft() || IsMovingRight()) && !sliding && IsSupported(false)) ||
                   (!moving && (keyLeft || keyRight) && GetElementAt(x, y + 1)->IsBarrel());
    if (!running) {
        s.runCounter = 8;
    } else if (++s.runCounter > 10) {
        playOther(s.run.data(), static_cast<int>(s.run.size()), s.lastRun);
        s.runCounter = 0;
    }
    bool climbing = (IsMovingUp() || IsMovingDown()) && IsLadderAt(x, y);
    if (!climbing) {
        s.climbCounter = 2;
    } else if (++s.climbCounter > 5) {
        playOther(s.climb.data(), static_cast<int>(s.climb.size()), s.lastClimb);
        s.climbCounter = 0;
    }
    if (state == SLIDE_LEFT_UNCOOL || state == SLIDE_RIGHT_UNCOOL) {
        if (!s.stuckIce.isPlaying())
            s.stuckIce.play(true);
    } else {
        s.stuckIce.stop();
    }
}
