#pragma once

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "world/ElementAI.h"
#include "world/WorldLinks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <string>
#include <utility>
#include <vector>

namespace world_test {

// Every element whose Update ran, in order.
inline std::vector<CElement*>& updateLog()
{
    static std::vector<CElement*> log;
    return log;
}

// A board element with the slides a test gives it. By default a crate: mobile,
// falling, movable and on the grid.
class TestElement : public CElement
{
public:
    TestElement(int cellX, int cellY, int elementType = ELEMENT_OBJECT, int kind = OBJECT_CRATE)
        : CElement(cellX, cellY, 1)
    {
        type = elementType;
        switch (elementType) {
        case ELEMENT_OBJECT: typeObject = kind; break;
        case ELEMENT_TERRAIN: typeTerrain = kind; break;
        case ELEMENT_DEVICE: typeDevice = kind; break;
        default: break;
        }
        bool object = elementType == ELEMENT_OBJECT;
        mobile = canFall = movable = object;
        inGrid = elementType != ELEMENT_DEVICE;
        freezable = heatable = object;
        if (inGrid)
            SetElementAt(cellX, cellY, this);
    }

    int GetOwnSlide() const override { return ownSlide; }
    int GetSurfaceSlide() const override { return surfaceSlide; }
    void Update() override { updateLog().push_back(this); }

    int ownSlide = 0;
    int surfaceSlide = 0;
};

// A crate that owns a sprite, as every drawn element does, and draws its
// teleport passages; `other` is a second sprite to swap in.
class DrawnCrate : public TestElement
{
public:
    DrawnCrate(int cellX, int cellY)
        : TestElement(cellX, cellY), own_(std::make_unique<CSprite>(29, 20, KIND_POWERUP_ITEM, 1, true, 1, 1))
    {
        own_->setName("Drawn Crate");
        sprite = own_.get();
    }
    void Update() override
    {
        TestElement::Update();
        CreateTeleportGhost(this);
        PositionSprites(this);
    }
    std::unique_ptr<CSprite> other = std::make_unique<CSprite>(29, 20, KIND_POWERUP_ITEM, 1, true, 1, 1);

private:
    std::unique_ptr<CSprite> own_;
};

inline bool isLive(const CSprite* sprite)
{
    const auto& live = CSprite::getAllSprites();
    return std::find(live.begin(), live.end(), sprite) != live.end();
}

// The professor (kind AI_PROFESSOR) or a bot.
class TestActor : public CElementAI
{
public:
    TestActor(int cellX, int cellY, int kind) : CElementAI(cellX, cellY)
    {
        typeAI = kind;
        if (kind == AI_PROFESSOR)
            professor = this;
        SetElementAt(cellX, cellY, this);
    }
    void Update() override { updateLog().push_back(this); }

    static void setCaught(bool on) { outcome.professorCaught = on; }
    static void setLeaving(bool on) { outcome.professorLeaving = on; }
    static void setSinged(bool on) { outcome.professorSinged = on; }
    static void setLevelExited(bool on) { levelExited = on; }
};

// A stand-in teleport pair for the neighbour rule: a teleport at (x, y)
// covers columns x and x + 1 and rows y - 1 and y; it is not on the grid.
struct TeleportPair {
    CElement* first = nullptr;
    CElement* second = nullptr;
};

inline TeleportPair& teleports()
{
    static TeleportPair pair;
    return pair;
}

inline CElement* findPartner(int x, int y, bool right)
{
    TeleportPair& pair = teleports();
    for (auto [self, other] : {std::pair{pair.first, pair.second}, std::pair{pair.second, pair.first}})
        if (self && other && self->y == y && self->x + (right ? 1 : 0) == x)
            return other;
    return nullptr;
}

inline bool isTeleportAt(int x, int y, bool right, bool, bool)
{
    for (CElement* t : {teleports().first, teleports().second})
        if (t && t->x + (right ? 1 : 0) == x && (t->y == y || t->y - 1 == y))
            return true;
    return false;
}

// Cells the stand-in trampolines and ladders stand on.
inline std::vector<std::pair<int, int>>& trampolineCells()
{
    static std::vector<std::pair<int, int>> cells;
    return cells;
}

inline std::vector<std::pair<int, int>>& ladderCells()
{
    static std::vector<std::pair<int, int>> cells;
    return cells;
}

inline bool contains(const std::vector<std::pair<int, int>>& cells, int x, int y)
{
    for (const auto& cell : cells)
        if (cell.first == x && cell.second == y)
            return true;
    return false;
}

inline uint32_t& frameCounter()
{
    static uint32_t frame = 0;
    return frame;
}

// An empty board after the world reset, with the stand-ins linked in and a
// frame counter the tests advance; the world runs without pictures.
class WorldTest : public testing::Test
{
protected:
    void SetUp() override
    {
        savedLinks_ = worldLinks();
        WorldLinks& links = worldLinks();
        links.currentFrame = [] { return frameCounter(); };
        links.findTeleportPartner = &findPartner;
        links.isTeleportAt = &isTeleportAt;
        links.isTrampolineAt = [](int x, int y) { return contains(trampolineCells(), x, y); };
        links.isLadderAt = [](int x, int y) { return contains(ladderCells(), x, y); };
        teleports() = TeleportPair();
        trampolineCells().clear();
        ladderCells().clear();
        updateLog().clear();
        // Sprites look their frames up without taking references, as in
        // the game after the start-up lists: with no pictures, frames are -1.
        CElement::SetImagesCached(true);
        markImagesCached();
        CElement::ResetWorld();
    }

    void TearDown() override
    {
        CElement::UnloadElements();
        worldLinks() = savedLinks_;
    }

    // Deletes everything and starts again on an empty board (for tables of
    // cases in one test).
    static void freshBoard()
    {
        CElement::UnloadElements();
        CElement::ResetWorld();
    }

    // One game frame.
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            ++frameCounter();
            CElement::PumpElements();
        }
    }

    // The first tick of a level only takes the starting snapshot.
    void start() { tick(); }

    // Ticks until nothing moves (at most a few seconds of play).
    void settle()
    {
        for (int i = 0; i < 400 && anyMoving(); ++i)
            tick();
    }

    static bool anyMoving()
    {
        for (CElement* e : CElement::GetAllElements())
            if (e->moving)
                return true;
        return false;
    }

    static TestElement* crate(int x, int y) { return new TestElement(x, y); }

    static TestElement* barrel(int x, int y)
    {
        auto* b = new TestElement(x, y, ELEMENT_OBJECT, OBJECT_BARREL);
        b->ownSlide = -1; // rolls under a nudge
        return b;
    }

    // surface: 0 grass, -1 ice, +1 sand.
    static TestElement* ground(int x, int y, int surface = 0)
    {
        auto* g = new TestElement(x, y, ELEMENT_TERRAIN, surface < 0 ? TERRAIN_ICE : surface > 0 ? TERRAIN_SAND : TERRAIN_GRASS);
        g->surfaceSlide = surface;
        return g;
    }

    static void groundRow(int y, int fromX, int toX, int surface = 0)
    {
        for (int x = fromX; x <= toX; ++x)
            ground(x, y, surface);
    }

    static TestActor* professorAt(int x, int y) { return new TestActor(x, y, AI_PROFESSOR); }
    static TestActor* botAt(int x, int y) { return new TestActor(x, y, AI_BOT); }

    // Two stand-in teleports, not on the grid.
    static void teleportPair(int x1, int y1, int x2, int y2)
    {
        teleports().first = new TestElement(x1, y1, ELEMENT_DEVICE, DEVICE_TELEPORT);
        teleports().second = new TestElement(x2, y2, ELEMENT_DEVICE, DEVICE_TELEPORT);
    }

    static CElement* at(int x, int y) { return CElement::GetElementAt(x, y, true); }

private:
    WorldLinks savedLinks_;
};

// Captures what the given log channel prints while it lives.
class LogCapture
{
public:
    explicit LogCapture(int channel) : channel_(channel)
    {
        wasOn_ = isLogChannelEnabled(channel);
        enableLogChannel(channel);
        testing::internal::CaptureStdout();
    }
    ~LogCapture() { finish(); }

    const std::string& text()
    {
        finish();
        return text_;
    }

private:
    void finish()
    {
        if (done_)
            return;
        done_ = true;
        text_ = testing::internal::GetCapturedStdout();
        if (!wasOn_)
            disableLogChannel(channel_);
    }

    int channel_;
    bool wasOn_ = false;
    bool done_ = false;
    std::string text_;
};

} // namespace world_test
