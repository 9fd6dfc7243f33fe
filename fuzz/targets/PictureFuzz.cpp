// The picture decoders: every picture of the image archive, the loading
// screen's, the intro's and the icon goes through them before anything
// else sees it. The file's first bytes pick the type its name would give
// (a PNG's signature, a JPEG's marker, a BMP's "BM", else a TGA, the kind
// without one). Each input is decoded for the display's layout and, as
// before the screen is open, for none.

#include "engine/ImageDecoder.h"
#include "fuzz/FuzzSupport.h"

#include <string>

namespace {

std::string typeOf(const uint8_t* data, size_t size)
{
    if (size >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G')
        return "png";
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8)
        return "jpg";
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        return "bmp";
    return "tga";
}

void decode(const uint8_t* data, size_t size, const std::string& type, const SDL_PixelFormat* display)
{
    DecodedPicture picture = decodePicture(data, size, type, display);
    SDL_FreeSurface(picture.surface);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    const std::string type = typeOf(data, size);
    decode(data, size, type, &directPictureLayout());
    decode(data, size, type, nullptr);
    return 0;
}
