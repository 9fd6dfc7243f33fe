#pragma once

#include "world/ElementDevice.h"

#include <array>
#include <cstdint>

// A trampoline throws back what comes onto it sideways: its canvas stretches
// as the element comes in, and once the element has rested on it for four
// ticks with free room behind, it pushes the element one cell back the way it
// came. At rest it leaves its cell to what stands on it; a class-wide grid
// marks where trampolines stand.
class CElementDeviceTrampoline : public CElementDevice
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElementDeviceTrampoline(int x, int y);
    ~CElementDeviceTrampoline() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    void DumpLine() override;

    bool IsStretchedLeft() const { return stretchedLeft; }
    bool IsStretchedRight() const { return stretchedRight; }
    int GetThrowCounter() const { return throwCounter; }

    static bool IsTrampolineAt(int x, int y);
    static void ResetAll();
    static ClassState classState();

private:
    enum Picture {
        FRONT,
        FRONT_STRETCHED_RIGHT,
        FRONT_UNSTRETCHED_RIGHT,
        BACK,
        CANVAS_IDLE,
        CANVAS_STRETCHED_LEFT,
        CANVAS_UNSTRETCHED_LEFT,
        CANVAS_STRETCHED_RIGHT,
        CANVAS_UNSTRETCHED_RIGHT,
        FRONT_BREAKING,
        BACK_BREAKING,
        CANVAS_BREAKING,
        PICTURE_COUNT
    };
    struct Layers {
        CSprite* back = nullptr;
        CSprite* front = nullptr;
        CSprite* canvas = nullptr;
    };

    void loadSprites();
    CSprite* picture(Picture which) const { return sprites[which].get(); }
    void breakOnLanding();
    void followMove();
    void stretch(bool left);
    void release(bool left);
    // Throws the element at rest on it back to that side.
    void throwBack(CElement* element, bool left);
    void updateSprites();
    static void mark(int x, int y, uint8_t value);

    std::array<std::unique_ptr<CSprite>, PICTURE_COUNT> sprites;
    std::unique_ptr<SoundObject> soundStretch, soundRebound;
    Layers current, shown;
    bool stretchedLeft = false, stretchedRight = false;
    int throwCounter = 0;

    struct Saved {
        Layers current, shown;
        bool stretchedLeft = false, stretchedRight = false;
        int throwCounter = 0;
    };

    static std::array<uint8_t, BOARD_CELLS> grid;
};
