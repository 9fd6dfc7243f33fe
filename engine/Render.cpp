#include "engine/Render.h"

#include "engine/DepthOrder.h"
#include "engine/DirtyRects.h"
#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/Sprite.h"
#include "engine/SpriteAreaIndex.h"

#include <chrono>
#include <memory>

namespace {

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

void drawGroup(bool editor)
{
    if (g.group.w <= 0)
        return;
    g.depthOrder.order(g.groupKeys, editor, g.sorted);
    for (const CSprite* sprite : g.sorted)
        sprite->drawClipped(g.group);
    g.group = {};
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
