#include "editor/ControllerEditorTutorial.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "screens/GuiTextbox.h"
#include "text/TextIds.h"

namespace {

constexpr int PANEL_X = 105;
constexpr int PANEL_Y = 160;
constexpr int PANEL_W = 590;
const char* const PANEL_IMAGE = "editorTutorialPanel.png";
const char* const OK_BASE = "editor_button_okbase.png";
const char* const CANCEL_BASE = "editor_button_cancelbase.png";

} // namespace

CControllerEditorTutorial::CControllerEditorTutorial(const char* text)
{
    LoadSprites();
    if (text)
        SetText(text);
    FocusTextbox();
}

CControllerEditorTutorial::~CControllerEditorTutorial()
{
    UnloadSprites();
    for (const char* name : {PANEL_IMAGE, OK_BASE, CANCEL_BASE})
        CDraw::releaseImage(name);
}

std::string CControllerEditorTutorial::GetText() const
{
    return GetTextbox() ? GetTextbox()->GetText() : "";
}

void CControllerEditorTutorial::LoadSprites()
{
    if (SpritesLoaded())
        return;
    // The buttons' art is part of the panel: the buttons themselves only
    // show their frame under the pointer.
    CDraw::createImage(OK.size.width, OK.size.height, OK_BASE);
    CDraw::createImage(CANCEL.size.width, CANCEL.size.height, CANCEL_BASE);
    int panel = CDraw::CopyImage("etutorialboxshadow.tga", PANEL_IMAGE, 0);
    CDraw::drawImageOnto("etutorialbox.jpg", panel, 4, 4);
    CDraw::drawImageOnto("button_ok.tga", panel, 217, 233);
    CDraw::drawImageOnto("button_cancel.tga", panel, 282, 233);
    CFontSystem::DrawString(TEXT_OK, panel, ALIGN_CENTRE_MIDDLE, 46, 31, 217, 234);
    CFontSystem::DrawString(TEXT_CANCEL, panel, ALIGN_CENTRE_MIDDLE, 104, 31, 282, 234);

    Layout layout{PANEL_IMAGE,
                  PANEL_X,
                  PANEL_Y,
                  TEXT_NOTE_PROMPT,
                  PANEL_X + 35,
                  PANEL_Y + 18,
                  PANEL_W - 80,
                  50,
                  "Editor Tutorial Controller (TEXTENTRY_LSPRITE_BACKGROUND)",
                  MAX_LENGTH,
                  140,
                  226,
                  true,
                  true,
                  true,
                  OK,
                  CANCEL,
                  // Neither button is the default: Return breaks the line.
                  false};
    layout.pictures.textbox = "etutorial_blurb.jpg";
    layout.pictures.textDx = 9;
    layout.pictures.textDy = 11;
    layout.pictures.okBase = OK_BASE;
    layout.pictures.okShadow = nullptr;
    layout.pictures.okRollover = "button_ok_selector.tga";
    layout.pictures.cancelBase = CANCEL_BASE;
    layout.pictures.cancelShadow = nullptr;
    layout.pictures.cancelRollover = "button_cancel_selector.tga";
    BuildSprites(layout);
}
