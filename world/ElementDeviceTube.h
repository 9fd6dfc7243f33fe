#pragma once

#include "world/ElementDevice.h"

#include <array>
#include <memory>


// The entrance tube the professor arrives by and the exit tube he leaves by.
// Over the exit an arrow bobs a few times at the start of the level and fades
// away. A tube that falls and lands breaks; once a broken exit tube's break
// has played out, the level is lost.
class CElementDeviceTube : public CElementDevice
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    // kind TUBE_EXIT makes the exit tube, any other the entrance.
    CElementDeviceTube(int x, int y, int kind);
    ~CElementDeviceTube() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    void DumpLine() override;

    // The cell of the last exit tube built in this level.
    static bool IsExitAt(int x, int y);
    static void ResetAll();
    static ClassState classState();

    static constexpr int TUBE_EXIT = 1;

    std::unique_ptr<CSprite> arrowSprite, arrowFadingSprite, bodySprite, breakingSprite, lightsSprite;
    int32_t kind;
    CSprite* currentBody = nullptr;
    CSprite* shownBody = nullptr;
    CSprite* shownLights = nullptr;
    bool entrance;
    bool arrowActive;
    int32_t arrowHeight = 23; // pixels above the tube
    int32_t bounceCount = 0;
    bool arrowMovingDown = false;

private:
    struct Saved {
        CSprite* currentBody = nullptr;
        CSprite* shownBody = nullptr;
        CSprite* shownLights = nullptr;
        bool entrance = false, arrowActive = false;
        int32_t arrowHeight = 0, bounceCount = 0;
        bool arrowMovingDown = false;
    };

    void BobArrow();
    void UpdateArrowSprite();
    void UpdateBodySprite();

};
