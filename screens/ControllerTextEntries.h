#pragma once

#include "screens/ControllerTextEntryBase.h"

#include <memory>

class CSprite;

// The name of a new profile, or the new name of one: up to 15 letters,
// digits and spaces.
class CControllerProfileName : public CControllerTextEntryBase
{
public:
    static constexpr WidgetPlace OK{325, 444, PROFILE_DIALOG_BUTTON};
    static constexpr WidgetPlace CANCEL{407, 444, PROFILE_DIALOG_BUTTON};

    CControllerProfileName();
    ~CControllerProfileName() override;

protected:
    void LoadSprites() override;
};

// OK and Cancel on the big panel of the online name and the password.
constexpr WidgetPlace BIG_PANEL_OK{301, 327, CControllerTextEntryBase::PROFILE_DIALOG_BUTTON};
constexpr WidgetPlace BIG_PANEL_CANCEL{383, 327, CControllerTextEntryBase::PROFILE_DIALOG_BUTTON};

// A refusal note that appears over the dialog's panel and, after a while,
// fades away frame by frame.
class RefusalMarker
{
public:
    RefusalMarker(const char* framePrefix, bool shown);
    ~RefusalMarker();
    // Shown from its first frame, fading after HOLD_FRAMES pumps.
    void Restart();
    // Once per frame.
    void Pump();
    bool IsShown() const;
    bool IsFading() const;

    static constexpr int HOLD_FRAMES = 30;

private:
    std::unique_ptr<CSprite> sprite_;
    int countdown_ = 0;
};

// The player's name for the online score tables: up to 15 letters, digits
// and spaces. Opened again after the server refused a name, it shows the
// refusal at once.
class CControllerScoreboardName : public CControllerTextEntryBase
{
public:
    explicit CControllerScoreboardName(bool invalid);
    ~CControllerScoreboardName() override;

    const RefusalMarker* GetMarker() const { return marker_.get(); }

protected:
    void LoadSprites() override;
    void PumpExtra() override;

private:
    bool invalid_;
    std::unique_ptr<RefusalMarker> marker_;
};

// Asks for the profiles' password before a solution is shown: up to 10
// letters and digits, shown as asterisks. A wrong entry empties the box and
// shows a warning; the answer is return value 1 for the right password.
class CControllerPassword : public CControllerTextEntryBase
{
public:
    // expected is the caller's text; it must outlive the dialog.
    explicit CControllerPassword(const char* expected);
    ~CControllerPassword() override;

    void GUICallback(int index, int value, bool dclick) override;
    const RefusalMarker* GetMarker() const { return marker_.get(); }

protected:
    void LoadSprites() override;
    void PumpExtra() override;

private:
    const char* expected_;
    std::unique_ptr<RefusalMarker> marker_;
};
