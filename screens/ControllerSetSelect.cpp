#include "screens/ControllerSetSelect.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "screens/GuiButton.h"
#include "screens/WidgetSprite.h"

namespace {

const char* const PANEL_IMAGE = "baseSetSelectController.png";
constexpr int PANEL_X = 158, PANEL_Y = 113;

struct SetChoice {
    const char* base;
    const char* shadow;
    const char* rollover;
    const char* description;
    int descriptionY; // on the panel
};

// By level-set index.
const SetChoice CHOICES[] = {
    {"lvlset_buttonregular_base.png", "lvlset_buttonregular_shadow.png", "lvlset_buttonregular_roll.png",
     "lvlset_desc_regular.png", 124},
    {"lvlset_buttonadvanced_base.png", "lvlset_buttonadvanced_shadow.png", "lvlset_buttonadvanced_roll.png",
     "lvlset_desc_advanced.png", 194},
    {"lvlset_buttonkids_base.png", "lvlset_buttonkids_shadow.png", "lvlset_buttonkids_roll.png",
     "lvlset_desc_kids.png", 264},
};
constexpr int DESCRIPTION_X = 175;

} // namespace

CControllerSetSelect::CControllerSetSelect() : CController(CONTROLLER_SET_SELECT) { LoadSprites(); }

CControllerSetSelect::~CControllerSetSelect()
{
    logMessage(LOG_DESTRUCT, "CControllerSetSelect:  Destroying CControllerSetSelect...\n");
    UnloadSprites();
}

void CControllerSetSelect::LoadSprites()
{
    if (spritesLoaded_)
        return;
    dimmer_ = makeWidgetSprite(KIND_SCREEN_BACKGROUND, "dimmer.png", "Set Select Controller (SETSELECT_LSPRITE_DIMMER)",
                               0, 0, true);

    int panel = CDraw::CopyImage("confirmation_parch.png", PANEL_IMAGE, 0);
    CDraw::drawImageOnto("lvlset_heading.png", panel, 88, 44);
    for (const SetChoice& choice : CHOICES)
        CDraw::drawImageOnto(choice.description, panel, DESCRIPTION_X, choice.descriptionY);
    background_ = makeWidgetSprite(KIND_SCREEN_PANEL, PANEL_IMAGE,
                                   "Set Select Controller (SETSELECT_LSPRITE_BACKGROUND)", PANEL_X, PANEL_Y, true);
    professor_ = makeWidgetSprite(KIND_SCREEN_OVERLAY, "lvlset_prof.png",
                                  "Set Select Controller (SETSELECT_LSPRITE_PROF)", 518, 88, true);

    for (int set = 0; set < 3; ++set) {
        const SetChoice& choice = CHOICES[set];
        buttons_[set] = std::make_unique<CGuiButton>(SetPlace(set).x, SetPlace(set).y, set, this, choice.base,
                                                     choice.shadow, choice.rollover, nullptr, false, 0, 0);
    }
    CMousePointer::HideFor(-1);
    spritesLoaded_ = true;
}

void CControllerSetSelect::UnloadSprites()
{
    if (!spritesLoaded_)
        return;
    CMousePointer::ShowHourglass(true);
    dimmer_.reset();
    background_.reset();
    professor_.reset();
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        button.reset();
    CDraw::releaseImage(PANEL_IMAGE);
    spritesLoaded_ = false;
}

void CControllerSetSelect::GUICallback(int index, int, bool)
{
    SetReturnValue(index);
    SetExitCode(1);
}

// No way out but a choice: Escape does nothing here.
void CControllerSetSelect::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, false, true);
    InputScreenCapture(released, key);
}

void CControllerSetSelect::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerSetSelect::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && !CGuiButtonBase::GetHotButton())
        PlaySound(InterfaceSound::EmptyClick);
}

void CControllerSetSelect::Pump()
{
    ProcessInput();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}
