#include "screens/ControllerManager.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Parameters.h"
#include "engine/Render.h"
#include "engine/Sprite.h"
#include "engine/Strings.h"
#include "engine/TextLayout.h"
#include "levels/Level.h"
#include "levels/Profile.h"
#include "platform/Folders.h"
#include "platform/System.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerMessage.h"
#include "screens/GuiButton.h"
#include "screens/GuiListbox.h"
#include "screens/ScreenParts.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const PICTURE = "baseManager.png";
const char* const UNNAMED = "(unnamed)";
constexpr size_t SHOWN_LEVEL_NAME = 33;

const ListboxLayout LIST_LAYOUT{18, 68, 409, 436, 22, 19, "levelmanager_listbox.jpg", "levelmanager_selector.png",
                                2, 9, 5, 8};
constexpr int NAME_COLUMN = 309;
constexpr int DATE_COLUMN = 93;

struct ButtonLook {
    int index;
    const char* base;
    const char* rollover;
    const char* shadow;
};
// In the order they are made, the focus order after the lists.
constexpr ButtonLook BUTTONS[] = {
    {CControllerManager::BUTTON_SORT_NAME, "namebase", "namerollover", "dateshadow"},
    {CControllerManager::BUTTON_SORT_DATE, "datebase", "daterollover", "dateshadow"},
    {CControllerManager::BUTTON_UP, "arrow1base", "arrow1rollover", "arrowshadow"},
    {CControllerManager::BUTTON_DOWN, "arrow2base", "arrow2rollover", "arrowshadow"},
    {CControllerManager::BUTTON_PLAY, "playbase", "playrollover", "playshadow"},
    {CControllerManager::BUTTON_REMOVE, "removebase", "removerollover", "playshadow"},
    {CControllerManager::BUTTON_MORE_LEVELS, "morelevelsbase", "morelevelsrollover", "resetshadow"},
    {CControllerManager::BUTTON_RESET, "resetbase", "resetrollover", "resetshadow"},
    {CControllerManager::BUTTON_MAP, "mapbase", "maprollover", "resetshadow"},
    {CControllerManager::BUTTON_MAIN_MENU, "mainmenubase", "mainmenurollover", "resetshadow"},
};

struct DetailPlace {
    const char* name;
    const char* image;
    int width, align, x, y;
};
// The heading keeps to the details card, 6 pixels in from its sides: 300
// pixels from x 489 would reach the board's right edge. A long heading is
// drawn smaller there.
constexpr DetailPlace DETAILS[] = {
    {"Level Manager (MANAGER_LSPRITE_TEXT_NAME)", "lmanager_text_name.png", 296, ALIGN_CENTRE, 483, 39},
    {"Level Manager (MANAGER_LSPRITE_TEXT_FILE)", "lmanager_text_file.png", 200, ALIGN_LEFT, 570, 97},
    {"Level Manager (MANAGER_LSPRITE_TEXT_DATE)", "lmanager_text_date.png", 200, ALIGN_LEFT, 570, 124},
    {"Level Manager (MANAGER_LSPRITE_TEXT_PLAYED)", "lmanager_text_played.png", 30, ALIGN_CENTRE, 672, 175},
    {"Level Manager (MANAGER_LSPRITE_TEXT_COMPLETED)", "lmanager_text_completed.png", 30, ALIGN_CENTRE, 672, 202},
};

// A held scroll key scrolls on its press and again every second frame
// from the sixth on.
constexpr int REPEAT_AFTER = 4;

const char* const MONTHS[] = {"January", "February", "March",     "April",   "May",      "June",
                              "July",    "August",   "September", "October", "November", "December"};

// Inserts each index before the first one already placed whose key is
// strictly greater, so equal keys keep the order they came in.
template <class Less>
std::vector<int> insertionOrder(size_t count, Less greater)
{
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        auto at = std::find_if(order.begin(), order.end(), [&](int placed) { return greater(placed, i); });
        order.insert(at, i);
    }
    return order;
}

CProfile& profile() { return *CController::GetProfile(); }

} // namespace

CControllerManager::CControllerManager() : CController(CONTROLLER_MANAGER)
{
    for (int i = 0; i < LIST_COUNT; ++i) {
        lists_[i] = std::make_unique<CGuiListbox>(FIRST_LIST_CALLBACK + i, this, LIST_LAYOUT);
        lists_[i]->AddColumn(NAME_COLUMN);
        lists_[i]->AddColumn(DATE_COLUMN);
        lists_[i]->Hide();
    }
    FillLists();
    LoadSprites();
}

CControllerManager::~CControllerManager()
{
    logMessage(LOG_DESTRUCT, "CControllerManager:  Destroying CControllerManager...\n");
    UnloadSprites();
    for (auto& list : lists_)
        list.reset();
}

std::vector<int> CControllerManager::SortByDate(const std::vector<UserLevelRecord>& records)
{
    return insertionOrder(records.size(),
                          [&](int placed, int next) { return records[placed].timeStamp > records[next].timeStamp; });
}

std::vector<int> CControllerManager::SortByName(const std::vector<UserLevelRecord>& records)
{
    return insertionOrder(records.size(), [&](int placed, int next) {
        return toUpperCopy(records[placed].levelName) > toUpperCopy(records[next].levelName);
    });
}

std::string CControllerManager::LongDate(time_t stamp)
{
    struct tm local = {};
    localtime_r(&stamp, &local);
    char text[40];
    snprintf(text, sizeof text, "%s %02d, %d", MONTHS[local.tm_mon % 12], local.tm_mday, local.tm_year + 1900);
    return text;
}

std::string CControllerManager::MoreLevelsAddress()
{
    const char* games = GetMoreGamesURL();
    if (!games)
        return "";
    std::string address = games;
    size_t scheme = address.find("://");
    if (scheme == std::string::npos)
        return "";
    size_t path = address.find('/', scheme + 3);
    return address.substr(0, path) + "/krvl/levels";
}

void CControllerManager::FillLists()
{
    std::vector<std::string> names;
    GetFiles(names, getLevelsDirectory(), ".lvl");
    for (const std::string& name : names) {
        UserLevelRecord record;
        record.fileName = name;
        // Only the heading is read: a file that will not load as a whole is
        // still listed by it, and Play says what is wrong with it.
        record.levelName = utf8Prefix(CLevel::GetHeading(name.c_str()), SHOWN_LEVEL_NAME);
        if (record.levelName.empty())
            record.levelName = UNNAMED;
        record.timeStamp = CLevel::GetFileTime(name.c_str());
        struct tm local = {};
        localtime_r(&record.timeStamp, &local);
        char shortDate[16];
        strftime(shortDate, sizeof shortDate, "%Y-%m-%d", &local);
        record.shortDate = shortDate;
        record.longDate = LongDate(record.timeStamp);
        records_.push_back(record);
    }
    auto fill = [this](const std::vector<int>& order, int forwards, int backwards) {
        for (auto it = order.begin(); it != order.end(); ++it)
            lists_[forwards]->AddRow(*it, {records_[*it].levelName, records_[*it].shortDate});
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            lists_[backwards]->AddRow(*it, {records_[*it].levelName, records_[*it].shortDate});
    };
    fill(SortByDate(records_), LIST_OLDEST, LIST_NEWEST);
    fill(SortByName(records_), LIST_NAME_UP, LIST_NAME_DOWN);
}

int CControllerManager::GetSelectedRecord() const
{
    const CGuiListbox& list = *lists_[shown_];
    return list.GetRowCount() == 0 ? -1 : list.GetSelectedRow();
}

void CControllerManager::LoadSprites()
{
    if (loaded_)
        return;
    int picture = CDraw::CopyImage("mainmenu_background.jpg", PICTURE, 0);
    CDraw::drawImageOnto("mainmenu_smoke2.png", picture, 401, -29);
    CDraw::drawImageOnto("mainmenu_volcanofront.png", picture, 421, 167);
    CDraw::drawImageOnto("dimmer.png", picture, 0, 0);
    dimmer_ = makeScreenSprite(KIND_SCREEN_DIMMER, PICTURE, "Manager Controller (MANAGER_LSPRITE_DIMMER)", 0, 0);
    background_ = makeScreenSprite(KIND_SCREEN_BACKGROUND, "levelmanager_main.png",
                                   "Profile Controller (MANAGER_LSPRITE_BACKGROUND)", 5, 11);
    for (const ButtonLook& look : BUTTONS) {
        std::string prefix = "levelmanager_button_";
        const WidgetPlace& place = BUTTON_PLACES[look.index];
        buttons_[look.index] = std::make_unique<CGuiButton>(
            place.x, place.y, look.index, this, (prefix + look.base + ".png").c_str(),
            (prefix + look.shadow + ".png").c_str(), (prefix + look.rollover + ".png").c_str(), nullptr,
            look.index == BUTTON_PLAY, 0, 0);
    }
    if (int record = GetSelectedRecord(); record >= 0)
        ShowDetails(record);
    lists_[shown_]->Show();
    lists_[shown_]->ForceRefresh();
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerManager::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    HideDetails();
    for (auto& button : buttons_)
        button.reset();
    CDraw::releaseImage(PICTURE);
    loaded_ = false;
}

void CControllerManager::ShowDetails(int index)
{
    const UserLevelRecord& record = records_[index];
    UserLevelProgress progress = profile().GetUserLevelRecord(record.fileName);
    const std::string texts[] = {record.levelName, utf8Prefix(record.fileName, SHOWN_FILE_NAME), record.longDate,
                                 progress.played ? "Yes" : "No", progress.completed ? "Yes" : "No"};
    for (size_t i = 0; i < details_.size(); ++i) {
        const DetailPlace& place = DETAILS[i];
        details_[i] = std::make_unique<CSprite>(KIND_WIDGET_OVERLAY, 0, false);
        details_[i]->setName(place.name);
        details_[i]->addTextFrame(texts[i].c_str(), place.width, 30, place.align, place.image, true);
        details_[i]->setLocation(place.x, place.y, false);
        showSprite(*details_[i]);
    }
}

void CControllerManager::HideDetails()
{
    for (auto& detail : details_)
        detail.reset();
}

bool CControllerManager::AreDetailsShown() const { return details_[0] && !details_[0]->isHidden(); }

void CControllerManager::PlayLevel(int index)
{
    const UserLevelRecord& record = records_[index];
    lists_[shown_]->Hide();
    CMousePointer::ShowHourglass(true);
    UnloadSprites();
    logMessage(LOG_DEBUG, "=============================================\n");
    logMessage(LOG_DEBUG, "Loading Controller:  Game (%s)\n", record.fileName.c_str());
    logMessage(LOG_DEBUG, "=============================================\n");
    profile().SetUserLevelFlagA(record.fileName, true);
    // A file that does not load leaves the level empty; the game screen
    // then refuses it and tells why.
    level_ = std::make_unique<CLevel>();
    level_->LoadFile(record.fileName.c_str());
    child_ = std::make_unique<CControllerGame>(level_.get(), false, false, false);
    LoadController(child_.get());
}

void CControllerManager::setChildWidgetsShown(bool shown)
{
    for (auto& button : buttons_) {
        if (!button)
            continue;
        if (shown)
            button->Show();
        else
            button->Hide();
    }
    if (shown)
        lists_[shown_]->Show();
    else
        lists_[shown_]->Hide();
}

void CControllerManager::OpenMessage(int title, int body, bool yesNo, const char* argument)
{
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    CRender::Swap(true);
    setChildWidgetsShown(false);
    LogLoadingController("Message");
    child_ = std::make_unique<CControllerMessage>(title, body, yesNo, argument);
    LoadController(child_.get());
}

void CControllerManager::switchList(int list)
{
    CMousePointer::ShowHourglass(true);
    lists_[shown_]->Hide();
    int value = lists_[shown_]->GetSelectedRow();
    bool hadRows = lists_[shown_]->GetRowCount() > 0;
    shown_ = list;
    lists_[shown_]->Show();
    if (hadRows)
        lists_[shown_]->SelectByValue(value);
    lists_[shown_]->ForceRefresh();
    CMousePointer::HideFor(-1);
}

void CControllerManager::scroll(int steps, bool page, bool toEnd)
{
    CGuiListbox& list = *lists_[shown_];
    if (steps > 0)
        list.ScrollDown(page, toEnd);
    else
        list.ScrollUp(page, toEnd);
}

void CControllerManager::GUICallback(int index, int value, bool dclick)
{
    int selected = GetSelectedRecord();
    switch (index) {
    case BUTTON_UP: scroll(-1, false, false); break;
    case BUTTON_DOWN: scroll(1, false, false); break;
    case BUTTON_SORT_NAME: switchList(shown_ == LIST_NAME_UP ? LIST_NAME_DOWN : LIST_NAME_UP); break;
    case BUTTON_SORT_DATE: switchList(shown_ == LIST_NEWEST ? LIST_OLDEST : LIST_NEWEST); break;
    case BUTTON_PLAY:
        if (selected >= 0)
            PlayLevel(selected);
        break;
    case BUTTON_REMOVE:
        if (selected >= 0) {
            pending_ = PENDING_REMOVE;
            OpenMessage(TEXT_REMOVE_LEVEL_TITLE, TEXT_REMOVE_LEVEL_BODY, true, records_[selected].fileName.c_str());
        }
        break;
    case BUTTON_MORE_LEVELS:
        if (UseMoreLevels() && !MoreLevelsAddress().empty()) {
            pending_ = PENDING_MORE_LEVELS;
            OpenMessage(TEXT_MORE_LEVELS_TITLE, TEXT_MORE_LEVELS_BODY, true, nullptr);
        } else {
            pending_ = PENDING_NONE;
            OpenMessage(TEXT_MORE_LEVELS_TITLE, TEXT_NO_MORE_LEVELS_BODY, false, nullptr);
        }
        break;
    case BUTTON_RESET:
        pending_ = PENDING_RESET;
        OpenMessage(TEXT_RESET_RECORDS_TITLE, TEXT_RESET_RECORDS_BODY, true, nullptr);
        break;
    case BUTTON_MAP:
        SetReturnValue(ANSWER_MAP);
        SetExitCode(1);
        break;
    case BUTTON_MAIN_MENU: SetExitCode(1); break;
    default:
        if (index >= FIRST_LIST_CALLBACK && index < FIRST_LIST_CALLBACK + LIST_COUNT && index - FIRST_LIST_CALLBACK == shown_ &&
            lists_[shown_]->GetRowCount() > 0 && loaded_) {
            if (dclick)
                PlayLevel(value);
            else
                ShowDetails(value);
        }
        break;
    }
}

void CControllerManager::answered(bool yes)
{
    if (!yes)
        return;
    int selected = GetSelectedRecord();
    switch (pending_) {
    case PENDING_RESET:
        profile().ClearUserLevelRecords();
        break;
    case PENDING_REMOVE:
        if (selected < 0)
            break;
        // The whole file name: another level that only starts the same way
        // is left alone.
        CLevel::Remove(records_[selected].fileName.c_str());
        for (auto& list : lists_) {
            list->RemoveRowByValue(selected);
            list->ForceRefresh();
        }
        break;
    case PENDING_MORE_LEVELS:
        openUrl(MoreLevelsAddress().c_str());
        SetExitCode(EXIT_QUIT_FOR_WEB);
        break;
    case PENDING_NONE: break;
    }
}

void CControllerManager::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    bool press = !released;
    CGuiListbox& list = *lists_[shown_];
    switch (key) {
    case SDLK_UP:
    case SDLK_LEFT:
        heldUp_ = press;
        if (press) {
            list.WarpMouseTo();
            scroll(-1, false, false);
        }
        break;
    case SDLK_DOWN:
    case SDLK_RIGHT:
        heldDown_ = press;
        if (press) {
            list.WarpMouseTo();
            scroll(1, false, false);
        }
        break;
    case SDLK_PAGEUP:
        heldPageUp_ = press;
        if (press) {
            list.WarpMouseTo();
            scroll(-1, true, false);
        }
        break;
    case SDLK_PAGEDOWN:
        heldPageDown_ = press;
        if (press) {
            list.WarpMouseTo();
            scroll(1, true, false);
        }
        break;
    case SDLK_HOME:
    case SDLK_END:
        if (press) {
            list.WarpMouseTo();
            scroll(key == SDLK_END ? 1 : -1, false, true);
        }
        break;
    case SDLK_ESCAPE:
        if (press)
            SetExitCode(1);
        break;
    case SDLK_TAB:
        if (press)
            CGuiButtonBase::MoveFocus(false);
        break;
    case SDLK_RETURN:
    case SDLK_SPACE:
        if (press)
            CGuiButtonBase::ClickAll(1);
        break;
    case SDLK_p:
        if (press)
            GUICallback(BUTTON_PLAY, 0, false);
        break;
    default: break;
    }
    InputScreenCapture(released, key);
}

void CControllerManager::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerManager::InputMouseButton(bool released, bool left, bool, bool wheelUp, bool wheelDown)
{
    playEmptyClick(released, left);
    if (wheelUp)
        scroll(-1, false, false);
    else if (wheelDown)
        scroll(1, false, false);
}

void CControllerManager::repeatHeldKeys()
{
    bool down = heldDown_ || heldPageDown_;
    bool up = heldUp_ || heldPageUp_;
    if (!down && !up) {
        repeatCounter_ = 0;
        return;
    }
    if (repeatCounter_ > REPEAT_AFTER) {
        if (down)
            scroll(1, heldPageDown_, false);
        else
            scroll(-1, heldPageUp_, false);
        --repeatCounter_;
    } else {
        ++repeatCounter_;
    }
}

void CControllerManager::Pump()
{
    int closed = TakeClosedChildId();
    if (closed == CONTROLLER_NONE) {
        ProcessInput();
        if (!IsActive())
            return;
        repeatHeldKeys();
        CGuiButtonBase::UpdateAll();
        return;
    }
    if (CRender::IsSwapped()) {
        CRender::Swap(true);
        setChildWidgetsShown(true);
    }
    if (closed == CONTROLLER_MESSAGE) {
        answered(static_cast<CControllerMessage*>(child_.get())->GetAnswerYes());
        pending_ = PENDING_NONE;
        if (loaded_) {
            if (int record = GetSelectedRecord(); record >= 0)
                ShowDetails(record);
            else
                HideDetails();
        }
    }
    child_.reset();
    level_.reset();
    if (!loaded_ && GetExitCode() == 0)
        LoadSprites();
    CMousePointer::HideFor(-1);
}
