#pragma once

#include "world/ElementDevice.h"

#include <array>

// A floor button of one colour (0 blue, 1 red, 2 yellow). It does not take its
// cell: whatever stands on it counts toward a press, and three counted ticks
// press it. The class counts the pressed buttons of each colour; the gates of
// that colour open while the count is above 0.
class CElementDeviceButton : public CElementDevice
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElementDeviceButton(int x, int y, int colour);
    ~CElementDeviceButton() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;

    int GetColour() const { return colour; }
    bool IsPressed() const { return pressed; }
    int GetOccupancyCounter() const { return counter; }

    static bool IsColourPressed(int colour);
    static int GetPressedCount(int colour);
    static void ResetAll();
    static ClassState classState();

private:
    void updateSprites();
    void release();

    std::unique_ptr<CSprite> spriteNormal, spriteBreak;
    std::unique_ptr<SoundObject> soundClick;
    int colour;
    bool pressed = false;
    int counter = 0; // ticks counted toward a press, kept across visits

    struct Saved {
        bool pressed = false;
        int counter = 0;
    };

    static std::array<int, 3> pressedCount;
};
