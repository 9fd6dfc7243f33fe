#include "screens/ControllerOptionsControls.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "engine/TextLayout.h"
#include "levels/Profile.h"
#include "screens/GuiButton.h"
#include "screens/KeyNames.h"
#include "screens/ScreenParts.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <string>

namespace {

const char* const PICTURE = "baseControls.png";

enum Callbacks { CB_DEFAULTS = 100, CB_SAVE = 101, CB_CANCEL = 102 };

std::string keyTextImage(int i) { return "controls_button" + std::to_string(i) + "_text.png"; }

} // namespace

CControllerOptionsControls::CControllerOptionsControls() : CController(CONTROLLER_OPTIONS_CONTROLS) { LoadSprites(); }

CControllerOptionsControls::~CControllerOptionsControls()
{
    logMessage(LOG_DESTRUCT, "CControllerOptionsControls:  Destroying CControllerOptionsControls...\n");
    UnloadSprites();
}

void CControllerOptionsControls::LoadSprites()
{
    if (loaded_)
        return;
    dimmer_ = makeDimmer(KIND_SCREEN_DIMMER, "Profile Controller (CONTROLS_LSPRITE_DIMMER)");
    int page = CDraw::CopyImage("parchment.png", PICTURE, 0);
    CFontSystem::DrawString(TEXT_CONTROLS_TITLE, page, ALIGN_CENTRE, 700, 40, 0, 35);
    for (int i = 0; i < BINDING_COUNT; ++i)
        CFontSystem::DrawString(TEXT_CONTROLS_FIRST_LABEL + i, page, ALIGN_LEFT, 200, 20, i < ROWS ? 70 : 370,
                                115 + ROW_STEP * (i % ROWS));
    background_ = makeScreenSprite(KIND_SCREEN_BACKGROUND, PICTURE, "Controls Controller (CONTROLS_LSPRITE_BACKGROUND)",
                                   PARCHMENT_X, PARCHMENT_Y);
    cursor_ = makeWidgetSprite(KIND_WIDGET_OVERLAY, "optionscontrolscursor.png",
                               "Controls Controller (CONTROLS_LSPRITE_CURSOR)", 0, 0, false);
    for (int i = 0; i < BINDING_COUNT; ++i)
        fields_[i] = std::make_unique<CGuiButton>(FieldPlace(i).x, FieldPlace(i).y, i, this,
                                                  "optionscontrolsinputbase.png", "optionscontrolsinputshadow.png",
                                                  "optionscontrolsinputrollover.png", nullptr, false, 0, 0);
    defaults_ = makeStripButton(DEFAULTS, CB_DEFAULTS, this, "krvl_button_defaulttext.png", false);
    save_ = makeStripButton(SAVE, CB_SAVE, this, "krvl_button_savetext.png", false);
    cancel_ = makeStripButton(CANCEL, CB_CANCEL, this, "krvl_button_canceltext.png", false);
    LoadBindings();
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerOptionsControls::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    cursor_.reset();
    defaults_.reset();
    save_.reset();
    cancel_.reset();
    for (auto& field : fields_)
        field.reset();
    CDraw::releaseImage(PICTURE);
    loaded_ = false;
}

void CControllerOptionsControls::LoadBindings()
{
    for (int i = 0; i < BINDING_COUNT; ++i)
        SetBinding(i, GetProfile()->GetKey(i));
}

void CControllerOptionsControls::SetBinding(int i, int key)
{
    keys_[i] = key;
    showKeyName(i);
}

void CControllerOptionsControls::showKeyName(int i)
{
    // The old name picture goes with the old text sprite; the new one is
    // held by the button's text sprite alone.
    fields_[i]->SetText(nullptr, 0, 0, 0, 0, 0, 0);
    std::string image = keyTextImage(i);
    std::string name = KeyName(keys_[i]);
    CDraw::LoadSurface(CFontSystem::RenderStringWrapped(112, 32, ALIGN_LEFT, TEXT_PLAIN, name.c_str()), image.c_str());
    fields_[i]->SetText(image.c_str(), 9, 3, 0, 0, 2, 2);
    CDraw::releaseImage(image.c_str());
}

void CControllerOptionsControls::GUICallback(int index, int, bool)
{
    if (waiting_ != NO_BINDING)
        showKeyName(waiting_);
    if (index >= 0 && index < BINDING_COUNT) {
        waiting_ = index;
        fields_[index]->SetText(nullptr, 0, 0, 0, 0, 0, 0);
        return;
    }
    switch (index) {
    case CB_DEFAULTS:
        GetProfile()->ResetKeys();
        LoadBindings();
        break;
    case CB_SAVE:
        for (int i = 0; i < BINDING_COUNT; ++i)
            GetProfile()->SetKey(i, keys_[i]);
        SetExitCode(1);
        break;
    case CB_CANCEL: SetExitCode(1); break;
    default: break;
    }
}

void CControllerOptionsControls::capture(int key)
{
    SetBinding(waiting_, key);
    for (int j = 0; j < BINDING_COUNT; ++j)
        if (j != waiting_ && keys_[j] == key)
            SetBinding(j, 0);
    waiting_ = NO_BINDING;
}

void CControllerOptionsControls::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (waiting_ == NO_BINDING || released) {
        InputGuiKey(this, released, key, true, false);
        InputScreenCapture(released, key);
        return;
    }
    capture(key);
}

void CControllerOptionsControls::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerOptionsControls::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerOptionsControls::blinkCursor()
{
    if (waiting_ == NO_BINDING) {
        cursor_->hide();
        return;
    }
    cursor_->setLocation(FieldPlace(waiting_).x + 8, FieldPlace(waiting_).y + 5, false);
    if (--blink_ < -8)
        blink_ = 8;
    setSpriteShown(*cursor_, blink_ >= 1);
}

bool CControllerOptionsControls::IsCursorShown() const { return cursor_ && !cursor_->isHidden(); }

void CControllerOptionsControls::Pump()
{
    ProcessInput();
    if (!IsActive())
        return;
    CGuiButtonBase::UpdateAll();
    blinkCursor();
}
