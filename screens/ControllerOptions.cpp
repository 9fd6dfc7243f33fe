#include "screens/ControllerOptions.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Render.h"
#include "engine/SoundObject.h"
#include "engine/Sprite.h"
#include "engine/TextLayout.h"
#include "levels/Profile.h"
#include "screens/ControllerOptionsControls.h"
#include "screens/ControllerOptionsPassword.h"
#include "screens/GuiButton.h"
#include "screens/GuiCheckbox.h"
#include "screens/GuiSlider.h"
#include "screens/ScreenParts.h"
#include "text/TextIds.h"

namespace {

const char* const PICTURE = "baseOptionsController.png";

enum Callbacks {
    CB_FREE_MOUSE = 20,
    CB_FULLSCREEN = 21,
    CB_STORY = 22,
    CB_STEP_COUNTER = 23,
    CB_TUTORIALS = 24,
    CB_PASSWORD = 100,
    CB_CONTROLS = 101,
    CB_BACK = 102,
    CB_DEFAULTS = 103,
};

constexpr int SLIDER_X = 395;

struct BoxPlace {
    int x, y, callback;
};
// In the order of CControllerOptions::Box.
constexpr BoxPlace BOX_PLACES[] = {
    {373, 248, CB_FREE_MOUSE}, {485, 298, CB_FULLSCREEN}, {485, 373, CB_TUTORIALS},
    {485, 323, CB_STORY},      {485, 348, CB_STEP_COUNTER},
};

struct Label {
    int string, align, width, x, y;
};
const Label LABELS[] = {
    {TEXT_SETTINGS_TITLE, ALIGN_CENTRE, 680, 0, 35},         {TEXT_SETTINGS_GAME_SPEED, ALIGN_RIGHT, 305, 0, 100},
    {TEXT_SETTINGS_SOUND, ALIGN_RIGHT, 305, 0, 125},         {TEXT_SETTINGS_MUSIC, ALIGN_RIGHT, 305, 0, 150},
    {TEXT_SETTINGS_POINTER_SPEED, ALIGN_RIGHT, 305, 0, 200}, {TEXT_SETTINGS_FREE_POINTER, ALIGN_RIGHT, 305, 0, 225},
    {TEXT_SETTINGS_FULL_SCREEN, ALIGN_LEFT, 200, 230, 275},  {TEXT_SETTINGS_TUTORIALS, ALIGN_LEFT, 200, 230, 350},
    {TEXT_SETTINGS_STORY, ALIGN_LEFT, 200, 230, 300},        {TEXT_SETTINGS_STEP_COUNTER, ALIGN_LEFT, 200, 230, 325},
};

CProfile& profile() { return *CController::GetProfile(); }

} // namespace

CControllerOptions::CControllerOptions() : CController(CONTROLLER_OPTIONS) { LoadSprites(); }

CControllerOptions::~CControllerOptions()
{
    logMessage(LOG_DESTRUCT, "CControllerOptions:  Destroying CControllerOptions...\n");
    UnloadSprites();
}

int CControllerOptions::MouseSpeedStep(float speed)
{
    for (size_t i = 0; i < MOUSE_SPEEDS.size(); ++i)
        if (MOUSE_SPEEDS[i] == speed)
            return static_cast<int>(i);
    return 0;
}

void CControllerOptions::LoadSprites()
{
    if (loaded_)
        return;
    int page = CDraw::CopyImage("parchment.png", PICTURE, 0);
    for (const Label& label : LABELS)
        CFontSystem::DrawString(label.string, page, label.align, label.width,
                                label.string == TEXT_SETTINGS_TITLE ? 40 : 26, label.x, label.y);
    dimmer_ = makeDimmer(KIND_SCREEN_DIMMER, "Options Controller (OPTIONS_LSPRITE_DIMMER)");
    background_ = makeScreenSprite(KIND_SCREEN_BACKGROUND, PICTURE, "Options Controller (OPTIONS_LSPRITE_BACKGROUND)",
                                   PARCHMENT_X, PARCHMENT_Y);
    for (int row = 0; row < ROW_COUNT; ++row) {
        const WidgetPlace minus = MinusPlace(row);
        const WidgetPlace plus = PlusPlace(row);
        sliderButtons_[2 * row] =
            std::make_unique<CGuiButton>(minus.x, minus.y, 2 * row, this, "slider_button_minusbase.png",
                                         "slider_button_minusshadow.png", "slider_button_minusrollover.png", nullptr,
                                         false, 0, 0);
        sliderButtons_[2 * row + 1] =
            std::make_unique<CGuiButton>(plus.x, plus.y, 2 * row + 1, this, "slider_button_plusbase.png",
                                         "slider_button_plusshadow.png", "slider_button_plusrollover.png", nullptr,
                                         false, 0, 0);
    }
    for (int row = 0; row < ROW_COUNT; ++row)
        sliders_[row] = std::make_unique<CGuiSlider>(SLIDER_X, ROW_Y[row]);
    for (int box = 0; box < BOX_COUNT; ++box)
        boxes_[box] = std::make_unique<CGuiCheckbox>(BOX_PLACES[box].x, BOX_PLACES[box].y, BOX_PLACES[box].callback,
                                                     this);
    RefreshFromProfile();
    defaults_ = makeStripButton(DEFAULTS, CB_DEFAULTS, this, "krvl_button_defaulttext.png", false);
    controls_ = makeStripButton(CONTROLS, CB_CONTROLS, this, "krvl_button_controlstext.png", false);
    password_ = makeStripButton(PASSWORD, CB_PASSWORD, this, "krvl_button_passwordtext.png", false);
    back_ = makeStripButton(BACK, CB_BACK, this, "krvl_button_backmenutext.png", false);
    testSound_ = std::make_unique<SoundObject>("trampoline_rebound.ogg", false);
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerOptions::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    for (auto& button : sliderButtons_)
        button.reset();
    defaults_.reset();
    controls_.reset();
    password_.reset();
    back_.reset();
    for (auto& box : boxes_)
        box.reset();
    for (auto& slider : sliders_)
        slider.reset();
    CDraw::releaseImage(PICTURE);
    testSound_.reset();
    loaded_ = false;
}

void CControllerOptions::setMouseSpeedEnabled(bool enabled)
{
    sliders_[ROW_MOUSE_SPEED]->SetGreyed(!enabled);
    for (int i : {2 * ROW_MOUSE_SPEED, 2 * ROW_MOUSE_SPEED + 1}) {
        if (enabled)
            sliderButtons_[i]->Enable();
        else
            sliderButtons_[i]->Disable();
    }
}

void CControllerOptions::RefreshFromProfile()
{
    CProfile& p = profile();
    sliders_[ROW_GAME_SPEED]->SetValue(p.GetPlaySpeed());
    sliders_[ROW_SOUND]->SetValue(p.GetSoundVolume());
    sliders_[ROW_MUSIC]->SetValue(p.GetMusicVolume());
    sliders_[ROW_MOUSE_SPEED]->SetValue(MouseSpeedStep(p.GetMouseSpeed()));
    setMouseSpeedEnabled(!p.IsFreeMouse());
    boxes_[BOX_FREE_MOUSE]->SetChecked(p.IsFreeMouse());
    boxes_[BOX_FULLSCREEN]->SetChecked(p.IsFullscreen());
    boxes_[BOX_TUTORIALS]->SetChecked(p.GetPlayTutorials());
    boxes_[BOX_STORY]->SetChecked(p.GetShowStory());
    boxes_[BOX_STEP_COUNTER]->SetChecked(p.GetShowStepCounter());
}

void CControllerOptions::applyRow(int row)
{
    int step = sliders_[row]->GetValue();
    CProfile& p = profile();
    switch (row) {
    case ROW_GAME_SPEED: p.SetPlaySpeed(step); break;
    case ROW_SOUND:
        p.SetSoundVolume(step);
        testSound_->play();
        break;
    case ROW_MUSIC: p.SetMusicVolume(step); break;
    case ROW_MOUSE_SPEED: p.SetMouseSpeed(MOUSE_SPEEDS[step]); break;
    }
}

void CControllerOptions::stepSlider(int row, bool up)
{
    if (up)
        sliders_[row]->Increase();
    else
        sliders_[row]->Decrease();
    applyRow(row);
}

void CControllerOptions::GUICallback(int index, int value, bool)
{
    CProfile& p = profile();
    if (index >= 0 && index < 2 * ROW_COUNT) {
        stepSlider(index / 2, index % 2 == 1);
        return;
    }
    switch (index) {
    case CB_FREE_MOUSE:
        p.SetFreeMouse(value != 0);
        setMouseSpeedEnabled(value == 0);
        break;
    case CB_FULLSCREEN: p.SetFullscreen(value != 0); break;
    case CB_STORY: p.SetShowStory(value != 0); break;
    case CB_STEP_COUNTER: p.SetShowStepCounter(value != 0); break;
    case CB_TUTORIALS: p.SetPlayTutorials(value != 0); break;
    case CB_DEFAULTS:
        p.ResetSettings();
        RefreshFromProfile();
        break;
    case CB_CONTROLS: OpenControls(); break;
    case CB_PASSWORD: OpenPassword(); break;
    case CB_BACK:
        p.SaveProfile();
        SetExitCode(1);
        break;
    default: break;
    }
}

void CControllerOptions::openChild(std::unique_ptr<CController> child, const char* displayName)
{
    LogLoadingController(displayName);
    child_ = std::move(child);
    LoadController(child_.get());
}

void CControllerOptions::OpenControls()
{
    dimmer_->hide();
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    UnloadSprites();
    openChild(std::make_unique<CControllerOptionsControls>(), "Options Controls");
}

void CControllerOptions::OpenPassword()
{
    dimmer_->hide();
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    UnloadSprites();
    openChild(std::make_unique<CControllerOptionsPassword>(profile().GetPassword()), "Options Password");
}

void CControllerOptions::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (!released && key == SDLK_ESCAPE)
        profile().SaveProfile();
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerOptions::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerOptions::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerOptions::Pump()
{
    if (TakeClosedChildId() != CONTROLLER_NONE) {
        child_.reset();
        if (!loaded_ && GetExitCode() == 0)
            LoadSprites();
        CMousePointer::HideFor(-1);
        return;
    }
    ProcessInput();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}

int CControllerOptions::GetSliderValue(int row) const { return sliders_[row]->GetValue(); }

bool CControllerOptions::IsSliderGreyed(int row) const { return sliders_[row]->IsGreyed(); }

bool CControllerOptions::IsChecked(int box) const { return boxes_[box]->IsChecked(); }
