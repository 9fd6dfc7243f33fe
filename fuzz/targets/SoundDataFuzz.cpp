// Sound data as the sound library reads it from memory: the format is told
// by the first bytes, then WAV or Ogg Vorbis is decoded, or streamed and
// read through a playback reader. No device is opened.

#include "fuzz/FuzzSupport.h"
#include "platform/SoundData.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// Small enough that any Ogg sound of the corpus also takes the streaming
// path; a cap on what one input may read keeps a long sound from taking
// seconds.
constexpr int64_t STREAM_ABOVE = 4096;
constexpr int READ_FRAMES = 1024;
constexpr int READS = 8;

void play(std::shared_ptr<const SoundData> sound)
{
    std::unique_ptr<SoundReader> reader = openSoundReader(sound);
    if (!reader)
        return;
    std::vector<float> stereo(READ_FRAMES * 2);
    for (int i = 0; i < READS; ++i) {
        if (reader->read(stereo.data(), READ_FRAMES, true) <= 0)
            return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    detectSoundFormat(data, size);
    auto sound = std::make_shared<SoundData>();
    std::string error;
    if (decodeSound(data, size, STREAM_ABOVE, *sound, error))
        play(sound);
    return 0;
}
