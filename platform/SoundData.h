#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One sound as the mixer plays it. Short sounds are decoded once into 16-bit
// samples; long ones (the music) keep their Ogg Vorbis bytes and are decoded
// while they play, by a reader of their own per playback, so that a minute of
// music costs its compressed size in memory and nothing at start-up.
struct SoundData {
    int rate = 0;
    int channels = 0;                   // 1 or 2
    int64_t frames = 0;                 // length in sample frames
    std::vector<int16_t> pcm;           // interleaved samples, when decoded
    std::vector<unsigned char> encoded; // Ogg Vorbis bytes, when streamed

    bool streamed() const { return !encoded.empty(); }
};

enum class SoundFormat { Unknown, OggVorbis, Wave };

// The format is told by the data's first bytes, never by a file name.
SoundFormat detectSoundFormat(const unsigned char* bytes, size_t size);

// Ogg sounds longer than this many frames are streamed (about 10 s at 44.1 kHz).
constexpr int64_t STREAM_ABOVE_FRAMES = 441000;

// Reads WAV (8 or 16-bit PCM) or Ogg Vorbis bytes, mono or stereo. False,
// with a reason, for anything else, for damaged data and for empty sounds.
bool decodeSound(const unsigned char* bytes, size_t size, int64_t streamAboveFrames, SoundData& out,
                 std::string& error);

// Hands out the frames of one playback in order, as stereo floats.
class SoundReader
{
public:
    virtual ~SoundReader() = default;

    // Writes up to `frames` stereo frames and returns how many it wrote;
    // fewer than asked means the sound has ended. A looping read goes on from
    // the start without a gap.
    virtual int read(float* stereo, int frames, bool loop) = 0;
};

// Null when a streamed sound cannot be opened again (it could when decoded).
std::unique_ptr<SoundReader> openSoundReader(std::shared_ptr<const SoundData> sound);
