#include "engine/ImageDecoder.h"

#include <SDL_image.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <csetjmp>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <cstdint>

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

std::string sizeText(long width, long height)
{
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// Empty when a picture of that size can be taken; else why not.
std::string refusedSize(long width, long height)
{
    if (width <= 0 || height <= 0)
        return "it declares " + sizeText(width, height);
    if (width > PICTURE_SIDE_MAX || height > PICTURE_SIDE_MAX)
        return "it declares " + sizeText(width, height) + ", more than the " +
               sizeText(PICTURE_SIDE_MAX, PICTURE_SIDE_MAX) + " the game takes";
    return "";
}

} // namespace

const SDL_PixelFormat& directPictureLayout()
{
    static const SDL_PixelFormat layout = [] {
        SDL_PixelFormat format{};
        format.BitsPerPixel = 32;
        format.BytesPerPixel = 4;
        format.Rmask = 0x00FF0000;
        format.Gmask = 0x0000FF00;
        format.Bmask = 0x000000FF;
        return format;
    }();
    return layout;
}

namespace {

// ---- PNG ---------------------------------------------------------------

constexpr size_t PNG_SIGNATURE = 8;
// The most libpng may allocate at once. A chunk declares its own length,
// up to 2 GiB, and libpng allocates that much for a text chunk before it
// finds the file far shorter; rows of the largest picture taken and the
// game's own chunks need a small part of this.
constexpr png_alloc_size_t PNG_ALLOCATION_MAX = 4 << 20;

png_voidp pngAllocate(png_structp, png_alloc_size_t size)
{
    return size <= PNG_ALLOCATION_MAX ? malloc(size) : nullptr;
}

void pngFree(png_structp, png_voidp memory) { free(memory); }

bool isPng(const unsigned char* bytes, size_t size)
{
    return size >= PNG_SIGNATURE && png_sig_cmp(bytes, 0, PNG_SIGNATURE) == 0;
}

struct PngInput {
    const unsigned char* bytes;
    size_t size;
    size_t position;
    DecodedPicture* out;
};

void readPng(png_structp png, png_bytep out, png_size_t length)
{
    auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
    if (length > input->size - input->position)
        png_error(png, "the file ends early");
    memcpy(out, input->bytes + input->position, length);
    input->position += length;
}

// libpng's words go to the picture's report, never to standard output. A
// message may hold bytes of a damaged chunk's name: only printable ones are
// kept.
std::string printable(png_const_charp message)
{
    std::string text;
    for (const char* c = message; c && *c; ++c)
        text += (*c >= 0x20 && *c < 0x7F) ? *c : '?';
    return text;
}

void pngFailed(png_structp png, png_const_charp message)
{
    static_cast<PngInput*>(png_get_io_ptr(png))->out->failure = "libpng: " + printable(message);
    png_longjmp(png, 1);
}

void pngWarning(png_structp png, png_const_charp message)
{
    // A warning from before the input is set has nowhere to go.
    if (auto* input = static_cast<PngInput*>(png_get_io_ptr(png)))
        input->out->warnings.push_back("libpng: " + printable(message));
}

// The game's own pictures, 8-bit RGB and RGBA without a transparency chunk,
// come out in the display's format; every other PNG is expanded to 8-bit
// RGB or RGBA in the same layout, for the caller to convert when the screen
// is not laid out that way.
void decodePng(const unsigned char* bytes, size_t size, const SDL_PixelFormat* display, DecodedPicture& out)
{
    PngInput input{bytes, size, 0, &out};
    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &input, pngFailed, pngWarning, nullptr,
                                               pngAllocate, pngFree);
    if (!png) {
        out.failure = "libpng could not start";
        return;
    }
    png_infop info = png_create_info_struct(png);
    SDL_Surface* volatile surface = nullptr;
    std::vector<png_bytep>* volatile rows = new std::vector<png_bytep>;
    if (!info || setjmp(png_jmpbuf(png))) {
        SDL_FreeSurface(surface);
        delete rows;
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (out.failure.empty())
            out.failure = "libpng could not read it";
        return;
    }
    png_set_read_fn(png, &input, readPng);
    png_read_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    out.failure = refusedSize(width, height);
    if (!out.failure.empty())
        png_longjmp(png, 1);
    const bool alpha =
        (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const bool direct = display && displayTakesDirectRoute(*display);
    surface = makeSurface(width, height, alpha, direct ? *display : directPictureLayout());
    if (!surface) {
        out.failure = "no memory for " + sizeText(width, height);
        png_longjmp(png, 1);
    }
    rows->resize(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        (*rows)[static_cast<size_t>(y)] = static_cast<png_bytep>(surface->pixels) + y * surface->pitch;
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    delete rows;
    png_destroy_read_struct(&png, &info, nullptr);
    out.surface = surface;
    out.displayFormat = direct;
}

// ---- JPEG --------------------------------------------------------------

bool isJpeg(const unsigned char* bytes, size_t size)
{
    return size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

// A progressive JPEG may hold any number of scans, each going over the
// whole picture again; the game's have a handful.
constexpr int JPEG_SCANS_MAX = 100;

struct JpegErrors {
    jpeg_error_mgr manager;
    jpeg_progress_mgr progress;
    jmp_buf jump;
    const char* refusal = nullptr; // why the decoding was stopped, when it was not libjpeg's error
};

void jpegFailed(j_common_ptr info) { longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }
void jpegMessage(j_common_ptr) {}

// A JPEG whose data ends before its last row, at the end of the file or at a
// marker in the middle of the data, is damaged. libjpeg would warn, fill
// the rest with grey and go on through every row the header claims, so a
// file of a hundred bytes could keep a worker busy: the decoding stops where
// the data does.
void jpegNotice(j_common_ptr info, int level)
{
    if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER))
        jpegFailed(info);
}

void jpegProgress(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > JPEG_SCANS_MAX) {
        errors->refusal = "the JPEG file has more scans than a picture needs";
        longjmp(errors->jump, 1);
    }
}

std::string jpegFailure(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    info->err->format_message(info, text);
    return std::string("libjpeg: ") + text;
}

// The size a JPEG's header declares; false (with the reason) when the
// header cannot be read.
bool jpegSize(const unsigned char* bytes, size_t size, long& width, long& height, std::string& failure)
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFailed;
    errors.manager.output_message = jpegMessage;
    if (setjmp(errors.jump)) {
        failure = jpegFailure(reinterpret_cast<j_common_ptr>(&info));
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    width = info.image_width;
    height = info.image_height;
    jpeg_destroy_decompress(&info);
    return true;
}

// Three-channel JPEGs, each row written in the display's order as it comes;
// the rest is left to SDL_image.
void decodeJpeg(const unsigned char* bytes, size_t size, const SDL_PixelFormat& display, DecodedPicture& out)
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFailed;
    errors.manager.output_message = jpegMessage;
    errors.manager.emit_message = jpegNotice;
    SDL_Surface* volatile surface = nullptr;
    if (setjmp(errors.jump)) {
        SDL_FreeSurface(surface);
        if (errors.refusal)
            out.failure = errors.refusal;
        else if (out.failure.empty())
            out.failure = jpegFailure(reinterpret_cast<j_common_ptr>(&info));
        jpeg_destroy_decompress(&info);
        return;
    }
    jpeg_create_decompress(&info);
    errors.progress.progress_monitor = jpegProgress;
    info.progress = &errors.progress;
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    out.failure = refusedSize(info.image_width, info.image_height);
    if (!out.failure.empty())
        longjmp(errors.jump, 1);
    if (info.num_components != 3) {
        jpeg_destroy_decompress(&info);
        return;
    }
    info.out_color_space = JCS_EXT_BGRX;
    info.quantize_colors = FALSE;
    jpeg_start_decompress(&info);
    surface = makeSurface(static_cast<int>(info.output_width), static_cast<int>(info.output_height), false, display);
    if (!surface) {
        out.failure = "no memory for " + sizeText(info.output_width, info.output_height);
        longjmp(errors.jump, 1);
    }
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
    out.surface = surface;
    out.displayFormat = true;
}

// ---- TGA ---------------------------------------------------------------

constexpr size_t TGA_HEADER = 18;

int tgaWidth(const unsigned char* bytes) { return bytes[12] | bytes[13] << 8; }
int tgaHeight(const unsigned char* bytes) { return bytes[14] | bytes[15] << 8; }

// Uncompressed true-colour TGAs of 24 or 32 bits (blue, green, red and
// alpha in that order, as the display's format has them), rows from the
// bottom up unless the header says otherwise; the rest is left to
// SDL_image.
void decodeTga(const unsigned char* bytes, size_t size, const SDL_PixelFormat& display, DecodedPicture& out)
{
    if (size < TGA_HEADER)
        return;
    const int idLength = bytes[0], colourMap = bytes[1], imageType = bytes[2], bits = bytes[16], flags = bytes[17];
    const int width = tgaWidth(bytes), height = tgaHeight(bytes);
    constexpr int kUncompressedTrueColour = 2, kFromTheTop = 0x20, kRightToLeftOrInterleaved = 0xD0;
    if (colourMap != 0 || imageType != kUncompressedTrueColour || (bits != 24 && bits != 32) ||
        (flags & kRightToLeftOrInterleaved) || width == 0 || height == 0)
        return;
    const size_t pixelBytes = static_cast<size_t>(bits / 8);
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    const unsigned char* pixels = bytes + TGA_HEADER + idLength;
    if (size < TGA_HEADER + idLength + rowBytes * static_cast<size_t>(height))
        return;
    out.failure = refusedSize(width, height);
    if (!out.failure.empty())
        return;
    SDL_Surface* surface = makeSurface(width, height, bits == 32, display);
    if (!surface) {
        out.failure = "no memory for " + sizeText(width, height);
        return;
    }
    for (int y = 0; y < height; ++y) {
        const unsigned char* source = pixels + rowBytes * static_cast<size_t>(y);
        const int row = (flags & kFromTheTop) ? y : height - 1 - y;
        Uint8* target = static_cast<Uint8*>(surface->pixels) + row * surface->pitch;
        if (bits == 32) {
            memcpy(target, source, rowBytes);
            continue;
        }
        Uint32* outRow = reinterpret_cast<Uint32*>(target);
        for (int x = 0; x < width; ++x, source += 3)
            outRow[x] = static_cast<Uint32>(source[0]) | static_cast<Uint32>(source[1]) << 8 |
                        static_cast<Uint32>(source[2]) << 16;
    }
    out.surface = surface;
    out.displayFormat = true;
}

// ---- what SDL_image is left -----------------------------------------------

uint32_t littleEndian32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint32_t bigEndian32(const unsigned char* p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// SDL_image picks its reader by the file's first bytes (a TGA, which has
// none, by the name), so the size is read the same way: from the header of
// whatever the file holds. Sets the failure when the file is of another
// kind, its header cannot be read or it declares too large a picture.
void checkLeftToSdlImage(const unsigned char* bytes, size_t size, bool namedTga, DecodedPicture& out)
{
    long width = 0, height = 0;
    if (namedTga) {
        // SDL_image takes a file named so as a TGA whatever it begins with.
        if (size < TGA_HEADER) {
            out.failure = "the TGA file is shorter than its header";
            return;
        }
        width = tgaWidth(bytes);
        height = tgaHeight(bytes);
    } else if (isPng(bytes, size)) {
        if (size < 24 || memcmp(bytes + 12, "IHDR", 4) != 0) {
            out.failure = "the PNG file does not begin with its header";
            return;
        }
        width = bigEndian32(bytes + 16);
        height = bigEndian32(bytes + 20);
    } else if (isJpeg(bytes, size)) {
        if (!jpegSize(bytes, size, width, height, out.failure))
            return;
    } else if (size >= 26 && bytes[0] == 'B' && bytes[1] == 'M') {
        const bool core = littleEndian32(bytes + 14) == 12; // the oldest header, of 16-bit sizes
        width = core ? (bytes[18] | bytes[19] << 8) : static_cast<int32_t>(littleEndian32(bytes + 18));
        height = core ? (bytes[20] | bytes[21] << 8) : static_cast<int32_t>(littleEndian32(bytes + 22));
        height = height < 0 ? -height : height; // a negative height runs from the top
    } else {
        out.failure = "it is not a PNG, JPEG, TGA or BMP picture";
        return;
    }
    out.failure = refusedSize(width, height);
}

bool sameType(const std::string& type, const char* wanted)
{
    return type.size() == strlen(wanted) &&
           std::equal(type.begin(), type.end(), wanted, [](char a, char b) { return tolower(a) == b; });
}

} // namespace

DecodedPicture decodePicture(const unsigned char* bytes, size_t size, const std::string& type,
                             const SDL_PixelFormat* display)
{
    DecodedPicture out;
    if (!bytes || size == 0) {
        out.failure = "the file is empty";
        return out;
    }
    const bool direct = display && displayTakesDirectRoute(*display);
    if (sameType(type, "png") && isPng(bytes, size))
        decodePng(bytes, size, display, out);
    else if (direct && sameType(type, "jpg") && isJpeg(bytes, size))
        decodeJpeg(bytes, size, *display, out);
    else if (direct && sameType(type, "tga"))
        decodeTga(bytes, size, *display, out);
    if (!out.surface && out.failure.empty())
        checkLeftToSdlImage(bytes, size, sameType(type, "tga"), out);
    return out;
}

SDL_Surface* readPictureFile(const std::string& path, const std::string& type, std::string& failure)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        failure = "the file cannot be read";
        return nullptr;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    DecodedPicture picture = decodePicture(bytes.data(), bytes.size(), type, nullptr);
    failure = picture.failure;
    if (picture.surface || !failure.empty())
        return picture.surface;
    std::string typeName = type;
    SDL_Surface* decoded =
        IMG_LoadTyped_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1, typeName.data());
    if (!decoded)
        failure = SDL_GetError();
    return decoded;
}

SDL_Surface* decodeToDisplayFormat(const unsigned char* bytes, size_t size, const std::string& type,
                                   const SDL_PixelFormat& display)
{
    DecodedPicture picture = decodePicture(bytes, size, type, &display);
    if (picture.surface && !picture.displayFormat) {
        SDL_FreeSurface(picture.surface);
        return nullptr;
    }
    return picture.surface;
}

// ---- the decoder's workers -----------------------------------------------

ImageDecoder::~ImageDecoder() { finish(); }

int ImageDecoder::add(const unsigned char* bytes, size_t size, const std::string& type)
{
    jobs_.push_back(Job{bytes, size, nullptr, 0, type, State::Waiting, {}});
    return static_cast<int>(jobs_.size()) - 1;
}

int ImageDecoder::add(const ArchiveFile& archive, uint32_t index, const std::string& type)
{
    jobs_.push_back(Job{nullptr, 0, &archive, index, type, State::Waiting, {}});
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
    // A picture the archive cannot give is left for the main thread to
    // read again and report.
    DecodedPicture picture;
    if (!j.archive) {
        picture = decodePicture(j.bytes, j.size, j.type, &display_);
    } else {
        std::vector<unsigned char> bytes;
        if (j.archive->read(j.index, bytes))
            picture = decodePicture(bytes.data(), bytes.size(), j.type, &display_);
    }
    lock.lock();
    j.picture = std::move(picture);
    j.state = State::Done;
    done_.notify_all();
}

void ImageDecoder::work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (int job = claim(lock); job >= 0; job = claim(lock))
        run(job, lock);
}

DecodedPicture ImageDecoder::take(int job)
{
    if (job < 0 || job >= static_cast<int>(jobs_.size()))
        return {};
    std::unique_lock<std::mutex> lock(mutex_);
    Job& j = jobs_[static_cast<size_t>(job)];
    if (j.state == State::Waiting)
        run(job, lock);
    done_.wait(lock, [&] { return j.state == State::Done || j.state == State::Taken; });
    DecodedPicture picture = std::move(j.picture);
    j.picture = DecodedPicture();
    j.state = State::Taken;
    return picture;
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
        SDL_FreeSurface(job.picture.surface);
    jobs_.clear();
    next_ = 0;
    stopping_ = false;
}
