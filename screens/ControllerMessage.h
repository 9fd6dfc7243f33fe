#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <memory>
#include <string>
#include <vector>

class CGuiButton;
class CSprite;

// A modal box over a dimmed copy of the screen below: a title, a body and
// either OK and Cancel (a question) or OK alone (a notice). The opener reads
// GetAnswerYes once the box has closed.
class CControllerMessage : public CController
{
public:
    static constexpr int NO_TEXT = -1;

    // A question's OK and Cancel side by side; a notice's OK alone, between.
    static constexpr WidgetPlace QUESTION_OK{315, 420, CONFIRMATION_BUTTON};
    static constexpr WidgetPlace QUESTION_CANCEL{410, 420, CONFIRMATION_BUTTON};
    static constexpr WidgetPlace NOTICE_OK{360, 420, CONFIRMATION_BUTTON};

    // titleString and bodyString are text-table entries (NO_TEXT leaves that
    // place empty). bodyArgument, when given, fills the body's first
    // argument: it is shown as it stands, never read as markup or format.
    CControllerMessage(int titleString, int bodyString, bool yesNo, const char* bodyArgument = nullptr);
    // A notice whose body takes several arguments (up to six), each shown
    // as it stands.
    CControllerMessage(int titleString, int bodyString, const std::vector<std::string>& bodyArguments);
    ~CControllerMessage() override;

    // OK (or Escape on a notice) answers yes; Cancel (or Escape on a
    // question) no.
    bool GetAnswerYes() const { return GetReturnValue() == 1; }

    // For tests: what the box says and whether it asks.
    int GetTitleString() const { return titleString_; }
    int GetBodyString() const { return bodyString_; }
    bool IsQuestion() const { return yesNo_; }

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

private:
    void loadSprites(int titleString, int bodyString, const std::vector<std::string>& bodyArguments);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> panel_;
    std::unique_ptr<CGuiButton> okButton_;
    std::unique_ptr<CGuiButton> cancelButton_;
    int titleString_;
    int bodyString_;
    bool yesNo_;
    bool loaded_ = false;
};

