#include "platform/SoundData.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int MIN_RATE = 4000;
constexpr int MAX_RATE = 192000;

bool validLayout(int rate, int channels)
{
    return rate >= MIN_RATE && rate <= MAX_RATE && (channels == 1 || channels == 2);
}

// ---- WAV ---------------------------------------------------------------

uint16_t peekU16(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

uint32_t peekU32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(peekU16(bytes)) | (static_cast<uint32_t>(peekU16(bytes + 2)) << 16);
}

bool decodeWave(const unsigned char* bytes, size_t size, SoundData& out, std::string& error)
{
    int channels = 0, rate = 0, bits = 0;
    const unsigned char* data = nullptr;
    size_t dataSize = 0;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const unsigned char* chunk = bytes + pos;
        uint64_t chunkSize = peekU32(chunk + 4);
        uint64_t available = size - pos - 8;
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize < 16 || chunkSize > available) {
                error = "damaged WAV format chunk";
                return false;
            }
            if (peekU16(chunk + 8) != 1) {
                error = "WAV data is not plain PCM";
                return false;
            }
            channels = peekU16(chunk + 10);
            rate = static_cast<int>(peekU32(chunk + 12));
            bits = peekU16(chunk + 22);
        } else if (memcmp(chunk, "data", 4) == 0) {
            // A data chunk cut short by a truncated file keeps what is there.
            data = chunk + 8;
            dataSize = static_cast<size_t>(std::min(chunkSize, available));
            break;
        }
        pos += 8 + static_cast<size_t>(std::min(chunkSize + (chunkSize & 1), available));
    }
    if (!data || channels == 0) {
        error = "WAV data has no format or no data chunk";
        return false;
    }
    if (!validLayout(rate, channels) || (bits != 8 && bits != 16)) {
        error = "WAV layout not supported";
        return false;
    }
    const size_t frameBytes = static_cast<size_t>(channels) * (bits / 8);
    const size_t frames = dataSize / frameBytes;
    if (frames == 0) {
        error = "WAV data is empty";
        return false;
    }
    out.rate = rate;
    out.channels = channels;
    out.frames = static_cast<int64_t>(frames);
    out.pcm.resize(frames * channels);
    for (size_t i = 0; i < out.pcm.size(); ++i) {
        if (bits == 8)
            out.pcm[i] = static_cast<int16_t>((data[i] - 128) * 256);
        else
            out.pcm[i] = static_cast<int16_t>(peekU16(data + 2 * i));
    }
    return true;
}

// ---- Ogg Vorbis ---------------------------------------------------------

struct MemoryStream {
    const unsigned char* data;
    size_t size;
    size_t pos;
};

size_t memoryRead(void* dest, size_t size, size_t count, void* source)
{
    MemoryStream* stream = static_cast<MemoryStream*>(source);
    if (size == 0)
        return 0;
    size_t items = std::min(count, (stream->size - stream->pos) / size);
    memcpy(dest, stream->data + stream->pos, items * size);
    stream->pos += items * size;
    return items;
}

int memorySeek(void* source, ogg_int64_t offset, int whence)
{
    MemoryStream* stream = static_cast<MemoryStream*>(source);
    ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(stream->pos)
                                                                    : static_cast<ogg_int64_t>(stream->size);
    ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(stream->size))
        return -1;
    stream->pos = static_cast<size_t>(target);
    return 0;
}

long memoryTell(void* source) { return static_cast<long>(static_cast<MemoryStream*>(source)->pos); }

const ov_callbacks kMemoryCallbacks = {memoryRead, memorySeek, nullptr, memoryTell};

// An open Vorbis decoder over bytes that outlive it.
class VorbisFile
{
public:
    VorbisFile(const unsigned char* bytes, size_t size) : stream_{bytes, size, 0}
    {
        open_ = ov_open_callbacks(&stream_, &file_, nullptr, 0, kMemoryCallbacks) == 0;
    }
    ~VorbisFile()
    {
        if (open_)
            ov_clear(&file_);
    }
    VorbisFile(const VorbisFile&) = delete;
    VorbisFile& operator=(const VorbisFile&) = delete;

    bool isOpen() const { return open_; }
    OggVorbis_File* get() { return &file_; }

    // Up to `frames` frames as stereo floats; 0 at the end, -1 on damage.
    int readStereo(float* stereo, int frames)
    {
        // A hole in the stream is skipped; a few in a row mean damage.
        for (int attempt = 0; attempt < 8; ++attempt) {
            float** channels = nullptr;
            int link = 0;
            long got = ov_read_float(&file_, &channels, frames, &link);
            if (got == OV_HOLE)
                continue;
            if (got <= 0)
                return got == 0 ? 0 : -1;
            vorbis_info* info = ov_info(&file_, link);
            const float* left = channels[0];
            const float* right = info && info->channels > 1 ? channels[1] : channels[0];
            for (long i = 0; i < got; ++i) {
                stereo[2 * i] = left[i];
                stereo[2 * i + 1] = right[i];
            }
            return static_cast<int>(got);
        }
        return -1;
    }

private:
    MemoryStream stream_;
    OggVorbis_File file_;
    bool open_ = false;
};

bool decodeVorbis(const unsigned char* bytes, size_t size, int64_t streamAboveFrames, SoundData& out,
                  std::string& error)
{
    VorbisFile file(bytes, size);
    if (!file.isOpen()) {
        error = "damaged Ogg Vorbis headers";
        return false;
    }
    vorbis_info* info = ov_info(file.get(), -1);
    if (!info || !validLayout(static_cast<int>(info->rate), info->channels)) {
        error = "Ogg Vorbis layout not supported";
        return false;
    }
    out.rate = static_cast<int>(info->rate);
    out.channels = info->channels;
    ogg_int64_t total = ov_pcm_total(file.get(), -1);
    if (total > streamAboveFrames) {
        out.frames = total;
        out.encoded.assign(bytes, bytes + size);
        return true;
    }
    std::vector<float> block(2 * 4096);
    for (;;) {
        int got = file.readStereo(block.data(), 4096);
        if (got < 0) {
            error = "damaged Ogg Vorbis data";
            return false;
        }
        if (got == 0)
            break;
        for (int i = 0; i < got * 2; i += 2) {
            for (int c = 0; c < out.channels; ++c) {
                float v = std::clamp(block[i + c], -1.0f, 1.0f);
                out.pcm.push_back(static_cast<int16_t>(v * 32767.0f));
            }
        }
        if (static_cast<int64_t>(out.pcm.size()) > streamAboveFrames * out.channels) {
            error = "Ogg Vorbis data longer than its header says";
            return false;
        }
    }
    out.frames = static_cast<int64_t>(out.pcm.size()) / out.channels;
    if (out.frames == 0) {
        error = "Ogg Vorbis data is empty";
        return false;
    }
    return true;
}

// ---- readers ------------------------------------------------------------

class PcmReader : public SoundReader
{
public:
    explicit PcmReader(std::shared_ptr<const SoundData> sound) : sound_(std::move(sound)) {}

    int read(float* stereo, int frames, bool loop) override
    {
        const SoundData& s = *sound_;
        int written = 0;
        while (written < frames) {
            if (position_ >= s.frames) {
                if (!loop)
                    break;
                position_ = 0;
            }
            int64_t run = std::min<int64_t>(frames - written, s.frames - position_);
            const int16_t* src = s.pcm.data() + position_ * s.channels;
            float* dst = stereo + 2 * written;
            for (int64_t i = 0; i < run; ++i) {
                float left = src[i * s.channels] * (1.0f / 32768.0f);
                float right = s.channels > 1 ? src[i * s.channels + 1] * (1.0f / 32768.0f) : left;
                dst[2 * i] = left;
                dst[2 * i + 1] = right;
            }
            position_ += run;
            written += static_cast<int>(run);
        }
        return written;
    }

private:
    std::shared_ptr<const SoundData> sound_;
    int64_t position_ = 0;
};

// Music is decoded a chunk of about a fifth of a second at a time, not a
// mixer's block at a time: the sound thread then decodes in one of every few
// fills, in larger steps, and spends less on each.
constexpr int STREAM_CHUNK_FRAMES = 8192;

class StreamReader : public SoundReader
{
public:
    explicit StreamReader(std::shared_ptr<const SoundData> sound)
        : sound_(std::move(sound)), file_(sound_->encoded.data(), sound_->encoded.size()),
          chunk_(2 * STREAM_CHUNK_FRAMES)
    {
    }

    bool isOpen() const { return file_.isOpen(); }

    int read(float* stereo, int frames, bool loop) override
    {
        int written = 0;
        while (written < frames) {
            if (chunkPosition_ == chunkFrames_ && !decodeChunk(loop))
                break;
            int taken = std::min(frames - written, chunkFrames_ - chunkPosition_);
            std::copy_n(chunk_.data() + 2 * chunkPosition_, 2 * taken, stereo + 2 * written);
            chunkPosition_ += taken;
            written += taken;
        }
        return written;
    }

private:
    // Fills the chunk; false when the stream has nothing more to give.
    bool decodeChunk(bool loop)
    {
        chunkPosition_ = 0;
        chunkFrames_ = 0;
        bool producedSinceRewind = true;
        while (chunkFrames_ < STREAM_CHUNK_FRAMES) {
            int got = file_.readStereo(chunk_.data() + 2 * chunkFrames_, STREAM_CHUNK_FRAMES - chunkFrames_);
            if (got > 0) {
                chunkFrames_ += got;
                producedSinceRewind = true;
                continue;
            }
            // At the end (or on damage) a loop starts again, unless the last
            // rewind gave nothing, which would spin for ever.
            if (!loop || !producedSinceRewind || ov_pcm_seek(file_.get(), 0) != 0)
                break;
            producedSinceRewind = false;
        }
        return chunkFrames_ > 0;
    }

    std::shared_ptr<const SoundData> sound_;
    VorbisFile file_;
    std::vector<float> chunk_;
    int chunkFrames_ = 0;
    int chunkPosition_ = 0;
};

} // namespace

SoundFormat detectSoundFormat(const unsigned char* bytes, size_t size)
{
    if (size >= 4 && memcmp(bytes, "OggS", 4) == 0)
        return SoundFormat::OggVorbis;
    if (size >= 12 && memcmp(bytes, "RIFF", 4) == 0 && memcmp(bytes + 8, "WAVE", 4) == 0)
        return SoundFormat::Wave;
    return SoundFormat::Unknown;
}

bool decodeSound(const unsigned char* bytes, size_t size, int64_t streamAboveFrames, SoundData& out,
                 std::string& error)
{
    out = SoundData();
    switch (detectSoundFormat(bytes, size)) {
    case SoundFormat::OggVorbis:
        return decodeVorbis(bytes, size, streamAboveFrames, out, error);
    case SoundFormat::Wave:
        return decodeWave(bytes, size, out, error);
    case SoundFormat::Unknown:
        break;
    }
    error = "not a sound format the game reads";
    return false;
}

std::unique_ptr<SoundReader> openSoundReader(std::shared_ptr<const SoundData> sound)
{
    if (!sound->streamed())
        return std::make_unique<PcmReader>(std::move(sound));
    auto reader = std::make_unique<StreamReader>(std::move(sound));
    if (!reader->isOpen())
        return nullptr;
    return reader;
}
