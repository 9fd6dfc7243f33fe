#include "platform/AudioMixer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int INDEX_BITS = 8;
constexpr uint32_t INDEX_MASK = (1u << INDEX_BITS) - 1;
constexpr uint32_t GENERATION_MASK = 0xFFFFFFu;
constexpr int READ_BLOCK = 256;

} // namespace

struct AudioMixer::Voice {
    uint32_t generation = 0;
    bool active = false;
    bool paused = false;
    bool loop = false;
    bool ending = false;   // the reader is spent; `next` is the silence after it
    bool sounded = false;  // has been mixed at least once
    float volume = 1.0f;
    float heardVolume = 1.0f; // volume at the end of the last mix, for ramps
    double frequency = 0.0;
    double phase = 0.0;
    float current[2] = {0.0f, 0.0f};
    float next[2] = {0.0f, 0.0f};
    std::shared_ptr<const SoundData> sound;
    uint32_t soundId = 0;
    std::unique_ptr<SoundReader> reader;
    uint64_t startedAt = 0;
    float block[2 * READ_BLOCK];
    int blockLength = 0;
    int blockPosition = 0;

    bool fetch(float frame[2])
    {
        if (blockPosition >= blockLength) {
            blockLength = reader ? reader->read(block, READ_BLOCK, loop) : 0;
            blockPosition = 0;
            if (blockLength <= 0)
                return false;
        }
        frame[0] = block[2 * blockPosition];
        frame[1] = block[2 * blockPosition + 1];
        ++blockPosition;
        return true;
    }

    void advance()
    {
        current[0] = next[0];
        current[1] = next[1];
        if (!fetch(next)) {
            next[0] = next[1] = 0.0f;
            ending = true;
        }
    }

    void release()
    {
        active = false;
        reader.reset();
        sound.reset();
        soundId = 0;
    }
};

AudioMixer::AudioMixer(int outputRate, int voiceCount) : outputRate_(outputRate)
{
    voiceCount = std::clamp(voiceCount, 1, static_cast<int>(INDEX_MASK) + 1);
    for (int i = 0; i < voiceCount; ++i)
        voices_.push_back(std::make_unique<Voice>());
}

AudioMixer::~AudioMixer() = default;

ChannelHandle AudioMixer::start(std::shared_ptr<const SoundData> sound, uint32_t soundId,
                                std::unique_ptr<SoundReader> reader, bool paused, bool loop)
{
    size_t chosen = 0;
    for (size_t i = 0; i < voices_.size(); ++i) {
        if (!voices_[i]->active) {
            chosen = i;
            break;
        }
        if (voices_[i]->startedAt < voices_[chosen]->startedAt)
            chosen = i;
    }
    Voice& v = *voices_[chosen];
    uint32_t generation = (v.generation + 1) & GENERATION_MASK;
    v = Voice();
    v.generation = generation == 0 ? 1 : generation;
    v.active = true;
    v.paused = paused;
    v.loop = loop;
    v.frequency = sound->rate;
    v.soundId = soundId;
    v.sound = std::move(sound);
    v.reader = std::move(reader);
    v.startedAt = ++startCount_;
    if (!v.fetch(v.current))
        v.ending = true;
    else
        v.advance();
    return (v.generation << INDEX_BITS) | static_cast<uint32_t>(chosen);
}

AudioMixer::Voice* AudioMixer::find(ChannelHandle channel) const
{
    uint32_t index = channel & INDEX_MASK;
    if (channel == 0 || index >= voices_.size())
        return nullptr;
    Voice* v = voices_[index].get();
    if (!v->active || v->generation != (channel >> INDEX_BITS))
        return nullptr;
    return v;
}

bool AudioMixer::isPlaying(ChannelHandle channel) const { return find(channel) != nullptr; }

bool AudioMixer::setPaused(ChannelHandle channel, bool paused)
{
    Voice* v = find(channel);
    if (v)
        v->paused = paused;
    return v != nullptr;
}

bool AudioMixer::setLoop(ChannelHandle channel, bool loop)
{
    Voice* v = find(channel);
    if (v)
        v->loop = loop;
    return v != nullptr;
}

bool AudioMixer::setVolume(ChannelHandle channel, float volume)
{
    Voice* v = find(channel);
    if (!v)
        return false;
    v->volume = std::clamp(volume, 0.0f, 1.0f);
    if (!v->sounded)
        v->heardVolume = v->volume;
    return true;
}

bool AudioMixer::setFrequency(ChannelHandle channel, float hertz)
{
    Voice* v = find(channel);
    if (!v || !(hertz > 0.0f) || !std::isfinite(hertz))
        return false;
    v->frequency = hertz;
    return true;
}

bool AudioMixer::getFrequency(ChannelHandle channel, float* hertz) const
{
    Voice* v = find(channel);
    if (v)
        *hertz = static_cast<float>(v->frequency);
    return v != nullptr;
}

bool AudioMixer::getSoundId(ChannelHandle channel, uint32_t* soundId) const
{
    Voice* v = find(channel);
    if (v)
        *soundId = v->soundId;
    return v != nullptr;
}

bool AudioMixer::stop(ChannelHandle channel)
{
    Voice* v = find(channel);
    if (v)
        v->release();
    return v != nullptr;
}

void AudioMixer::stopSound(uint32_t soundId)
{
    for (auto& v : voices_)
        if (v->active && v->soundId == soundId)
            v->release();
}

int AudioMixer::playingVoices() const
{
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(), [](const auto& v) { return v->active; }));
}

void AudioMixer::mixVoice(Voice& v, float* stereo, int frames)
{
    const double step = v.frequency / outputRate_;
    // Volume changes glide over one mix call instead of jumping, which would click.
    float gain = v.heardVolume;
    const float gainStep = (v.volume - v.heardVolume) / static_cast<float>(frames);
    v.heardVolume = v.volume;
    v.sounded = true;
    for (int i = 0; i < frames; ++i) {
        const float t = static_cast<float>(v.phase);
        stereo[2 * i] += (v.current[0] + (v.next[0] - v.current[0]) * t) * gain;
        stereo[2 * i + 1] += (v.current[1] + (v.next[1] - v.current[1]) * t) * gain;
        gain += gainStep;
        v.phase += step;
        while (v.phase >= 1.0) {
            v.phase -= 1.0;
            if (v.ending) {
                v.release();
                return;
            }
            v.advance();
        }
    }
}

void AudioMixer::mix(float* stereo, int frames)
{
    std::fill(stereo, stereo + 2 * frames, 0.0f);
    if (frames <= 0)
        return;
    for (auto& v : voices_)
        if (v->active && !v->paused)
            mixVoice(*v, stereo, frames);
}

void AudioMixer::toInt16(const float* in, int16_t* out, int samples)
{
    for (int i = 0; i < samples; ++i) {
        float v = std::clamp(in[i], -1.0f, 1.0f);
        out[i] = static_cast<int16_t>(std::lrint(v * 32767.0f));
    }
}
