#pragma once

#include "engine/ResourceArchive.h"

#include <SDL.h>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The largest picture the game takes, on either side. The screen is
// 800 x 600 and no picture of the game comes near; a file that declares
// more is damaged or hostile, and is refused before anything is allocated
// for it.
constexpr int PICTURE_SIDE_MAX = 4096;

// The 32-bit RGB layout of the usual display (x8r8g8b8). A picture decoded
// for a screen laid out otherwise, or before there is a screen, comes out in
// it for the caller to convert.
const SDL_PixelFormat& directPictureLayout();

// What decoding a picture file gave.
struct DecodedPicture {
    SDL_Surface* surface = nullptr; // the caller's to free
    // The surface is in the display's format already; else it is as
    // decoded, for the caller to convert.
    bool displayFormat = false;
    // The decoding library's warnings, in order.
    std::vector<std::string> warnings;
    // Why there is no picture. Empty (with no surface) when the file is
    // left to SDL_image: a kind of file the direct route does not take,
    // whose size has been checked already.
    std::string failure;
};

// Decodes a PNG, JPEG or TGA file straight into a surface in the display's
// format, row by row, so a picture is written once instead of decoded and
// then converted in a second pass. The surface is the same, pixel for pixel
// and flag for flag, as the one decoding with SDL_image and converting with
// CDraw::toDisplayFormat gives.
//
// Every PNG is read here, never by SDL_image, so that libpng's warnings and
// errors reach the caller (and the game's log) instead of standard output:
// those the direct route does not take (palette, grey, 16-bit, transparency
// chunks, or a screen of another layout) come out in 32-bit RGB or ARGB
// for the caller to convert. JPEGs other than three-channel ones, TGAs
// other than uncompressed true-colour ones and BMPs are left to SDL_image,
// once their declared size is known to be within PICTURE_SIDE_MAX; other
// kinds of file are refused.
//
// `display` is the screen's pixel format; null before there is a screen
// (no direct route). Safe on any thread: it touches no state of SDL but the
// surface it makes.
DecodedPicture decodePicture(const unsigned char* bytes, size_t size, const std::string& type,
                             const SDL_PixelFormat* display);

// A whole picture file (the loading screen's, the intro's, the icon), read
// and decoded the same bounded way, without the direct route, and not
// converted: a PNG by libpng here, the rest by SDL_image. Null, with the
// reason in `failure`, when there is no picture.
SDL_Surface* readPictureFile(const std::string& path, const std::string& type, std::string& failure);

// The direct route alone: a surface in the display's format, or null for
// anything else.
SDL_Surface* decodeToDisplayFormat(const unsigned char* bytes, size_t size, const std::string& type,
                                   const SDL_PixelFormat& display);

// Decodes a list of pictures on worker threads, in the order given, while
// the main thread goes on with start-up; take() hands out a picture when its
// turn comes, decoding it on the spot when no worker has begun it yet. The
// bytes (or the archive) must stay alive until the decoder is finished.
class ImageDecoder
{
public:
    ImageDecoder() = default;
    ~ImageDecoder();
    ImageDecoder(const ImageDecoder&) = delete;
    ImageDecoder& operator=(const ImageDecoder&) = delete;

    // Queues one picture (before start); returns its job number. A picture
    // of an archive is read from it by the worker that decodes it.
    int add(const unsigned char* bytes, size_t size, const std::string& type);
    int add(const ArchiveFile& archive, uint32_t index, const std::string& type);
    // Starts up to `threads` workers for the display format.
    void start(const SDL_PixelFormat& display, int threads);
    // The picture of a job, once (see decodePicture); a job taken already,
    // or no such job, gives no surface and no failure.
    DecodedPicture take(int job);
    // Stops the workers and frees every picture never taken.
    void finish();

    // Workers for this machine: one fewer than its cores, at least one.
    static int defaultThreads();

private:
    enum class State { Waiting, Decoding, Done, Taken };
    struct Job {
        const unsigned char* bytes;
        size_t size;
        const ArchiveFile* archive;
        uint32_t index;
        std::string type;
        State state = State::Waiting;
        DecodedPicture picture;
    };

    void work();
    // Claims the next waiting job; -1 when none is left.
    int claim(std::unique_lock<std::mutex>& lock);
    void run(int job, std::unique_lock<std::mutex>& lock);

    std::vector<Job> jobs_;
    SDL_PixelFormat display_{};
    size_t next_ = 0;
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<std::thread> workers_;
};
