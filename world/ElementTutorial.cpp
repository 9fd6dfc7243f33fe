#include "world/ElementTutorial.h"

#include "engine/Draw.h"
#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/TextLayout.h"
#include "text/TextIds.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::array<CElementTutorial*, BOARD_CELLS> tutorialGrid{};
CElementTutorial* activeMarker = nullptr;
// Gives each new marker its starting rotation frame and bob phase; kept
// for the whole run so that neighbouring markers never turn in step.
int32_t phaseCounter = 0;
CElementTutorial::TextDrawer textDrawer = nullptr;

constexpr int ICON_FRAMES = 24;
constexpr int PHASE_STEP = 4;
constexpr int PHASE_CYCLE = 14;
constexpr int ICON_FADE_DELAY = 3;
constexpr int LONG_LITERAL = 100; // characters: a longer literal text gets the big box
constexpr int BOX_FADE_ALPHA_STEP = -45;

const char* const kIconNames[4] = {"Tutorial Icon", "Tutorial Icon - Faded 1", "Tutorial Icon - Faded 2",
                                   "Tutorial Icon - Faded 3"};
const char* const kIconSeries[4] = {"qmarkrotate", "qmarkrotate_fading1", "qmarkrotate_fading2",
                                    "qmarkrotate_fading3"};

std::string boxImageName(int x, int y)
{
    char name[32];
    std::snprintf(name, sizeof name, "tutorial_%02i_%02i.png", x, y);
    return name;
}

void drawText(int stringNumber, int image, int layout, int wrapWidth, int heightLimit, int x, int y,
              const char* text)
{
    if (textDrawer)
        textDrawer(stringNumber, image, layout, wrapWidth, heightLimit, x, y, text);
}

} // namespace

void CElementTutorial::SetTextDrawer(TextDrawer drawer) { textDrawer = drawer; }

CElementTutorial::CElementTutorial(int cellX, int cellY, const char* text) : CElement(cellX, cellY, 1)
{
    logMessage(LOG_TICKS, "TUTORIAL START\n");
    LoadSprites();
    logMessage(LOG_TICKS, "TUTORIAL LOAD\n");
    BuildTutorialBox(cellX, cellY, text);
    type = ELEMENT_TUTORIAL;
    fadeDelay_ = 0;
    active_ = false;
    if (isOnBoard(cellX, cellY))
        tutorialGrid[cellIndex(cellX, cellY)] = this;
    logMessage(LOG_TICKS, "TUTORIAL DONE\n");
}

CElementTutorial::~CElementTutorial()
{
    logMessage(LOG_DESTRUCT, "CElementTutorial:  Destroying tutorial element at (%d,%d)...\n", x, y);
    if (GetAt(x, y) == this)
        tutorialGrid[cellIndex(x, y)] = nullptr;
    if (activeMarker == this)
        activeMarker = nullptr;
    sprite = shownSprite = nullptr;
    for (auto& icon : icons_)
        icon.reset();
    box_.reset();
    bob_.reset();
    const std::string name = boxImageName(x, y);
    CDraw::releaseImage(name.c_str());
    for (int n = 0; n < BOX_FADE_STEPS; ++n)
        CDraw::releaseImage(fadeSeriesName(name, n).c_str());
}

// ---- Building.

void CElementTutorial::LoadSprites()
{
    const bool shared = ::imagesCached(ImageClass::TutorialMarkers);
    for (int n = 0; n < 4; ++n) {
        icons_[n] = std::make_unique<CSprite>(15, 17, KIND_TUTORIAL_ICON, 2, shared, 1, 1);
        icons_[n]->setName(kIconNames[n]);
        icons_[n]->addFrames(kIconSeries[n], 0, ICON_FRAMES - 1, ".tga", 1);
        icons_[n]->setLooping(true);
        icons_[n]->hide();
    }
    const int phase = phaseCounter;
    sprite = shownSprite = icons_[0].get();
    sprite->setLocation(pixelX, pixelY, false);
    sprite->setFrame(phase);
    sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    sprite->play(true);
    bob_ = std::make_unique<Oscillator>(pixelY, 4, 3.0f, 3.3f, phase);
    phaseCounter = (phaseCounter + PHASE_STEP) % PHASE_CYCLE;
}

void CElementTutorial::BuildTutorialBox(int cellX, int cellY, const char* text)
{
    if (!text)
        text = "";
    int stringNumber = 0, titleNumber = 0;
    char kind = 'l';
    int read = std::sscanf(text, "#tqdefine %i-%c-%i#", &stringNumber, &kind, &titleNumber);
    logMessage(LOG_TICKS, "TUTORIAL SSCANF\n");
    const bool literal = read < 1;
    kids_ = !literal && kind == 'k';
    big_ = literal ? std::strlen(text) > LONG_LITERAL : kind == 'l';

    const std::string name = boxImageName(cellX, cellY);
    const char* background = kids_ ? "parchment_kids.png" : big_ ? "tutorial_big.png" : "tutorial_small.png";
    int image = CDraw::CopyImage(background, name.c_str(), 0);

    logMessage(LOG_MILESTONE, "ID_120:  GAME:     Tutorial Text Started (%i)\n", stringNumber);
    DrawBoxText(image, text, stringNumber, titleNumber, literal);
    logMessage(LOG_MILESTONE, "ID_120:  GAME:     Tutorial Text Completed\n");

    logMessage(LOG_MILESTONE, "ID_121:  GAME:     Tutorial Fade Started (%i,%i)\n", kids_, big_);
    CDraw::createFadeSeries(name.c_str(), BOX_FADE_STEPS, BOX_FADE_ALPHA_STEP);
    logMessage(LOG_MILESTONE, "ID_121:  GAME:     Tutorial Fade Completed\n");

    box_ = std::make_unique<CSprite>(0, 0, KIND_SCREEN_DIMMER, 2, false, 1, 1);
    box_->setName("Tutorial Box");
    for (int n = 0; n < BOX_FADE_STEPS; ++n)
        box_->addFrame(fadeSeriesName(name, n).c_str());
    box_->hide();
    PlaceBox(cellX, cellY);
}

void CElementTutorial::DrawBoxText(int image, const char* text, int stringNumber, int titleNumber, bool literal)
{
    const int w = CDraw::getImageWidth(image);
    const int h = CDraw::getImageHeight(image);
    if (literal) {
        drawText(TEXT_PLAIN, image, ALIGN_LEFT, w - 105, h - 40, 80, 20, text);
    } else if (!kids_) {
        logMessage(LOG_DEBUG, "CElementTutorial()  Found tutorial directive for STRING #%i\n", stringNumber);
        drawText(stringNumber, image, ALIGN_LEFT, w - 105, h - 40, 80, 20, nullptr);
    } else if (titleNumber < 1) {
        drawText(stringNumber, image, ALIGN_LEFT, w - 150, h - 40, 40, 60, nullptr);
    } else {
        drawText(titleNumber, image, ALIGN_CENTRE, w - 150, 40, 40, 60, nullptr);
        drawText(stringNumber, image, ALIGN_LEFT, w - 150, h - 40, 40, 110, nullptr);
    }
}

// On the side of the screen away from the marker.
void CElementTutorial::PlaceBox(int cellX, int cellY)
{
    if (kids_) {
        box_->setLocation(132, 52, false);
        return;
    }
    const int boxX = cellX > 15 ? (big_ ? 10 : 20) : (big_ ? 340 : 420);
    const int boxY = cellY > 11 ? (big_ ? 15 : 50) : (big_ ? 275 : 350);
    box_->setLocation(boxX, boxY, false);
}

// ---- Class-wide.

CElementTutorial* CElementTutorial::GetAt(int cellX, int cellY)
{
    return isOnBoard(cellX, cellY) ? tutorialGrid[cellIndex(cellX, cellY)] : nullptr;
}

CElementTutorial* CElementTutorial::GetActive() { return activeMarker; }

void CElementTutorial::HandleTutorial(int cellX, int cellY)
{
    if (!isOnBoard(cellX, cellY))
        return;
    CElementTutorial* marker = GetAt(cellX, cellY);
    if (marker == activeMarker)
        return;
    if (activeMarker)
        activeMarker->active_ = false;
    if (marker) {
        logMessage(LOG_DEBUG, "CElementTutorial::HandleTutorial()   Activating tutorial at (%i,%i)\n", cellX, cellY);
        marker->active_ = true;
    }
    activeMarker = marker;
}

void CElementTutorial::ClearTutorialGrid()
{
    tutorialGrid.fill(nullptr);
    activeMarker = nullptr;
}

// Which marker is open goes back with an undo, with each marker's own flag:
// else the professor, undone onto a marker he had left, finds it closed but
// still counted as open, and it never opens again.
ClassState CElementTutorial::classState()
{
    return keptClassState("tutorial markers", &CElementTutorial::ClearTutorialGrid, activeMarker);
}

// ---- Undo.

void CElementTutorial::SaveState(ElementRecord& record) const
{
    SavePart(record, "ElementTutorial", Saved{active_, fadeDelay_});
    CElement::SaveState(record);
}

void CElementTutorial::RestoreState(const ElementRecord& record)
{
    if (const Saved* part = RestorePart<Saved>(record, "ElementTutorial")) {
        active_ = part->active;
        fadeDelay_ = part->fadeDelay;
    }
    CElement::RestoreState(record);
}

// ---- The tick.

int CElementTutorial::GetIconLevel() const
{
    for (int n = 0; n < 4; ++n)
        if (icons_[n].get() == shownSprite)
            return n;
    return 0;
}

void CElementTutorial::UpdateBox()
{
    if (active_) {
        box_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        box_->play(true);
    } else if (!box_->isHidden()) {
        box_->play(false);
        if (box_->getFrame() == 0)
            box_->hide();
    }
}

void CElementTutorial::UpdateIcon()
{
    const int level = GetIconLevel();
    int next = level;
    if (fadeDelay_ >= 1) {
        --fadeDelay_;
    } else if (active_ && level < 3) {
        next = level + 1;
        fadeDelay_ = ICON_FADE_DELAY;
    } else if (!active_ && level > 0) {
        next = level - 1;
        fadeDelay_ = ICON_FADE_DELAY;
    }
    if (next != level) {
        CSprite* old = icons_[level].get();
        CSprite* icon = icons_[next].get();
        old->hide();
        icon->show(pixelX, bob_->getValue());
        icon->setFrame(old->getFrame());
        icon->play(true);
        sprite = shownSprite = icon;
    }
    bob_->step();
    shownSprite->setLocation(pixelX, bob_->getValue(), false);
}

void CElementTutorial::Update()
{
    UpdateBox();
    UpdateIcon();
}

void CElementTutorial::DumpLine()
{
    for (const CSprite* shown : {static_cast<const CSprite*>(shownSprite), static_cast<const CSprite*>(box_.get())})
        logMessage(LOG_ACTIVE_SPRITE,
                   "   T(%2d,%2d)  %-20s   LOCATION=(%d,%d)  HIDDEN=%d  STATE=%d  FRAME=%d  FINISHED=%d  NAME='%s'\n", x, y,
                   GetTypeName(), pixelX, pixelY, shown->isHidden(), shown->getState(), shown->getFrame(),
                   shown->isFinished(), shown->getName());
}
