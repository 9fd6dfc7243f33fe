#pragma once

#include "screens/Controller.h"
#include "screens/GuiListbox.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class CGuiButton;
class CSprite;

// Who is playing: a panel with the list of profiles (in name order, case
// ignored) and buttons to play as the selected one, delete it, rename it or
// add a new one. It closes only by choosing a profile.
class CControllerProfiles : public CController
{
public:
    CControllerProfiles();
    ~CControllerProfiles() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // The profile numbers in the order the list shows them.
    static std::vector<int> SortedProfileNumbers();
    // The profile the list last reported as selected.
    int GetSelectedNumber() const { return selectedNumber_; }
    const CGuiListbox* GetList() const { return list_.get(); }

    enum Buttons { BUTTON_UP, BUTTON_DOWN, BUTTON_SELECT, BUTTON_DELETE, BUTTON_RENAME, BUTTON_ADD, BUTTON_COUNT };
    static constexpr int LIST = 20;

    // In the order of Buttons: the arrows beside the list, Play and Delete
    // below it, then Rename and Add.
    static constexpr WidgetPlace BUTTON_PLACES[BUTTON_COUNT] = {
        {461, 161, {40, 40}},  {461, 205, {40, 40}},  {322, 262, {80, 32}},
        {404, 262, {80, 32}},  {322, 297, {162, 32}}, {322, 332, {162, 32}},
    };
    static constexpr ListboxLayout LIST_LAYOUT{287, 157, 161, 93, 4, 21, "profile_select_listbox.png",
                                               "profile_select_selector.png", 0, 5, 3, 5};

private:
    enum Pending { PENDING_NONE, PENDING_NOTICE, PENDING_DELETE };

    void LoadSprites();
    void UnloadSprites();
    void BuildList();
    void OpenProfileName();
    // The body's argument, when given, names the player.
    void OpenMessage(int title, int body, bool question, const char* bodyArgument = nullptr);
    void choose(int number);
    void nameEntered(const std::string& name);
    void openChild(std::unique_ptr<CController> child, const char* displayName);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> panel_;
    std::array<std::unique_ptr<CGuiButton>, BUTTON_COUNT> buttons_;
    std::unique_ptr<CGuiListbox> list_;
    bool loaded_ = false;
    int selectedNumber_ = 0;
    Pending pending_ = PENDING_NONE;
    bool rename_ = false;
    std::unique_ptr<CController> child_;
};
