#pragma once

#include "editor/EditorDialogButtons.h"
#include "levels/Level.h"
#include "screens/ControllerDialog.h"

#include <memory>

class CGuiButton;
class CGuiTextbox;
class CLevel;
class CSprite;

// The editor's save-as dialog: the level's file name and heading in two
// text boxes, OK and Cancel. OK checks both fields, asks before it
// overwrites an existing file, and saves the level itself, so that the
// editor's level carries the new name and heading when the dialog closes.
// A save that fails says so and leaves the dialog open. The keys are the
// dialog base's, the focus going round the name, the heading, OK and Cancel.
// Return value 1 after a save, 0 after Cancel.
class CControllerEditorSave : public CControllerDialog
{
public:
    explicit CControllerEditorSave(CLevel& level);
    ~CControllerEditorSave() override;

    void GUICallback(int index, int value, bool dclick) override;
    // An answered message first; then the dialog base's frame.
    void Pump() override;

    // For tests.
    CGuiTextbox& GetNameBox() { return *nameBox_; }
    CGuiTextbox& GetHeadingBox() { return *headingBox_; }
    // 0 the file name, 1 the heading, NO_BOX the buttons.
    int GetFocus() const { return GetFocusedBox(); }

    static constexpr int NAME_LENGTH = static_cast<int>(CLevel::NAME_LENGTH_MAX); // the level files' limit
    static constexpr int HEADING_LENGTH = 29;
    // savebox_filename.jpg and savebox_heading.jpg, the boxes' pictures.
    static constexpr WidgetPlace NAME_BOX{314, 270, {200, 38}};
    static constexpr WidgetPlace HEADING_BOX{234, 347, {330, 38}};
    static constexpr WidgetPlace OK{317, 387, EDITOR_OK_BUTTON};
    static constexpr WidgetPlace CANCEL{390, 387, EDITOR_CANCEL_BUTTON};

private:
    void LoadSprites();
    void saveFilename();
    void showMessage(int title, int body, bool yesNo);
    void hideDialog();
    void showDialog();

    CLevel& level_;
    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CGuiButton> okButton_;
    std::unique_ptr<CGuiButton> cancelButton_;
    std::unique_ptr<CGuiTextbox> nameBox_;
    std::unique_ptr<CGuiTextbox> headingBox_;
    std::unique_ptr<CController> message_;
    bool loaded_ = false;
    bool overwriteAsked_ = false;
    bool overwriteConfirmed_ = false;
};
