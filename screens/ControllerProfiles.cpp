#include "screens/ControllerProfiles.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Render.h"
#include "engine/Sprite.h"
#include "engine/TextLayout.h"
#include "levels/Profile.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerTextEntries.h"
#include "screens/GuiButton.h"
#include "screens/GuiListbox.h"
#include "screens/ScreenParts.h"
#include "text/TextIds.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// The panel is drawn onto a copy of its picture: the preloaded picture
// itself stays as it was.
const char* const PANEL_SOURCE = "profile_select_main.png";
const char* const PANEL = "baseProfiles.png";

// The buttons' picture names, in the order of CControllerProfiles::Buttons.
const char* const BUTTON_WORDS[] = {"up", "down", "select", "delete", "rename", "add"};
constexpr int LIST_COLUMN = 158;

std::string upperCopy(const char* text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

CProfile& profile() { return *CController::GetProfile(); }

} // namespace

CControllerProfiles::CControllerProfiles() : CController(CONTROLLER_PROFILES) { LoadSprites(); }

CControllerProfiles::~CControllerProfiles()
{
    logMessage(LOG_DESTRUCT, "CControllerProfiles:  Destroying CControllerProfiles...\n");
    UnloadSprites();
}

std::vector<int> CControllerProfiles::SortedProfileNumbers()
{
    CProfile& p = profile();
    std::vector<int> numbers;
    for (int i = 0; i < p.GetProfileCount(); ++i) {
        std::string name = upperCopy(p.GetProfileName(i));
        auto at = std::find_if(numbers.begin(), numbers.end(), [&](int number) {
            return strcmp(upperCopy(p.GetProfileNameByNumber(number)).c_str(), name.c_str()) > 0;
        });
        numbers.insert(at, p.FindProfileNumber(p.GetProfileName(i)));
    }
    return numbers;
}

void CControllerProfiles::LoadSprites()
{
    if (loaded_)
        return;
    int panel = CDraw::CopyImage(PANEL_SOURCE, PANEL, 0);
    CFontSystem::DrawString(TEXT_PROFILES_HEADING, panel, ALIGN_CENTRE_MIDDLE, CDraw::getImageWidth(panel) - 40, 40, 15,
                            12);
    dimmer_ = makeDimmer(KIND_SCREEN_DIMMER, "Profile Controller (PROFILES_LSPRITE_DIMMER)");
    panel_ =
        makeScreenSprite(KIND_SCREEN_BACKGROUND, PANEL, "Profile Controller (PROFILES_LSPRITE_BACKGROUND)", 282, 100);
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        std::string prefix = std::string("profile_button_") + BUTTON_WORDS[i];
        buttons_[i] = std::make_unique<CGuiButton>(BUTTON_PLACES[i].x, BUTTON_PLACES[i].y, i, this,
                                                   (prefix + "base.png").c_str(), (prefix + "shadow.png").c_str(),
                                                   (prefix + "rollover.png").c_str(), nullptr, i == BUTTON_SELECT, 0, 0);
    }
    BuildList();
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerProfiles::BuildList()
{
    list_ = std::make_unique<CGuiListbox>(LIST, this, LIST_LAYOUT);
    list_->AddColumn(LIST_COLUMN);
    for (int number : SortedProfileNumbers())
        list_->AddRow(number, {profile().GetProfileNameByNumber(number)});
    list_->SelectByValue(profile().GetCurrentProfileNumber());
    list_->ForceRefresh();
    list_->DumpRows();
}

void CControllerProfiles::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    panel_.reset();
    for (auto& button : buttons_)
        button.reset();
    list_.reset();
    CDraw::releaseImage(PANEL);
    loaded_ = false;
}

void CControllerProfiles::choose(int number)
{
    profile().SelectProfile(profile().GetProfileNameByNumber(number));
    SetExitCode(1);
}

void CControllerProfiles::GUICallback(int index, int value, bool dclick)
{
    switch (index) {
    case BUTTON_UP: list_->ScrollUp(false, false); break;
    case BUTTON_DOWN: list_->ScrollDown(false, false); break;
    case BUTTON_SELECT: choose(list_->GetSelectedRow()); break;
    case BUTTON_DELETE:
        pending_ = PENDING_DELETE;
        OpenMessage(TEXT_DELETE_PLAYER_TITLE, TEXT_DELETE_PLAYER_BODY, true,
                    profile().GetProfileNameByNumber(selectedNumber_));
        break;
    case BUTTON_RENAME:
        rename_ = true;
        OpenProfileName();
        break;
    case BUTTON_ADD:
        rename_ = false;
        OpenProfileName();
        break;
    case LIST:
        if (dclick)
            choose(value);
        else
            selectedNumber_ = list_->GetSelectedRow();
        break;
    default: break;
    }
}

void CControllerProfiles::openChild(std::unique_ptr<CController> child, const char* displayName)
{
    LogLoadingController(displayName);
    child_ = std::move(child);
    LoadController(child_.get());
}

void CControllerProfiles::OpenProfileName()
{
    dimmer_->hide();
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    UnloadSprites();
    openChild(std::make_unique<CControllerProfileName>(), "Profile Name");
}

void CControllerProfiles::OpenMessage(int title, int body, bool question, const char* bodyArgument)
{
    CMousePointer::HideFor(-1);
    if (loaded_) {
        dimmer_->hide();
        CRender::Render(true);
        UnloadSprites();
    }
    openChild(std::make_unique<CControllerMessage>(title, body, question, bodyArgument), "Message");
}

void CControllerProfiles::nameEntered(const std::string& name)
{
    CProfile& p = profile();
    // The entry box lets through only what a name may hold; the check here
    // keeps the header safe whatever reaches it.
    if (!CProfileBase::IsAcceptableName(name)) {
        pending_ = PENDING_NOTICE;
        OpenMessage(TEXT_NAME_REFUSED_TITLE, TEXT_NAME_REFUSED_BODY, false);
        return;
    }
    for (int i = 0; i < p.GetProfileCount(); ++i) {
        if (name == p.GetProfileName(i)) {
            pending_ = PENDING_NOTICE;
            OpenMessage(TEXT_NAME_TAKEN_TITLE, TEXT_NAME_TAKEN_BODY, false);
            return;
        }
    }
    if (rename_)
        p.RenameProfile(p.GetProfileNameByNumber(selectedNumber_), name);
    else
        p.AddProfile(name);
}

void CControllerProfiles::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (!released) {
        switch (key) {
        case SDLK_UP:
        case SDLK_LEFT: list_->ScrollUp(false, false); break;
        case SDLK_DOWN:
        case SDLK_RIGHT: list_->ScrollDown(false, false); break;
        case SDLK_HOME: list_->ScrollUp(false, true); break;
        case SDLK_END: list_->ScrollDown(false, true); break;
        case SDLK_PAGEUP: list_->ScrollUp(true, false); break;
        case SDLK_PAGEDOWN: list_->ScrollDown(true, false); break;
        case SDLK_RETURN:
        case SDLK_SPACE: CGuiButtonBase::ClickAll(1); break;
        case SDLK_TAB: CGuiButtonBase::MoveFocus(false); break;
        default: break;
        }
    }
    InputScreenCapture(released, key);
}

void CControllerProfiles::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerProfiles::InputMouseButton(bool released, bool left, bool, bool wheelUp, bool wheelDown)
{
    playEmptyClick(released, left);
    if (!loaded_)
        return;
    if (wheelUp)
        list_->ScrollUp(false, false);
    if (wheelDown)
        list_->ScrollDown(false, false);
}

void CControllerProfiles::Pump()
{
    int closed = TakeClosedChildId();
    if (closed == CONTROLLER_NONE) {
        ProcessInput();
        if (IsActive())
            CGuiButtonBase::UpdateAll();
        return;
    }
    std::unique_ptr<CController> child = std::move(child_);
    if (closed == CONTROLLER_MESSAGE) {
        auto* message = static_cast<CControllerMessage*>(child.get());
        if (message->GetAnswerYes() && pending_ == PENDING_DELETE)
            profile().DeleteProfile(profile().GetProfileNameByNumber(selectedNumber_));
        pending_ = PENDING_NONE;
    } else if (closed == CONTROLLER_TEXT_ENTRY) {
        auto* entry = static_cast<CControllerTextEntryBase*>(child.get());
        const char* text = entry->WasCancelled() ? nullptr : entry->GetEnteredText();
        std::string name = text ? text : "";
        child.reset();
        if (text) {
            nameEntered(name);
            if (child_)
                return; // the notice is open
        }
    }
    child.reset();
    if (!loaded_ && GetExitCode() == 0)
        LoadSprites();
    CMousePointer::HideFor(-1);
}
