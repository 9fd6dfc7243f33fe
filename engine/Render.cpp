#include "engine/Render.h"

#include "engine/DepthOrder.h"
#include "engine/DirtyRects.h"
#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/Sprite.h"

#include <memory>

namespace {

struct RenderState {
    std::vector<DirtyRect> dirty;
    // The sprites of the rectangle being drawn, and the same in depth order.
    std::vector<DepthKey> collected;
    std::vector<CSprite*> sorted;
    DepthOrder depthOrder;
    std::unique_ptr<CSprite> swapImage;
    bool swapped = false;
    CRender::ControllerIdSource controllerId = nullptr;
};

RenderState g;

void collectSprites(const DirtyRect& rect)
{
    g.collected.clear();
    for (CSprite* sprite : CSprite::getAllSprites())
        if (spriteOverlapsRect(*sprite, rect))
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

void CRender::AddDirtyRect(int x, int y, int w, int h) { g.dirty.push_back({x, y, w, h}); }

void CRender::MarkChanged(const CSprite* sprite) { g.dirty.push_back(sprite->getDrawnBox()); }

void CRender::MarkMoved(const CSprite* sprite)
{
    DirtyRect now = sprite->getDrawnBox();
    DirtyRect before = sprite->getPrevDrawnBox();
    if (rectsOverlap(now, before)) {
        g.dirty.push_back(rectUnion(now, before));
    } else {
        g.dirty.push_back(now);
        g.dirty.push_back(before);
    }
}

void CRender::InvalidateAll()
{
    g.dirty.clear();
    g.dirty.push_back({0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
}

const std::vector<DirtyRect>& CRender::GetDirtyRects() { return g.dirty; }

void CRender::Clear()
{
    g.dirty.clear();
    g.collected.clear();
    g.sorted.clear();
}

void CRender::Render(bool updateSprites)
{
    if (updateSprites)
        CSprite::updateAll();
    OptimizeDirtyRects();
    DrawDirty();
}

void CRender::OptimizeDirtyRects()
{
    mergeDirtyRects(g.dirty);
    clipDirtyRects(g.dirty, currentControllerId());
}

void CRender::DrawDirty()
{
    bool editor = currentControllerId() == CONTROLLER_ID_EDITOR;
    for (const DirtyRect& rect : g.dirty) {
        collectSprites(rect);
        g.depthOrder.order(g.collected, editor, g.sorted);
        for (const CSprite* sprite : g.sorted)
            sprite->drawClipped(rect);
    }
}

void CRender::Swap(bool withImage)
{
    if (!g.swapped) {
        logMessage(LOG_RENDER, "CRender::Swap()   Swapping backbuffer\n");
        int picture = withImage ? CDraw::copyScreen(nullptr) : -1;
        CSprite::swapLists(false);
        if (withImage) {
            g.swapImage = std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, SPRITE_SWAP_IMAGE, 0,
                                                    false, 1, 1);
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
