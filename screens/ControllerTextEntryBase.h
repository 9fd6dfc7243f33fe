#pragma once

#include "screens/ControllerDialog.h"
#include "screens/WidgetPlace.h"

#include <memory>
#include <string>

class CGuiButton;
class CGuiTextbox;
class CSprite;

// The base of the small dialogs that ask for one text: a text box, OK and
// Cancel over a dimmed picture of the screen below. The keys are the
// dialog base's, with the focus going round the box, OK and Cancel, and
// Return clicking (OK, the default button, when the pointer is on no
// button); this base adds the answer. A subclass builds its picture, box
// and buttons in LoadSprites (called from its constructor) and may add work
// per frame in PumpExtra.
//
// Answer: return value 1 for OK (only with a text that is not all spaces),
// 0 for Cancel; the parent reads it after the close.
class CControllerTextEntryBase : public CControllerDialog
{
public:
    ~CControllerTextEntryBase() override;

    // Presets the text (cut to the box's length).
    void SetText(const char* text);
    // The typed text when the dialog closed with OK; null otherwise.
    const char* GetEnteredText() const;
    // True when the screen closed with return value 0; parents also ask
    // other child screens this way.
    static bool WasCancelled(const CController& child) { return child.GetReturnValue() == 0; }
    bool WasCancelled() const { return WasCancelled(*this); }

    void GUICallback(int index, int value, bool dclick) override;

    // For tests and subclasses.
    CGuiTextbox* GetTextbox() const { return textbox_.get(); }
    bool TextboxHasFocus() const { return GetFocusedBox() == 0; }

    // profile_button_{okay,cancel}base.png, the buttons' pictures unless a
    // dialog brings its own.
    static constexpr WidgetSize PROFILE_DIALOG_BUTTON{76, 32};

    // What a subclass builds in LoadSprites.
    struct Layout {
        const char* panelImage;
        int panelX, panelY;
        int promptString;
        int promptX, promptY, promptWidth, promptHeight;
        const char* backgroundName; // the background sprite's name
        int maxLength;
        int boxX, boxY;
        bool spaces, punctuation, lineBreaks;
        WidgetPlace ok, cancel;
        bool okIsDefault;
        // The pictures of the box and the buttons: the profile dialogs' own
        // unless a dialog brings its own (a null shadow draws none).
        struct Pictures {
            const char* textbox = "profile_entername_textbox.png";
            int textDx = 6, textDy = 4;
            const char* okBase = "profile_button_okaybase.png";
            const char* okShadow = "profile_button_okayshadow.png";
            const char* okRollover = "profile_button_okayrollover.png";
            const char* cancelBase = "profile_button_cancelbase.png";
            const char* cancelShadow = "profile_button_cancelshadow.png";
            const char* cancelRollover = "profile_button_cancelrollover.png";
        } pictures = {};
    };

protected:
    explicit CControllerTextEntryBase(int id = CONTROLLER_TEXT_ENTRY);

    virtual void LoadSprites() = 0;

    // Nothing happens while the sprites are loaded.
    void BuildSprites(const Layout& layout);
    bool SpritesLoaded() const { return spritesLoaded_; }
    void UnloadSprites();
    void FocusTextbox() { FocusStop(0); }

private:
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CGuiButton> okButton_;
    std::unique_ptr<CGuiButton> cancelButton_;
    std::unique_ptr<CGuiTextbox> textbox_;
    bool spritesLoaded_ = false;
};
