#include "editor/ControllerEditorLoad.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "platform/Folders.h"
#include "screens/GuiButton.h"
#include "screens/GuiListbox.h"
#include "text/TextIds.h"

#include <SDL.h>

namespace {

enum { BUTTON_UP = 0, BUTTON_DOWN = 1, BUTTON_CANCEL = 2, BUTTON_OK = 3, LIST = 100 };

const char* const BASE_IMAGE = "baseEditorLoad.png";
const char* const ARROW_BASE = "editor_button_arrowbase.png";
const char* const OK_BASE = "editor_button_okbase.png";
const char* const CANCEL_BASE = "editor_button_cancelbase.png";

} // namespace

CControllerEditorLoad::CControllerEditorLoad() : CController(CONTROLLER_EDITOR_LOAD)
{
    SetReturnValue(0);
    LoadSprites();
    list_->WarpMouseTo();
}

CControllerEditorLoad::~CControllerEditorLoad()
{
    logMessage(LOG_DESTRUCT, "CControllerEditorLoad:  Destroying CControllerEditorLoad...\n");
    UnloadSprites();
}

void CControllerEditorLoad::LoadSprites()
{
    if (loaded_)
        return;
    CDraw::createImage(UP.size.width, UP.size.height, ARROW_BASE);
    CDraw::createImage(OK.size.width, OK.size.height, OK_BASE);
    CDraw::createImage(CANCEL.size.width, CANCEL.size.height, CANCEL_BASE);
    dimmer_ = std::make_unique<CSprite>(KIND_SCREEN_DIMMER, 0, false);
    dimmer_->setName("Editor Load Controller (EDITORLOAD_LSPRITE_DIMMER)");
    dimmer_->addFrame("dimmer.png");
    dimmer_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);

    int base = CDraw::CopyImage("loadbrowser_border.tga", BASE_IMAGE, 0);
    CDraw::drawImageOnto("loadbrowser_main.jpg", base, 6, 6);
    CDraw::drawImageOnto("button_ok.tga", base, 218, 233);
    CDraw::drawImageOnto("button_cancel.tga", base, 284, 233);
    CFontSystem::DrawString(TEXT_OK, base, ALIGN_CENTRE_MIDDLE, 46, 31, 218, 234);
    CFontSystem::DrawString(TEXT_CANCEL, base, ALIGN_CENTRE_MIDDLE, 104, 31, 284, 234);
    background_ = std::make_unique<CSprite>(KIND_SCREEN_BACKGROUND, 0, false);
    background_->setName("Editor Load Controller (EDITORLOAD_LSPRITE_BACKGROUND)");
    background_->addFrame(BASE_IMAGE);
    background_->setLocation(105, 160, false);
    background_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);

    ListboxLayout layout{132, 187, 529, 195, 10, 19, "loadbrowser_listbox.png", "browserhighlighter_wide.tga",
                         2, 2, 5, 1};
    list_ = std::make_unique<CGuiListbox>(LIST, this, layout);
    list_->AddColumn(175);
    list_->AddColumn(350);
    FillList();
    list_->ForceRefresh();

    upButton_ = std::make_unique<CGuiButton>(UP.x, UP.y, BUTTON_UP, this, ARROW_BASE, nullptr, "browser_selector.tga",
                                             "browser_selector.tga", false, 0, 0);
    downButton_ = std::make_unique<CGuiButton>(DOWN.x, DOWN.y, BUTTON_DOWN, this, ARROW_BASE, nullptr,
                                               "browser_selector.tga", "browser_selector.tga", false, 0, 0);
    okButton_ = std::make_unique<CGuiButton>(OK.x, OK.y, BUTTON_OK, this, OK_BASE, nullptr, "button_ok_selector.tga",
                                             "button_ok_selector.tga", true, 0, 0);
    cancelButton_ = std::make_unique<CGuiButton>(CANCEL.x, CANCEL.y, BUTTON_CANCEL, this, CANCEL_BASE, nullptr,
                                                 "button_cancel_selector.tga", "button_cancel_selector.tga", false, 0,
                                                 0);
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerEditorLoad::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    upButton_.reset();
    downButton_.reset();
    okButton_.reset();
    cancelButton_.reset();
    list_.reset();
    for (const char* name : {BASE_IMAGE, ARROW_BASE, OK_BASE, CANCEL_BASE})
        CDraw::releaseImage(name);
    loaded_ = false;
}

void CControllerEditorLoad::FillList()
{
    GetFiles(names_, getLevelsDirectory(), ".lvl");
    for (size_t i = 0; i < names_.size(); ++i)
        list_->AddRow(static_cast<int>(i), {names_[i], CLevel::GetHeading(names_[i].c_str())});
}

std::optional<std::string> CControllerEditorLoad::GetSelectedFile() const
{
    if (names_.empty() || GetReturnValue() == 0)
        return std::nullopt;
    int index = list_ ? list_->GetSelectedRow() : 0;
    if (index < 0 || index >= static_cast<int>(names_.size()))
        return std::nullopt;
    return names_[index];
}

void CControllerEditorLoad::GUICallback(int index, int, bool dclick)
{
    SetReturnValue(0);
    switch (index) {
    case BUTTON_UP: scroll(false, false); break;
    case BUTTON_DOWN: scroll(true, false); break;
    case BUTTON_CANCEL: SetExitCode(1); break;
    case BUTTON_OK:
        SetReturnValue(names_.empty() ? 0 : 1);
        SetExitCode(1);
        break;
    case LIST:
        if (dclick) {
            SetReturnValue(1);
            SetExitCode(1);
        }
        break;
    default: break;
    }
}

void CControllerEditorLoad::scroll(bool down, bool page)
{
    if (down)
        list_->ScrollDown(page, false);
    else
        list_->ScrollUp(page, false);
}

void CControllerEditorLoad::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    switch (key) {
    case SDLK_UP:
    case SDLK_LEFT: up_ = !released; break;
    case SDLK_DOWN:
    case SDLK_RIGHT: down_ = !released; break;
    case SDLK_PAGEUP: pageUp_ = !released; break;
    case SDLK_PAGEDOWN: pageDown_ = !released; break;
    default: break;
    }
    if (!released) {
        switch (key) {
        case SDLK_UP:
        case SDLK_LEFT: list_->WarpMouseTo(); list_->ScrollUp(false, false); break;
        case SDLK_DOWN:
        case SDLK_RIGHT: list_->WarpMouseTo(); list_->ScrollDown(false, false); break;
        case SDLK_PAGEUP: list_->WarpMouseTo(); list_->ScrollUp(true, false); break;
        case SDLK_PAGEDOWN: list_->WarpMouseTo(); list_->ScrollDown(true, false); break;
        case SDLK_HOME: list_->WarpMouseTo(); list_->ScrollUp(false, true); break;
        case SDLK_END: list_->WarpMouseTo(); list_->ScrollDown(false, true); break;
        case SDLK_ESCAPE: GUICallback(BUTTON_CANCEL, 0, false); break;
        case SDLK_TAB: CGuiButtonBase::MoveFocus(false); break;
        case SDLK_RETURN:
        case SDLK_SPACE: CGuiButtonBase::ClickAll(1); break;
        default: break;
        }
    }
    InputScreenCapture(released, key);
}

void CControllerEditorLoad::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerEditorLoad::InputMouseButton(bool released, bool left, bool, bool wheelUp, bool wheelDown)
{
    if (!released && left && CGuiButtonBase::GetHotId() == -1)
        PlaySound(InterfaceSound::EmptyClick);
    if (wheelUp) {
        list_->ScrollUp(false, false);
        return;
    }
    if (wheelDown)
        list_->ScrollDown(false, false);
}

// A held scroll key scrolls on the press, then again in the 6th, 8th, 10th
// ... frame.
void CControllerEditorLoad::Pump()
{
    ProcessInput();
    if (!IsActive() || GetExitCode() != 0)
        return;
    bool downward = down_ || pageDown_;
    if (downward || up_ || pageUp_) {
        if (repeat_ > 4) {
            scroll(downward, downward ? pageDown_ : pageUp_);
            --repeat_;
        } else {
            ++repeat_;
        }
    } else {
        repeat_ = 0;
    }
    CGuiButtonBase::UpdateAll();
}
