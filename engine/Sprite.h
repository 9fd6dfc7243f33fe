#pragma once

#include "engine/Motion.h"
#include "engine/SpriteKinds.h"

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// Origins are given in a convention offset by (29, 20): a sprite built with
// origin (29, 20) has its drawn box's top-left corner at its location.
constexpr int SPRITE_ORIGIN_BIAS_X = 29;
constexpr int SPRITE_ORIGIN_BIAS_Y = 20;

// A sprite location meaning "no previous box".
constexpr int SPRITE_NO_LOCATION = -999;

// The fields of a sprite that the game world's undo saves and restores.
// Frames, animation settings, sizes in tiles, the original type, the default
// origin, the image size and the name are not part of it.
struct SpriteSnapshot {
    int32_t originX, originY, x, y, prevX, prevY, clipX, clipY, tileX, tileY;
    int32_t prevTileX, prevTileY, type, frame, prevFrame, delayCounter, prevWidth, prevHeight, width, height;
    uint8_t movingLeft, movingRight, movingUp, movingDown;
    uint8_t hidden, prevHidden, finished, forceRedraw;
    int32_t state, fadeMode;
    uint32_t fadeStart, fadeEnd;
    int32_t fadeEndAlpha, fadeStartAlpha;
};

// The one drawable of the game: a list of frame images with a location on
// the screen, an origin, a clip offset and a drawn size, tiles on the
// 24-pixel grid, a type that is also its drawing layer (see DepthOrder.h),
// frame animation, an alpha fade over milliseconds and a hidden flag.
//
// Every sprite that exists is listed in one live list, from construction to
// destruction; the renderer walks it each frame. A sprite does not draw
// itself in the frame: `update` compares it with the last frame and marks
// the changed screen areas dirty, and the renderer repaints them in depth
// order.
//
// Image references: a sprite made with sharedImages false holds one
// reference on each frame image for as long as it lives (a copy takes its
// own); with sharedImages true it only looks images up and never releases
// them.
class CSprite
{
public:
    // Origin (0, 0), no tiles.
    CSprite(int type, int frameDelay, bool sharedImages);
    // The origin is given in the (29, 20) convention.
    CSprite(int originX, int originY, int type, int frameDelay, bool sharedImages, int tileW, int tileH);
    // A full copy (frames, state, name), not in the live list; hand it to
    // `registerCopy` to show it. A deliberate change from a copy that needs a
    // second call to register its images: the copy takes its own image
    // references here, so no copy can outlive an image it draws, and
    // `registerCopy` only puts it in the live list.
    explicit CSprite(const CSprite& other);
    CSprite& operator=(const CSprite&) = delete;
    // Marks the drawn box dirty when visible, leaves the live list (and the
    // list parked by a swap) and drops the image references.
    ~CSprite();

    // ---- Frames. Each added frame sets the drawn and image size.
    void addFrame(const char* imageName);
    // The images "%s%i%s" (prefix, number, suffix) from first to last by
    // step, counting down when first >= last.
    void addFrames(const char* prefix, int first, int last, const char* suffix, int step);
    void addFrameRepeated(const char* imageName, int count);
    // Adds an image the caller made, handing over the caller's reference.
    void addFrameSurface(int imageId);
    // Text entry 300 filled with `text` (a blank when empty), rendered into a
    // box and registered under imageName (any image of that name released
    // first); clearFrames empties the frame list first.
    void addTextFrame(const char* text, int width, int height, int align, const char* imageName, bool clearFrames);
    // The same with a text entry's own text.
    void addTextFrameWrapped(int stringNumber, int width, int height, int align, const char* imageName,
                             bool clearFrames);
    // Image id of frame n; -1 when there is no such frame.
    int getFrameSurface(int n) const;
    int getFrameCount() const { return static_cast<int>(frames_.size()); }
    // Frame n modulo the frame count; ignored while there are no frames.
    void setFrame(int n);
    int getFrame() const { return frame_; }

    // How text becomes a picture: text-table entry `stringNumber` filled
    // with `text` (or with nothing when text is null), wrapped into a box of
    // width x height with the given alignment. The font system registers it.
    using TextRenderer = SDL_Surface* (*)(int width, int height, int align, int stringNumber, const char* text);
    static void setTextRenderer(TextRenderer renderer);

    // ---- Visibility and location.
    // Shows the sprite; (x, y) is the previous location to repaint, -999 for
    // none. Screen furniture ignores it.
    void show(int x, int y);
    void hide() { hidden_ = true; }
    bool isHidden() const { return hidden_; }
    void setLocation(int x, int y, bool previous);
    // `relative` gives the drawn box's corner instead of the location.
    int getX(bool relative) const { return relative ? x_ - originX_ : x_; }
    int getY(bool relative) const { return relative ? y_ - originY_ : y_; }
    int getPrevX(bool relative) const { return relative ? prevX_ - originX_ : prevX_; }
    int getPrevY(bool relative) const { return relative ? prevY_ - originY_ : prevY_; }
    DirtyRect getRect(bool relative) const { return {getX(relative), getY(relative), width_, height_}; }
    // The box on screen as the renderer repaints it (full image size).
    DirtyRect getDrawnBox() const { return {x_ - originX_, y_ - originY_, imageWidth_, imageHeight_}; }
    DirtyRect getPrevDrawnBox() const { return {prevX_ - originX_, prevY_ - originY_, imageWidth_, imageHeight_}; }
    // The point (the mouse) lies on the drawn box grown by the margins,
    // edges included.
    bool isOnScreenNear(int pointX, int pointY, int marginX, int marginY) const;
    // The next update repaints the sprite even if nothing changed.
    void invalidate() { forceRedraw_ = true; }

    // ---- Origin (set in the (29, 20) convention), clip, size and type.
    int getOriginX() const { return originX_; }
    int getOriginY() const { return originY_; }
    void setOriginX(int v) { originX_ = v - SPRITE_ORIGIN_BIAS_X; }
    void setOriginY(int v) { originY_ = v - SPRITE_ORIGIN_BIAS_Y; }
    void resetOriginX() { originX_ = defaultOriginX_; }
    void resetOriginY() { originY_ = defaultOriginY_; }
    int getClipX() const { return clipX_; }
    int getClipY() const { return clipY_; }
    // Clip offsets and drawn sizes are kept within 0..image size.
    void setClipX(int v);
    void setClipY(int v);
    int getWidth(bool full) const { return full ? imageWidth_ : width_; }
    int getHeight(bool full) const { return full ? imageHeight_ : height_; }
    void setWidth(int v);
    void setHeight(int v);
    void resetWidth();
    void resetHeight();
    int getType() const { return type_; }
    void setType(int t) { type_ = t; }
    void restoreType() { type_ = originalType_; }
    // Clip (0, 0), full size and the original type; the origin stays.
    void reset();

    // ---- Tiles: sprites stand on their tile and reach upward; ladders
    // (type 10) hang downward. `previous` asks for the tile being left.
    int getTileX() const { return tileX_; }
    int getTileY() const { return tileY_; }
    int getPrevTileX() const { return prevTileX_; }
    int getPrevTileY() const { return prevTileY_; }
    int getTileW() const { return tileW_; }
    int getTileH() const { return tileH_; }
    void setTileW(int v) { tileW_ = v; }
    void setTileH(int v) { tileH_ = v; }
    int getTileLeft(bool previous) const;
    int getTileRight(bool previous) const;
    int getTileTop(bool previous) const;
    int getTileBottom(bool previous) const;
    bool isMoving() const { return movingLeft_ || movingRight_ || movingUp_ || movingDown_; }
    bool isMovingLeft() const { return movingLeft_; }
    bool isMovingRight() const { return movingRight_; }
    bool isMovingUp() const { return movingUp_; }
    bool isMovingDown() const { return movingDown_; }

    // ---- Animation: one step every frameDelay updates while visible.
    void play(bool forward);
    void stopAnimation() { state_ = 0; }
    void resetAnimation();
    void finish();
    void setLooping(bool b) { looping_ = b; }
    bool isLooping() const { return looping_; }
    bool isFinished() const { return finished_; }
    // 0 stopped, 1 forward, -1 backward.
    int getState() const { return state_; }
    bool isStopped() const { return state_ == 0; }
    bool isPlayingForward() const { return state_ == 1; }
    bool isPlayingBackward() const { return state_ == -1; }

    // ---- Alpha fades over milliseconds of the tick clock. The alpha
    // belongs to the frame image, so every sprite showing it fades with it.
    // Both show the sprite; a fade-out hides it at the end.
    void SetFadeOut(int durationMs, int startAlpha, int endAlpha);
    void SetFadeIn(int durationMs, int startAlpha, int endAlpha);
    bool isFading() const { return fadeMode_ != 0; }
    void handleFade();

    // ---- Per frame.
    // Animation, fade, and the dirty marking of what changed since the last
    // frame; then the tiles and the previous values for the next one.
    void update();
    // Works out the moving flags and tiles from the last move and makes the
    // current location, size and frame the previous ones.
    void computeTiles();
    // What a frame without a screen needs of every live sprite: the
    // animations and fades step on, as update() steps them; the repaint
    // bookkeeping is left out. Only the sprites that animate or fade are
    // visited, so a world of hundreds of still pictures costs nothing here.
    static void stepAnimations();
    // Outside the renderer: blits the current frame (when visible) and puts
    // that area on display at once.
    void draw();
    // The renderer's drawing: the part of the drawn box inside rect.
    void drawClipped(const DirtyRect& rect) const;

    void saveSnapshot(SpriteSnapshot& record) const;
    void loadSnapshot(const SpriteSnapshot& record);

    // Printed by the dumps, the removal log and the leak report. The name is
    // copied: callers often build it from a temporary string.
    void setName(const char* name) { name_ = name ? name : ""; }
    const char* getName() const { return name_.c_str(); }
    void dump() const;

    // ---- The live list, in order of registration.
    static const std::vector<CSprite*>& getAllSprites();
    static void updateAll();
    static void dumpAll();
    // Puts a sprite taken out of the list (or a copy) back at its end; a
    // sprite already listed is left where it is.
    static void registerCopy(CSprite* sprite);
    // Takes a sprite out of the live list; one not listed is ignored.
    static void unregister(CSprite* sprite);
    // restore false parks the live sprites and starts an empty list; restore
    // true brings the parked ones back and forgets those listed meanwhile.
    // Sprites handed to setSwapKeepers stay live at the end across both.
    static void swapLists(bool restore);
    // The sprites that stay on top across a swap (the mouse pointer's): the
    // first hook takes them out of the live list, the second puts them back.
    using SwapHook = void (*)();
    static void setSwapKeepers(SwapHook takeOut, SwapHook putBack);

private:
    void init();
    void appendFrame(int imageId);
    void addRenderedText(SDL_Surface* surface, const char* imageName);
    int currentImage() const;
    bool isSettled() const;
    // Animates or fades: stepAnimations visits it.
    bool isActive() const;
    // Lists a live sprite that has become active for stepAnimations.
    void wake();
    void stepAnimation();
    void markChanges();
    void applyAlpha(int alpha);
    void startFade(int mode, int durationMs, int startAlpha, int endAlpha);

    std::vector<int> frames_;
    bool sharedImages_;
    int32_t originX_, originY_;
    int32_t defaultOriginX_, defaultOriginY_;
    int32_t x_, y_;
    int32_t prevX_, prevY_;
    int32_t clipX_, clipY_;
    int32_t tileX_, tileY_;
    int32_t tileW_, tileH_;
    int32_t prevTileX_, prevTileY_;
    int32_t type_;
    int32_t originalType_;
    int32_t frame_;
    int32_t prevFrame_;
    int32_t frameDelay_;
    int32_t delayCounter_;
    int32_t prevWidth_, prevHeight_;
    int32_t width_, height_;
    int32_t imageWidth_, imageHeight_;
    bool movingLeft_, movingRight_, movingUp_, movingDown_;
    bool looping_;
    bool hidden_;
    bool prevHidden_;
    bool finished_;
    bool forceRedraw_;
    bool live_ = false;   // in the live list
    bool listed_ = false; // in the list of those that may be active
    int32_t state_;
    int32_t fadeMode_;
    uint32_t fadeStart_;
    uint32_t fadeEnd_;
    int32_t fadeEndAlpha_;
    int32_t fadeStartAlpha_;
    std::string name_;
};

// The boxes (location less origin, drawn size) of two sprites overlap;
// hidden sprites count.
bool spritesOverlap(const CSprite& a, const CSprite& b);
// A visible sprite's box overlaps the rectangle.
bool spriteOverlapsRect(const CSprite& sprite, const DirtyRect& rect);
