// The professor's record, his tick and his undo record.
#include "world/ElementAIProfessor.h"

#include "engine/Log.h"
#include "levels/Profile.h"
#include "world/ProfessorSounds.h"
#include "world/WorldLinks.h"

CElementAIProfessor::CElementAIProfessor(int cellX, int cellY) : CElementAI(cellX, cellY)
{
    loadSprites();
    loadIdleSprites();
    loadPowerupIcons();
    CreateOverlays(false, true, true, false);
    sounds_ = std::make_unique<Sounds>();
    soundLand = std::make_unique<SoundObject>("professor_land.ogg", false);
    soundHeat = std::make_unique<SoundObject>("explode_heat_metal.ogg", false);
    professor = this;
    SetElementAt(x, y, this);
    movable = false;
    burnable = true;
    outcome.professorFallen = outcome.professorSinged = outcome.professorLeaving = false;
    outcome.professorCaught = false;
    levelExited = false;
    typeAI = AI_PROFESSOR;
    applyState(36);
}

CElementAIProfessor::~CElementAIProfessor()
{
    logMessage(LOG_DESTRUCT, "CElementAIProfessor:  Destroying professor element at (%d,%d)...\n", x, y);
    logMessage(LOG_DESTRUCT, "CElementAIProfessor:  Destroying preloaded sprites...\n");
    for (auto& s : stateSprites_)
        s.reset();
    sprite = shownSprite = nullptr;
    logMessage(LOG_DESTRUCT, "CElementAIProfessor:  Destroying powerup sprites...\n");
    for (auto& slot : icons_)
        for (auto& icon : slot)
            icon.reset();
    logMessage(LOG_DESTRUCT, "CElementAIProfessor:  Destroying idle sprites...\n");
    for (auto& s : idleSprites_)
        s.reset();
    logMessage(LOG_DESTRUCT, "CElementAIProfessor:  Destroying sounds...\n");
    sounds_.reset();
    logMessage(LOG_TICKS, "PROFESSOR:  Delete sounds\n");
    if (professor == this)
        professor = nullptr;
}

// ---- The tick.

void CElementAIProfessor::Update()
{
    if (frozen)
        mayBePushedLeft = mayBePushedRight = true;
    if (moving)
        stunned = false;
    if (teleporting && mouseTargetActive)
        cancelMouseTarget();
    collectPowerup();
    const WorldLinks& links = worldLinks();
    if (IsNearCell() && !frozen && links.isExitAt && links.isExitAt(x, y))
        skipSlideCheck = true;
    if (!falling && !moving)
        TakeBarrel(GetElementAt(x, y + 1));
    else if (falling)
        TakeBarrel(nullElement);
    handlePowerup();

    if (outcome.professorCaught) {
        if (GetElementAt(x, y) == this)
            ClearElementAt(x, y);
    } else if (arriving || leaving) {
        if (!usingPowerup)
            faceByKeys();
    } else if (usingPowerup) {
    } else if (moving) {
        faceByKeys();
    } else if (frozen) {
    } else if (heated || leftTrampoline) {
        faceByKeys();
    } else {
        actAtRest();
    }

    if (!barrel->IsNull() && !keyLeft && !keyRight)
        barrel->SetGrabDirection(false, false);
    keepPushing();
    if (!moving && (keyLeft || keyRight) && !GetElementAt(x, y + 1)->IsNull())
        wasMovingUp = wasMovingDown = false;
    updateAnimation();
    updateSounds();
    if (links.handleTutorial)
        links.handleTutorial(x, y, moving);
}

void CElementAIProfessor::collectPowerup()
{
    const WorldLinks& links = worldLinks();
    if (!IsNearCell() || !links.powerupAt)
        return;
    int found = links.powerupAt(x, y);
    if (found == POWERUP_NONE)
        return;
    logMessage(LOG_DEBUG, "Powerup Found:  %i\n", found);
    if (addPowerup(found) && links.collectPowerupAt)
        links.collectPowerupAt(x, y);
}

void CElementAIProfessor::faceByKeys()
{
    if (frozen || onTrampoline)
        return;
    if (keyLeft)
        facingLeft = true;
    if (keyRight)
        facingLeft = false;
}

void CElementAIProfessor::actAtRest()
{
    if (undoDeferred) {
        if (keyLeft || keyRight || keyUp || keyDown)
            SaveUndoStep();
        undoDeferred = false;
    }
    const WorldLinks& links = worldLinks();
    if (links.isExitAt && links.isExitAt(x, y)) {
        mobile = false;
        leaving = true;
        return;
    }
    if (y >= FALL_LIMIT_ROW) {
        outcome.professorFallen = true;
        levelExited = true;
        return;
    }
    steerToMouseTarget();
    // Something coming down on his head stuns him.
    if (!IsLadderAt(x, y) && !stunned && GetElementAt(x, y - 1)->IsMoving()) {
        stunned = true;
        stunTicks = 5;
        if (!sounds_->crush.isPlaying())
            sounds_->crush.play();
    } else {
        stunTicks = 0;
    }
    mayBePushedLeft = mayBePushedRight = true;
    TryKeyMoves();
}

// The push pose lasts while he goes on toward an occupied cell.
void CElementAIProfessor::keepPushing()
{
    if (!pushing)
        return;
    bool ahead = (IsMovingLeft() && IsOccupied(GetNextColumn(true), GetNextRow(true))) ||
                 (IsMovingRight() && IsOccupied(GetNextColumn(false), GetNextRow(false))) || IsMovingUp() ||
                 IsMovingDown();
    pushing = ahead;
}

// ---- Undo.

void CElementAIProfessor::SaveState(ElementRecord& record) const
{
    SavePart(record, "ElementAIProfessor", SavedProfessor{profile ? profile->GetSteps(true) : 0, *this});
    CElementAI::SaveState(record);
}

void CElementAIProfessor::RestoreState(const ElementRecord& record)
{
    if (const SavedProfessor* part = RestorePart<SavedProfessor>(record, "ElementAIProfessor")) {
        if (profile)
            profile->SetSteps(part->steps);
        static_cast<ProfessorStatus&>(*this) = part->status;
    }
    arriving = idling = false;
    idleTicks = 0;
    syncIcons();
    mouseTargetActive = false;
    hoveredSlot = -1;
    CElementAI::RestoreState(record);
    movable = true;
}
