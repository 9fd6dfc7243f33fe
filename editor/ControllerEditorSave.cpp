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

namespace {

constexpr int STOP_NAME = 0; // the file name's box, first in the focus ring

const char* const BASE_IMAGE = "baseEditorSave.png";
const char* const OK_BASE = "editor_button_okbase.png";
const char* const CANCEL_BASE = "editor_button_cancelbase.png";

} // namespace

CControllerEditorSave::CControllerEditorSave(CLevel& level)
    : CControllerDialog(CONTROLLER_EDITOR_SAVE), level_(level)
{
    SetReturnValue(0);
    logMessage(LOG_CONSTRUCT, "CControllerEditorSave:  Preloading sprites...\n");
    LoadSprites();
    FocusStop(STOP_NAME);
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
    ClearRing();
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
    CDraw::createImage(OK.size.width, OK.size.height, OK_BASE);
    CDraw::createImage(CANCEL.size.width, CANCEL.size.height, CANCEL_BASE);
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

    nameBox_ = std::make_unique<CGuiTextbox>(NAME_LENGTH, NAME_BOX.x, NAME_BOX.y, 9, 11, "savebox_filename.jpg",
                                             "profilenternamecursor.png", false, false, false);
    headingBox_ = std::make_unique<CGuiTextbox>(HEADING_LENGTH, HEADING_BOX.x, HEADING_BOX.y, 9, 11,
                                                "savebox_heading.jpg", "profilenternamecursor.png", true, true, false);
    okButton_ = std::make_unique<CGuiButton>(OK.x, OK.y, BUTTON_OK, this, OK_BASE, nullptr, "button_ok_selector.tga",
                                             "button_ok_selector.tga", false, 0, 0);
    cancelButton_ = std::make_unique<CGuiButton>(CANCEL.x, CANCEL.y, BUTTON_CANCEL, this, CANCEL_BASE, nullptr,
                                                 "button_cancel_selector.tga", "button_cancel_selector.tga", false, 0,
                                                 0);
    SetRing({nameBox_.get(), headingBox_.get()}, {okButton_.get(), cancelButton_.get()}, ReturnKey::NextStop);
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
    StopKeyRepeat();
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
    CControllerDialog::Pump();
}
