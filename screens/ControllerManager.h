#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <array>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

class CGuiButton;
class CGuiListbox;
class CLevel;
class CSprite;

// One user level as the level manager lists it. The file name is kept
// whole for every file operation; only the lists and details cut it.
struct UserLevelRecord {
    std::string fileName;  // without ".lvl"
    std::string levelName; // the heading, "(unnamed)" when empty or the file cannot be opened
    std::string shortDate; // "2026-12-10"
    std::string longDate;  // "December 10, 2026", the same in every locale
    time_t timeStamp = 0;
};

// The player's own levels, from the levels folder: four orders (oldest or
// newest first, name A to Z or Z to A), the details of the selected level
// with the current player's played and completed marks, Play, Remove,
// resetting the player's records of all user levels, the more-levels page,
// the map and back to the main menu.
class CControllerManager : public CController
{
public:
    enum Lists { LIST_OLDEST, LIST_NEWEST, LIST_NAME_UP, LIST_NAME_DOWN, LIST_COUNT };
    enum Buttons {
        BUTTON_UP = 0,
        BUTTON_DOWN = 1,
        BUTTON_SORT_NAME = 2,
        BUTTON_SORT_DATE = 3,
        BUTTON_PLAY = 4,
        BUTTON_REMOVE = 5,
        BUTTON_MORE_LEVELS = 6,
        BUTTON_RESET = 7,
        BUTTON_MAP = 8,
        BUTTON_MAIN_MENU = 9,
        BUTTON_COUNT = 10,
    };
    // In the order of Buttons: the list's arrows, the sort buttons below
    // it, Play and Remove beside the details and the column of wide buttons.
    static constexpr WidgetSize ARROW{40, 40}, SORT{110, 34}, LEVEL{120, 44}, WIDE{200, 44};
    static constexpr WidgetPlace BUTTON_PLACES[BUTTON_COUNT] = {
        {432, 145, ARROW}, {432, 348, ARROW}, {171, 522, SORT}, {289, 522, SORT}, {528, 268, LEVEL},
        {655, 268, LEVEL}, {553, 374, WIDE},  {553, 428, WIDE}, {553, 482, WIDE}, {553, 536, WIDE},
    };
    static constexpr int FIRST_LIST_CALLBACK = 20;
    // The manager's answer when the player asked for the map.
    static constexpr int ANSWER_MAP = CONTROLLER_MAP;
    // How many characters of a file name the list shows.
    static constexpr size_t SHOWN_FILE_NAME = 17;

    CControllerManager();
    ~CControllerManager() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // Record indexes in ascending order of date or of name (case ignored);
    // equal keys keep the folder's order.
    static std::vector<int> SortByDate(const std::vector<UserLevelRecord>& records);
    static std::vector<int> SortByName(const std::vector<UserLevelRecord>& records);
    // "%B %d, %Y" with English month names, whatever the locale.
    static std::string LongDate(time_t stamp);
    // The more-levels page on the host of the more-games page; empty when
    // there is none.
    static std::string MoreLevelsAddress();

    const std::vector<UserLevelRecord>& GetRecords() const { return records_; }
    const CGuiListbox* GetList(int list) const { return lists_[list].get(); }
    int GetListOnShow() const { return shown_; }
    // The record of the selected row of the list on show; -1 for none.
    int GetSelectedRecord() const;
    bool AreDetailsShown() const;

private:
    enum Pending { PENDING_NONE, PENDING_RESET, PENDING_REMOVE, PENDING_MORE_LEVELS };

    void FillLists();
    void LoadSprites();
    void UnloadSprites();
    void ShowDetails(int record);
    void HideDetails();
    void PlayLevel(int record);
    void OpenMessage(int title, int body, bool yesNo, const char* argument);
    void switchList(int list);
    void scroll(int steps, bool page, bool toEnd);
    void answered(bool yes);
    void repeatHeldKeys();
    void setChildWidgetsShown(bool shown);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::array<std::unique_ptr<CSprite>, 5> details_;
    std::array<std::unique_ptr<CGuiButton>, BUTTON_COUNT> buttons_;
    std::array<std::unique_ptr<CGuiListbox>, LIST_COUNT> lists_;
    std::vector<UserLevelRecord> records_;
    std::unique_ptr<CLevel> level_;
    std::unique_ptr<CController> child_;
    bool loaded_ = false;
    Pending pending_ = PENDING_NONE;
    bool heldUp_ = false, heldDown_ = false, heldPageUp_ = false, heldPageDown_ = false;
    int repeatCounter_ = 0;
    int shown_ = LIST_NAME_UP;
};
