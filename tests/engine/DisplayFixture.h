#pragma once

#include "engine/Draw.h"
#include "engine/PreloadLists.h"
#include "engine/PreloadTable.h"
#include "engine/ResourceArchive.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

// Rectangles compare and print in test messages.
inline bool operator==(const DirtyRect& a, const DirtyRect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

inline std::ostream& operator<<(std::ostream& out, const DirtyRect& r)
{
    return out << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

namespace corvelle_test {

inline std::vector<ArchiveEntry> withStartUpImages(std::vector<ArchiveEntry> entries);

// A game folder with the built start-up pictures as the working folder, and
// the display open on it (under the dummy video driver).
class DisplayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        dir_ = makeTempDir("game");
        for (const char* file : {"resource0.dat", "resource1.dat", "resource7.dat"})
            std::filesystem::copy_file(resourceDir() + "/" + file, dir_ + "/" + file);
        cwd_ = std::make_unique<ScopedWorkingDir>(dir_);
        CDraw::setDeveloperMode(false);
        display_ = std::make_unique<CDraw>();
    }

    void TearDown() override
    {
        CDraw::setDisplayUpdateObserverForTesting(nullptr);
        CDraw::setDirtyRectSource(nullptr, nullptr);
        setTickSourceForTesting(nullptr);
        display_.reset();
        cwd_.reset();
    }

    // Packs the entries, with stand-ins for the start-up images, into
    // resource2.dat and runs the image preload and the start-up lists.
    void preload(const std::vector<ArchiveEntry>& entries)
    {
        writeArchive(packResourceArchive(withStartUpImages(entries)));
        CDraw::preloadImages();
    }

    void writeArchive(const std::vector<unsigned char>& bytes)
    {
        writeFile(dir_ + "/resource2.dat", std::string(bytes.begin(), bytes.end()));
    }

    // Records every rectangle that reaches the display.
    void watchDisplayUpdates()
    {
        updates_.clear();
        CDraw::setDisplayUpdateObserverForTesting([this](const std::vector<SDL_Rect>& rects) {
            for (const SDL_Rect& r : rects)
                updates_.push_back({r.x, r.y, r.w, r.h});
        });
    }

    std::string dir_;
    std::unique_ptr<ScopedWorkingDir> cwd_;
    std::unique_ptr<CDraw> display_;
    std::vector<DirtyRect> updates_;
};

struct Rgba {
    Uint8 r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

inline std::ostream& operator<<(std::ostream& out, const Rgba& c)
{
    return out << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

inline Rgba pixelAt(SDL_Surface* surface, int x, int y)
{
    Rgba c;
    SDL_GetRGBA(CDraw::getPixel(surface, x, y), surface->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}

// A decoded file of the game folder, in the display's format.
inline SDL_Surface* decodeFile(const char* file)
{
    return CDraw::toDisplayFormat(IMG_Load(file), true);
}

// An uncompressed 32-bit TGA of one colour.
inline std::vector<unsigned char> tgaBytes(int width, int height, Rgba c)
{
    std::vector<unsigned char> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int v : {width, height}) {
        out.push_back(static_cast<unsigned char>(v & 0xFF));
        out.push_back(static_cast<unsigned char>(v >> 8));
    }
    out.push_back(32);
    out.push_back(0x28);
    for (int i = 0; i < width * height; ++i)
        out.insert(out.end(), {c.b, c.g, c.r, c.a});
    return out;
}

// A 24-bit BMP (no alpha) of one colour.
inline std::vector<unsigned char> bmpBytes(int width, int height, Rgba c)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, c.r, c.g, c.b));
    std::string path = TemporaryHome::path() + "/fixture.bmp";
    SDL_SaveBMP(surface, path.c_str());
    SDL_FreeSurface(surface);
    std::string bytes = readFile(path);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

// A PNG of any kind, its rows stored (not compressed) as given: each raw
// row is the filter byte 0 and the row's bytes. `chunks` go between the
// header and the data (PLTE, tRNS, tEXt...); `badCrc` names one whose
// checksum is spoilt.
struct PngChunk {
    std::string type;
    std::vector<unsigned char> data;
    bool badCrc = false;
};

inline std::vector<unsigned char> pngOfKind(uint32_t width, uint32_t height, int bitDepth, int colourType,
                                            const std::vector<unsigned char>& rowBytes, const std::vector<PngChunk>& chunks)
{
    auto crc32 = [](const std::vector<unsigned char>& data) {
        uint32_t crc = 0xFFFFFFFFu;
        for (unsigned char byte : data) {
            crc ^= byte;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return crc ^ 0xFFFFFFFFu;
    };
    auto u32 = [](std::vector<unsigned char>& out, uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<unsigned char>(v >> shift));
    };
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&](const PngChunk& c) {
        u32(out, static_cast<uint32_t>(c.data.size()));
        std::vector<unsigned char> body(c.type.begin(), c.type.end());
        body.insert(body.end(), c.data.begin(), c.data.end());
        out.insert(out.end(), body.begin(), body.end());
        u32(out, crc32(body) ^ (c.badCrc ? 1u : 0u));
    };
    std::vector<unsigned char> header;
    u32(header, width);
    u32(header, height);
    header.insert(header.end(), {static_cast<unsigned char>(bitDepth), static_cast<unsigned char>(colourType), 0, 0, 0});
    chunk({"IHDR", header});
    for (const PngChunk& c : chunks)
        chunk(c);
    std::vector<unsigned char> raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rowBytes.begin(), rowBytes.end());
    }
    std::vector<unsigned char> zlib = {0x78, 0x01, 1};
    uint16_t length = static_cast<uint16_t>(raw.size());
    uint16_t complement = static_cast<uint16_t>(~length);
    zlib.insert(zlib.end(), {static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
                             static_cast<unsigned char>(complement), static_cast<unsigned char>(complement >> 8)});
    zlib.insert(zlib.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    u32(zlib, (b << 16) | a);
    chunk({"IDAT", zlib});
    chunk({"IEND", {}});
    return out;
}

// A shipped JPEG whose frame header declares another size (the data stays
// that of the real picture).
// An RGBA PNG of one colour (stored, not compressed).
inline std::vector<unsigned char> pngBytes(int width, int height, Rgba c)
{
    std::vector<unsigned char> row;
    for (int x = 0; x < width; ++x)
        row.insert(row.end(), {c.r, c.g, c.b, c.a});
    return pngOfKind(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 8, 6, row, {});
}

// The entries followed by a one-pixel stand-in for every start-up image that
// they lack, so that the start-up lists find all their names.
inline std::vector<ArchiveEntry> withStartUpImages(std::vector<ArchiveEntry> entries)
{
    static const std::vector<unsigned char> tga = tgaBytes(1, 1, {90, 60, 30, 255});
    static const std::vector<unsigned char> bmp = bmpBytes(1, 1, {30, 60, 90, 255});
    std::set<std::string> present;
    for (const ArchiveEntry& e : entries)
        present.insert(e.name);
    for (const std::string& name : preload::startUpNames().archived)
        if (!present.count(name))
            // Bitmaps are found by their signature whatever the name says; TGA
            // has none and is decoded only under its own extension.
            entries.push_back({name, name.compare(name.size() - 4, 4, ".tga") == 0 ? tga : bmp});
    return entries;
}

// The last line of the error log.
inline std::string lastErrorLogLine()
{
    std::string log = readFile(std::string(getProfileDirectory()) + "LOG.TXT");
    size_t end = log.empty() ? 0 : log.size() - 1;
    size_t start = log.rfind(" - ", end);
    return start == std::string::npos ? "" : log.substr(start + 3);
}

} // namespace corvelle_test
