#pragma once

// StartupBench's baseline: what start-up cannot do without, reading the
// image archive and decoding every picture in it with SDL_image, on a given
// number of threads. Each entry is decoded by the type its name ends in (as
// the game asks for it): SDL_image cannot tell a TGA by its bytes alone.
#include "engine/ResourceArchive.h"

#include <SDL.h>
#include <SDL_image.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct BaselineDecode {
    double ms = 0;
    double pixelBytes = 0;
    double archiveBytes = 0;
    uint32_t entries = 0;
    // The names of the entries that did not decode (or the archive's error).
    std::vector<std::string> failed;
};

inline BaselineDecode decodeImageArchive(const std::string& path, int threads)
{
    auto start = std::chrono::steady_clock::now();
    BaselineDecode d;
    ArchiveFile archive;
    if (!archive.open(path)) {
        d.failed.push_back(path + ": " + archive.error());
        return d;
    }
    d.entries = archive.count();
    // The decoders are loaded once, before any thread asks for them.
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    std::atomic<uint32_t> next{0};
    std::mutex results;
    auto work = [&] {
        std::vector<unsigned char> bytes;
        for (uint32_t i = next++; i < archive.count(); i = next++) {
            const std::string& name = archive.name(i);
            SDL_Surface* picture = nullptr;
            if (archive.read(i, bytes)) {
                std::string type = name.size() > 3 ? name.substr(name.size() - 3) : name;
                picture = IMG_LoadTyped_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1,
                                           &type[0]);
            }
            std::lock_guard<std::mutex> lock(results);
            d.archiveBytes += static_cast<double>(bytes.size());
            if (!picture) {
                d.failed.push_back(name);
                continue;
            }
            d.pixelBytes += static_cast<double>(picture->w) * picture->h * 4;
            SDL_FreeSurface(picture);
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    d.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return d;
}
