#include "platform/AudioMixer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int OUTPUT_RATE = 44100;

std::shared_ptr<const SoundData> tone(double hz, int rate, double seconds, float amplitude = 0.5f)
{
    auto sound = std::make_shared<SoundData>();
    sound->rate = rate;
    sound->channels = 1;
    sound->frames = static_cast<int64_t>(seconds * rate);
    for (int64_t i = 0; i < sound->frames; ++i)
        sound->pcm.push_back(static_cast<int16_t>(32767 * amplitude * std::sin(2 * M_PI * hz * i / rate)));
    return sound;
}

ChannelHandle start(AudioMixer& mixer, std::shared_ptr<const SoundData> sound, bool loop = false, uint32_t id = 1)
{
    return mixer.start(sound, id, openSoundReader(sound), false, loop);
}

std::vector<float> mix(AudioMixer& mixer, double seconds)
{
    std::vector<float> out(2 * static_cast<size_t>(seconds * OUTPUT_RATE));
    // In device-sized blocks, as the audio callback asks for them.
    for (size_t done = 0; done < out.size(); done += 2048)
        mixer.mix(out.data() + done, static_cast<int>(std::min<size_t>(2048, out.size() - done) / 2));
    return out;
}

// Rising zero crossings of the left channel per second.
double measuredHz(const std::vector<float>& stereo)
{
    int crossings = 0;
    for (size_t i = 2; i < stereo.size(); i += 2)
        if (stereo[i - 2] < 0.0f && stereo[i] >= 0.0f)
            ++crossings;
    return crossings / (stereo.size() / 2.0 / OUTPUT_RATE);
}

float peak(const std::vector<float>& stereo, size_t from = 0, size_t to = SIZE_MAX)
{
    float best = 0.0f;
    for (size_t i = from; i < std::min(to, stereo.size()); ++i)
        best = std::max(best, std::fabs(stereo[i]));
    return best;
}

} // namespace

TEST(AudioMixerTest, RateChangesPitchAndConvertsTheSoundsOwnRate)
{
    struct Case {
        int soundRate;
        double factor;
        double expectedHz;
    } cases[] = {
        {44100, 1.0, 440.0}, {44100, 1.5, 660.0}, {22050, 1.0, 440.0}, {48000, 0.5, 220.0}, {11025, 2.0, 880.0},
    };
    for (const Case& c : cases) {
        AudioMixer mixer(OUTPUT_RATE);
        ChannelHandle channel = start(mixer, tone(440.0, c.soundRate, 3.0), true);
        float rate = 0.0f;
        ASSERT_TRUE(mixer.getFrequency(channel, &rate));
        EXPECT_EQ(rate, static_cast<float>(c.soundRate));
        ASSERT_TRUE(mixer.setFrequency(channel, static_cast<float>(rate * c.factor)));
        std::vector<float> out = mix(mixer, 1.0);
        EXPECT_NEAR(measuredHz(out), c.expectedHz, 2.0) << c.soundRate << " x" << c.factor;
        EXPECT_NEAR(peak(out), 0.5f, 0.02f);
    }
}

TEST(AudioMixerTest, OneShotEndsAndFreesItsVoiceWhileALoopGoesOn)
{
    AudioMixer mixer(OUTPUT_RATE);
    auto sound = tone(441.0, OUTPUT_RATE, 0.1); // exactly 44.1 periods of 100 frames
    ChannelHandle once = start(mixer, sound, false, 1);
    ChannelHandle loop = start(mixer, sound, true, 2);
    mixer.setVolume(loop, 0.0f);
    std::vector<float> out = mix(mixer, 0.3);
    EXPECT_FALSE(mixer.isPlaying(once));
    EXPECT_TRUE(mixer.isPlaying(loop));
    EXPECT_EQ(mixer.playingVoices(), 1);
    EXPECT_GT(peak(out, 0, 2 * 4000), 0.4f);
    EXPECT_EQ(peak(out, 2 * 4500), 0.0f);

    mixer.setVolume(loop, 1.0f);
    std::vector<float> looped = mix(mixer, 0.5);
    // The loop repeats every 4410 frames, seamlessly.
    for (size_t i = 2 * 10000; i < 2 * 12000; i += 2)
        ASSERT_NEAR(looped[i], looped[i + 2 * 4410], 1e-4) << i;
    EXPECT_GT(peak(looped, 2 * 20000), 0.4f);
}

TEST(AudioMixerTest, HundredTwentyEightVoicesThenTheOldestIsTaken)
{
    AudioMixer mixer(OUTPUT_RATE);
    auto sound = tone(440.0, OUTPUT_RATE, 1.0, 0.005f);
    std::vector<ChannelHandle> handles;
    for (int i = 0; i < MIXER_VOICES; ++i)
        handles.push_back(start(mixer, sound, true, static_cast<uint32_t>(i + 1)));
    EXPECT_EQ(mixer.playingVoices(), MIXER_VOICES);
    std::vector<float> all = mix(mixer, 0.1);
    EXPECT_NEAR(peak(all), 0.005f * MIXER_VOICES, 0.02f);

    ChannelHandle extra = start(mixer, sound, true, 999);
    EXPECT_FALSE(mixer.isPlaying(handles[0]));
    EXPECT_TRUE(mixer.isPlaying(handles[1]));
    EXPECT_TRUE(mixer.isPlaying(extra));
    EXPECT_EQ(mixer.playingVoices(), MIXER_VOICES);
    uint32_t id = 0;
    ASSERT_TRUE(mixer.getSoundId(extra, &id));
    EXPECT_EQ(id, 999u);
}

TEST(AudioMixerTest, StaleHandlesAreRefusedEverywhere)
{
    AudioMixer mixer(OUTPUT_RATE);
    auto sound = tone(440.0, OUTPUT_RATE, 1.0);
    ChannelHandle old = start(mixer, sound);
    ASSERT_TRUE(mixer.stop(old));
    ChannelHandle fresh = start(mixer, sound); // the same voice, started again
    EXPECT_NE(old, fresh);
    for (ChannelHandle stale : {old, ChannelHandle(0), fresh + 1}) {
        float hz = 0.0f;
        uint32_t id = 0;
        EXPECT_FALSE(mixer.isPlaying(stale));
        EXPECT_FALSE(mixer.setVolume(stale, 0.5f));
        EXPECT_FALSE(mixer.setPaused(stale, true));
        EXPECT_FALSE(mixer.setLoop(stale, true));
        EXPECT_FALSE(mixer.setFrequency(stale, 100.0f));
        EXPECT_FALSE(mixer.getFrequency(stale, &hz));
        EXPECT_FALSE(mixer.getSoundId(stale, &id));
        EXPECT_FALSE(mixer.stop(stale));
    }
    EXPECT_TRUE(mixer.isPlaying(fresh));
    EXPECT_FALSE(mixer.setFrequency(fresh, 0.0f));
    EXPECT_FALSE(mixer.setFrequency(fresh, NAN));
}

TEST(AudioMixerTest, VolumeScalesAndPauseHoldsThePlace)
{
    auto sound = tone(440.0, OUTPUT_RATE, 2.0);
    AudioMixer reference(OUTPUT_RATE);
    start(reference, sound);
    std::vector<float> straight = mix(reference, 0.2);

    AudioMixer mixer(OUTPUT_RATE);
    ChannelHandle channel = mixer.start(sound, 1, openSoundReader(sound), true, false);
    mixer.setVolume(channel, 0.25f);
    EXPECT_EQ(peak(mix(mixer, 0.05)), 0.0f); // started paused
    mixer.setPaused(channel, false);
    std::vector<float> first = mix(mixer, 0.1);
    mixer.setPaused(channel, true);
    EXPECT_EQ(peak(mix(mixer, 0.05)), 0.0f);
    mixer.setPaused(channel, false);
    std::vector<float> second = mix(mixer, 0.1);
    first.insert(first.end(), second.begin(), second.end());
    ASSERT_EQ(first.size(), straight.size());
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_NEAR(first[i], straight[i] * 0.25f, 1e-5) << i;
}

TEST(AudioMixerTest, VolumeChangeGlidesOverOneBlock)
{
    AudioMixer mixer(OUTPUT_RATE);
    auto sound = std::make_shared<SoundData>();
    sound->rate = OUTPUT_RATE;
    sound->channels = 1;
    sound->frames = OUTPUT_RATE;
    sound->pcm.assign(OUTPUT_RATE, 16384); // a constant level of 0.5
    ChannelHandle channel = start(mixer, sound);
    mix(mixer, 0.01);
    mixer.setVolume(channel, 0.0f);
    std::vector<float> out(2 * 100);
    mixer.mix(out.data(), 100);
    EXPECT_NEAR(out[0], 0.5f, 0.01f);
    EXPECT_NEAR(out[100], 0.25f, 0.01f);
    EXPECT_NEAR(out[198], 0.0f, 0.01f);
}

TEST(AudioMixerTest, ClipsToSixteenBits)
{
    const float mixed[] = {0.0f, 0.5f, -0.5f, 1.5f, -2.0f};
    int16_t out[5];
    AudioMixer::toInt16(mixed, out, 5);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 16384);
    EXPECT_EQ(out[2], -16384);
    EXPECT_EQ(out[3], 32767);
    EXPECT_EQ(out[4], -32767);
}
