#pragma once

#include "editor/EditorDialogButtons.h"
#include "screens/ControllerTextEntryBase.h"

#include <string>

// The dialog in which a level's author types the text of a tutorial note:
// up to 250 characters over several lines (a line break is kept in the text
// as "%n"). Opened with the cell's current text; the editor places the note
// when it closes with OK.
class CControllerEditorTutorial : public CControllerTextEntryBase
{
public:
    explicit CControllerEditorTutorial(const char* text);
    ~CControllerEditorTutorial() override;

    // The text as typed, line breaks as "%n".
    std::string GetText() const;

    static constexpr int MAX_LENGTH = 250;
    static constexpr WidgetPlace OK{320, 391, EDITOR_OK_BUTTON};
    static constexpr WidgetPlace CANCEL{385, 391, EDITOR_CANCEL_BUTTON};

protected:
    void LoadSprites() override;
};
