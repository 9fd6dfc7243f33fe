// Heat and frost: freezing, heating, passing heat to neighbours once per tick,
// and the overlays that show burning, thawing, the glow and an EMP stun.
#include "world/Element.h"

#include "engine/Log.h"
#include "engine/Render.h"
#include "engine/SoundObject.h"

#include <algorithm>

namespace {

bool isProfessorOutOfReach(const CElement* e, bool singedCounts)
{
    return e->IsProfessor() && (CElement::IsProfessorCaught() || CElement::IsProfessorLeaving() ||
                                (singedCounts && CElement::IsProfessorSinged()));
}

} // namespace

void CElement::GiveUpHeat()
{
    logMessage(LOG_DEBUG, "CElement::Freeze()   Element at (%i,%i) is dynamically heated.\n", x, y);
    wasHeated = true;
    heated = false;
}

bool CElement::Cool(CElement* e)
{
    if (e->IsCatching() || isProfessorOutOfReach(e, true) || !e->heated)
        return false;
    e->GiveUpHeat();
    return true;
}

bool CElement::Freeze(CElement* e)
{
    if (e->IsCatching() || isProfessorOutOfReach(e, true))
        return false;
    if (e->heated)
        return Cool(e);
    if (!e->freezable)
        return false;
    logMessage(LOG_DEBUG, "CElement::Freeze()   Element at (%i,%i) is dynamically freezable.\n", e->x, e->y);
    e->frozen = true;
    return true;
}

bool CElement::Heat(CElement* e, bool silent, bool record)
{
    if (e->IsCatching() || isProfessorOutOfReach(e, false))
        return false;
    auto recordCell = [e, record] {
        if (record && isOnBoard(e->x, e->y))
            heatedCells.push_back(cellIndex(e->x, e->y));
    };
    if (e->frozen) {
        logMessage(LOG_DEBUG, "CElement::Heat()   Element at (%i,%i) is dynamically frozen.\n", e->x, e->y);
        e->thawing = e->thawed = true;
        e->frozen = false;
    } else if (e->burnable || e->meltable) {
        logMessage(LOG_DEBUG, "CElement::Heat()   Element at (%i,%i) is statically burnable or meltable.\n", e->x,
                   e->y);
        e->burning = e->burnable;
        e->thawing = e->meltable && !e->burnable;
        e->inGrid = e->canFall = e->movable = false;
        if (e->IsProfessor())
            e->heated = true;
        else if (GetElementAt(e->x, e->y, true) == e)
            ClearElementAt(e->x, e->y); // off the board at once while its animation plays
    } else if (e->heatable) {
        logMessage(LOG_DEBUG, "CElement::Heat()   Element at (%i,%i) is dynamically heatable.\n", e->x, e->y);
        recordCell();
        e->heated = true;
        return true;
    } else {
        return false;
    }
    recordCell();
    if (silent)
        e->muteHeatSound = true;
    return true;
}

bool CElement::IsCellHeated(int cellX, int cellY)
{
    return isOnBoard(cellX, cellY) &&
           std::find(heatedCells.begin(), heatedCells.end(), cellIndex(cellX, cellY)) != heatedCells.end();
}

void CElement::TransferAllHeat()
{
    heatedCells.clear();
    for (size_t i = 0; i < allElements.size(); ++i) {
        CElement* e = allElements[i];
        if (e->heated && e->IsAligned() && !e->CanFall(false) && !e->IsProfessor())
            SpreadHeat(e);
    }
}

void CElement::SpreadHeat(CElement* e)
{
    bool passed = transferHeat(e->GetNextColumn(true), e->GetNextRow(true), e, false);
    passed = transferHeat(e->GetNextColumn(false), e->GetNextRow(false), e, false) || passed;
    passed = transferHeat(e->x, e->y - 1, e, false) || passed;
    passed = transferHeat(e->x, e->y + 1, e, false) || passed;
    if (passed)
        Cool(e);
}

// Heat passes on contact only to frozen elements (which thaw), burnable and
// meltable ones, bridges and the professor.
bool CElement::transferHeat(int cellX, int cellY, CElement* source, bool quiet)
{
    if (IsCellHeated(cellX, cellY))
        return true;
    CElement* target = GetElementAt(cellX, cellY);
    if (target->IsMoving() || target->busy || target->CanFall(false))
        return false;
    if (!quiet) {
        if (target->IsBridge()) {
            bool steadyBot = source->IsBot() && !source->CanFall(false);
            if (target->y < source->y && !steadyBot)
                return false;
            logMessage(LOG_DEBUG, "transferHeat:  Attempting to heat bridge at (%i,%i)\n", cellX, cellY);
        } else if (target->IsProfessor()) {
            // From the side, heat reaches him only after a slide ended
            // against him, unless one of the two is sliding.
            bool slidingOn = target->sliding && target->ShouldSlide();
            if (source->x != target->x && !source->sliding && !slidingOn) {
                if (!target->delayedHeat)
                    return false;
                logMessage(LOG_DEBUG, "CElement::UseDelayedHeat()   Element at (%i,%i) using delayed heat!!!\n",
                           target->x, target->y);
                target->delayedHeat = false;
            }
            logMessage(LOG_DEBUG, "transferHeat:  Attempting to heat professor at (%i,%i)\n", cellX, cellY);
        } else {
            if (!target->frozen && !target->burnable && !target->meltable)
                return false;
            logMessage(LOG_DEBUG, "transferHeat:  Attempting to heat element at (%i,%i)\n", cellX, cellY);
        }
    }
    return Heat(target, false, true);
}

// ---- Overlays.

namespace {

std::unique_ptr<CSprite> makeOverlay(int originX, int originY, int type, int delay, const char* name)
{
    auto overlay = std::make_unique<CSprite>(originX, originY, type, delay, CElement::AreImagesCached(), 1, 1);
    overlay->setName(name);
    return overlay;
}

// The glow brightens and dims again: each picture with its number of frames.
void addGlowFrames(CSprite& glow)
{
    static const struct {
        const char* name;
        int count;
    } frames[] = {
        {"heatedobjectglow3.png", 2}, {"heatedobjectglow4.png", 2}, {"heatedobjectglow5.png", 2},
        {"heatedobjectglow6.png", 1}, {"heatedobjectglow7.png", 1}, {"heatedobjectglow8.png", 2},
        {"heatedobjectglow9.png", 4}, {"heatedobjectglow8.png", 2}, {"heatedobjectglow7.png", 1},
        {"heatedobjectglow6.png", 1}, {"heatedobjectglow5.png", 2}, {"heatedobjectglow4.png", 2},
    };
    for (const auto& frame : frames)
        glow.addFrameRepeated(frame.name, frame.count);
}

void stopOverlay(CSprite& overlay)
{
    overlay.hide();
    overlay.resetAnimation();
}

} // namespace

void CElement::CreateOverlays(bool glow, bool explosion, bool steam, bool emp)
{
    if (glow && !overlayGlow) {
        overlayGlow = makeOverlay(58, 48, KIND_GLOW, 2, "Heat Overlay");
        addGlowFrames(*overlayGlow);
        overlayGlow->setLooping(true);
        overlayGlow->play(true);
    }
    if (explosion && !overlayExplosion) {
        overlayExplosion = makeOverlay(33, 77, KIND_HEAT_BURST, 2, "Heat Explosion");
        overlayExplosion->addFrames("heatgunimpact", 0, 25, ".png", 1);
        soundHeat = std::make_unique<SoundObject>(burstable ? "element_bursting.ogg" : "element_burning.ogg", false);
    }
    if (steam && !overlaySteam) {
        overlaySteam = makeOverlay(48, 95, KIND_FROST_BURST, 2, "Steam Explosion");
        overlaySteam->addFrames("icemeltingsteam", 0, 18, ".png", 1);
        soundMelt = std::make_unique<SoundObject>("element_melting.ogg", false);
    }
    if (emp && !overlayEmp) {
        overlayEmp = makeOverlay(20, 16, KIND_GLOW, 1, "EMP Overlay");
        overlayEmp->addFrames("magnetemp", 0, 14, ".tga", 1);
    }
}

void CElement::FreeOverlays(CElement* e)
{
    e->overlayGlow.reset();
    e->overlayExplosion.reset();
    e->overlaySteam.reset();
    e->overlayEmp.reset();
}

namespace {

// Shows a one-shot overlay over the element, started from the element's
// previous position when it appears; true once its animation has run out.
bool followOverlay(CSprite& overlay, const CElement& e, SoundObject* sound)
{
    if (overlay.isHidden()) {
        overlay.show(e.prevPixelX, e.prevPixelY);
        overlay.play(true);
        if (sound && !sound->isPlaying() && !e.muteHeatSound)
            sound->play();
    }
    overlay.setLocation(e.pixelX, e.pixelY, false);
    return overlay.isFinished();
}

} // namespace

void CElement::UpdateOverlays(CElement* e)
{
    if (CSprite* glow = e->overlayGlow.get()) {
        if (e->heated && !e->IsProfessor()) {
            glow->show(e->prevPixelX, e->prevPixelY);
            glow->setLocation(e->pixelX, e->pixelY, false);
            // The glow stands in two places on the tick the passage starts:
            // the one left at the entrance is repainted too.
            if (e->teleporting && e->teleportProgress <= 1)
                CRender::AddDirtyRect(e->ghostPixelX - glow->getOriginX(), e->ghostPixelY - glow->getOriginY(),
                                      glow->getWidth(true), glow->getHeight(true));
        } else {
            glow->hide();
        }
    }
    if (e->burning && e->overlayExplosion && followOverlay(*e->overlayExplosion, *e, e->soundHeat.get())) {
        stopOverlay(*e->overlayExplosion);
        e->burning = e->muteHeatSound = false;
        e->destroyed = true;
    }
    if (e->thawing && e->overlaySteam && followOverlay(*e->overlaySteam, *e, e->soundMelt.get())) {
        stopOverlay(*e->overlaySteam);
        e->thawing = e->muteHeatSound = false;
    }
    if (e->empStunned && !e->destroyed && e->overlayEmp && followOverlay(*e->overlayEmp, *e, nullptr)) {
        stopOverlay(*e->overlayEmp);
        e->empStunned = false;
    }
}
