// The sound library on SDL 1.2's audio device. SDL's audio thread pulls
// mixed frames through the callback; every change to the voices from the
// game's thread happens under SDL's audio lock.
//
// Ogg Vorbis sounds are decoded by a thread of their own after they are
// created (see SoundDecoder.h); a playback asked for first waits for its
// sound or decodes it itself.
//
// The output type picks SDL's audio driver; SDL_AUDIODRIVER in the
// environment overrides it (tests use "dummy" and "disk"). SDL 1.2 cannot
// list an output's devices, so each output offers one driver, "default".
#include "platform/AudioMixer.h"
#include "platform/SoundDecoder.h"
#include "platform/SoundLibrary.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int OUTPUT_RATE = 44100;
// One fill is about 46 ms: the sound thread wakes 21 times a second, not 43,
// which halves what a waiting game spends on sound; an effect starts at
// most that much later.
constexpr int DEVICE_BUFFER_FRAMES = 2048;

const char* sdlDriverFor(int outputType)
{
    switch (outputType) {
    case SOUND_OUTPUT_PULSE:
        return "pulse";
    case SOUND_OUTPUT_ALSA:
        return "alsa";
    case SOUND_OUTPUT_OSS:
        return "dsp";
    default:
        return nullptr;
    }
}

// Holds SDL's audio lock while the device is open.
class AudioLock
{
public:
    explicit AudioLock(bool deviceOpen) : locked_(deviceOpen)
    {
        if (locked_)
            SDL_LockAudio();
    }
    ~AudioLock()
    {
        if (locked_)
            SDL_UnlockAudio();
    }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    bool locked_;
};

class SdlSoundLibrary : public SoundLibrary
{
public:
    ~SdlSoundLibrary() override { close(); }

    int setOutput(int outputType) override
    {
        if (!sdlDriverFor(outputType))
            return SOUND_ERR_INVALID_PARAM;
        outputType_ = outputType;
        return SOUND_OK;
    }

    int getNumDrivers(int* count) override
    {
        *count = 1;
        return SOUND_OK;
    }

    int getDriverName(int index, char* name, int size) override
    {
        if (index != 0 || size <= 0)
            return SOUND_ERR_INVALID_PARAM;
        snprintf(name, static_cast<size_t>(size), "%s", "default");
        return SOUND_OK;
    }

    int setDriver(int index) override { return index == 0 ? SOUND_OK : SOUND_ERR_INVALID_PARAM; }

    int init(int channels) override
    {
        if (mixer_)
            return SOUND_ERR_INVALID_PARAM;
        const char* forced = getenv("SDL_AUDIODRIVER");
        const char* driver = forced && *forced ? forced : sdlDriverFor(outputType_);
        if (SDL_AudioInit(driver) < 0)
            return SOUND_ERR_OUTPUT_INIT;
        mixer_ = std::make_unique<AudioMixer>(OUTPUT_RATE, channels);
        SDL_AudioSpec wanted;
        memset(&wanted, 0, sizeof wanted);
        wanted.freq = OUTPUT_RATE;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = DEVICE_BUFFER_FRAMES;
        wanted.callback = &SdlSoundLibrary::fill;
        wanted.userdata = this;
        // No "obtained" spec: SDL converts to the device's own format, so the
        // mixer always works at 44.1 kHz, 16-bit stereo.
        if (SDL_OpenAudio(&wanted, nullptr) < 0) {
            mixer_.reset();
            SDL_AudioQuit();
            return SOUND_ERR_OUTPUT_INIT;
        }
        deviceOpen_ = true;
        SDL_PauseAudio(0);
        return SOUND_OK;
    }

    int createSound(const void* data, int size, SoundId* sound) override
    {
        *sound = 0;
        if (!data || size <= 0)
            return SOUND_ERR_INVALID_PARAM;
        const auto* bytes = static_cast<const unsigned char*>(data);
        Sound created{nullptr, SOUND_LOOP_OFF};
        switch (detectSoundFormat(bytes, static_cast<size_t>(size))) {
        case SoundFormat::OggVorbis:
            if (!decoder_)
                decoder_ = std::make_unique<SoundDecoder>();
            created.pending = true;
            created.ticket = decoder_->queue(std::vector<unsigned char>(bytes, bytes + size), STREAM_ABOVE_FRAMES);
            break;
        case SoundFormat::Wave: {
            auto decoded = std::make_shared<SoundData>();
            std::string error;
            if (!decodeSound(bytes, static_cast<size_t>(size), STREAM_ABOVE_FRAMES, *decoded, error))
                return SOUND_ERR_FORMAT;
            created.data = std::move(decoded);
            break;
        }
        case SoundFormat::Unknown:
            return SOUND_ERR_FORMAT;
        }
        sounds_.push_back(std::move(created));
        *sound = static_cast<SoundId>(sounds_.size());
        return SOUND_OK;
    }

    int createSoundFromFile(const char* path, SoundId* sound) override
    {
        *sound = 0;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return SOUND_ERR_FILE_NOT_FOUND;
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.size() > static_cast<size_t>(INT32_MAX))
            return SOUND_ERR_MEMORY;
        return createSound(bytes.data(), static_cast<int>(bytes.size()), sound);
    }

    int setSoundMode(SoundId sound, int mode) override
    {
        Sound* s = findSound(sound);
        if (!s)
            return SOUND_ERR_INVALID_HANDLE;
        if (mode != SOUND_LOOP_OFF && mode != SOUND_LOOP_NORMAL)
            return SOUND_ERR_INVALID_PARAM;
        s->mode = mode;
        return SOUND_OK;
    }

    int releaseSound(SoundId sound) override
    {
        Sound* s = findSound(sound);
        if (!s)
            return SOUND_ERR_INVALID_HANDLE;
        {
            AudioLock lock(deviceOpen_);
            if (mixer_)
                mixer_->stopSound(sound);
        }
        if (s->pending)
            decoder_->drop(s->ticket);
        s->pending = false;
        s->data.reset();
        return SOUND_OK;
    }

    int playSound(SoundId sound, bool paused, ChannelId* channel) override
    {
        *channel = 0;
        if (!mixer_)
            return SOUND_ERR_NOT_READY;
        Sound* s = findSound(sound);
        if (!s)
            return SOUND_ERR_INVALID_HANDLE;
        if (!decoded(*s))
            return SOUND_ERR_FORMAT;
        // Opening a decoder takes a moment: do it before taking the lock.
        std::unique_ptr<SoundReader> reader = openSoundReader(s->data);
        if (!reader)
            return SOUND_ERR_FORMAT;
        AudioLock lock(deviceOpen_);
        *channel = mixer_->start(s->data, sound, std::move(reader), paused, s->mode == SOUND_LOOP_NORMAL);
        return SOUND_OK;
    }

    int setLoopCount(ChannelId channel, int count) override
    {
        return onChannel([&] { return mixer_->setLoop(channel, count != 0); });
    }

    int setPaused(ChannelId channel, bool paused) override
    {
        return onChannel([&] { return mixer_->setPaused(channel, paused); });
    }

    int setVolume(ChannelId channel, float volume) override
    {
        return onChannel([&] { return mixer_->setVolume(channel, volume); });
    }

    int getFrequency(ChannelId channel, float* hertz) override
    {
        return onChannel([&] { return mixer_->getFrequency(channel, hertz); });
    }

    int setFrequency(ChannelId channel, float hertz) override
    {
        if (!(hertz > 0.0f))
            return SOUND_ERR_INVALID_PARAM;
        return onChannel([&] { return mixer_->setFrequency(channel, hertz); });
    }

    int stop(ChannelId channel) override
    {
        return onChannel([&] { return mixer_->stop(channel); });
    }

    int isPlaying(ChannelId channel, bool* playing) override
    {
        *playing = false;
        return onChannel([&] { return *playing = mixer_->isPlaying(channel); });
    }

    int getCurrentSound(ChannelId channel, SoundId* sound) override
    {
        *sound = 0;
        return onChannel([&] { return mixer_->getSoundId(channel, sound); });
    }

    int update() override { return mixer_ ? SOUND_OK : SOUND_ERR_NOT_READY; }

    int close() override
    {
        if (deviceOpen_) {
            SDL_CloseAudio();
            SDL_AudioQuit();
            deviceOpen_ = false;
        }
        mixer_.reset();
        decoder_.reset();
        sounds_.clear();
        return SOUND_OK;
    }

private:
    struct Sound {
        std::shared_ptr<const SoundData> data;
        int mode;
        // Still with the decoder, under this ticket.
        bool pending = false;
        size_t ticket = 0;
    };

    Sound* findSound(SoundId id)
    {
        if (id == 0 || id > sounds_.size())
            return nullptr;
        Sound& s = sounds_[id - 1];
        return s.data || s.pending ? &s : nullptr;
    }

    // Fetches a queued sound from the decoder; false when it was damaged
    // (the sound is then gone, as if released).
    bool decoded(Sound& s)
    {
        if (s.pending) {
            s.data = decoder_->take(s.ticket);
            s.pending = false;
        }
        return s.data != nullptr;
    }

    // Runs a channel operation under the lock; a refused handle is stale.
    template <typename Operation>
    int onChannel(Operation operation)
    {
        if (!mixer_)
            return SOUND_ERR_NOT_READY;
        AudioLock lock(deviceOpen_);
        return operation() ? SOUND_OK : SOUND_ERR_INVALID_HANDLE;
    }

    static void fill(void* self, Uint8* stream, int length)
    {
        auto* library = static_cast<SdlSoundLibrary*>(self);
        const int frames = length / 4;
        std::vector<float>& buffer = library->mixBuffer_;
        buffer.resize(static_cast<size_t>(2 * frames));
        library->mixer_->mix(buffer.data(), frames);
        AudioMixer::toInt16(buffer.data(), reinterpret_cast<int16_t*>(stream), 2 * frames);
    }

    int outputType_ = 0;
    bool deviceOpen_ = false;
    std::unique_ptr<AudioMixer> mixer_;
    std::unique_ptr<SoundDecoder> decoder_;
    std::vector<Sound> sounds_;
    std::vector<float> mixBuffer_;
};

struct ResultText {
    int result;
    const char* text;
};

const ResultText kResultTexts[] = {
    {SOUND_ERR_FILE_NOT_FOUND, "File not found. "},
    {SOUND_ERR_FORMAT, "Unsupported or damaged sound data. "},
    {SOUND_ERR_INVALID_HANDLE, "The channel or sound is no longer valid. "},
    {SOUND_ERR_INVALID_PARAM, "An invalid parameter was passed. "},
    {SOUND_ERR_MEMORY, "Not enough memory or resources. "},
    {SOUND_ERR_OUTPUT_INIT, "Error initializing output device. "},
    {SOUND_ERR_NOT_READY, "The sound system has not been initialized. "},
};

} // namespace

const char* soundResultText(int result)
{
    for (const ResultText& entry : kResultTexts)
        if (entry.result == result)
            return entry.text;
    return "Unknown error.";
}

int createSdlSoundLibrary(std::unique_ptr<SoundLibrary>* library)
{
    *library = std::make_unique<SdlSoundLibrary>();
    return SOUND_OK;
}
