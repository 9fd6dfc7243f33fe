#pragma once

#include "platform/SoundData.h"

#include <cstdint>
#include <memory>
#include <vector>

// A channel handle names one playback: the voice's number in its low 8 bits
// and the voice's start count above them. When the voice ends or starts
// another playback, every older handle of it goes stale and is refused.
// 0 is never a handle.
using ChannelHandle = uint32_t;

constexpr int MIXER_VOICES = 128;

// The game's software mixer: a fixed set of voices, each playing one sound
// at its own volume and rate (linear interpolation between the sound's
// frames, which also converts the sound's rate to the output's). It knows
// nothing of the audio device: mix() is a pure function of the voices'
// state, called from the device's callback or from a test.
class AudioMixer
{
public:
    explicit AudioMixer(int outputRate, int voiceCount = MIXER_VOICES);
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    int outputRate() const { return outputRate_; }

    // Starts a playback of the sound through the reader on a free voice, or,
    // when all are busy, on the voice that started longest ago. The rate
    // starts at the sound's own, the volume at 1.
    ChannelHandle start(std::shared_ptr<const SoundData> sound, uint32_t soundId,
                        std::unique_ptr<SoundReader> reader, bool paused, bool loop);

    // Each answers false for a stale handle.
    bool isPlaying(ChannelHandle channel) const;
    bool setPaused(ChannelHandle channel, bool paused);
    bool setLoop(ChannelHandle channel, bool loop);
    bool setVolume(ChannelHandle channel, float volume);    // clamped to 0..1
    bool setFrequency(ChannelHandle channel, float hertz);  // must be above 0
    bool getFrequency(ChannelHandle channel, float* hertz) const;
    bool getSoundId(ChannelHandle channel, uint32_t* soundId) const;
    bool stop(ChannelHandle channel);

    // Ends every playback of a sound (before the sound is released).
    void stopSound(uint32_t soundId);

    int playingVoices() const;

    // Writes `frames` interleaved stereo frames: the sum of every playing,
    // unpaused voice. Voices that reach their sound's end are freed.
    void mix(float* stereo, int frames);

    // Converts mixed floats to 16-bit samples, clipping at full scale.
    static void toInt16(const float* in, int16_t* out, int samples);

private:
    struct Voice;

    Voice* find(ChannelHandle channel) const;
    void mixVoice(Voice& voice, float* stereo, int frames);

    int outputRate_;
    std::vector<std::unique_ptr<Voice>> voices_;
    uint64_t startCount_ = 0;
};
