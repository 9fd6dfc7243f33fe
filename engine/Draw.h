#pragma once

#include "engine/Motion.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ArchiveFile;


constexpr int SCREEN_WIDTH = 800;
constexpr int SCREEN_HEIGHT = 600;

// Where the loading bar sits on the loading picture.
constexpr int LOAD_BAR_X = 360;
constexpr int LOAD_BAR_Y = 527;

// The image archive of the game folder.
constexpr const char* IMAGE_ARCHIVE = "resource2.dat";


// Member `number` of a numbered image series: prefix, the number without
// leading zeros, suffix ("botrunleft", 7, ".png" -> "botrunleft7.png").
std::string imageSeriesName(const std::string& prefix, int number, const std::string& suffix);

// Member `number` of the fade series of an image: the name less its last four
// characters, the number, "." and the name's last three characters
// ("password_invalid.png", 2 -> "password_invalid2.png").
std::string fadeSeriesName(const std::string& name, int number);

// Cuts a rectangle to the screen. False when nothing of it is left.
bool clipRectToScreen(DirtyRect& rect);

// The program's one window and every picture in it: the video mode, the
// loading screen, the end of each frame (pacing, counting, putting the
// changed rectangles on display), the blits, and the image store that hands
// out pictures by name and id. One object exists (a local of the program's
// start-up); all state is module-level, so the static operations work from
// anywhere. Everything runs on the main thread.
//
// Image ids index one table of surfaces in the display's format; -1 means no
// image. Ids are never reused: an image decoded again gets a new id.
class CDraw
{
public:
    // Starts the video system, sets caption and icon, hides the system
    // cursor, sets the 800 x 600 mode and shows the loading picture. Fatal
    // when the video system, the mode or the loading picture fails.
    CDraw();
    // Frees the screen copy, the bar, the icon and every image, and shows the
    // system cursor again.
    ~CDraw();
    CDraw(const CDraw&) = delete;
    CDraw& operator=(const CDraw&) = delete;

    // ---- The full-screen option the video mode follows: the game hands
    // over what reads the player's setting; without it the display opens a
    // window.
    static void setFullscreenSource(std::function<bool()> wanted);

    // ---- Window and mode.
    static void setCaptionAndIcon();
    static void setVideoMode();
    static void showLoadingScreen();
    // Sets the mode again from the full-screen option, keeping the picture
    // and the pointer position (through the game's pointer warp, so a
    // captured pointer stays where it was). With onlyIfDifferent, nothing happens while the
    // mode already equals wanted; nothing happens before the window exists.
    static void toggleFullscreen(bool onlyIfDifferent, bool wanted);
    static bool isFullscreen();
    static bool hasScreen();
    static SDL_Surface* getScreen();

    // Images read as loose files from "resource/" instead of "resource2.dat".
    static void setDeveloperMode(bool on);
    static bool isDeveloperMode();

    // ---- Loading bar.
    // What the loading after the image files adds to the bar (the start-up
    // lists, the sounds, the levels), summed by start-up from what it is
    // about to load, so the bar fills as the last of it is loaded.
    static void setLoadAllowance(int64_t allowance);
    // Loads the bar picture ("resource1.dat"); total = imageCount + allowance.
    static void loadProgressBar(int imageCount);
    // Advances the bar (clamped to its total) and draws it when it grows.
    static void addLoadProgress(int n);
    // Draws the bar for an absolute value without changing the progress.
    static void setLoadProgress(int value);
    static int64_t getLoadProgress();

    // ---- Frame.
    // End of frame: waits out the frame time (when the lock is on), counts
    // the frame (when asked), puts the renderer's dirty rectangles (or the
    // whole screen) on display and clears the renderer's lists. Does nothing
    // at all while present is disabled.
    static void present(bool useDirtyRects, bool countFrame);
    static void setPresentDisabled(bool disabled);
    static bool isPresentDisabled();
    static uint32_t getFrame();
    // Frame time from the speed table (0..11 -> 66..10 ms, anything else 33).
    static void setGameSpeed(int level);
    static uint32_t getFrameDelay();
    static void toggleFPSOutput();
    static void toggleFPSLock();
    // Puts one rectangle of the screen on display at once, cut to the screen.
    static void updateRect(int x, int y, int w, int h);

    // The renderer's dirty list as the frame end reads and clears it.
    using DirtyRectList = const std::vector<DirtyRect>& (*)();
    static void setDirtyRectSource(DirtyRectList rects, void (*clear)());

    // Tests watch what reaches the display: every screen update passes its
    // rectangles here (a whole-screen flip as one 800 x 600 rectangle).
    static void setDisplayUpdateObserverForTesting(std::function<void(const std::vector<SDL_Rect>&)> observer);

    // ---- Surfaces.
    // A copy in the display's format (with alpha when the source has an
    // alpha mask); frees the source when asked. Null when it fails.
    static SDL_Surface* toDisplayFormat(SDL_Surface* surface, bool freeSource);
    // One pixel of a locked surface of 1 to 4 bytes per pixel; outside the
    // surface reads 0 and writes nothing.
    static uint32_t getPixel(SDL_Surface* surface, int x, int y);
    static void putPixel(SDL_Surface* surface, int x, int y, uint32_t value);
    static void saveScreenBMP(const char* path);

    // ---- Drawing with images of the table. An id without an image draws
    // nothing.
    static void drawImage(int id, int x, int y);
    // A source rectangle reaching outside the image is cut to it.
    static void drawImagePart(int id, int x, int y, int srcX, int srcY, int w, int h);
    static void blitImageRect(int id, const SDL_Rect& source, const SDL_Rect& destination);
    // w and h are cut to the source image; negative values count as 0.
    static void blitImageToImage(int srcId, SDL_Surface* destination, int dstX, int dstY, int srcX, int srcY, int w,
                                 int h);
    static void copyImageInto(int srcId, int dstId, int x, int y);
    static void setImageAlpha(int id, uint8_t alpha, uint32_t flags);
    // Adds delta to every pixel's alpha, clamped to 0..255; colours stay.
    static void shiftImageAlpha(int id, int delta);
    // The image's surface, to read or to change: what the blitter worked out
    // from its pixels is made again at its next draw.
    static SDL_Surface* getImageSurface(int id);
    static int getImageWidth(int id);
    static int getImageHeight(int id);
    static int getImageCount();
    static const char* getImageName(int id);
    static void dumpImagePixels(int id);
    static void dumpImageBuffers(bool all);

    // ---- Image store.
    // Acquires one reference, decoding a preloaded file on first use. Fatal
    // when the name was never preloaded or registered.
    static int getImage(const char* name);
    // The id without taking a reference; -1 when unknown or not decoded.
    static int findImageId(const char* name);
    static void releaseImage(const char* name);
    // Drops one reference of a named image (freed at 0); frees an unnamed
    // image at once. Bad ids are logged and ignored.
    static void unloadImage(int id);
    // One more reference on the named image with that id; other ids are
    // ignored. Returns the id.
    static int addImageRef(int id);
    // Decodes a stream (type from the name's last three characters) into an
    // unnamed image; closes the stream. Fatal when it cannot be decoded.
    static int loadImage(SDL_RWops* stream, const char* name);
    static int loadImageFile(const char* name);
    // Take over a surface: converted to the display format, the original
    // freed. addSurface leaves it unnamed; LoadSurface registers the name
    // (when given) with one reference.
    static int addSurface(SDL_Surface* surface);
    static int LoadSurface(SDL_Surface* surface, const char* name);
    // A fully transparent image.
    static int createImage(int width, int height, const char* name);
    // The screen as it is now, and a blank image of the screen's size.
    static int copyScreen(const char* name);
    static int copySurface(const char* name);
    // A copy of a named image with every pixel's alpha shifted by dA.
    static int CopyImage(const char* sourceName, const char* newName, int dA);
    static void drawImageOnto(const char* name, int destinationId, int x, int y);

    // ---- Image series and derived images, made once at start-up and held
    // for the whole run.
    // count copies of the named image with lowered (or raised) alpha: the
    // highest member, count - 1, is shifted by step, each lower one by one
    // step more, member 0 by count * step. Members are named by
    // fadeSeriesName; a count of 0 or less makes nothing.
    static void createFadeSeries(const char* name, int count, int step);
    // CopyImage of every member first..last of a series into the
    // same-numbered member of another.
    static void copyImageSeries(const char* sourcePrefix, const char* newPrefix, int first, int last,
                                const char* suffix, int dA);
    // Acquires every member first..last; the id of the last, 0 when first is
    // above last.
    static int getImageSeriesNames(const char* prefix, int first, int last, const char* suffix);
    // A new image: the source with margins of the given widths around it,
    // their pixels all 0 (transparent where there is alpha).
    static int padImage(const char* sourceName, const char* newName, int left, int right, int top, int bottom);

    // ---- Preload: every image file of "resource2.dat" (or "resource/") into
    // memory, with the loading bar. The start-up lists (engine/PreloadLists.h)
    // follow it.
    static void preloadImages();

private:
    // The image's surface for drawing it, leaving the blitter's plan alone.
    static SDL_Surface* peekImageSurface(int id);
    // Blits an image of the table through our blitter where it can.
    static void blitImage(int id, SDL_Rect source, SDL_Surface* destination, SDL_Rect at);
    static void forgetBlitPlan(int id);
    static void forgetBlitPlans();
    static SDL_Surface* makeScreenSurface(bool copyPicture);
    static void drawLoadBar(int64_t progress);
    static void showOnDisplay(std::vector<SDL_Rect>& rects);
    static void showWholeScreen();
    static void preloadArchive();
    static void preloadFolder();
    static void addPreloadedFile(const std::string& name, std::vector<unsigned char> bytes);
    // Every entry of the image archive becomes a preloaded name; the
    // archive stays open to be read from when one is decoded.
    static void addArchivedFiles(std::unique_ptr<ArchiveFile> archive);
    // Worker threads decode the archived files of `order`, in that order,
    // until finishStartUpDecoding.
    static void decodeStartUpImages(const std::vector<std::string>& order);
    static void finishStartUpDecoding();
    static void clearImageNames();
    static void releaseImageStore();
};
