#include "editor/ControllerEditorSave.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "screens/ControllerMessage.h"
#include "screens/GuiButton.h"
#include "screens/GuiTextbox.h"
#include "text/TextIds.h"

#include <SDL.h>

namespace {

enum { BUTTON_CANCEL = 0, BUTTON_OK = 1 };
enum Stop { STOP_NAME, STOP_HEADING, STOP_OK, STOP_CANCEL };

constexpr int REPEAT_AFTER = 10;
constexpr int REPEAT_AGAIN_FROM = 8;
const char* const BASE_IMAGE = "baseEditorSave.png";
const char* const OK_BASE = "editor_button_okbase.png";
const char* const CANCEL_BASE = "editor_button_cancelbase.png";

} // namespace

CControllerEditorSave::CControllerEditorSave(CLevel& level) : CController(CONTROLLER_EDITOR_SAVE), level_(level)
{
    SetReturnValue(0);
    logMessage(LOG_CONSTRUCT, "CControllerEditorSave:  Preloading sprites...\n");
    LoadSprites();
    focus_ = 0;
    nameBox_->WarpMouseTo();
    nameBox_->SetText(level_.GetFilename());
    headingBox_->SetText(level_.GetLevelHeading());
}

CControllerEditorSave::~CControllerEditorSave()
{
    logMessage(LOG_DESTRUCT, "CControllerEditorSave:  Destroying CControllerEditorSave...\n");
    message_.reset();
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    okButton_.reset();
    cancelButton_.reset();
    nameBox_.reset();
    headingBox_.reset();
    for (const char* name : {BASE_IMAGE, OK_BASE, CANCEL_BASE})
        CDraw::releaseImage(name);
    loaded_ = false;
}

void CControllerEditorSave::LoadSprites()
{
    if (loaded_)
        return;
    CDraw::createImage(54, 39, OK_BASE);
    CDraw::createImage(114, 39, CANCEL_BASE);
    dimmer_ = std::make_unique<CSprite>(KIND_SCREEN_DIMMER, 0, false);
    dimmer_->setName("Editor Save Controller (EDITORSAVE_LSPRITE_DIMMER)");
    dimmer_->addFrame("dimmer.png");
    dimmer_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);

    int base = CDraw::CopyImage("saveboxshadow.tga", BASE_IMAGE, 0);
    CDraw::drawImageOnto("savebox.jpg", base, 6, 6);
    CDraw::drawImageOnto("button_ok.tga", base, 129, 221);
    CDraw::drawImageOnto("button_cancel.tga", base, 202, 221);
    CFontSystem::DrawString(TEXT_SAVE_PROMPT, base, ALIGN_CENTRE_MIDDLE, 390, 50, 23, 21);
    CFontSystem::DrawString(TEXT_OK, base, ALIGN_CENTRE_MIDDLE, 46, 31, 129, 222);
    CFontSystem::DrawString(TEXT_CANCEL, base, ALIGN_CENTRE_MIDDLE, 104, 31, 202, 222);
    background_ = std::make_unique<CSprite>(KIND_SCREEN_BACKGROUND, 0, false);
    background_->setName("Editor Save Controller (EDITORSAVE_LSPRITE_BACKGROUND)");
    background_->addFrame(BASE_IMAGE);
    background_->setLocation(190, 168, false);
    background_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);

    nameBox_ = std::make_unique<CGuiTextbox>(NAME_LENGTH, 314, 270, 9, 11, "savebox_filename.jpg",
                                             "profilenternamecursor.png", false, false, false);
    headingBox_ = std::make_unique<CGuiTextbox>(HEADING_LENGTH, 234, 347, 9, 11, "savebox_heading.jpg",
                                                "profilenternamecursor.png", true, true, false);
    okButton_ = std::make_unique<CGuiButton>(317, 387, BUTTON_OK, this, OK_BASE, nullptr, "button_ok_selector.tga",
                                             "button_ok_selector.tga", false, 0, 0);
    cancelButton_ = std::make_unique<CGuiButton>(390, 387, BUTTON_CANCEL, this, CANCEL_BASE, nullptr,
                                                 "button_cancel_selector.tga", "button_cancel_selector.tga", false, 0,
                                                 0);
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerEditorSave::GUICallback(int index, int, bool)
{
    SetReturnValue(0);
    if (index == BUTTON_CANCEL) {
        SetExitCode(1);
    } else if (index == BUTTON_OK) {
        SetReturnValue(1);
        saveFilename();
    }
}

void CControllerEditorSave::showMessage(int title, int body, bool yesNo)
{
    hideDialog();
    message_ = std::make_unique<CControllerMessage>(title, body, yesNo);
    LogLoadingController("Message");
    LoadController(message_.get());
}

void CControllerEditorSave::saveFilename()
{
    const char* name = nameBox_->GetText();
    const char* heading = headingBox_->GetText();
    if (!*name) {
        showMessage(TEXT_SAVE_TITLE, TEXT_SAVE_NO_NAME_BODY, false);
        return;
    }
    if (!*heading) {
        showMessage(TEXT_SAVE_TITLE, TEXT_SAVE_NO_HEADING_BODY, false);
        return;
    }
    if (!overwriteConfirmed_) {
        logMessage(LOG_DEBUG, "CControllerEditorSave::saveFilename()   Checking for existing filename '%s'...\n", name);
        if (CLevel::GetFileTime(name) != 0) {
            overwriteAsked_ = true;
            showMessage(TEXT_SAVE_TITLE, TEXT_SAVE_OVERWRITE_BODY, true);
            return;
        }
        logMessage(LOG_DEBUG, "CControllerEditorSave::saveFilename()   Saving new filename '%s'...\n", name);
    } else {
        logMessage(LOG_DEBUG, "CControllerEditorSave::saveFilename()   Overwrite filename '%s'...\n", name);
    }
    overwriteConfirmed_ = false;
    // A failed write keeps the level's old name, heading and modified flag
    // (CLevel::SaveAs), and the dialog stays open to try again.
    if (!level_.SaveAs(name, heading)) {
        SetReturnValue(0);
        showMessage(TEXT_NOT_SAVED_TITLE, TEXT_NOT_SAVED_BODY, false);
        return;
    }
    SetExitCode(1);
}

void CControllerEditorSave::hideDialog()
{
    dimmer_->hide();
    background_->hide();
    okButton_->Hide();
    cancelButton_->Hide();
    nameBox_->Hide();
    headingBox_->Hide();
    repeatKey_ = -1;
    repeatCounter_ = 0;
}

void CControllerEditorSave::showDialog()
{
    dimmer_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    background_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    okButton_->Show();
    cancelButton_->Show();
    nameBox_->Show();
    headingBox_->Show();
}

// The focus runs over four stops: the file name, the heading, OK, Cancel.
int CControllerEditorSave::currentStop() const
{
    if (focus_ == 0)
        return STOP_NAME;
    if (focus_ == 1)
        return STOP_HEADING;
    if (okButton_->IsMouseOver())
        return STOP_OK;
    if (cancelButton_->IsMouseOver())
        return STOP_CANCEL;
    return -1;
}

void CControllerEditorSave::focusStop(int stop)
{
    switch (stop) {
    case STOP_NAME:
        focus_ = 0;
        nameBox_->WarpMouseTo();
        break;
    case STOP_HEADING:
        focus_ = 1;
        headingBox_->WarpMouseTo();
        break;
    case STOP_OK:
        focus_ = -1;
        okButton_->WarpMouseTo();
        break;
    default:
        focus_ = -1;
        cancelButton_->WarpMouseTo();
        break;
    }
    nameBox_->HideCursor();
    headingBox_->HideCursor();
}

void CControllerEditorSave::moveFocus(bool backwards)
{
    int stop = currentStop();
    if (backwards)
        focusStop(stop <= STOP_NAME ? STOP_CANCEL : stop - 1);
    else
        focusStop(stop < 0 || stop == STOP_CANCEL ? STOP_NAME : stop + 1);
}

void CControllerEditorSave::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (!released && key != repeatKey_) {
        repeatKey_ = key;
        repeatCounter_ = 0;
    } else if (released && key == repeatKey_) {
        repeatKey_ = -1;
        repeatCounter_ = 0;
    }
    if (!released) {
        if (focus_ == 0)
            nameBox_->HandleKey(key, IsShiftDown());
        else if (focus_ == 1)
            headingBox_->HandleKey(key, IsShiftDown());
        switch (key) {
        case SDLK_UP:
        case SDLK_LEFT: moveFocus(true); break;
        case SDLK_DOWN:
        case SDLK_RIGHT: moveFocus(false); break;
        case SDLK_TAB: moveFocus(IsShiftDown()); break;
        case SDLK_RETURN:
            if (focus_ == 0) {
                focusStop(STOP_HEADING);
            } else if (focus_ == 1) {
                focusStop(STOP_OK);
            } else if (CGuiButtonBase::GetHotId() != -1) {
                CGuiButtonBase::ClickAll(1);
            } else {
                PlaySound(InterfaceSound::EmptyClick);
            }
            break;
        case SDLK_ESCAPE: GUICallback(BUTTON_CANCEL, 0, false); break;
        default: break;
        }
    }
    InputScreenCapture(released, key);
}

void CControllerEditorSave::InputMouseMotion(int, int)
{
    CMousePointer::Tick();
    if (nameBox_->IsMouseOver()) {
        focus_ = 0;
        headingBox_->HideCursor();
    } else if (headingBox_->IsMouseOver()) {
        focus_ = 1;
        nameBox_->HideCursor();
    } else if (CGuiButtonBase::GetHotId() != -1) {
        focus_ = -1;
        nameBox_->HideCursor();
        headingBox_->HideCursor();
    }
}

void CControllerEditorSave::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (!released && left && CGuiButtonBase::GetHotId() == -1)
        PlaySound(InterfaceSound::EmptyClick);
}

void CControllerEditorSave::Pump()
{
    if (TakeClosedChildId() == CONTROLLER_MESSAGE) {
        bool yes = static_cast<CControllerMessage&>(*message_).GetAnswerYes();
        message_.reset();
        if (overwriteAsked_) {
            overwriteAsked_ = false;
            overwriteConfirmed_ = yes;
        }
        if (overwriteConfirmed_)
            saveFilename();
        else
            showDialog();
        CMousePointer::HideFor(-1);
        return;
    }
    ProcessInput();
    if (repeatKey_ != -1 && ++repeatCounter_ > REPEAT_AFTER) {
        InputKey(false, repeatKey_);
        repeatCounter_ = REPEAT_AGAIN_FROM;
    }
    if (!IsActive() || GetExitCode() != 0)
        return;
    CGuiButtonBase::UpdateAll();
    if (focus_ == 0)
        nameBox_->BlinkCursor();
    else if (focus_ == 1)
        headingBox_->BlinkCursor();
}
