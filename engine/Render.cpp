#include "engine/Render.h"

#include "engine/AreaOrders.h"
#include "engine/DepthOrder.h"
#include "engine/DirtyRects.h"
#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/Sprite.h"
#include "engine/SpriteAreaIndex.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>

namespace {

constexpr int kCellColumns = SCREEN_WIDTH / FULL_SCREEN_CELL_WIDTH;
constexpr int kCellRows = SCREEN_HEIGHT / FULL_SCREEN_CELL_HEIGHT;
static_assert(kCellColumns * FULL_SCREEN_CELL_WIDTH == SCREEN_WIDTH &&
                  kCellRows * FULL_SCREEN_CELL_HEIGHT == SCREEN_HEIGHT,
              "the full screen's cells tile the screen");

struct RenderState {
    std::vector<DirtyRect> dirty;
    // The list is the full screen's cells, as optimising left it.
    bool screenCells = false;
    // The sprites of the rectangle being drawn, and the same in depth order.
    SpriteAreaIndex index;
    std::vector<CSprite*> overlapping;
    std::vector<DepthKey> collected;
    std::vector<CSprite*> sorted;
    // Adjoining rectangles over the same sprites, drawn as one.
    DirtyRect group{};
    std::vector<DepthKey> groupKeys;
    DepthOrder depthOrder;
    // A full repaint's cells, each in its own order, to be drawn together;
    // those that cannot be are flagged, by cell.
    AreaOrders cellOrders;
    std::vector<const CSprite*> merged;
    std::array<uint8_t, kCellColumns * kCellRows> ownOrder{};
    std::unique_ptr<CSprite> swapImage;
    bool swapped = false;
    CRender::ControllerIdSource controllerId = nullptr;
    void (*renderTimer)(double milliseconds) = nullptr;
};

RenderState g;

void addDirty(const DirtyRect& rect)
{
    g.dirty.push_back(rect);
    g.screenCells = false;
}

bool isBackdrop(const CSprite* sprite)
{
    int type = sprite->getType();
    return type == KIND_BACKGROUND || type == KIND_BACKGROUND_GRID || type == KIND_SWAP_IMAGE;
}

// The one visible backdrop, if there is exactly one. Every cell that it
// overlaps draws it first, so when the cells tile the screen it can be drawn
// once over the whole screen instead, in one large blit, and left out of the
// cells: the picture and the order of the other sprites stay the same.
CSprite* soleBackdrop()
{
    CSprite* found = nullptr;
    for (CSprite* sprite : CSprite::getAllSprites()) {
        if (sprite->isHidden() || !isBackdrop(sprite))
            continue;
        if (found)
            return nullptr;
        found = sprite;
    }
    return found;
}

// Up to this many rectangles a frame walks the live list for each of them;
// above, filing every sprite by area first costs less.
constexpr size_t kRectsWithoutIndex = 4;

// The visible sprites over the rectangle, in live-list order.
void collectSprites(const DirtyRect& rect, const CSprite* drawnAlready)
{
    g.overlapping.clear();
    if (g.dirty.size() > kRectsWithoutIndex)
        g.index.collect(rect, g.overlapping);
    else
        for (CSprite* sprite : CSprite::getAllSprites())
            if (spriteOverlapsRect(*sprite, rect))
                g.overlapping.push_back(sprite);
    g.collected.clear();
    for (CSprite* sprite : g.overlapping)
        if (sprite != drawnAlready)
            g.collected.push_back(depthKeyOf(sprite));
}

} // namespace

CRender::CRender() { CDraw::setDirtyRectSource(&GetDirtyRects, &Clear); }

CRender::~CRender()
{
    g.swapImage.reset();
    g.swapped = false;
    Clear();
    CDraw::setDirtyRectSource(nullptr, nullptr);
}

void CRender::AddDirtyRect(int x, int y, int w, int h) { addDirty({x, y, w, h}); }

void CRender::MarkChanged(const CSprite* sprite) { addDirty(sprite->getDrawnBox()); }

void CRender::MarkMoved(const CSprite* sprite)
{
    DirtyRect now = sprite->getDrawnBox();
    DirtyRect before = sprite->getPrevDrawnBox();
    if (rectsOverlap(now, before)) {
        addDirty(rectUnion(now, before));
    } else {
        addDirty(now);
        addDirty(before);
    }
}

void CRender::InvalidateAll()
{
    g.dirty.clear();
    addDirty({0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
}

const std::vector<DirtyRect>& CRender::GetDirtyRects() { return g.dirty; }

void CRender::Clear()
{
    g.dirty.clear();
    g.screenCells = false;
    g.collected.clear();
    g.sorted.clear();
}

void CRender::Render(bool updateSprites)
{
    const auto start = std::chrono::steady_clock::now();
    if (updateSprites)
        CSprite::updateAll();
    OptimizeDirtyRects();
    DrawDirty();
    if (g.renderTimer)
        g.renderTimer(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

void CRender::setRenderTimerForTesting(void (*timer)(double milliseconds)) { g.renderTimer = timer; }

void CRender::OptimizeDirtyRects()
{
    mergeDirtyRects(g.dirty);
    g.screenCells = clipDirtyRects(g.dirty, currentControllerId());
}

namespace {

// Two rectangles side by side or one above the other, with a whole edge in
// common: together they are one rectangle.
bool adjoin(const DirtyRect& a, const DirtyRect& b)
{
    return (a.x == b.x && a.w == b.w && a.y + a.h == b.y) || (a.y == b.y && a.h == b.h && a.x + a.w == b.x);
}

bool sameSprites(const std::vector<DepthKey>& a, const std::vector<DepthKey>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].sprite != b[i].sprite)
            return false;
    return true;
}

// Orders the group; a full repaint's cells wait to be drawn together.
void drawGroup(bool editor)
{
    if (g.group.w <= 0)
        return;
    g.depthOrder.order(g.groupKeys, editor, g.sorted);
    if (g.screenCells)
        g.cellOrders.add(g.group, g.sorted);
    else
        for (const CSprite* sprite : g.sorted)
            sprite->drawClipped(g.group);
    g.group = {};
}

uint8_t& ownOrderCell(int column, int row) { return g.ownOrder[row * kCellColumns + column]; }

// The sprite over the cells drawn in the merged order: whole where it meets
// none of the others, else row of cells by row, a run of such cells at a
// time.
void drawOverMergedCells(const CSprite* sprite, bool someOwnOrder)
{
    const DirtyRect screen{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    DirtyRect box = sprite->getRect(true);
    if (!someOwnOrder || !rectsOverlap(box, screen)) {
        sprite->drawClipped(screen);
        return;
    }
    const int firstColumn = std::max(box.x, 0) / FULL_SCREEN_CELL_WIDTH;
    const int lastColumn = (std::min(box.x + box.w, SCREEN_WIDTH) - 1) / FULL_SCREEN_CELL_WIDTH;
    const int firstRow = std::max(box.y, 0) / FULL_SCREEN_CELL_HEIGHT;
    const int lastRow = (std::min(box.y + box.h, SCREEN_HEIGHT) - 1) / FULL_SCREEN_CELL_HEIGHT;
    bool meetsOwnOrder = false;
    for (int row = firstRow; row <= lastRow && !meetsOwnOrder; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            meetsOwnOrder = meetsOwnOrder || ownOrderCell(column, row);
    if (!meetsOwnOrder) {
        sprite->drawClipped(screen);
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn;) {
            if (ownOrderCell(column, row)) {
                ++column;
                continue;
            }
            int first = column;
            while (column <= lastColumn && !ownOrderCell(column, row))
                ++column;
            sprite->drawClipped({first * FULL_SCREEN_CELL_WIDTH, row * FULL_SCREEN_CELL_HEIGHT,
                                 (column - first) * FULL_SCREEN_CELL_WIDTH, FULL_SCREEN_CELL_HEIGHT});
        }
}

// The cells tile the screen. Where their orders agree, each sprite is drawn
// once over them, in the one order that keeps all of theirs: the same
// pixels as cell by cell, with far fewer and longer runs. The cells that
// disagree are drawn each by its own order.
void drawCells()
{
    g.cellOrders.merge(g.merged);
    g.ownOrder.fill(0);
    bool someOwnOrder = false;
    for (size_t i = 0; i < g.cellOrders.count(); ++i) {
        if (g.cellOrders.merged(i))
            continue;
        const DirtyRect& cells = g.cellOrders.area(i);
        someOwnOrder = true;
        for (int y = cells.y; y < cells.y + cells.h; y += FULL_SCREEN_CELL_HEIGHT)
            for (int x = cells.x; x < cells.x + cells.w; x += FULL_SCREEN_CELL_WIDTH)
                ownOrderCell(x / FULL_SCREEN_CELL_WIDTH, y / FULL_SCREEN_CELL_HEIGHT) = 1;
    }
    for (const CSprite* sprite : g.merged)
        drawOverMergedCells(sprite, someOwnOrder);
    for (size_t i = 0; i < g.cellOrders.count(); ++i)
        if (!g.cellOrders.merged(i))
            for (const CSprite* const* sprite = g.cellOrders.begin(i); sprite != g.cellOrders.end(i); ++sprite)
                (*sprite)->drawClipped(g.cellOrders.area(i));
}

} // namespace

void CRender::DrawDirty()
{
    // A frame in which nothing changed draws nothing.
    if (g.dirty.empty())
        return;
    bool editor = currentControllerId() == CONTROLLER_ID_EDITOR;
    if (g.dirty.size() > kRectsWithoutIndex)
        g.index.build(CSprite::getAllSprites());
    CSprite* backdrop = g.screenCells ? soleBackdrop() : nullptr;
    if (backdrop)
        backdrop->drawClipped({0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
    g.cellOrders.clear();
    // A rectangle joining the one before it over the same sprites is drawn
    // with it: the same sprites in the same order, clipped to either, give
    // the same pixels, with one depth ordering and one draw a sprite.
    for (const DirtyRect& rect : g.dirty) {
        collectSprites(rect, backdrop);
        if (g.group.w > 0 && adjoin(g.group, rect) && sameSprites(g.collected, g.groupKeys)) {
            g.group = rectUnion(g.group, rect);
            continue;
        }
        drawGroup(editor);
        g.group = rect;
        g.groupKeys.swap(g.collected);
    }
    drawGroup(editor);
    if (g.screenCells)
        drawCells();
}

void CRender::Swap(bool withImage)
{
    if (!g.swapped) {
        logMessage(LOG_RENDER, "CRender::Swap()   Swapping backbuffer\n");
        int picture = withImage ? CDraw::copyScreen(nullptr) : -1;
        CSprite::swapLists(false);
        if (withImage) {
            g.swapImage =
                std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, KIND_SWAP_IMAGE, 0, false, 1, 1);
            g.swapImage->setName("Swap Image");
            g.swapImage->addFrameSurface(picture);
            g.swapImage->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        }
        g.swapped = true;
        return;
    }
    logMessage(LOG_RENDER, "CRender::Swap()   Unswapping backbuffer\n");
    Render(true);
    CDraw::present(true, false);
    g.swapImage.reset();
    CSprite::swapLists(true);
    g.swapped = false;
}

bool CRender::IsSwapped() { return g.swapped; }

void CRender::setControllerIdSource(ControllerIdSource source) { g.controllerId = source; }

int CRender::currentControllerId() { return g.controllerId ? g.controllerId() : -1; }
