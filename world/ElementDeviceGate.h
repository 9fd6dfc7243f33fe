#pragma once

#include "world/ElementDevice.h"

#include <array>

// A gate of one colour (0 blue, 1 red, 2 yellow). Closed it blocks its cell;
// it opens while a button of its colour is pressed, unless a magnet holds it,
// and closes when the colour is released. Released while something stands
// in its cell, it breaks and stays open for good.
class CElementDeviceGate : public CElementDevice
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElementDeviceGate(int x, int y, int colour);
    ~CElementDeviceGate() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    void DumpLine() override;

    int GetColour() const { return colour; }
    bool IsOpen() const { return open; }
    bool IsBroken() const { return broken; }
    bool IsMagnetHeldShown() const { return magnetHeldShown; }

    // The four gate sounds, each started at most once a frame however many
    // gates change in it.
    enum Sound { SOUND_FAIL, SOUND_BREAK, SOUND_CLOSE, SOUND_OPEN, SOUND_COUNT };
    // The frame at which that sound last started; -1 when not since the reset.
    static long LastStarted(Sound which) { return lastStarted[which]; }
    static void ResetAll();

private:
    // One set of the three layers: back, front and the coloured lights.
    enum Look { LOOK_OPENING, LOOK_CLOSING, LOOK_BREAKING, LOOK_MAGNET, LOOK_COUNT };
    struct Layers {
        CSprite* back = nullptr;
        CSprite* front = nullptr;
        CSprite* lights = nullptr;
    };

    void loadSprites();
    Layers look(Look which) const;
    void startSound(Sound which);
    void updateSprites();

    std::array<std::unique_ptr<CSprite>, LOOK_COUNT> backs, fronts, lights;
    std::array<std::unique_ptr<SoundObject>, SOUND_COUNT> sounds;
    int colour;
    Layers current, shown;
    bool open = false, broken = false, magnetHeldShown = false;

    struct Saved {
        Layers current, shown;
        bool open = false, broken = false, magnetHeldShown = false;
    };

    static std::array<long, SOUND_COUNT> lastStarted;
};
