#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <memory>
#include <vector>

class CGuiButton;
class CSprite;

// The editor's help page: over a dimmed screen, a parchment with the
// elements in groups. Pointing at an element frames it, plays its pictures
// and shows its name and what it does; OK or Escape closes the page.
//
// The elements lie in a grid of 68 x 51 pixel cells: rows 0-3 have eight
// columns, row 4 four, rows 5-7 three (the commands).
class CControllerEditorHelp : public CController
{
public:
    static constexpr int ITEM_COUNT = 45;
    static constexpr WidgetPlace OK{480, 490, CONFIRMATION_BUTTON};

    CControllerEditorHelp();
    ~CControllerEditorHelp() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // The item in the cell under the screen point (x, y), or -1.
    static int ItemAt(int x, int y);
    int GetShownItem() const { return shownItem_; }

private:
    void loadHelpSprites();
    void unloadHelpSprites();
    void updateSelection();
    void showItem(int item, bool show);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CSprite> selector_;
    std::unique_ptr<CSprite> name_;
    std::unique_ptr<CSprite> info_;
    std::vector<std::unique_ptr<CSprite>> items_; // one per item picture
    std::unique_ptr<CGuiButton> okButton_;
    bool loaded_ = false;
    int shownItem_ = -1;
    int pointerX_ = -1;
    int pointerY_ = -1;
};
