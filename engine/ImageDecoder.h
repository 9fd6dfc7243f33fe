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

// Decodes a PNG, JPEG or TGA file straight into a surface in the display's
// format, row by row, so a picture is written once instead of decoded and
// then converted in a second pass. The surface is the same, pixel for pixel
// and flag for flag, as the one decoding with SDL_image and converting with
// CDraw::toDisplayFormat gives.
//
// `display` is the screen's pixel format. Null for what the direct route
// does not take (another layout of the screen, palette, grey or 16-bit
// PNGs, transparency chunks, compressed or palette TGAs, damaged data): the
// caller then goes the long way, which also reports what is wrong. Safe on any thread: it touches no
// state of SDL but the surface it makes.
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
    // The picture of a job, once; null when the direct route does not take it.
    SDL_Surface* take(int job);
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
        SDL_Surface* surface = nullptr;
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
