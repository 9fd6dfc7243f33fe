#include "ImageWriters.h"

#include <turbojpeg.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Straight (non-premultiplied) RGBA of pixel (x, y).
void straightPixel(cairo_surface_t* surface, int x, int y, uint8_t rgba[4])
{
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
    uint32_t a = argb >> 24;
    uint32_t channel[3] = {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF};
    for (int i = 0; i < 3; ++i)
        rgba[i] = static_cast<uint8_t>(a ? (channel[i] * 255 + a / 2) / a : 0);
    rgba[3] = static_cast<uint8_t>(a);
}

// One row of pixels as blue, green, red (and alpha), as TGA and BMP store them.
void appendRowBgr(cairo_surface_t* surface, int y, bool withAlpha, std::vector<unsigned char>& out)
{
    for (int x = 0; x < cairo_image_surface_get_width(surface); ++x) {
        uint8_t rgba[4];
        straightPixel(surface, x, y, rgba);
        out.push_back(rgba[2]);
        out.push_back(rgba[1]);
        out.push_back(rgba[0]);
        if (withAlpha)
            out.push_back(rgba[3]);
    }
}

bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

void put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

bool writePng(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool writeJpeg(cairo_surface_t* surface, const std::string& path, int quality)
{
    cairo_surface_flush(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t rgba[4];
            straightPixel(surface, x, y, rgba);
            // JPEG has no alpha: composite onto black as the surface shows.
            unsigned char* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            for (int i = 0; i < 3; ++i)
                out[i] = static_cast<unsigned char>(rgba[i] * rgba[3] / 255);
        }
    tjhandle handle = tjInitCompress();
    if (!handle)
        return false;
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    int result = tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, quality,
                             TJFLAG_ACCURATEDCT);
    bool ok = result == 0 && writeBytes(path, std::vector<unsigned char>(jpeg, jpeg + size));
    tjFree(jpeg);
    tjDestroy(handle);
    return ok;
}

bool writeTga(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    std::vector<unsigned char> out;
    out.push_back(0);   // no image id
    out.push_back(0);   // no colour map
    out.push_back(2);   // uncompressed true colour
    for (int i = 0; i < 5; ++i)
        out.push_back(0); // no colour map: origin, length, entry size
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<unsigned>(width));
    put16(out, static_cast<unsigned>(height));
    out.push_back(32);
    out.push_back(0x28); // 8 alpha bits, rows stored top to bottom
    for (int y = 0; y < height; ++y)
        appendRowBgr(surface, y, true, out);
    return writeBytes(path, out);
}

bool writeBmp(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    int rowBytes = (width * 3 + 3) & ~3;
    uint32_t imageSize = static_cast<uint32_t>(rowBytes) * height;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        appendRowBgr(surface, y, false, out);
        for (int pad = width * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return writeBytes(path, out);
}

bool writeInFormatOf(cairo_surface_t* surface, const std::string& path, const std::string& formatName)
{
    if (endsWith(formatName, ".png") || endsWith(formatName, ".dat"))
        return writePng(surface, path);
    if (endsWith(formatName, ".jpg"))
        return writeJpeg(surface, path);
    if (endsWith(formatName, ".tga"))
        return writeTga(surface, path);
    if (endsWith(formatName, ".bmp"))
        return writeBmp(surface, path);
    return false;
}

bool writeByExtension(cairo_surface_t* surface, const std::string& path)
{
    return writeInFormatOf(surface, path, path);
}
