#include "screens/ControllerCredits.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "engine/TextLayout.h"
#include "screens/GuiButton.h"
#include "screens/ScreenParts.h"
#include "text/TextIds.h"

namespace {

const char* const PICTURE = "baseCredits.png";

// Beside each of the five short roles: who or what did it.
const char* const ROLE_LINES[] = {
    "Corvelle, a puzzle game for one player",
    "The Corvelle project",
    "Drawn by our own tools with cairo",
    "Synthesised by our own tools",
    "The Corvelle project",
};

// Arguments are shown as written, never read for markup: longer entries
// are drawn line by line.
const char* const LIBRARY_LINES[] = {"SDL 1.2, SDL_image, SDL_ttf (zlib licence)", "libcurl (curl licence)",
                                     "libogg, libvorbis (BSD licence)"};

const char* const FONT_LINES[] = {"Quicksand, copyright 2011 The Quicksand", "Project Authors, under the SIL Open",
                                  "Font License 1.1: free to use, share and", "change; the licence comes with the game."};

const char* const THANKS_LINES[] = {"Thank you for playing,", "and for every level", "you build and share!"};

constexpr int LINE_HEIGHT = 22;

template <size_t N>
void drawLines(int image, int align, int width, int x, int y, const char* const (&lines)[N], int stringNumber)
{
    for (size_t i = 0; i < N; ++i)
        CFontSystem::DrawString(stringNumber, image, align, width, 35, x, y + LINE_HEIGHT * static_cast<int>(i),
                                lines[i]);
}

const char* const VERSION = "1.03";

} // namespace

CControllerCredits::CControllerCredits() : CController(CONTROLLER_CREDITS) { LoadSprites(); }

CControllerCredits::~CControllerCredits()
{
    logMessage(LOG_DESTRUCT, "CControllerCredits:  Destroying CControllerCredits...\n");
    UnloadSprites();
}

void CControllerCredits::LoadSprites()
{
    if (loaded_)
        return;
    dimmer_ = makeDimmer(KIND_SCREEN_BACKGROUND, "Credits Controller (CREDITS_LSPRITE_DIMMER)");
    int page = CDraw::CopyImage("parchment.png", PICTURE, 0);
    CDraw::drawImageOnto("parchment_victory.png", page, 125, 390);
    CFontSystem::DrawString(TEXT_CREDITS_TITLE, page, ALIGN_CENTRE, 700, 40, 0, 35);
    for (int i = 0; i < 5; ++i) {
        int y = 80 + 25 * i;
        CFontSystem::DrawString(TEXT_CREDITS_FIRST_ROLE + i, page, ALIGN_RIGHT, 220, 35, 40, y);
        CFontSystem::DrawString(TEXT_CREDITS_NAMES, page, ALIGN_LEFT, 340, 35, 275, y, ROLE_LINES[i]);
    }
    CFontSystem::DrawString(TEXT_CREDITS_LIBRARIES, page, ALIGN_RIGHT, 220, 35, 40, 215);
    drawLines(page, ALIGN_LEFT, 350, 275, 215, LIBRARY_LINES, TEXT_CREDITS_NAMES);
    CFontSystem::DrawString(TEXT_CREDITS_FONT, page, ALIGN_RIGHT, 220, 35, 40, 290);
    drawLines(page, ALIGN_LEFT, 370, 275, 290, FONT_LINES, TEXT_CREDITS_NAMES);
    drawLines(page, ALIGN_CENTRE, 280, 300, 425, THANKS_LINES, TEXT_CREDITS_THANKS);
    CFontSystem::DrawString(TEXT_CREDITS_VERSION, page, ALIGN_RIGHT, 100, 40, 540, 500, VERSION);
    background_ = makeScreenSprite(KIND_SCREEN_BACKGROUND, PICTURE, "Credits Controller (CREDITS_LSPRITE_BACKGROUND)",
                                   PARCHMENT_X, PARCHMENT_Y);
    done_ = makeStoryButton(DONE, 0, this, "done", true);
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerCredits::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    done_.reset();
    CDraw::releaseImage(PICTURE);
    loaded_ = false;
}

void CControllerCredits::GUICallback(int index, int, bool)
{
    if (index == 0)
        SetExitCode(1);
}

void CControllerCredits::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerCredits::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerCredits::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerCredits::Pump()
{
    ProcessInput();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}
