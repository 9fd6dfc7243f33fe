#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <array>
#include <memory>

class CGuiButton;
class CSprite;

// Rebinds the sixteen game keys of the current profile: two columns of key
// fields, each showing its key's name. Clicking a field waits for the next
// key press and binds it, taking it away from any other binding that held
// it. Save copies the bindings into the profile, Cancel (or Escape while no
// field waits) drops them, Defaults puts the profile's default keys back at
// once. Every key can be bound, Escape, Return, Tab and Space included; the
// modifier keys never reach the screen.
class CControllerOptionsControls : public CController
{
public:
    static constexpr int BINDING_COUNT = 16;
    static constexpr int NO_BINDING = -1;

    // The key fields stand in two columns of eight, in the order of the
    // profile's keys; the strip buttons below them.
    static constexpr int ROWS = 8;
    static constexpr int ROW_STEP = 34;
    static constexpr WidgetSize KEY_FIELD{130, 30}; // optionscontrolsinputbase.png
    static constexpr WidgetPlace FieldPlace(int binding)
    {
        return {binding < ROWS ? 250 : 550, 132 + ROW_STEP * (binding % ROWS), KEY_FIELD};
    }
    static constexpr WidgetPlace DEFAULTS{307, 445, STRIP_BUTTON};
    static constexpr WidgetPlace SAVE{307, 475, STRIP_BUTTON};
    static constexpr WidgetPlace CANCEL{307, 505, STRIP_BUTTON};

    CControllerOptionsControls();
    ~CControllerOptionsControls() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // The working copy of binding i and the field that waits for a key.
    int GetBinding(int i) const { return keys_[i]; }
    int GetWaiting() const { return waiting_; }
    bool IsCursorShown() const;

private:
    void LoadSprites();
    void UnloadSprites();
    void LoadBindings();
    void SetBinding(int i, int key);
    void showKeyName(int i);
    void capture(int key);
    void blinkCursor();

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CSprite> cursor_;
    std::unique_ptr<CGuiButton> defaults_, save_, cancel_;
    std::array<std::unique_ptr<CGuiButton>, BINDING_COUNT> fields_;
    std::array<int, BINDING_COUNT> keys_{};
    bool loaded_ = false;
    int waiting_ = NO_BINDING;
    int blink_ = 8;
};
