#include "screens/ControllerTextEntryBase.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "screens/GuiButton.h"
#include "screens/GuiTextbox.h"
#include "screens/WidgetSprite.h"

namespace {

const char* const BASE_IMAGE = "baseTextEntryController.png";

bool holdsNonSpace(const char* text)
{
    for (; *text; ++text)
        if (*text != ' ')
            return true;
    return false;
}

} // namespace

CControllerTextEntryBase::CControllerTextEntryBase(int id) : CControllerDialog(id) {}

CControllerTextEntryBase::~CControllerTextEntryBase()
{
    logMessage(LOG_DESTRUCT, "CControllerTextEntryBase:  Destroying CControllerTextEntryBase...\n");
    UnloadSprites();
}

void CControllerTextEntryBase::BuildSprites(const Layout& layout)
{
    int base = CDraw::copyScreen(BASE_IMAGE);
    CDraw::drawImageOnto("dimmer.png", base, 0, 0);
    CDraw::drawImageOnto(layout.panelImage, base, layout.panelX, layout.panelY);
    CFontSystem::DrawString(layout.promptString, base, ALIGN_CENTRE, layout.promptWidth, layout.promptHeight,
                            layout.promptX, layout.promptY);
    background_ = makeWidgetSprite(KIND_SCREEN_DIMMER, BASE_IMAGE, layout.backgroundName, 0, 0, true);

    const Layout::Pictures& pictures = layout.pictures;
    okButton_ = std::make_unique<CGuiButton>(layout.ok.x, layout.ok.y, BUTTON_OK, this, pictures.okBase,
                                             pictures.okShadow, pictures.okRollover, nullptr, layout.okIsDefault, 0,
                                             0);
    cancelButton_ = std::make_unique<CGuiButton>(layout.cancel.x, layout.cancel.y, BUTTON_CANCEL, this,
                                                 pictures.cancelBase, pictures.cancelShadow, pictures.cancelRollover,
                                                 nullptr, false, 0, 0);
    textbox_ = std::make_unique<CGuiTextbox>(layout.maxLength, layout.boxX, layout.boxY, pictures.textDx,
                                             pictures.textDy, pictures.textbox, "profilenternamecursor.png",
                                             layout.spaces, layout.punctuation, layout.lineBreaks);
    SetRing({textbox_.get()}, {okButton_.get(), cancelButton_.get()}, ReturnKey::Click);
    CMousePointer::HideFor(-1);
    spritesLoaded_ = true;
}

void CControllerTextEntryBase::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!spritesLoaded_)
        return;
    ClearRing();
    background_.reset();
    okButton_.reset();
    cancelButton_.reset();
    textbox_.reset();
    CDraw::releaseImage(BASE_IMAGE);
    spritesLoaded_ = false;
}

void CControllerTextEntryBase::SetText(const char* text)
{
    if (textbox_)
        textbox_->SetText(text);
}

const char* CControllerTextEntryBase::GetEnteredText() const
{
    if (GetReturnValue() == 0 || !textbox_ || textbox_->GetText()[0] == '\0')
        return nullptr;
    return textbox_->GetText();
}

void CControllerTextEntryBase::GUICallback(int index, int, bool)
{
    if (index == BUTTON_CANCEL) {
        SetReturnValue(0);
        SetExitCode(1);
    } else if (index == BUTTON_OK) {
        if (textbox_ && holdsNonSpace(textbox_->GetText())) {
            SetReturnValue(1);
            SetExitCode(1);
        } else {
            PlaySound(InterfaceSound::EmptyClick);
        }
    }
}
