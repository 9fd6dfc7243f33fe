// The world tick: motion toward the cell, falling, squeezing barrels out,
// sliding, the catch, the end-of-tick flags and the movement sounds.
#include "world/Element.h"

#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/SoundObject.h"
#include "levels/Profile.h"
#include "world/WorldLinks.h"

#include <algorithm>

namespace {

constexpr int MOVE_STEP = 3;         // pixels per tick: 8 ticks per cell
constexpr int SHOT_STEP = 6;         // a shot in flight off trampolines
constexpr int SOUND_FADE_STEPS = 15;

// One step toward the target, never past it.
int approach(int from, int to, int step)
{
    return from < to ? std::min(from + step, to) : std::max(from - step, to);
}

bool isSoundOn(const SoundObject& sound) { return sound.isPlaying() && sound.getVolume() > 0.0f; }

void fadeOutSlideSound(SoundObject& sound)
{
    if (isSoundOn(sound) && !sound.isFadingOut())
        sound.fadeOut(SOUND_FADE_STEPS);
}

} // namespace

// ---- Pump.

void CElement::PumpElements()
{
    if (undoPending) {
        SaveUndoStep();
    } else {
        for (size_t i = 0; i < allElements.size(); ++i)
            allElements[i]->UpdateMovement();
    }
    TransferAllHeat();
    CheckProfessorCaught();
    if (worldLinks().attractMagnets)
        worldLinks().attractMagnets();
    while (CheckAllFalling()) {
    }
    CheckAllSquishing();
    while (CheckAllFalling()) {
    }
    CheckAllSliding();
    while (CheckAllFalling()) {
    }
    // Elements made during this walk are reached in it.
    if (professor)
        professor->Update();
    for (size_t i = 0; i < allElements.size(); ++i)
        if (allElements[i] != professor)
            allElements[i]->Update();
    EndTick();
    UpdateSounds();
    undoPending = false;
}

// ---- Motion.

void CElement::UpdateMovement()
{
    prevPixelX = pixelX;
    prevPixelY = pixelY;
    if (!moving)
        return;
    int step = IsGunshot() && !IsTrampolineAt(x, y) ? SHOT_STEP : MOVE_STEP;
    int beforeX = pixelX;
    int beforeY = pixelY;
    if (IsMovingLeft() || IsMovingRight())
        pixelX = approach(pixelX, x * CELL_SIZE, step);
    else if (IsMovingUp() || IsMovingDown())
        pixelY = approach(pixelY, y * CELL_SIZE, step);
    if (teleporting) {
        ghostPixelX += pixelX - beforeX;
        ghostPixelY += pixelY - beforeY;
    }
    if (IsAligned()) {
        originX = x;
        originY = y;
        moving = pushed = teleporting = false;
    }
}

void CElement::MoveTo(int newX, int newY)
{
    if (IsProfessor() && !falling && !sliding && profile)
        profile->IncrementSteps();
    moving = true;
    supportedBeforeMove = IsSupported(false);
    originX = x;
    originY = y;
    x = newX;
    y = newY;

    if (!IsGunshot()) {
        CElement* below = GetElementAt(originX, originY + 1);
        if (below->IsBridge())
            below->Break();
    }

    bool left = IsMovingLeft();
    const WorldLinks& links = worldLinks();
    bool throughTeleport = (left || IsMovingRight()) && links.isTeleportAt &&
                           links.isTeleportAt(originX, originY, left, true, false);
    if (throughTeleport) {
        // The element goes on out of the partner; its ghost goes on into
        // the entrance.
        teleporting = true;
        teleportProgress = 0;
        requestX = newX;
        requestY = newY;
        ghostPixelX = pixelX;
        ghostPixelY = pixelY;
        x = GetNextColumnAt(originX, originY, left, true);
        y = GetNextRowAt(originX, originY, left, true);
        originX = x + (left ? 1 : -1);
        originY = y;
        pixelX = originX * CELL_SIZE;
        pixelY = originY * CELL_SIZE;
        prevPixelX = pixelX + (left ? MOVE_STEP : -MOVE_STEP);
        prevPixelY = pixelY;
    }

    // A plain fall keeps the horizontal direction.
    if (pushed || !falling) {
        bool reverses = (wasMovingLeft && IsMovingRight()) || (wasMovingRight && IsMovingLeft());
        if (reverses)
            pushing = false;
        wasMovingLeft = IsMovingLeft();
        wasMovingRight = IsMovingRight();
    }
    wasMovingUp = IsMovingUp();
    wasMovingDown = IsMovingDown();

    if (inGrid && isOnBoard(x, y) && GetElementAt(x, y)->IsNull())
        SetElementAt(x, y, this);

    if (IsTrampolineAt(x, y)) {
        onTrampoline = true;
    } else if (onTrampoline) {
        onTrampoline = false;
        if (!frozen)
            leftTrampoline = true;
    }

    if (!throughTeleport) {
        if (GetElementAt(originX, originY, true) == this)
            ClearElementAt(originX, originY);
    } else {
        int startX = originX + requestX - x;
        if (GetElementAt(startX, requestY, true) == this && (startX != x || requestY != y))
            ClearElementAt(startX, requestY);
    }
}

// ---- Falling.

bool CElement::CanFall(bool ignoreBelow)
{
    // The flag first: most elements never fall, and the questions below are
    // asked of other classes.
    if (!canFall)
        return false;
    if (ignoreBelow ? IsTrampolineAt(x, y + 1) || IsLadderPlatformAt(x, y + 1) : IsSupported(false))
        return false;
    if (y >= FALL_LIMIT_ROW)
        return false;
    if (IsAI() && !frozen && IsLadderAt(x, y))
        return false;
    return CheckHoldChain(holderA, true) && CheckHoldChain(holderB, false);
}

bool CElement::CheckFalling(CElement* e)
{
    int frame = static_cast<int>(CurrentFrame());
    if (e->CanFall(false)) {
        logMessage(LOG_ELEMENT_PUMP, "CheckAllFalling in frame %d:  Element found (%s) at (%i,%i)..\n", frame,
                   e->GetTypeName(), e->x, e->y);
        e->falling = true;
        e->landing = e->sliding = false;
        e->MoveTo(e->x, e->y + 1);
        return true;
    }
    if (GetElementAt(e->x, e->y + 1)->falling) {
        logMessage(LOG_ELEMENT_PUMP, "CheckAllFalling in frame %d:  Element ignoring fall check (%s)\n", frame,
                   e->GetTypeName());
        return false;
    }
    if (e->falling || e->landedFrame == frame) {
        logMessage(LOG_ELEMENT_PUMP, "CheckAllFalling in frame %d:   Element landed (AI=%d,OBJECT=%d)\n", frame,
                   e->typeAI, e->typeObject);
        e->landing = e->landed = true;
        e->landedFrame = frame;
    } else {
        e->landed = false;
        e->landedFrame = -1;
    }
    e->falling = false;
    return false;
}

bool CElement::CheckAllFalling()
{
    bool anyFell = false;
    for (size_t i = 0; i < allElements.size(); ++i) {
        CElement* e = allElements[i];
        if (!e->canFall) {
            e->falling = e->landed = false;
        } else if (!e->moving) {
            anyFell = CheckFalling(e) || anyFell;
        }
    }
    return anyFell;
}

// ---- Squeezing: an element coming to rest on a barrel pushes it out
// sideways and drops into its place.

bool CElement::CheckSquish(CElement* e)
{
    if (!e->canFall || e->moving || !e->CanFall(true))
        return false;
    if (e->IsAI() && !e->frozen && !e->destroyed)
        return false;
    CElement* barrel = GetElementAt(e->x, e->y + 1);
    if (!barrel->IsBarrel() || e->ShouldSlide())
        return false;
    bool rolled = e->wasMovingLeft ? barrel->PushLeft(false, false) || barrel->PushRight(false, false)
                                   : barrel->PushRight(false, false) || barrel->PushLeft(false, false);
    if (!rolled)
        return false;
    logMessage(LOG_ELEMENT_PUMP, "   (%i,%i)  Barrel squish event\n", e->x, e->y + 1);
    e->wasMovingLeft = e->wasMovingRight = false;
    e->falling = true;
    e->MoveTo(e->x, e->y + 1);
    return true;
}

namespace {

// The board's reading order: the bottom row first, each row from the left.
// The squeeze and slide checks go through the board in it.
int readingOrder(int column, int row) { return (BOARD_ROWS - 1 - row) * BOARD_COLUMNS + column; }

bool restsOnBarrel(const CElement* e)
{
    return e->canFall && CElement::GetElementAt(e->x, e->y + 1)->IsBarrel();
}

bool isMovable(const CElement* e) { return e->movable; }

// The squeeze and slide checks' lists, kept to save allocations.
std::vector<std::pair<int, CElement*>> squeezeCandidates;
std::vector<std::pair<int, CElement*>> slideCandidates;

} // namespace

void CElement::CollectAtRest(bool (*wanted)(const CElement*), int after, std::vector<std::pair<int, CElement*>>& into)
{
    into.clear();
    if (professor && professor->busy) {
        // Making a thing, the professor stands in for it in its cell too:
        // the board is read cell by cell, as that may find him twice. Empty
        // cells are passed over at once unless the empty element itself
        // would be wanted.
        const bool emptyWanted = !nullElement->moving && wanted(nullElement);
        for (int row = BOARD_ROWS - 1; row >= 0; --row)
            for (int column = 0; column < BOARD_COLUMNS; ++column) {
                if (grid[cellIndex(column, row)] == nullElement && !emptyWanted)
                    continue;
                CElement* e = GetElementAt(column, row);
                if (readingOrder(column, row) > after && !e->moving && wanted(e))
                    into.emplace_back(readingOrder(column, row), e);
            }
        return;
    }
    // Otherwise an element at rest stands in its own cell alone.
    for (CElement* e : allElements)
        if (!e->moving && wanted(e) && !e->IsGunshot() && isOnBoard(e->x, e->y) &&
            grid[cellIndex(e->x, e->y)] == e && readingOrder(e->x, e->y) > after)
            into.emplace_back(readingOrder(e->x, e->y), e);
    std::sort(into.begin(), into.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

bool CElement::IsStillAt(int order, const CElement* e)
{
    const int row = BOARD_ROWS - 1 - order / BOARD_COLUMNS;
    return GetElementAt(order % BOARD_COLUMNS, row) == e && !e->moving;
}

void CElement::CheckAllSquishing()
{
    // Only an element that falls, at rest on a barrel, can squeeze it; the
    // check visits those in reading order. A squeeze moves things, so the
    // next is looked for again after each.
    int visited = -1;
    for (;;) {
        CollectAtRest(&restsOnBarrel, visited, squeezeCandidates);
        if (squeezeCandidates.empty())
            return;
        const auto [order, e] = squeezeCandidates.front();
        visited = order;
        if (!CheckSquish(e))
            continue;
        logMessage(LOG_ELEMENT_PUMP, "CheckAllSquishing in frame %d:  Barrel squished at (%i,%i)...\n",
                   static_cast<int>(CurrentFrame()), order % BOARD_COLUMNS, BOARD_ROWS - order / BOARD_COLUMNS);
        while (CheckAllFalling()) {
        }
    }
}

// ---- Sliding.

bool CElement::ShouldSlide()
{
    if (onTrampoline || IsMagnetHeld())
        return false;
    if (GetSlideSum() >= 0)
        return false;
    CElement* standingBelow = FindElementByCell(x, y + 1);
    if (standingBelow->IsMovingLeft() || standingBelow->IsMovingRight())
        return false;
    return (wasMovingLeft && GetNextColumn(true) >= 0) || (wasMovingRight && GetNextColumn(false) < BOARD_COLUMNS);
}

bool CElement::CheckSliding(CElement* e)
{
    if (e->skipSlideCheck) {
        e->skipSlideCheck = false;
        if (!e->onTrampoline)
            e->wasMovingLeft = e->wasMovingRight = false;
        return false;
    }
    if (!e->ShouldSlide()) {
        e->sliding = false;
        return false;
    }
    int frame = static_cast<int>(CurrentFrame());
    logMessage(LOG_ELEMENT_PUMP, "CheckAllSliding in frame %d:  Element found (%s) at (%i,%i)..\n", frame,
               e->GetTypeName(), e->x, e->y);
    bool left = e->wasMovingLeft;
    CElement* neighbour = GetElementAt(e->GetNextColumn(left), e->GetNextRow(left));
    if (neighbour->IsNull()) {
        e->sliding = true;
        e->MoveTo(e->x + (left ? -1 : 1), e->y);
        return true;
    }
    if (left ? neighbour->WasMovingLeft() : neighbour->WasMovingRight()) {
        logMessage(LOG_ELEMENT_PUMP, "CheckAllSliding in frame %d:  Element ignoring %s slide check (%s)\n", frame,
                   left ? "leftward" : "rightward", e->GetTypeName());
        return false;
    }
    // The slide ends against the neighbour.
    e->soundStop->play();
    e->sliding = false;
    (left ? e->wasMovingLeft : e->wasMovingRight) = false;
    if (left ? neighbour->WasMovingRight() : neighbour->WasMovingLeft()) {
        neighbour->skipSlideCheck = true;
        if (e->heated && neighbour->IsProfessor())
            neighbour->delayedHeat = true;
        return false;
    }
    if (neighbour == e)
        return false;
    return left ? neighbour->BumpedLeft() : neighbour->BumpedRight();
}

void CElement::CheckAllSliding()
{
    // A bump hands a direction on without starting a move, so teleport pairs
    // could pass one round for ever. Otherwise each element starts at most
    // one slide a tick and hands on at most one bump to each side.
    // Each pass visits the movable elements at rest in reading order; one
    // that a slide or a bump sets moving drops out of the pass, and nothing
    // comes to rest during one.
    const size_t passLimit = 3 * allElements.size() + 1;
    bool changed = true;
    for (size_t pass = 0; changed && pass < passLimit; ++pass) {
        changed = false;
        CollectAtRest(&isMovable, -1, slideCandidates);
        for (const auto& [order, e] : slideCandidates)
            if (IsStillAt(order, e) && e->movable)
                changed = CheckSliding(e) || changed;
    }
}

// ---- The catch: a bot beside the professor on firm ground takes him.

namespace {

bool canCatch(CElement* bot, CElement* prof, bool botOnLeft)
{
    if (!bot->IsBot() || bot->IsOccupiedAbove(false) || bot->frozen || bot->destroyed || bot->IsMoving())
        return false;
    if (!bot->IsSupported(false) && !CElement::IsLadderAt(bot->x, bot->y + 1))
        return false;
    bool botTowardsProfessor = botOnLeft ? bot->wasMovingRight : bot->wasMovingLeft;
    bool professorTowardsBot = botOnLeft ? prof->wasMovingLeft : prof->wasMovingRight;
    if ((bot->onTrampoline && botTowardsProfessor) || (prof->onTrampoline && professorTowardsBot))
        return false;
    return !bot->IsMagnetHeld();
}

} // namespace

void CElement::CheckProfessorCaught()
{
    CElement* p = professor;
    if (!p || outcome.professorLeaving)
        return;
    if (p->IsMoving() || p->frozen || p->heated || p->falling)
        return;
    if (!p->IsSupported(false) || p->IsOccupiedAbove(false))
        return;
    CElement* left = GetElementAt(p->GetNextColumn(true), p->GetNextRow(true));
    CElement* right = GetElementAt(p->GetNextColumn(false), p->GetNextRow(false));
    if (canCatch(left, p, true)) {
        left->catchRight = true;
        left->movable = false;
        p->catchRight = true;
    } else if (canCatch(right, p, false)) {
        right->catchLeft = true;
        right->movable = false;
        p->catchLeft = true;
    } else {
        return;
    }
    outcome.professorCaught = true;
    p->canFall = p->movable = false;
}

// ---- End of the tick.

void CElement::EndTick()
{
    int frame = static_cast<int>(CurrentFrame());
    for (CElement* e : allElements) {
        if (!e->moving && !e->onTrampoline)
            e->wasMovingLeft = e->wasMovingRight = false;
        if (!e->IsMovingDown())
            e->falling = false;
        if (e->landedFrame != frame)
            e->landed = false;
    }
}

void CElement::UpdateSounds()
{
    // With sound off every sound call does nothing: a run without sound
    // (the level lab's) need not ask each element.
    if (!CSound::isEnabled())
        return;
    for (CElement* e : allElements) {
        if (e->IsGunshot())
            continue;
        if (e->landed && (e->IsSupported(false) || (e->moving && e->supportedBeforeMove)) && !e->soundLand->isPlaying())
            e->soundLand->play();
        SoundObject* chosen = nullptr;
        if (e->IsMovingLeft() || e->IsMovingRight()) {
            if (e->IsBarrel())
                chosen = e->soundBarrelRoll.get();
            else if (e->IsOnSlipperyGround() || e->frozen)
                chosen = e->soundSlideIce.get();
            else if (!e->IsProfessor() && !(e->IsBot() && !e->destroyed))
                chosen = e->soundSlide.get();
        }
        if (chosen && !isSoundOn(*chosen)) {
            chosen->stop();
            chosen->fadeIn(SOUND_FADE_STEPS);
            chosen->play(true);
        }
        for (SoundObject* sound : {e->soundBarrelRoll.get(), e->soundSlideIce.get(), e->soundSlide.get()})
            if (sound != chosen)
                fadeOutSlideSound(*sound);
    }
}

// ---- Drawing a teleport passage: the main sprite comes out of the partner
// while a ghost copy goes on into the entrance, both clipped.

namespace {
constexpr int PORTAL_CLIP = 31;
constexpr int RIGHT_EXIT_SHIFT = 7;

void shiftOriginX(CSprite& sprite, int dx) { sprite.setOriginX(sprite.getOriginX() + SPRITE_ORIGIN_BIAS_X + dx); }

} // namespace

void CElement::CreateTeleportGhost(CElement* e)
{
    if (!e->teleporting) {
        if (e->ghostSprite) {
            e->ghostSprite.reset();
            if (e->sprite)
                e->sprite->reset();
        }
        return;
    }
    if (!e->sprite)
        return;
    CSprite& main = *e->sprite;
    const int step = e->IsGunshot() ? SHOT_STEP : MOVE_STEP;
    const bool right = e->IsMovingRight();
    int mainClip, mainWidth, ghostClip, ghostWidth;
    if (e->teleportProgress == 0 || !e->ghostSprite) {
        e->ghostSprite.reset();
        main.reset();
        e->ghostSprite = std::make_unique<CSprite>(main);
        e->ghostSprite->setName("Teleport Ghost Sprite");
        e->ghostSprite->setType(KIND_TELEPORT_GHOST);
        CSprite::registerCopy(e->ghostSprite.get());
        main.setType(KIND_TELEPORT_EMERGING);
        mainClip = PORTAL_CLIP;
        mainWidth = 0;
        ghostClip = 0;
        ghostWidth = PORTAL_CLIP;
        if (right) {
            mainWidth = main.getWidth(true) - PORTAL_CLIP;
            shiftOriginX(main, -RIGHT_EXIT_SHIFT);
        } else {
            ghostWidth = e->ghostSprite->getWidth(false);
        }
    } else {
        mainClip = main.getClipX();
        mainWidth = main.getWidth(false);
        ghostClip = e->ghostSprite->getClipX();
        ghostWidth = e->ghostSprite->getWidth(false);
        if (e->teleportProgress == CELL_SIZE / step - 1) {
            main.resetOriginX();
            mainClip -= RIGHT_EXIT_SHIFT;
            mainWidth += RIGHT_EXIT_SHIFT;
        }
    }
    if (right) {
        ghostWidth -= step;
        mainClip -= step;
    } else {
        ghostClip += step;
        ghostWidth -= step;
    }
    mainWidth += step;
    main.setClipX(mainClip);
    main.setWidth(mainWidth);
    e->ghostSprite->setClipX(ghostClip);
    e->ghostSprite->setWidth(ghostWidth);
    ++e->teleportProgress;
}

void CElement::PositionSprites(CElement* e)
{
    if (!e->teleporting || !e->ghostSprite || !e->sprite)
        return;
    CSprite& main = *e->sprite;
    CSprite& ghost = *e->ghostSprite;
    const int step = e->IsGunshot() ? SHOT_STEP : MOVE_STEP;
    const int progress = e->teleportProgress;
    if (e->IsMovingRight()) {
        ghost.setLocation(e->ghostPixelX, e->ghostPixelY, false);
        if (progress == 1)
            ghost.setLocation(e->ghostPixelX - MOVE_STEP, e->ghostPixelY, true);
        main.setLocation(e->pixelX - progress * step + CELL_SIZE, e->pixelY, false);
        main.invalidate();
    } else {
        int ghostX = e->ghostPixelX + progress * step;
        ghost.setLocation(ghostX, e->ghostPixelY, false);
        if (progress == 1) {
            ghost.setLocation(ghostX + step, e->ghostPixelY, true);
            main.setLocation(e->prevPixelX, e->prevPixelY, true);
        }
        main.setLocation(e->pixelX - 1, e->pixelY, false);
    }
}
