#include "engine/Sprite.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/Render.h"
#include "platform/Clock.h"
#include "text/TextIds.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr int TILE_SIZE = 24;
// The two halves of a sprite passing through a teleport.

constexpr int FADE_NONE = 0;
constexpr int FADE_OUT = 1;
constexpr int FADE_IN = 2;

// Observers only: owners create and destroy their sprites.
std::vector<CSprite*> g_live;
std::vector<CSprite*> g_parked;
// The live sprites that may animate or fade, in no order: every sprite that
// does is here, and stepAnimations drops those that no longer do.
std::vector<CSprite*> g_active;

CSprite::TextRenderer g_textRenderer = nullptr;
CSprite::SwapHook g_takeOutKeepers = nullptr;
CSprite::SwapHook g_putBackKeepers = nullptr;

const std::string kEquals(53, '=');
const std::string kDashes(53, '-');

bool erase(std::vector<CSprite*>& list, CSprite* sprite)
{
    auto found = std::find(list.begin(), list.end(), sprite);
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

int clampTo(int v, int high) { return v > high ? high : v < 0 ? 0 : v; }

// v / TILE_SIZE rounded up, in integers: every sprite takes this each frame.
// Division truncates toward zero, which rounds a negative v up already.
int roundedUpTile(int v) { return v >= 0 ? (v + TILE_SIZE - 1) / TILE_SIZE : v / TILE_SIZE; }

// The part [start, start + length) of a run of the dirty rectangle that
// falls on the sprite's run [from, from + size].
void cutRun(int rectStart, int rectLength, int from, int size, int& start, int& length)
{
    if (rectStart >= from && rectStart <= from + size) {
        start = rectStart;
        length = std::min(rectLength, from + size - rectStart);
    } else if (rectStart < from && rectStart + rectLength >= from) {
        start = from;
        length = std::min(size, rectStart + rectLength - from);
    } else {
        start = 0;
        length = 0;
    }
}

} // namespace

CSprite::CSprite(int type, int frameDelay, bool sharedImages)
    : sharedImages_(sharedImages), originX_(0), originY_(0), defaultOriginX_(0), defaultOriginY_(0), tileW_(0),
      tileH_(0), type_(type), originalType_(type), frameDelay_(frameDelay)
{
    init();
}

CSprite::CSprite(int originX, int originY, int type, int frameDelay, bool sharedImages, int tileW, int tileH)
    : sharedImages_(sharedImages), originX_(originX - SPRITE_ORIGIN_BIAS_X),
      originY_(originY - SPRITE_ORIGIN_BIAS_Y), defaultOriginX_(originX_), defaultOriginY_(originY_), tileW_(tileW),
      tileH_(tileH), type_(type), originalType_(type), frameDelay_(frameDelay)
{
    init();
}

CSprite::CSprite(const CSprite& other)
    : frames_(other.frames_), sharedImages_(other.sharedImages_), originX_(other.originX_),
      originY_(other.originY_), defaultOriginX_(other.defaultOriginX_), defaultOriginY_(other.defaultOriginY_),
      x_(other.x_), y_(other.y_), prevX_(other.prevX_), prevY_(other.prevY_), clipX_(other.clipX_),
      clipY_(other.clipY_), tileX_(other.tileX_), tileY_(other.tileY_), tileW_(other.tileW_),
      tileH_(other.tileH_), prevTileX_(other.prevTileX_), prevTileY_(other.prevTileY_), type_(other.type_),
      originalType_(other.originalType_), frame_(other.frame_), prevFrame_(other.prevFrame_),
      frameDelay_(other.frameDelay_), delayCounter_(other.delayCounter_), prevWidth_(other.prevWidth_),
      prevHeight_(other.prevHeight_), width_(other.width_), height_(other.height_),
      imageWidth_(other.imageWidth_), imageHeight_(other.imageHeight_), movingLeft_(other.movingLeft_),
      movingRight_(other.movingRight_), movingUp_(other.movingUp_), movingDown_(other.movingDown_),
      looping_(other.looping_), hidden_(other.hidden_), prevHidden_(other.prevHidden_),
      finished_(other.finished_), forceRedraw_(other.forceRedraw_), state_(other.state_),
      fadeMode_(other.fadeMode_), fadeStart_(other.fadeStart_), fadeEnd_(other.fadeEnd_),
      fadeEndAlpha_(other.fadeEndAlpha_), fadeStartAlpha_(other.fadeStartAlpha_), name_(other.name_)
{
    if (!sharedImages_)
        for (int id : frames_)
            CDraw::addImageRef(id);
}

// The sprite joins the live list first, then every field takes its start
// value.
void CSprite::init()
{
    g_live.push_back(this);
    live_ = true;
    x_ = y_ = prevX_ = prevY_ = 0;
    clipX_ = clipY_ = 0;
    tileX_ = tileY_ = prevTileX_ = prevTileY_ = 0;
    frame_ = prevFrame_ = 0;
    delayCounter_ = 0;
    prevWidth_ = prevHeight_ = width_ = height_ = 0;
    imageWidth_ = imageHeight_ = 0;
    movingLeft_ = movingRight_ = movingUp_ = movingDown_ = false;
    looping_ = false;
    hidden_ = prevHidden_ = true;
    finished_ = false;
    forceRedraw_ = false;
    state_ = 0;
    fadeMode_ = FADE_NONE;
    fadeStart_ = fadeEnd_ = 0;
    fadeEndAlpha_ = fadeStartAlpha_ = 255;
    name_.clear();
}

CSprite::~CSprite()
{
    if (!hidden_)
        CRender::MarkChanged(this);
    unregister(this);
    // A sprite parked by a swap must not come back after its owner freed it.
    erase(g_parked, this);
    if (!sharedImages_)
        for (int id : frames_)
            CDraw::unloadImage(id);
}

// ---- Frames.

void CSprite::appendFrame(int imageId)
{
    prevWidth_ = width_ = imageWidth_ = CDraw::getImageWidth(imageId);
    prevHeight_ = height_ = imageHeight_ = CDraw::getImageHeight(imageId);
    frames_.push_back(imageId);
    wake();
}

void CSprite::addFrame(const char* imageName)
{
    appendFrame(sharedImages_ ? CDraw::findImageId(imageName) : CDraw::getImage(imageName));
}

void CSprite::addFrames(const char* prefix, int first, int last, const char* suffix, int step)
{
    // A step below 1 would never reach the end of the run.
    step = std::max(step, 1);
    char name[512];
    if (first >= last) {
        for (long n = first; n >= last; n -= step) {
            snprintf(name, sizeof name, "%s%li%s", prefix, n, suffix);
            addFrame(name);
        }
    } else {
        for (long n = first; n <= last; n += step) {
            snprintf(name, sizeof name, "%s%li%s", prefix, n, suffix);
            addFrame(name);
        }
    }
}

void CSprite::addFrameRepeated(const char* imageName, int count)
{
    for (int i = 0; i < count; ++i)
        addFrame(imageName);
}

void CSprite::addFrameSurface(int imageId) { appendFrame(imageId); }

void CSprite::setTextRenderer(TextRenderer renderer) { g_textRenderer = renderer; }

void CSprite::addRenderedText(SDL_Surface* surface, const char* imageName)
{
    if (!surface) {
        logMessage(LOG_WARNING, "CSprite::addTextFrame()  No picture for '%s'\n", imageName);
        return;
    }
    appendFrame(CDraw::LoadSurface(surface, imageName));
}

void CSprite::addTextFrame(const char* text, int width, int height, int align, const char* imageName,
                           bool clearFrames)
{
    CDraw::releaseImage(imageName);
    if (clearFrames)
        frames_.clear();
    const char* shown = text && *text ? text : " ";
    addRenderedText(g_textRenderer ? g_textRenderer(width, height, align, TEXT_PLAIN, shown) : nullptr, imageName);
}

void CSprite::addTextFrameWrapped(int stringNumber, int width, int height, int align, const char* imageName,
                                  bool clearFrames)
{
    CDraw::releaseImage(imageName);
    if (clearFrames)
        frames_.clear();
    addRenderedText(g_textRenderer ? g_textRenderer(width, height, align, stringNumber, nullptr) : nullptr,
                    imageName);
}

int CSprite::getFrameSurface(int n) const
{
    return n >= 0 && n < getFrameCount() ? frames_[n] : -1;
}

int CSprite::currentImage() const { return getFrameSurface(frame_); }

void CSprite::setFrame(int n)
{
    if (frames_.empty())
        return;
    frame_ = static_cast<int>(static_cast<unsigned>(n) % frames_.size());
}

// ---- Visibility, location, size.

void CSprite::show(int x, int y)
{
    if (type_ < KIND_FURNITURE_FIRST) {
        prevX_ = x;
        prevY_ = y;
    }
    hidden_ = false;
    wake();
}

void CSprite::setLocation(int x, int y, bool previous)
{
    if (previous) {
        prevX_ = x;
        prevY_ = y;
    } else {
        x_ = x;
        y_ = y;
    }
}

bool CSprite::isOnScreenNear(int pointX, int pointY, int marginX, int marginY) const
{
    int left = x_ - originX_;
    int top = y_ - originY_;
    return !(left - marginX > pointX || left + width_ + marginX < pointX || top - marginY > pointY ||
             top + height_ + marginY < pointY);
}

void CSprite::setClipX(int v) { clipX_ = clampTo(v, imageWidth_); }
void CSprite::setClipY(int v) { clipY_ = clampTo(v, imageHeight_); }

void CSprite::setWidth(int v)
{
    prevWidth_ = width_;
    width_ = clampTo(v, imageWidth_);
}

void CSprite::setHeight(int v)
{
    prevHeight_ = height_;
    height_ = clampTo(v, imageHeight_);
}

void CSprite::resetWidth()
{
    prevWidth_ = width_;
    width_ = std::max(imageWidth_, 0);
}

void CSprite::resetHeight()
{
    prevHeight_ = height_;
    height_ = std::max(imageHeight_, 0);
}

void CSprite::reset()
{
    setClipX(0);
    setClipY(0);
    resetWidth();
    resetHeight();
    restoreType();
}

int CSprite::getTileLeft(bool previous) const { return previous ? prevTileX_ : tileX_; }
int CSprite::getTileRight(bool previous) const { return getTileLeft(previous) + tileW_ - 1; }

int CSprite::getTileTop(bool previous) const
{
    int row = previous ? prevTileY_ : tileY_;
    return type_ == KIND_TERRAIN ? row : row - tileH_ + 1;
}

int CSprite::getTileBottom(bool previous) const
{
    int row = previous ? prevTileY_ : tileY_;
    return type_ == KIND_TERRAIN ? row + tileH_ - 1 : row;
}

// ---- Animation.

void CSprite::play(bool forward)
{
    state_ = frameDelay_ < 1 ? 0 : forward ? 1 : -1;
    wake();
}

void CSprite::resetAnimation()
{
    delayCounter_ = 0;
    frame_ = 0;
    finished_ = false;
    state_ = 0;
}

void CSprite::finish()
{
    delayCounter_ = 0;
    finished_ = true;
    frame_ = std::max(getFrameCount() - 1, 0);
    state_ = 0;
}

// The first step comes frameDelay + 1 updates after a rewind, later ones
// every frameDelay updates.
void CSprite::stepAnimation()
{
    if (delayCounter_ < frameDelay_) {
        ++delayCounter_;
        return;
    }
    int last = getFrameCount() - 1;
    if (state_ == 1) {
        if (frame_ < last) {
            ++frame_;
        } else if (looping_) {
            frame_ = 0;
        } else {
            finished_ = true;
            frame_ = last;
            state_ = 0;
        }
    } else if (state_ == -1) {
        if (frame_ > 0)
            --frame_;
        else if (looping_)
            frame_ = last;
        else
            finished_ = true;
    }
    delayCounter_ = 1;
}

// ---- Fades.

// No run-length encoding: SDL blends an encoded picture's translucent pixels
// with other rounding than the plain picture's, so a faded sprite would
// differ by a shade between the frames that draw it and a full repaint.
void CSprite::applyAlpha(int alpha)
{
    int id = currentImage();
    if (id >= 0)
        CDraw::setImageAlpha(id, static_cast<uint8_t>(alpha), SDL_SRCALPHA);
}

void CSprite::startFade(int mode, int durationMs, int startAlpha, int endAlpha)
{
    fadeStart_ = tickCount();
    fadeEnd_ = fadeStart_ + static_cast<uint32_t>(std::max(durationMs, 0));
    fadeEndAlpha_ = endAlpha;
    fadeMode_ = mode;
    fadeStartAlpha_ = startAlpha;
    hidden_ = false;
    applyAlpha(startAlpha);
    wake();
}

void CSprite::SetFadeOut(int durationMs, int startAlpha, int endAlpha)
{
    logMessage(LOG_STACK, "CSprite::SetFadeOut(%i,%i,%i)\n", durationMs, startAlpha, endAlpha);
    startFade(FADE_OUT, durationMs, startAlpha, endAlpha);
}

void CSprite::SetFadeIn(int durationMs, int startAlpha, int endAlpha)
{
    logMessage(LOG_STACK, "CSprite::SetFadeIn(%i,%i,%i)\n", durationMs, startAlpha, endAlpha);
    startFade(FADE_IN, durationMs, startAlpha, endAlpha);
}

void CSprite::handleFade()
{
    if (fadeMode_ == FADE_NONE)
        return;
    uint32_t now = tickCount();
    uint32_t duration = fadeEnd_ - fadeStart_;
    if (duration > 0 && now < fadeEnd_) {
        uint32_t remaining = std::min(fadeEnd_ - now, duration);
        long long delta = std::llabs(static_cast<long long>(fadeEndAlpha_) - fadeStartAlpha_);
        long long alpha;
        if (fadeMode_ == FADE_IN)
            alpha = fadeStartAlpha_ + static_cast<long long>((duration - remaining) / double(duration) * delta);
        else
            alpha = static_cast<long long>(remaining / double(duration) * delta);
        uint8_t shown = static_cast<uint8_t>(alpha);
        logMessage(LOG_SPRITE, "CSprite::handleFade()   Updating alpha (mode=%i) to %i (delta=%lli):  %u->%u\n",
                   fadeMode_, shown, delta, now, fadeEnd_);
        applyAlpha(shown);
        return;
    }
    applyAlpha(fadeEndAlpha_);
    if (fadeMode_ == FADE_OUT)
        hidden_ = true;
    fadeMode_ = FADE_NONE;
    // The last alpha is drawn by the renderer, in depth order, like any
    // other change.
    CRender::MarkChanged(this);
}

// ---- Per frame.

// Nothing to step, fade, repaint or move: an update would write back the
// values the sprite already holds. Most of a board's sprites stand so in most
// frames, and the headless world runs many frames.
bool CSprite::isActive() const
{
    return (frameDelay_ > 0 && state_ != 0 && !hidden_ && !frames_.empty()) || fadeMode_ != FADE_NONE;
}

void CSprite::wake()
{
    if (live_ && !listed_ && isActive()) {
        listed_ = true;
        g_active.push_back(this);
    }
}

bool CSprite::isSettled() const
{
    const bool animating = frameDelay_ > 0 && state_ != 0 && !hidden_ && !frames_.empty();
    return !animating && fadeMode_ == FADE_NONE && !forceRedraw_ && x_ == prevX_ && y_ == prevY_ &&
           width_ == prevWidth_ && height_ == prevHeight_ && frame_ == prevFrame_ && hidden_ == prevHidden_ &&
           !movingLeft_ && !movingRight_ && !movingUp_ && !movingDown_ && type_ != KIND_TELEPORT_EMERGING &&
           tileX_ == x_ / TILE_SIZE && prevTileX_ == roundedUpTile(x_) && tileY_ == y_ / TILE_SIZE &&
           prevTileY_ == roundedUpTile(y_);
}

void CSprite::update()
{
    if (isSettled())
        return;
    if (frameDelay_ > 0 && state_ != 0 && !hidden_ && !frames_.empty())
        stepAnimation();
    handleFade();
    markChanges();
    computeTiles();
    prevHidden_ = hidden_;
    prevFrame_ = frame_;
}

void CSprite::markChanges()
{
    bool moved = x_ != prevX_ || y_ != prevY_;
    bool changed = forceRedraw_ || fadeMode_ != FADE_NONE || moved || width_ != prevWidth_ ||
                   height_ != prevHeight_ || frame_ != prevFrame_ || hidden_ != prevHidden_;
    if (!changed)
        return;
    forceRedraw_ = false;
    if ((prevHidden_ && !hidden_) || !moved || prevX_ == SPRITE_NO_LOCATION || prevY_ == SPRITE_NO_LOCATION)
        CRender::MarkChanged(this);
    else if (!(prevHidden_ && hidden_))
        CRender::MarkMoved(this);
}

// A sprite between tiles stands on the tile it is entering (right and down)
// and leaves the other one; the emerging half of a teleport passage always
// counts as moving right.
void CSprite::computeTiles()
{
    bool tracked =
        (!hidden_ && prevX_ >= 0 && prevY_ >= 0) || type_ == KIND_TELEPORT_GHOST || type_ == KIND_TELEPORT_EMERGING;
    movingLeft_ = tracked && x_ < prevX_;
    movingRight_ = tracked && (x_ > prevX_ || (type_ == KIND_TELEPORT_EMERGING && x_ == prevX_));
    movingUp_ = tracked && y_ < prevY_;
    movingDown_ = tracked && y_ > prevY_;
    tileX_ = movingRight_ ? roundedUpTile(x_) : x_ / TILE_SIZE;
    prevTileX_ = movingRight_ ? x_ / TILE_SIZE : roundedUpTile(x_);
    tileY_ = movingDown_ ? roundedUpTile(y_) : y_ / TILE_SIZE;
    prevTileY_ = movingDown_ ? y_ / TILE_SIZE : roundedUpTile(y_);
    prevX_ = x_;
    prevY_ = y_;
    prevWidth_ = width_;
    prevHeight_ = height_;
}

void CSprite::draw()
{
    int left = x_ - originX_;
    int top = y_ - originY_;
    if (!hidden_)
        CDraw::drawImage(currentImage(), left, top);
    CDraw::updateRect(left, top, width_, height_);
}

void CSprite::drawClipped(const DirtyRect& rect) const
{
    if (hidden_)
        return;
    int left = x_ - originX_;
    int top = y_ - originY_;
    int runX, runW, runY, runH;
    cutRun(rect.x, rect.w, left, width_, runX, runW);
    cutRun(rect.y, rect.h, top, height_, runY, runH);
    if (runW <= 0 || runH <= 0)
        return;
    CDraw::drawImagePart(currentImage(), runX, runY, runX - left + clipX_, runY - top + clipY_, runW, runH);
}

// ---- Snapshots.

void CSprite::saveSnapshot(SpriteSnapshot& r) const
{
    r = {originX_,    originY_,    x_,         y_,          prevX_,       prevY_,        clipX_,
         clipY_,      tileX_,      tileY_,     prevTileX_,  prevTileY_,   type_,         frame_,
         prevFrame_,  delayCounter_, prevWidth_, prevHeight_, width_,     height_,       movingLeft_,
         movingRight_, movingUp_,  movingDown_, hidden_,    prevHidden_,  finished_,     forceRedraw_,
         state_,      fadeMode_,   fadeStart_, fadeEnd_,    fadeEndAlpha_, fadeStartAlpha_};
}

void CSprite::loadSnapshot(const SpriteSnapshot& r)
{
    originX_ = r.originX;
    originY_ = r.originY;
    x_ = r.x;
    y_ = r.y;
    prevX_ = r.prevX;
    prevY_ = r.prevY;
    clipX_ = r.clipX;
    clipY_ = r.clipY;
    tileX_ = r.tileX;
    tileY_ = r.tileY;
    prevTileX_ = r.prevTileX;
    prevTileY_ = r.prevTileY;
    type_ = r.type;
    frame_ = r.frame;
    prevFrame_ = r.prevFrame;
    delayCounter_ = r.delayCounter;
    prevWidth_ = r.prevWidth;
    prevHeight_ = r.prevHeight;
    width_ = r.width;
    height_ = r.height;
    movingLeft_ = r.movingLeft;
    movingRight_ = r.movingRight;
    movingUp_ = r.movingUp;
    movingDown_ = r.movingDown;
    hidden_ = r.hidden;
    prevHidden_ = r.prevHidden;
    finished_ = r.finished;
    forceRedraw_ = r.forceRedraw;
    state_ = r.state;
    fadeMode_ = r.fadeMode;
    fadeStart_ = r.fadeStart;
    fadeEnd_ = r.fadeEnd;
    fadeEndAlpha_ = r.fadeEndAlpha;
    fadeStartAlpha_ = r.fadeStartAlpha;
    wake();
}

// ---- Dumps.

void CSprite::dump() const
{
    logMessage(LOG_DEBUG, "%s\nAll Sprites\n%s\n", kEquals.c_str(), kDashes.c_str());
    logMessage(LOG_DEBUG, "   Name               %s\n", name_.c_str());
    logMessage(LOG_DEBUG, "   Current Location   (%i,%i)  @T(%i,%i)\n", x_, y_, tileX_, tileY_);
    logMessage(LOG_DEBUG, "   Previous Location  (%i,%i)  @T(%i,%i)\n", prevX_, prevY_, prevTileX_, prevTileY_);
    logMessage(LOG_DEBUG, "   Current Size       W%i x H%i   T(%ix%i)\n", width_, height_, tileW_, tileH_);
    logMessage(LOG_DEBUG, "   Prevoius Size      W%i x H%i   T(%ix%i)\n", prevWidth_, prevHeight_, tileW_, tileH_);
    logMessage(LOG_DEBUG, "   Current Type       %i\n", type_);
    logMessage(LOG_DEBUG, "   Original Type      %i\n\n", originalType_);
    logMessage(LOG_DEBUG, "   Looping            %i\n", looping_);
    logMessage(LOG_DEBUG, "   Hidden             %i\n", hidden_);
    logMessage(LOG_DEBUG, "   Finished           %i\n", finished_);
    logMessage(LOG_DEBUG, "   State              %i\n", state_);
    logMessage(LOG_DEBUG, "   Frame              %i of %i\n\n", frame_, getFrameCount());
    logMessage(LOG_DEBUG, "   Moving Left        %i\n", movingLeft_);
    logMessage(LOG_DEBUG, "   Moving Right       %i\n", movingRight_);
    logMessage(LOG_DEBUG, "   Moving Up          %i\n", movingUp_);
    logMessage(LOG_DEBUG, "   Moving Down        %i\n", movingDown_);
    logMessage(LOG_DEBUG, "%s\n", kEquals.c_str());
}

void CSprite::dumpAll()
{
    logMessage(LOG_DEBUG, "%s\nAll Sprites\n%s\n", kEquals.c_str(), kDashes.c_str());
    for (const CSprite* s : g_live)
        if (!s->hidden_)
            logMessage(LOG_DEBUG, "   (%i,%i)  W%i H%i  '%s'\n", s->x_, s->y_, s->width_, s->height_, s->name_.c_str());
    logMessage(LOG_DEBUG, "%s\n", kEquals.c_str());
}

// ---- The live list.

const std::vector<CSprite*>& CSprite::getAllSprites() { return g_live; }

void CSprite::updateAll()
{
    for (size_t i = 0; i < g_live.size(); ++i)
        g_live[i]->update();
}

void CSprite::stepAnimations()
{
    for (size_t i = 0; i < g_active.size();) {
        CSprite* s = g_active[i];
        if (s->live_) {
            if (s->frameDelay_ > 0 && s->state_ != 0 && !s->hidden_ && !s->frames_.empty())
                s->stepAnimation();
            s->handleFade();
            if (s->isActive()) {
                ++i;
                continue;
            }
        }
        s->listed_ = false;
        g_active[i] = g_active.back();
        g_active.pop_back();
    }
}

void CSprite::registerCopy(CSprite* sprite)
{
    if (std::find(g_live.begin(), g_live.end(), sprite) == g_live.end())
        g_live.push_back(sprite);
    sprite->live_ = true;
    sprite->wake();
}

void CSprite::unregister(CSprite* sprite)
{
    sprite->live_ = false;
    if (sprite->listed_) {
        sprite->listed_ = false;
        erase(g_active, sprite);
    }
    auto found = std::find(g_live.begin(), g_live.end(), sprite);
    if (found == g_live.end())
        return;
    logMessage(LOG_DESTRUCT, "Removing sprite '%s' at (%i,%i)\n", sprite->name_.c_str(), sprite->x_, sprite->y_);
    g_live.erase(found);
}

void CSprite::setSwapKeepers(SwapHook takeOut, SwapHook putBack)
{
    g_takeOutKeepers = takeOut;
    g_putBackKeepers = putBack;
}

void CSprite::swapLists(bool restore)
{
    if (g_takeOutKeepers)
        g_takeOutKeepers();
    logMessage(LOG_DEBUG, "%s\nVisible Preswapped Sprites\n%s\n", kEquals.c_str(), kDashes.c_str());
    for (const CSprite* s : g_live)
        if (!s->hidden_)
            logMessage(LOG_DEBUG, "   '%s'\n", s->name_.c_str());
    logMessage(LOG_DEBUG, "%s\n", kEquals.c_str());
    for (CSprite* s : g_live)
        s->live_ = false;
    if (restore)
        g_live.clear();
    else
        g_parked.clear();
    g_live.swap(g_parked);
    for (CSprite* s : g_live) {
        s->live_ = true;
        s->wake();
    }
    if (g_putBackKeepers)
        g_putBackKeepers();
}

bool spritesOverlap(const CSprite& a, const CSprite& b) { return rectsOverlap(a.getRect(true), b.getRect(true)); }

bool spriteOverlapsRect(const CSprite& sprite, const DirtyRect& rect)
{
    return !sprite.isHidden() && rectsOverlap(sprite.getRect(true), rect);
}
