#pragma once

#include "editor/EditorDialogButtons.h"
#include "screens/Controller.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CGuiButton;
class CGuiListbox;
class CSprite;

// The level browser the editor opens to load a level: the player's level
// files with their headings in a list, OK and Cancel. It loads nothing: the
// editor reads the answer after it closed. Return value 1 when a level was
// chosen, 0 otherwise.
class CControllerEditorLoad : public CController
{
public:
    // The list's scroll arrows beside it (their art is part of the panel,
    // like OK's and Cancel's), OK and Cancel below it.
    static constexpr WidgetPlace UP{667, 234, {40, 48}};
    static constexpr WidgetPlace DOWN{667, 296, {40, 48}};
    static constexpr WidgetPlace OK{320, 391, EDITOR_OK_BUTTON};
    static constexpr WidgetPlace CANCEL{385, 391, EDITOR_CANCEL_BUTTON};

    CControllerEditorLoad();
    ~CControllerEditorLoad() override;

    bool IsCancelled() const { return GetReturnValue() == 0; }
    // The chosen file's name (without ".lvl"); none when nothing was chosen.
    std::optional<std::string> GetSelectedFile() const;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    CGuiListbox& GetList() { return *list_; }

private:
    void LoadSprites();
    void UnloadSprites();
    void FillList();
    void scroll(bool down, bool page);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CGuiListbox> list_;
    std::unique_ptr<CGuiButton> upButton_;
    std::unique_ptr<CGuiButton> downButton_;
    std::unique_ptr<CGuiButton> okButton_;
    std::unique_ptr<CGuiButton> cancelButton_;
    std::vector<std::string> names_;
    bool up_ = false, down_ = false, pageUp_ = false, pageDown_ = false;
    int repeat_ = 0;
    bool loaded_ = false;
};
