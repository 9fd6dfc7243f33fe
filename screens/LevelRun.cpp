#include "screens/LevelRun.h"

#include "engine/Render.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "levels/Profile.h"
#include "screens/ControllerGame.h"
#include "screens/SolutionKeys.h"
#include "world/ElementAIProfessor.h"
#include "world/WorldLinks.h"

namespace {

// The run's own frame counter: the world stamps landings and teleport
// activity with it, as it does with the display's in the game.
uint32_t runFrameCounter = 0;
uint32_t runFrame() { return runFrameCounter; }

// The end of a frame as the renderer makes it for the world: the sprites'
// animations and fades step on (the world waits on their ends). The repaint
// bookkeeping is of no use without a screen, so only the sprites that
// animate are visited.
void animateSprites()
{
    CSprite::stepAnimations();
    CRender::Clear();
    ++runFrameCounter;
}

} // namespace

const char* runOutcomeName(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Running: return "running";
    case RunOutcome::Exited: return "exited";
    case RunOutcome::Caught: return "caught";
    case RunOutcome::Singed: return "singed";
    case RunOutcome::Fallen: return "fallen";
    case RunOutcome::ExitDestroyed: return "exit destroyed";
    }
    return "running";
}

CLevelRun::CLevelRun(CLevel& level, CProfile& profile, bool replay) : level_(level), profile_(profile)
{
    gameClock_ = worldLinks().currentFrame;
    worldLinks().currentFrame = &runFrame;
    CElement::SetProfile(&profile_);
    CControllerGame::PrepareWorld(level_, false, replay);
    CControllerGame::BuildElements(level_);
    profile_.SetSteps(0);
    replaying_ = replay;
    for (int i = 0; i < FRAMES_BEFORE_FIRST_STEP; ++i)
        animateSprites();
}

CLevelRun::~CLevelRun()
{
    WorldSnapshot::ReleaseSetAside();
    CElement::UnloadElements();
    CElement::SetProfile(nullptr);
    worldLinks().currentFrame = gameClock_;
}

void CLevelRun::QueueKey(int key, bool released) { queued_.emplace_back(key, released); }

void CLevelRun::Step()
{
    ++frame_;
    CElementAIProfessor* professor = GetProfessor();
    if (replaying_)
        replaying_ = feedSolutionKeys(level_, frame_, [professor](const ReplayKey& key) {
            if (professor)
                applySolutionKey(*professor, key.released, key.key);
        });
    for (const auto& [key, released] : queued_)
        if (professor)
            applySolutionKey(*professor, released, key);
    queued_.clear();
    CElement::PumpElements();
    animateSprites();
}

RunOutcome CLevelRun::GetOutcome() const
{
    if (!CElement::IsLevelExited())
        return RunOutcome::Running;
    if (CElement::IsProfessorCaught())
        return RunOutcome::Caught;
    if (CElement::IsProfessorSinged())
        return RunOutcome::Singed;
    if (CElement::IsProfessorFallen())
        return RunOutcome::Fallen;
    if (CElement::IsExitTubeDestroyed())
        return RunOutcome::ExitDestroyed;
    return RunOutcome::Exited;
}

int CLevelRun::GetSteps() const { return profile_.GetSteps(true); }

CElementAIProfessor* CLevelRun::GetProfessor() const
{
    return static_cast<CElementAIProfessor*>(CElement::GetProfessor());
}

bool CLevelRun::IsProfessorReady() const
{
    const CElementAIProfessor* p = GetProfessor();
    if (!p || CElement::IsLevelExited() || CElement::IsProfessorCaught() || CElement::IsProfessorLeaving())
        return false;
    return !p->arriving && !p->leaving && !p->usingPowerup && !p->moving && !p->falling && !p->sliding &&
           !p->frozen && !p->heated && !p->onTrampoline && !p->leftTrampoline && !p->recovering && !p->stunned &&
           !p->landing && !p->turning && !p->busy && !p->teleporting && !p->pushing && p->IsAligned();
}

void CLevelRun::Save(Snapshot& snapshot) const
{
    snapshot.world.Take();
    snapshot.frame = frame_;
    snapshot.replayCursor = level_.GetReplayCursor();
    snapshot.replaying = replaying_;
    snapshot.queued = queued_;
}

void CLevelRun::Restore(const Snapshot& snapshot)
{
    snapshot.world.Restore();
    frame_ = snapshot.frame;
    level_.SetReplayCursor(snapshot.replayCursor);
    replaying_ = snapshot.replaying;
    queued_ = snapshot.queued;
}

uint64_t CLevelRun::HashWorld() const { return WorldSnapshot::HashWorld(); }
