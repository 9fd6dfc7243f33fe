#pragma once

#include "levels/Level.h"
#include "screens/Controller.h"

#include <memory>

class CGuiButton;
class CGuiTextbox;
class CLevel;
class CSprite;

// The editor's save-as dialog: the level's file name and heading in two
// text boxes, OK and Cancel. OK checks both fields, asks before it
// overwrites an existing file, and saves the level itself, so that the
// editor's level carries the new name and heading when the dialog closes.
// A save that fails says so and leaves the dialog open. Return value 1
// after a save, 0 after Cancel.
class CControllerEditorSave : public CController
{
public:
    explicit CControllerEditorSave(CLevel& level);
    ~CControllerEditorSave() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // For tests.
    CGuiTextbox& GetNameBox() { return *nameBox_; }
    CGuiTextbox& GetHeadingBox() { return *headingBox_; }
    int GetFocus() const { return focus_; }

    static constexpr int NAME_LENGTH = static_cast<int>(CLevel::NAME_LENGTH_MAX); // the level files' limit
    static constexpr int HEADING_LENGTH = 29;

private:
    void LoadSprites();
    void saveFilename();
    void showMessage(int title, int body, bool yesNo);
    void hideDialog();
    void showDialog();
    void moveFocus(bool backwards);
    void focusStop(int stop);
    int currentStop() const;

    CLevel& level_;
    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CGuiButton> okButton_;
    std::unique_ptr<CGuiButton> cancelButton_;
    std::unique_ptr<CGuiTextbox> nameBox_;
    std::unique_ptr<CGuiTextbox> headingBox_;
    std::unique_ptr<CController> message_;
    bool loaded_ = false;
    int focus_ = 0; // 0 the file name, 1 the heading, -1 the buttons
    int repeatKey_ = -1;
    int repeatCounter_ = 0;
    bool overwriteAsked_ = false;
    bool overwriteConfirmed_ = false;
};
