#include "screens/GuiButtonMapDot.h"

#include "engine/MousePointer.h"
#include "engine/Input.h"
#include "engine/Motion.h"
#include "engine/SoundObject.h"
#include "engine/Sprite.h"
#include "screens/Controller.h"
#include "screens/WidgetSprite.h"

#include <string>

namespace {

const char* const DOT_NAME = "GUI Map Dot";
constexpr int FRAME_DELAY = 2;
constexpr int STAR_FRAMES = 60;
constexpr int STAR_APPEAR_LAST = 13;
// The frame of the shrink animation in which the dot makes its sound.
constexpr int SHRINK_SOUND_FRAME = 2;

// The registry id of the selected dot, program-wide.
int selectedDotId = -1;

struct RegularLook {
    const char* base;
    const char* rollover; // null: none
    const char* shrink;   // series 1 to 3
    bool hasPulse;
};

// By state: locked, locked and ghosted, completed, open.
const RegularLook REGULAR_LOOKS[] = {
    {"mapdotregularlockedbase.png", nullptr, "mapdotregularlockedshrink", false},
    {"mapdotregularlockedghosted.png", nullptr, "mapdotregularlockedghostedshrink", false},
    {"mapdotregularcompletedbase.png", "mapdotregularcompletedrollover.png", "mapdotregularcompletedshrink", true},
    {"mapdotregularincompletebase.png", "mapdotregularincompleterollover.png", "mapdotregularincompleteshrink", true},
};

std::unique_ptr<CSprite> makeDotSprite(int layer, int x, int y)
{
    auto sprite = std::make_unique<CSprite>(layer, FRAME_DELAY, false);
    sprite->setName(DOT_NAME);
    sprite->setLocation(x, y, false);
    sprite->hide();
    return sprite;
}

// A growing or appearing sprite runs once: stopped and unfinished, it has
// not started yet.
bool hasStarted(const CSprite& sprite) { return !sprite.isStopped() || sprite.isFinished(); }

bool isLockedState(int state) { return state == CGuiButtonMapDot::LOCKED || state == CGuiButtonMapDot::LOCKED_GHOSTED; }

} // namespace

CGuiButtonMapDot::CGuiButtonMapDot(int x, int y, int callbackIndex, CController* owner, bool star, int state,
                                   int animation, int appearDelay, bool isDefault)
    : CGuiButtonBase(x, y, callbackIndex, owner, isDefault),
      sound_(std::make_unique<SoundObject>("map_dot.ogg", false)),
      star_(star),
      state_(state >= LOCKED && state <= OPEN ? state : LOCKED),
      appearDelay_(appearDelay)
{
    clickOnRelease_ = false;
    if (star_)
        buildStarSprites(x, y);
    else
        buildRegularSprites(x, y);
    current_ = base_.get();
    showSprite(*base_);
    disabled_ = isLockedState(state_);
    startMode(star_ ? adjustStarMode(animation) : animation);
}

CGuiButtonMapDot::~CGuiButtonMapDot()
{
    sound_.reset();
    current_ = nullptr;
    selectedDotId = -1;
}

void CGuiButtonMapDot::buildRegularSprites(int x, int y)
{
    const RegularLook& look = REGULAR_LOOKS[state_];
    base_ = makeDotSprite(KIND_WIDGET_BASE, x, y);
    base_->addFrame(look.base);
    if (look.rollover) {
        rollover_ = makeDotSprite(KIND_WIDGET_ROLLOVER, x, y);
        rollover_->addFrame(look.rollover);
    }
    shrink_ = makeDotSprite(KIND_WIDGET_BASE, x, y);
    shrink_->addFrames(look.shrink, 1, 3, ".png", 1);
    grow_ = makeDotSprite(KIND_WIDGET_BASE, x, y);
    grow_->addFrames(look.shrink, 3, 1, ".png", 1);
    if (look.hasPulse) {
        pulse_ = makeDotSprite(KIND_WIDGET_ROLLOVER, x, y);
        pulse_->addFrames("mapdotregularselectedpulse", 0, 5, ".png", 1);
        pulse_->addFrames("mapdotregularselectedpulse", 4, 1, ".png", 1);
        pulse_->setLooping(true);
        pulse_->play(true);
        appear_ = makeDotSprite(KIND_WIDGET_BASE, x, y);
        appear_->addFrames(look.shrink, 3, 1, ".png", 1);
    }
}

// The star floats above the dot's place, each star at its own point of its
// loop so that they do not rock in step.
void CGuiButtonMapDot::buildStarSprites(int x, int y)
{
    playForward_ = randomInt(0.0f, 1.0f) == 1;
    base_ = makeDotSprite(KIND_WIDGET_OVERLAY, x - 1, y - 28);
    base_->addFrames("star_base", 0, STAR_FRAMES - 1, ".png", 1);
    base_->setLooping(true);
    base_->setFrame(randomInt(0.0f, STAR_FRAMES - 1));
    base_->play(playForward_);
    grow_ = makeDotSprite(KIND_WIDGET_OVERLAY, x - 1, y - 28);
    grow_->addFrames("star_appear", 0, STAR_APPEAR_LAST, ".png", 1);
    if (isLockedState(state_))
        return;
    rollover_ = makeDotSprite(KIND_WIDGET_OVERLAY, x - 5, y - 28);
    rollover_->addFrames("star_pulse", 0, STAR_FRAMES - 1, ".png", 1);
    rollover_->setLooping(true);
    rollover_->play(playForward_);
    pulse_ = makeDotSprite(KIND_WIDGET_OVERLAY, x - 5, y - 28);
    pulse_->addFrames("star_pulse", 0, STAR_FRAMES - 1, ".png", 1);
    pulse_->setLooping(true);
    pulse_->play(playForward_);
    appear_ = makeDotSprite(KIND_WIDGET_OVERLAY, x - 1, y - 28);
    appear_->addFrames("star_appear", 0, STAR_APPEAR_LAST, ".png", 1);
}

// Stars never shrink; a locked star cannot come up selected or hovered.
int CGuiButtonMapDot::adjustStarMode(int mode) const
{
    if (mode == SHRINKING)
        return IDLE;
    if (isLockedState(state_)) {
        if (mode == APPEARING)
            return GROWING;
        if (mode == SELECTED || mode == ROLLOVER)
            return IDLE;
    }
    return mode;
}

void CGuiButtonMapDot::startMode(int mode)
{
    CSprite* sprite = nullptr;
    switch (mode) {
    case SHRINKING:
        sprite = shrink_.get();
        break;
    case GROWING:
        sprite = grow_.get();
        break;
    case SELECTED:
        sprite = pulse_.get();
        break;
    case APPEARING:
        sprite = appear_.get();
        break;
    default:
        break;
    }
    if (!sprite) {
        mode_ = IDLE;
        return;
    }
    mode_ = mode;
    base_->hide();
    current_ = sprite;
    switch (mode) {
    case SHRINKING:
        showSprite(*sprite);
        sprite->play(true);
        break;
    case SELECTED:
        showSprite(*sprite);
        selectedDotId = id_;
        SetHotId(id_);
        break;
    case APPEARING:
        selectedDotId = id_;
        SetHotId(id_);
        break;
    default:
        break;
    }
    if (star_ && (mode == GROWING || mode == APPEARING)) {
        base_->stopAnimation();
        if (rollover_)
            rollover_->stopAnimation();
        if (pulse_)
            pulse_->stopAnimation();
        delayedStart_ = true;
        delayedStartCountdown_ = randomInt(0.0f, 29.0f);
    }
}

int CGuiButtonMapDot::GetSelectedValue()
{
    CGuiButtonBase* widget = GetById(selectedDotId);
    return widget ? widget->GetCallbackIndex() : -1;
}

int CGuiButtonMapDot::GetX() const { return current_->getX(false); }

int CGuiButtonMapDot::GetY() const { return current_->getY(false); }

int CGuiButtonMapDot::centreX() const { return current_->getX(false) + current_->getWidth(false) / 2; }

int CGuiButtonMapDot::centreY() const { return current_->getY(false) + current_->getHeight(false) / 2; }

void CGuiButtonMapDot::replaceCurrent(CSprite* next)
{
    if (next == current_)
        return;
    next->setFrame(current_->getFrame());
    current_->hide();
    showSprite(*next);
    current_ = next;
}

bool CGuiButtonMapDot::runDelayed(CSprite* sprite)
{
    if (appearDelay_ >= 0) {
        --appearDelay_;
        return false;
    }
    if (!hasStarted(*sprite)) {
        sprite->resetAnimation();
        sprite->play(true);
        showSprite(*sprite);
        return false;
    }
    if (!sprite->isFinished())
        return false;
    sprite->hide();
    sprite->resetAnimation();
    return true;
}

void CGuiButtonMapDot::startLoops()
{
    base_->play(playForward_);
    if (rollover_)
        rollover_->play(playForward_);
    if (pulse_)
        pulse_->play(playForward_);
}

void CGuiButtonMapDot::Update()
{
    if (hidden_)
        return;
    if (doubleClickCountdown_ > 0)
        --doubleClickCountdown_;
    if (delayedStart_ && (mode_ < 2 || mode_ == SELECTED) && --delayedStartCountdown_ <= 0) {
        delayedStart_ = false;
        startLoops();
    }
    switch (mode_) {
    case SHRINKING:
        if (shrink_->getFrame() == SHRINK_SOUND_FRAME && !shrink_->isFinished())
            sound_->play(false, 0, 0.0f);
        if (shrink_->isFinished()) {
            shrink_->hide();
            appearDelay_ = 0;
            mode_ = GROWING;
            current_ = grow_.get();
        }
        break;
    case GROWING:
        if (runDelayed(grow_.get())) {
            current_ = base_.get();
            showSprite(*base_);
            mode_ = IDLE;
        }
        break;
    case APPEARING:
        if (runDelayed(appear_.get())) {
            current_ = pulse_.get();
            showSprite(*pulse_);
            mode_ = SELECTED;
        }
        break;
    case SELECTED:
        if (selectedDotId != id_) {
            mode_ = IDLE;
            replaceCurrent(base_.get());
        }
        break;
    default:
        break;
    }
    updateHover();
}

void CGuiButtonMapDot::updateHover()
{
    if (!IsMouseOver() || GetHotId() != -1) {
        if (mode_ == ROLLOVER) {
            mode_ = IDLE;
            replaceCurrent(base_.get());
        }
        return;
    }
    if (rollover_ && rollover_->isHidden() && mode_ != SELECTED && mode_ != APPEARING)
        CController::PlaySound(InterfaceSound::Rollover);
    SetHotId(id_);
    if (mode_ == IDLE && rollover_) {
        mode_ = ROLLOVER;
        replaceCurrent(rollover_.get());
    }
}

bool CGuiButtonMapDot::Click(char key, bool)
{
    if (id_ != GetHotId())
        return false;
    if (!pulse_) {
        owner_->GUICallback(callbackIndex_, -1, false);
        return true;
    }
    selectedDotId = id_;
    if (mode_ != SELECTED) {
        mode_ = SELECTED;
        replaceCurrent(pulse_.get());
    }
    if (key == 0 && doubleClickCountdown_ < 1) {
        CController::PlaySound(InterfaceSound::Click);
        doubleClickCountdown_ = DOUBLE_CLICK_FRAMES;
        owner_->GUICallback(callbackIndex_, value(), false);
    } else if (IsMouseButtonDown() || key != 0) {
        // From the keyboard every click is a double click: it plays.
        owner_->GUICallback(callbackIndex_, value(), true);
    }
    return true;
}

void CGuiButtonMapDot::Hide()
{
    current_->hide();
    hidden_ = true;
}

void CGuiButtonMapDot::Show()
{
    // A dot waiting to grow in shows itself when it starts.
    bool waiting = (mode_ == GROWING || mode_ == APPEARING) && !hasStarted(*current_);
    if (!waiting)
        showSprite(*current_);
    hidden_ = false;
}

bool CGuiButtonMapDot::IsMouseOver()
{
    if (hidden_ || mode_ == GROWING)
        return false;
    const WidgetPlace hit = HitPlace(x_, y_, star_);
    int px = CInput::GetMouseX() - hit.x, py = CInput::GetMouseY() - hit.y;
    return px >= 0 && px < hit.size.width && py >= 0 && py < hit.size.height;
}

void CGuiButtonMapDot::WarpMouseTo()
{
    CMousePointer::WarpMouse(centreX(), star_ ? centreY() - 5 : centreY());
    CMousePointer::HideFor(1);
    Click(0, false);
}
