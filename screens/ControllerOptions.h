#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <array>
#include <memory>

class CGuiButton;
class CGuiCheckbox;
class CGuiSlider;
class CSprite;
class SoundObject;

// The current profile's settings: four sliders (game speed, sound volume,
// music volume, pointer speed), five check boxes (free pointer, full
// screen, tutorials, stories, step counter), Defaults, the key bindings, the
// password and Back. Every change goes to the profile at once, which puts it
// into effect; the profile file is written when the screen is left.
class CControllerOptions : public CController
{
public:
    // Pointer speed factor for each slider position.
    static constexpr std::array<float, 12> MOUSE_SPEEDS = {0.15f, 0.4f, 0.6f, 0.8f, 0.9f, 1.0f,
                                                           1.1f,  1.2f, 1.4f, 1.7f, 2.0f, 3.0f};

    CControllerOptions();
    ~CControllerOptions() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // Sets every widget from the current profile.
    void RefreshFromProfile();
    // The slider position of a pointer speed: the table entry that equals
    // it, else 0.
    static int MouseSpeedStep(float speed);

    // What the widgets show, for tests.
    int GetSliderValue(int row) const;
    bool IsSliderGreyed(int row) const;
    bool IsChecked(int box) const;

    enum Row { ROW_GAME_SPEED, ROW_SOUND, ROW_MUSIC, ROW_MOUSE_SPEED, ROW_COUNT };
    enum Box { BOX_FREE_MOUSE, BOX_FULLSCREEN, BOX_TUTORIALS, BOX_STORY, BOX_STEP_COUNTER, BOX_COUNT };

    // Each slider's row begins with its minus button and ends with its plus
    // button; the strip buttons stand in a column below the rows.
    static constexpr int ROW_Y[ROW_COUNT] = {125, 150, 175, 225};
    static constexpr WidgetSize SLIDER_BUTTON{17, 18}; // slider_button_{minus,plus}base.png
    static constexpr WidgetPlace MinusPlace(int row) { return {377, ROW_Y[row] + 2, SLIDER_BUTTON}; }
    static constexpr WidgetPlace PlusPlace(int row) { return {510, ROW_Y[row] + 2, SLIDER_BUTTON}; }
    static constexpr WidgetPlace DEFAULTS{307, 415, STRIP_BUTTON};
    static constexpr WidgetPlace CONTROLS{307, 445, STRIP_BUTTON};
    static constexpr WidgetPlace PASSWORD{307, 475, STRIP_BUTTON};
    static constexpr WidgetPlace BACK{307, 505, STRIP_BUTTON};

private:
    void LoadSprites();
    void UnloadSprites();
    void OpenControls();
    void OpenPassword();
    void stepSlider(int row, bool up);
    void applyRow(int row);
    void setMouseSpeedEnabled(bool enabled);
    void openChild(std::unique_ptr<CController> child, const char* displayName);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::array<std::unique_ptr<CGuiButton>, 8> sliderButtons_;
    std::unique_ptr<CGuiButton> defaults_, controls_, password_, back_;
    std::array<std::unique_ptr<CGuiCheckbox>, BOX_COUNT> boxes_;
    std::array<std::unique_ptr<CGuiSlider>, ROW_COUNT> sliders_;
    std::unique_ptr<SoundObject> testSound_;
    bool loaded_ = false;
    std::unique_ptr<CController> child_;
};
