#include "engine/ImageDecoder.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <csetjmp>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <algorithm>

namespace {

// The direct route writes 32-bit pixels with red, green and blue from the
// high byte down; a screen laid out otherwise goes the long way.
bool displayTakesDirectRoute(const SDL_PixelFormat& display)
{
    return display.BytesPerPixel == 4 && display.Rmask == 0x00FF0000 && display.Gmask == 0x0000FF00 &&
           display.Bmask == 0x000000FF;
}

// What the display format of a picture is: with an alpha channel it keeps
// one (alpha in the high byte, blended when drawn); without, it takes the
// screen's own format, whose spare byte stays 0.
SDL_Surface* makeSurface(int width, int height, bool alpha, const SDL_PixelFormat& display)
{
    if (alpha) {
        SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, width, height, 32, 0x00FF0000,
                                                    0x0000FF00, 0x000000FF, 0xFF000000);
        // The conversion leaves a per-pixel alpha surface's own alpha at 0.
        if (surface)
            SDL_SetAlpha(surface, SDL_SRCALPHA, 0);
        return surface;
    }
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, display.Rmask, display.Gmask, display.Bmask,
                                display.Amask);
}

// ---- PNG ---------------------------------------------------------------

struct PngInput {
    const unsigned char* bytes;
    size_t size;
    size_t position;
};

void readPng(png_structp png, png_bytep out, png_size_t length)
{
    auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
    if (length > input->size - input->position)
        png_error(png, "truncated");
    memcpy(out, input->bytes + input->position, length);
    input->position += length;
}

// Damage ends the read through libpng's jump; nothing is printed.
void pngFailed(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void pngWarning(png_structp, png_const_charp) {}

// Only 8-bit RGB and RGBA without a transparency chunk, as the game's
// pictures are; the rest goes the long way.
SDL_Surface* decodePng(const unsigned char* bytes, size_t size, const SDL_PixelFormat& display)
{
    if (size < 8 || png_sig_cmp(bytes, 0, 8) != 0)
        return nullptr;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngFailed, pngWarning);
    if (!png)
        return nullptr;
    png_infop info = png_create_info_struct(png);
    PngInput input{bytes, size, 0};
    SDL_Surface* volatile surface = nullptr;
    std::vector<png_bytep>* volatile rows = new std::vector<png_bytep>;
    if (!info || setjmp(png_jmpbuf(png))) {
        SDL_FreeSurface(surface);
        delete rows;
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return nullptr;
    }
    png_set_read_fn(png, &input, readPng);
    png_read_info(png, info);
    const int colourType = png_get_color_type(png, info);
    const bool alpha = colourType == PNG_COLOR_TYPE_RGB_ALPHA;
    if (png_get_bit_depth(png, info) != 8 || (colourType != PNG_COLOR_TYPE_RGB && !alpha) ||
        png_get_valid(png, info, PNG_INFO_tRNS))
        png_longjmp(png, 1);
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    surface = makeSurface(width, height, alpha, display);
    if (!surface)
        png_longjmp(png, 1);
    rows->resize(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        (*rows)[static_cast<size_t>(y)] = static_cast<png_bytep>(surface->pixels) + y * surface->pitch;
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    delete rows;
    png_destroy_read_struct(&png, &info, nullptr);
    return surface;
}

// ---- JPEG --------------------------------------------------------------

struct JpegErrors {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void jpegFailed(j_common_ptr info) { longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }
void jpegMessage(j_common_ptr) {}

// Three-channel JPEGs, each row written in the display's order as it comes.
SDL_Surface* decodeJpeg(const unsigned char* bytes, size_t size, const SDL_PixelFormat& display)
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFailed;
    errors.manager.output_message = jpegMessage;
    SDL_Surface* volatile surface = nullptr;
    if (setjmp(errors.jump)) {
        SDL_FreeSurface(surface);
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.num_components != 3)
        longjmp(errors.jump, 1);
    info.out_color_space = JCS_EXT_BGRX;
    info.quantize_colors = FALSE;
    jpeg_start_decompress(&info);
    surface = makeSurface(static_cast<int>(info.output_width), static_cast<int>(info.output_height), false, display);
    if (!surface)
        longjmp(errors.jump, 1);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW row = static_cast<JSAMPROW>(surface->pixels) + y * surface->pitch;
        jpeg_read_scanlines(&info, &row, 1);
        // The decoder fills the spare byte; the display format keeps it 0.
        Uint32* pixels = reinterpret_cast<Uint32*>(row);
        for (int x = 0; x < surface->w; ++x)
            pixels[x] &= 0x00FFFFFF;
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return surface;
}

// ---- TGA ---------------------------------------------------------------

// Uncompressed true-colour TGAs of 24 or 32 bits (blue, green, red and
// alpha in that order, as the display's format has them), rows from the
// bottom up unless the header says otherwise.
SDL_Surface* decodeTga(const unsigned char* bytes, size_t size, const SDL_PixelFormat& display)
{
    constexpr size_t kHeader = 18;
    if (size < kHeader)
        return nullptr;
    const int idLength = bytes[0], colourMap = bytes[1], imageType = bytes[2], bits = bytes[16], flags = bytes[17];
    const int width = bytes[12] | bytes[13] << 8;
    const int height = bytes[14] | bytes[15] << 8;
    constexpr int kUncompressedTrueColour = 2, kFromTheTop = 0x20, kRightToLeftOrInterleaved = 0xD0;
    if (colourMap != 0 || imageType != kUncompressedTrueColour || (bits != 24 && bits != 32) ||
        (flags & kRightToLeftOrInterleaved) || width == 0 || height == 0)
        return nullptr;
    const size_t pixelBytes = static_cast<size_t>(bits / 8);
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    const unsigned char* pixels = bytes + kHeader + idLength;
    if (size < kHeader + idLength + rowBytes * static_cast<size_t>(height))
        return nullptr;
    SDL_Surface* surface = makeSurface(width, height, bits == 32, display);
    if (!surface)
        return nullptr;
    for (int y = 0; y < height; ++y) {
        const unsigned char* source = pixels + rowBytes * static_cast<size_t>(y);
        const int row = (flags & kFromTheTop) ? y : height - 1 - y;
        Uint8* target = static_cast<Uint8*>(surface->pixels) + row * surface->pitch;
        if (bits == 32) {
            memcpy(target, source, rowBytes);
            continue;
        }
        Uint32* out = reinterpret_cast<Uint32*>(target);
        for (int x = 0; x < width; ++x, source += 3)
            out[x] = static_cast<Uint32>(source[0]) | static_cast<Uint32>(source[1]) << 8 |
                     static_cast<Uint32>(source[2]) << 16;
    }
    return surface;
}

bool sameType(const std::string& type, const char* wanted)
{
    return type.size() == strlen(wanted) &&
           std::equal(type.begin(), type.end(), wanted, [](char a, char b) { return tolower(a) == b; });
}

} // namespace

SDL_Surface* decodeToDisplayFormat(const unsigned char* bytes, size_t size, const std::string& type,
                                   const SDL_PixelFormat& display)
{
    if (!bytes || !displayTakesDirectRoute(display))
        return nullptr;
    if (sameType(type, "png"))
        return decodePng(bytes, size, display);
    if (sameType(type, "jpg"))
        return decodeJpeg(bytes, size, display);
    if (sameType(type, "tga"))
        return decodeTga(bytes, size, display);
    return nullptr;
}

// ---- the decoder's workers -----------------------------------------------

ImageDecoder::~ImageDecoder() { finish(); }

int ImageDecoder::add(const unsigned char* bytes, size_t size, const std::string& type)
{
    jobs_.push_back(Job{bytes, size, nullptr, 0, type});
    return static_cast<int>(jobs_.size()) - 1;
}

int ImageDecoder::add(const ArchiveFile& archive, uint32_t index, const std::string& type)
{
    jobs_.push_back(Job{nullptr, 0, &archive, index, type});
    return static_cast<int>(jobs_.size()) - 1;
}

void ImageDecoder::start(const SDL_PixelFormat& display, int threads)
{
    display_ = display;
    display_.palette = nullptr;
    const int count = std::min<int>(threads, static_cast<int>(jobs_.size()));
    for (int i = 0; i < count; ++i)
        workers_.emplace_back(&ImageDecoder::work, this);
}

int ImageDecoder::defaultThreads()
{
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::max(1, cores - 1);
}

int ImageDecoder::claim(std::unique_lock<std::mutex>&)
{
    while (next_ < jobs_.size() && jobs_[next_].state != State::Waiting)
        ++next_;
    if (stopping_ || next_ >= jobs_.size())
        return -1;
    return static_cast<int>(next_++);
}

// Decodes with the lock released; the job's own fields are the only state
// touched outside it.
void ImageDecoder::run(int job, std::unique_lock<std::mutex>& lock)
{
    Job& j = jobs_[static_cast<size_t>(job)];
    j.state = State::Decoding;
    lock.unlock();
    SDL_Surface* surface = nullptr;
    if (!j.archive) {
        surface = decodeToDisplayFormat(j.bytes, j.size, j.type, display_);
    } else {
        std::vector<unsigned char> bytes;
        if (j.archive->read(j.index, bytes))
            surface = decodeToDisplayFormat(bytes.data(), bytes.size(), j.type, display_);
    }
    lock.lock();
    j.surface = surface;
    j.state = State::Done;
    done_.notify_all();
}

void ImageDecoder::work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (int job = claim(lock); job >= 0; job = claim(lock))
        run(job, lock);
}

SDL_Surface* ImageDecoder::take(int job)
{
    if (job < 0 || job >= static_cast<int>(jobs_.size()))
        return nullptr;
    std::unique_lock<std::mutex> lock(mutex_);
    Job& j = jobs_[static_cast<size_t>(job)];
    if (j.state == State::Waiting)
        run(job, lock);
    done_.wait(lock, [&] { return j.state == State::Done || j.state == State::Taken; });
    SDL_Surface* surface = j.surface;
    j.surface = nullptr;
    j.state = State::Taken;
    return surface;
}

void ImageDecoder::finish()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
    for (Job& job : jobs_)
        SDL_FreeSurface(job.surface);
    jobs_.clear();
    next_ = 0;
    stopping_ = false;
}
