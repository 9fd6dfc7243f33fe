#pragma once

#include "world/Element.h"

#include <functional>

// One segment of a ladder. Ladders never move, fall, burn or freeze, and they
// stay off the element grid: the world knows them through the class-wide
// ladder grid of kinds, which answers "is there a ladder here" and "is there
// a platform here" (something to stand on, and for magnets to hold on to).
class CElementLadder : public CElement
{
public:
    // The kinds stored in the ladder grid.
    enum Kind { NONE = 0, SINGLE = 1, TOP = 2, MIDDLE = 3, BOTTOM = 4, PLATFORM = 6 };

    CElementLadder(int x, int y, int kind, bool hasPlatform);
    ~CElementLadder() override;

    // A ladder has no undo state: the grid changes only when built or reset.
    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    int GetSurfaceSlide() const override { return 0; }

    // The level's ladders, one vertical run at a time: top, middles and
    // bottom (or a single segment), with a platform where `platformAt` says.
    static void CreateRun(int column, int topRow, int height, const std::function<bool(int x, int y)>& platformAt);

    static void ClearLadderGrid();
    static bool IsLadderAt(int x, int y);
    static bool IsLadderPlatformAt(int x, int y);
    static int KindAt(int x, int y);

private:
    void LoadSprites(int kind, bool hasPlatform);

    std::unique_ptr<CSprite> segment_;
    std::unique_ptr<CSprite> platform_;

    static std::array<int32_t, BOARD_CELLS> ladderGrid_;
};
