// The undo ring of five steps, each element's undo record, the world reset
// before a level is built and the unload after it.
#include "world/Element.h"

#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/SoundObject.h"
#include "engine/SpriteReport.h"
#include "world/WorldLinks.h"

#include <algorithm>

int CElement::undoStart = 0;
int CElement::undoCount = 0;
bool CElement::undoAtBase = false;
bool CElement::undoDeferred = false;

namespace {

// What one undo step keeps of the world besides each element's own record.
struct WorldStep {
    std::array<CElement*, BOARD_CELLS> grid{};
    std::vector<CElement*> elements;
    std::vector<CElement*> spawned;
    LevelOutcome outcome;
};

std::array<WorldStep, UNDO_STEPS> steps;

void flashForUndo(CSprite* flash, SoundObject* emp)
{
    if (!flash)
        return;
    flash->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    flash->SetFadeOut(500, 255, 0);
    CSound::stopAllEffects();
    emp->play();
}

} // namespace

// ---- The ring.

void CElement::SaveUndoStep()
{
    if (outcome.professorCaught || outcome.professorLeaving || outcome.professorSinged || outcome.professorFallen)
        return;
    if (undoAtBase) {
        logMessage(LOG_DEBUG, "UNDO SAVE - Skipped because just undid last step  (start=%i,count=%i)\n", undoStart,
                   undoCount);
        undoAtBase = false;
        return;
    }
    const int i = (undoStart + undoCount) % UNDO_STEPS;
    if (undoCount == 0) {
        // The level's starting position: the professor's first save request,
        // made before anything changed, is skipped.
        undoAtBase = true;
        undoCount = 1;
    } else if (undoCount == UNDO_STEPS) {
        undoStart = (undoStart + 1) % UNDO_STEPS;
    } else {
        ++undoCount;
    }
    logMessage(LOG_DEBUG, "UNDO SAVE - at index %i  (start=%i,count=%i)\n", i, undoStart, undoCount);
    logMessage(LOG_UNDO, "Saving all element states...\n");
    for (CElement* e : allElements) {
        logMessage(LOG_UNDO, "   Saving STEP %i of Element '%s'\n", i, e->GetTypeName());
        e->SaveState(i);
    }
    logMessage(LOG_UNDO, "   Saving STEP %i of obstructions\n", i);
    WorldStep& step = steps[i];
    step.grid = grid;
    step.elements = allElements;
    step.spawned = spawnedElements;
    step.outcome = outcome;
    for (const ClassState& state : worldLinks().classStates) {
        if (!state.save)
            continue;
        logMessage(LOG_UNDO, "   Saving STEP %i of %s\n", i, state.name);
        state.save(i);
    }
}

void CElement::LoadUndoStep(bool force)
{
    if (levelExited || undoCount == 0)
        return;
    if (!force && undoAtBase) {
        logMessage(LOG_DEBUG,
                   "UNDO LOAD - Skipped because nothing changed since final step restored (start=%i,count=%i)\n",
                   undoStart, undoCount);
        return;
    }
    const int i = (undoStart - 1 + undoCount) % UNDO_STEPS;
    if (undoCount < 2)
        undoAtBase = true; // the oldest step stays
    else
        --undoCount;
    logMessage(LOG_DEBUG, "UNDO LOAD - at index %i  (start=%i,count=%i)\n", i, undoStart, undoCount);
    flashForUndo(flashSprite.get(), empSound.get());

    WorldStep& step = steps[i];
    const bool sameSpawned = spawnedElements == step.spawned;
    logMessage(LOG_UNDO, "Restoring all element states...\n");
    for (CElement* e : allElements) {
        bool keep = sameSpawned || !e->spawned ||
                    std::find(step.spawned.begin(), step.spawned.end(), e) != step.spawned.end();
        if (keep) {
            logMessage(LOG_UNDO, "   Restoring STEP %i of Element '%s'\n", i, e->GetTypeName());
            e->RestoreState(i);
        } else {
            logMessage(LOG_UNDO, "   Deleting Spawned Element '%s'\n", e->GetTypeName());
            delete e;
        }
    }
    logMessage(LOG_UNDO, "   Restoring STEP %i of obstructions\n", i);
    grid = step.grid;
    allElements = step.elements;
    spawnedElements = step.spawned;
    outcome = step.outcome;
    for (const ClassState& state : worldLinks().classStates) {
        if (!state.restore)
            continue;
        logMessage(LOG_UNDO, "   Restoring STEP %i of %s\n", i, state.name);
        state.restore(i);
    }
}

void CElement::RegisterSpawned(CElement* element)
{
    element->spawned = true;
    spawnedElements.push_back(element);
}

// ---- Each element's record.

void CElement::SaveState(int step)
{
    logMessage(LOG_UNDO, "      %s:  Saving Element state...\n", GetTypeName());
    ElementSavedState& record = savedStates[step];
    record.kept = true;
    record.status = *this;
    record.sprite = sprite;
    if (sprite)
        sprite->saveSnapshot(record.spriteSnapshot);
    record.ghost = ghostSprite ? std::make_unique<CSprite>(*ghostSprite) : nullptr;
}

void CElement::RestoreState(int step)
{
    logMessage(LOG_UNDO, "      %s:  Restoring Element state...\n", GetTypeName());
    const ElementSavedState& record = savedStates[step];
    if (!record.kept)
        return; // nothing was saved into this step for this element
    if (sprite != record.sprite) {
        if (sprite) {
            sprite->hide();
            sprite->resetAnimation();
        }
        sprite = record.sprite;
        if (sprite)
            sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
    shownSprite = sprite;
    if (sprite)
        sprite->loadSnapshot(record.spriteSnapshot);
    for (CSprite* overlay : {overlayGlow.get(), overlayExplosion.get(), overlaySteam.get(), overlayEmp.get()})
        if (overlay)
            overlay->hide();
    ghostSprite.reset();
    if (record.ghost) {
        ghostSprite = std::make_unique<CSprite>(*record.ghost);
        CSprite::registerCopy(ghostSprite.get());
    }
    static_cast<ElementStatus&>(*this) = record.status;
}

// ---- Reset and unload.

namespace {

void clearSteps()
{
    for (WorldStep& step : steps)
        step = WorldStep();
}

} // namespace

void CElement::ResetWorld()
{
    undoStart = undoCount = 0;
    undoAtBase = undoDeferred = false;
    clearSteps();
    allElements.clear();
    spawnedElements.clear();
    heatedCells.clear();
    if (!nullElement) {
        nullElement = new CElement(0, 0, 1);
        nullElement->holderA = nullElement->holderB = nullElement;
    } else {
        // Kept from an earlier level: it stays in the list that owns it.
        allElements.push_back(nullElement);
    }
    grid.fill(nullElement);
    undoPending = true;
    for (const ClassState& state : worldLinks().classStates)
        if (state.reset)
            state.reset();
    outcome = LevelOutcome();
    levelExited = false;
    undoPending = true;
}

void CElement::UnloadElements()
{
    undoStart = undoCount = 0;
    undoAtBase = undoDeferred = false;
    logMessage(LOG_DESTRUCT, "CElement:  Destroying elements vector...%d elements.\n",
               static_cast<int>(allElements.size()));
    for (CElement* e : allElements)
        delete e;
    allElements.clear();
    // Nothing may point at the deleted elements any more.
    spawnedElements.clear();
    heatedCells.clear();
    clearSteps();
    grid.fill(nullptr);
    flashSprite.reset();
    empSound.reset();
    professor = nullptr;
    nullElement = nullptr;

    reportLiveSprites(LOG_ELEMENT, "CElement::UnloadElements()", true);
    logMessage(LOG_DESTRUCT, "DEBUG CElement:  Elements vector destroyed...%d elements.\n",
               static_cast<int>(allElements.size()));
}
