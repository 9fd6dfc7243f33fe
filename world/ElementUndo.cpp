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

std::array<WorldState, UNDO_STEPS> steps;

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
    CaptureWorld(steps[i], i);
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

    const WorldState& step = steps[i];
    if (spawnedElements != step.spawned) {
        // Elements made after the step go; the rest come back below.
        std::vector<CElement*> kept;
        for (CElement* e : allElements) {
            if (e->spawned && std::find(step.spawned.begin(), step.spawned.end(), e) == step.spawned.end()) {
                logMessage(LOG_UNDO, "   Deleting Spawned Element '%s'\n", e->GetTypeName());
                delete e;
            } else {
                kept.push_back(e);
            }
        }
        allElements = kept;
    }
    RestoreWorld(step, i);
}

void CElement::RegisterSpawned(CElement* element)
{
    element->spawned = true;
    spawnedElements.push_back(element);
}

// ---- The world as a value.

void CElement::CaptureWorld(WorldState& into, int step)
{
    const bool log = step >= 0;
    if (log)
        logMessage(LOG_UNDO, "Saving all element states...\n");
    into.records.resize(allElements.size());
    for (size_t n = 0; n < allElements.size(); ++n) {
        CElement* e = allElements[n];
        if (log)
            logMessage(LOG_UNDO, "   Saving STEP %i of Element '%s'\n", step, e->GetTypeName());
        into.records[n] = ElementRecord();
        e->SaveState(into.records[n]);
    }
    if (log)
        logMessage(LOG_UNDO, "   Saving STEP %i of obstructions\n", step);
    into.grid = grid;
    into.elements = allElements;
    into.spawned = spawnedElements;
    into.outcome = outcome;
    const std::vector<ClassState>& classes = worldLinks().classStates;
    into.classStates.assign(classes.size(), std::any());
    for (size_t n = 0; n < classes.size(); ++n) {
        if (!classes[n].save)
            continue;
        if (log)
            logMessage(LOG_UNDO, "   Saving STEP %i of %s\n", step, classes[n].name);
        into.classStates[n] = classes[n].save();
    }
}

void CElement::RestoreWorld(const WorldState& from, int step)
{
    const bool log = step >= 0;
    if (log)
        logMessage(LOG_UNDO, "Restoring all element states...\n");
    static const ElementRecord none;
    for (CElement* e : allElements) {
        auto found = std::find(from.elements.begin(), from.elements.end(), e);
        if (log)
            logMessage(LOG_UNDO, "   Restoring STEP %i of Element '%s'\n", step, e->GetTypeName());
        e->RestoreState(found == from.elements.end() ? none : from.records[found - from.elements.begin()]);
    }
    if (log)
        logMessage(LOG_UNDO, "   Restoring STEP %i of obstructions\n", step);
    grid = from.grid;
    allElements = from.elements;
    spawnedElements = from.spawned;
    outcome = from.outcome;
    const std::vector<ClassState>& classes = worldLinks().classStates;
    for (size_t n = 0; n < classes.size() && n < from.classStates.size(); ++n) {
        if (!classes[n].restore || !from.classStates[n].has_value())
            continue;
        if (log)
            logMessage(LOG_UNDO, "   Restoring STEP %i of %s\n", step, classes[n].name);
        classes[n].restore(from.classStates[n]);
    }
}

// ---- The base's part of each record.

void CElement::LogPart(bool saving, const char* className) const
{
    logMessage(LOG_UNDO, saving ? "      %s:  Saving %s state...\n" : "      %s:  Restoring %s state...\n",
               GetTypeName(), className);
}

void CElement::SaveState(ElementRecord& record) const
{
    ElementBaseState part;
    part.status = *this;
    part.sprite = sprite;
    if (sprite)
        sprite->saveSnapshot(part.spriteSnapshot);
    if (ghostSprite)
        part.ghost = std::make_shared<const CSprite>(*ghostSprite);
    SavePart(record, "Element", std::move(part));
}

void CElement::RestoreState(const ElementRecord& record)
{
    const ElementBaseState* part = RestorePart<ElementBaseState>(record, "Element");
    if (!part)
        return; // nothing was kept of this element
    if (sprite != part->sprite) {
        if (sprite) {
            sprite->hide();
            sprite->resetAnimation();
        }
        sprite = part->sprite;
        if (sprite)
            sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
    shownSprite = sprite;
    if (sprite)
        sprite->loadSnapshot(part->spriteSnapshot);
    for (CSprite* overlay : {overlayGlow.get(), overlayExplosion.get(), overlaySteam.get(), overlayEmp.get()})
        if (overlay)
            overlay->hide();
    ghostSprite.reset();
    if (part->ghost) {
        ghostSprite = std::make_unique<CSprite>(*part->ghost);
        CSprite::registerCopy(ghostSprite.get());
    }
    static_cast<ElementStatus&>(*this) = part->status;
}

// ---- Reset and unload.

namespace {

void clearSteps()
{
    for (WorldState& step : steps)
        step = WorldState();
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
