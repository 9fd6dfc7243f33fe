// The bot's behaviour: waking, seeing, chasing, the catch, the EMP, the crush,
// and its undo record. Its pictures and sounds are in ElementAIBotAnimation.cpp.
#include "world/ElementAIBot.h"

#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "world/WorldLinks.h"

#include <algorithm>

namespace {

std::vector<CElementAIBot*> bots;

// Ticks the crushed bot waits under the weight before its crushed animation.
constexpr int CRUSH_DELAY = 5;
constexpr int SLIDE_FADE_IN_STEPS = 50;
constexpr int SLIDE_SOUND_TICKS = 300;

bool isTeleportCell(int x, int y)
{
    auto isTeleportAt = worldLinks().isTeleportAt;
    return isTeleportAt && (isTeleportAt(x, y, false, false, false) || isTeleportAt(x, y, true, false, false));
}

} // namespace

CElementAIBot::CElementAIBot(int cellX, int cellY, int code, int modifier) : CElementAI(cellX, cellY)
{
    bots.push_back(this);
    metallic = heatable = true;
    typeAI = AI_BOT;
    SetElementAt(cellX, cellY, this);
    MakeSounds();
    MakeSprites();
    CreateOverlays(true, false, true, true);
    if (code == CODE_LEFT || code == CODE_RIGHT) {
        state = code == CODE_LEFT ? 13 : 14;
        canFall = mobile = true;
        facingLeft = code == CODE_LEFT;
    } else {
        state = 0;
        canFall = mobile = false;
    }
    if (modifier == MODIFIER_FROZEN)
        state = 23;
    sprite = shownSprite = sprites_[state].get();
    sprite->setLocation(pixelX, pixelY, false);
    sprite->show(pixelX, pixelY);
    sprite->play(true);
}

CElementAIBot::~CElementAIBot()
{
    logMessage(LOG_DESTRUCT, "CElementAIBot:  Destroying bot element at (%d,%d)...\n", x, y);
    bots.erase(std::remove(bots.begin(), bots.end(), this), bots.end());
    sprite = shownSprite = nullptr;
    FreeOverlays(this);
}

// ---- Class-wide.

void CElementAIBot::WakeAll()
{
    for (CElementAIBot* bot : bots)
        bot->Activate();
}

void CElementAIBot::StunAll()
{
    for (CElementAIBot* bot : bots)
        bot->Stun();
}

void CElementAIBot::ResetList() { bots.clear(); }

const std::vector<CElementAIBot*>& CElementAIBot::GetList() { return bots; }

// ---- Undo.

void CElementAIBot::SaveState(ElementRecord& record) const
{
    SavePart(record, "ElementAIBot", SavedBot{active, standUp, empDazed});
    CElementAI::SaveState(record);
}

void CElementAIBot::RestoreState(const ElementRecord& record)
{
    if (const SavedBot* part = RestorePart<SavedBot>(record, "ElementAIBot")) {
        active = part->active;
        standUp = part->standUp;
        empDazed = part->empDazed;
    }
    catchJumpDelay = CATCH_JUMP_DELAY;
    CElementAI::RestoreState(record);
}

// ---- Waking and stunning.

bool CElementAIBot::IsCatching() { return catchLeft || catchRight; }

void CElementAIBot::Activate()
{
    if (destroyed)
        return;
    if (!canFall) {
        canFall = mobile = true;
        if (!frozen && !IsMagnetHeld())
            standUp = true;
    }
    active = true;
}

void CElementAIBot::ClearKeys() { keyLeft = keyRight = keyUp = keyDown = false; }

void CElementAIBot::Deactivate()
{
    active = false;
    ClearKeys();
}

void CElementAIBot::Stun()
{
    empStunned = true;
    if (canFall)
        empDazed = 1;
    if (active)
        Deactivate();
}

// ---- Seeing the professor.

// Along the bot's row in the way it faces, up to the professor's column: an
// occupied cell or a teleport hides him, and so does the edge of the board.
bool CElementAIBot::CanSeeProfessorOnRow(const CElement& prof) const
{
    bool onRow = prof.y == y;
    bool justBelow = prof.y == y + 1 && !IsOccupied(prof.x, y) && !prof.frozen;
    if (!onRow && !justBelow)
        return false;
    const int dx = facingLeft ? -1 : 1;
    for (int column = x + dx; column >= 0 && column < BOARD_COLUMNS; column += dx) {
        if (column == prof.x)
            return true;
        if (IsOccupied(column, y) || isTeleportCell(column, y))
            return false;
    }
    return false;
}

// Straight down from a hanging bot, with nothing in between.
bool CElementAIBot::CanSeeProfessorBelow(const CElement& prof) const
{
    if (prof.x != x || prof.y <= y)
        return false;
    for (int row = y + 1; row < prof.y; ++row)
        if (IsOccupied(x, row))
            return false;
    return true;
}

void CElementAIBot::Detect()
{
    if (empDazed || stunned)
        return;
    CElement* prof = GetProfessor();
    if (canFall) {
        if (prof && CanSeeProfessorOnRow(*prof)) {
            Activate();
            if (!soundDetectStand_->isPlaying())
                soundDetectStand_->play();
        }
        return;
    }
    bool woken = false;
    if (!GetElementAt(x, y - 1)->IsTerrain() || IsMagnetHeld()) {
        logMessage(LOG_DEBUG, "CElementAIBot::Detect():  Activating due to destroyed terrain\n");
        woken = true;
    } else {
        woken = prof && CanSeeProfessorBelow(*prof);
    }
    if (!woken)
        return;
    Activate();
    if (!soundDetectHang_->isPlaying())
        soundDetectHang_->play();
}

void CElementAIBot::Chase()
{
    CElement* prof = GetProfessor();
    if (!prof)
        return;
    if (prof->x == x && prof->y == y) {
        ClearKeys();
    } else if (IsCatching()) {
        keyLeft = catchLeft;
        keyRight = catchRight;
        keyUp = keyDown = false;
    } else {
        keyLeft = prof->x < x;
        keyRight = x < prof->x;
        keyUp = prof->y < y;
        keyDown = y < prof->y;
    }
}

// ---- The tick.

void CElementAIBot::KeepPushingOnlyAgainstSomething()
{
    if (!pushing)
        return;
    bool left = IsMovingLeft();
    bool againstSomething = (left || IsMovingRight()) ? IsOccupied(GetNextColumn(left), GetNextRow(left))
                                                      : IsMovingUp() || IsMovingDown();
    if (!againstSomething)
        pushing = false;
}

void CElementAIBot::Update()
{
    if ((heated || wasHeated) && !destroyed) {
        canFall = mobile = destroyed = true;
        Deactivate();
    }
    if (frozen)
        mayBePushedLeft = mayBePushedRight = true;
    if (moving) {
        stunned = false;
        if (slideFaded) {
            soundBotSlide_->fadeIn(SLIDE_FADE_IN_STEPS);
            slideFaded = false;
            slideCountdown = SLIDE_SOUND_TICKS;
        }
    }
    if (!falling) {
        if (!moving)
            TakeBarrel(GetElementAt(x, y + 1));
    } else {
        TakeBarrel(GetNullElement());
    }
    if (frozen || IsMagnetHeld())
        Activate();

    bool free = (!IsProfessorCaught() || IsCatching()) && !IsProfessorLeaving() && !IsProfessorSinged();
    if (!free) {
        ClearKeys();
    } else if (IsCatching() && catchJumpDelay >= 1) {
        if (!active)
            soundDetectStand_->play();
        active = true;
        --catchJumpDelay;
        ClearKeys();
        logMessage(LOG_DEBUG, "Bot Catching Jump Delay Remaining:  %i\n", catchJumpDelay);
    } else if (!IsMagnetHeld() && !moving && !frozen && !destroyed) {
        if (active)
            Chase();
        else
            Detect();
        // Crushed: something mobile came to rest on the bot's head.
        // The count starts once, and clears on the next tick, as the
        // professor's does: the crushed picture follows at once.
        if (IsSupported(false) && !stunned && GetElementAt(x, y - 1)->mobile) {
            stunned = true;
            stunTicks = CRUSH_DELAY;
            if (!soundCrush_->isPlaying())
                soundCrush_->play();
        } else {
            stunTicks = 0;
        }
        mayBePushedLeft = mayBePushedRight = true;
        TryKeyMoves();
    }
    if (!barrel->IsNull() && !keyLeft && !keyRight)
        barrel->SetGrabDirection(false, false);
    KeepPushingOnlyAgainstSomething();
    UpdateAnimation();
    UpdateSounds();
}
