// How the built sounds sound, measured on the files the game plays, decoded
// by the game's own reader: the effects stand at comparable loudness, the
// music keeps headroom and loops without a jump, and the variants of a step
// or rung series are not copies of one another.
#include "engine/ResourceArchive.h"
#include "platform/SoundData.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using corvelle_test::resourceDir;

bool isMusic(const std::string& name) { return name.size() > 4 && name.substr(name.size() - 4) == ".oxm"; }

// Every sound of the built archive, decoded whole (music is kept encoded
// when `streamMusic` is set, as the game keeps it).
std::map<std::string, std::shared_ptr<SoundData>> builtSounds(bool wantMusic, bool streamMusic)
{
    std::map<std::string, std::shared_ptr<SoundData>> sounds;
    ResourceArchive archive;
    EXPECT_TRUE(archive.open(resourceDir() + "/resource3.dat")) << archive.error();
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (!archive.entry(i, entry) || isMusic(entry.name) != wantMusic)
            continue;
        auto sound = std::make_shared<SoundData>();
        std::string error;
        int64_t streamAbove = streamMusic ? STREAM_ABOVE_FRAMES : int64_t{1} << 40;
        EXPECT_TRUE(decodeSound(entry.data.data(), entry.data.size(), streamAbove, *sound, error))
            << entry.name << ": " << error;
        sounds[entry.name] = sound;
    }
    return sounds;
}

// One channel of a decoded sound as -1 .. 1.
std::vector<double> channel(const SoundData& sound, int index)
{
    std::vector<double> out;
    for (size_t i = static_cast<size_t>(index); i < sound.pcm.size(); i += static_cast<size_t>(sound.channels))
        out.push_back(sound.pcm[i] / 32767.0);
    return out;
}

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0, z2 = 0;
    double process(double x)
    {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// Loudness as the ear weighs it: the sound through the broadcast loudness
// weighting (a high shelf and a low cut, at 44.1 kHz), as the mean power of
// its loudest 400 ms, in dB. A short sound counts as that sound followed by
// silence, as it is heard.
double loudness(const SoundData& sound)
{
    EXPECT_EQ(sound.rate, 44100);
    const size_t window = 17640;
    std::vector<double> power;
    for (int c = 0; c < sound.channels; ++c) {
        Biquad shelf{1.53090959, -2.65116903, 1.16916686, -1.66375011, 0.71265753};
        Biquad lowCut{1.0, -2.0, 1.0, -1.98916967, 0.98919159};
        std::vector<double> samples = channel(sound, c);
        power.resize(samples.size(), 0.0);
        for (size_t i = 0; i < samples.size(); ++i) {
            double y = lowCut.process(shelf.process(samples[i]));
            power[i] += y * y;
        }
    }
    double sum = 0.0, loudest = 0.0;
    for (size_t i = 0; i < power.size(); ++i) {
        sum += power[i];
        if (i >= window)
            sum -= power[i - window];
        loudest = std::max(loudest, sum);
    }
    return 10.0 * std::log10(loudest / window + 1e-12);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// How alike two sounds are: their normalised cross-correlation at the best
// alignment within a few milliseconds (1 for copies, whatever their level).
double likeness(const std::vector<double>& a, const std::vector<double>& b)
{
    const long maxLag = 200;
    double energyA = 0.0, energyB = 0.0;
    for (double x : a)
        energyA += x * x;
    for (double x : b)
        energyB += x * x;
    double best = 0.0;
    for (long lag = -maxLag; lag <= maxLag; ++lag) {
        double sum = 0.0;
        for (size_t i = 0; i < a.size(); ++i) {
            long j = static_cast<long>(i) + lag;
            if (j >= 0 && j < static_cast<long>(b.size()))
                sum += a[i] * b[static_cast<size_t>(j)];
        }
        best = std::max(best, sum);
    }
    return best / std::sqrt(energyA * energyB);
}

} // namespace

// Held tones (sirens, beeps, whistles) are far louder than their peak level
// suggests; none may stand out from the set, and none may be lost under it.
TEST(BuiltSoundsTest, EffectsSitWithinAFewDecibelsOfTheSetsMedian)
{
    std::map<std::string, double> levels;
    std::vector<double> all;
    for (const auto& [name, sound] : builtSounds(false, false)) {
        levels[name] = loudness(*sound);
        all.push_back(levels[name]);
    }
    ASSERT_GT(all.size(), 50u);
    const double middle = median(all);
    for (const auto& [name, level] : levels) {
        EXPECT_LE(level, middle + 6.0) << name << " at " << level << " dB is too loud (median " << middle << " dB)";
        // Steps and rungs are meant to be quiet, but still heard.
        EXPECT_GE(level, middle - 24.0) << name << " at " << level << " dB is nearly silent (median " << middle << " dB)";
    }
}

TEST(BuiltSoundsTest, EveryTunePeaksAtLeastADecibelBelowFullScale)
{
    const double limit = 32767.0 * std::pow(10.0, -1.0 / 20.0);
    auto tunes = builtSounds(true, false);
    ASSERT_EQ(tunes.size(), 6u);
    for (const auto& [name, sound] : tunes) {
        int peak = 0;
        for (int16_t s : sound->pcm)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LE(peak, limit) << name << " peaks at " << 20.0 * std::log10(peak / 32767.0) << " dBFS";
    }
}

// Played as the game plays it, the step from a tune's last frame to its
// first is no bigger than the steps between the frames of the tune itself.
TEST(BuiltSoundsTest, EveryTuneLoopsWithoutAJump)
{
    auto tunes = builtSounds(true, true);
    ASSERT_EQ(tunes.size(), 6u);
    for (const auto& [name, sound] : tunes) {
        std::unique_ptr<SoundReader> reader = openSoundReader(sound);
        ASSERT_TRUE(reader) << name;
        const int64_t total = sound->frames + 1;
        std::vector<float> frames(static_cast<size_t>(total) * 2);
        int64_t done = 0;
        while (done < total) {
            int got = reader->read(frames.data() + done * 2, static_cast<int>(std::min<int64_t>(4096, total - done)), true);
            ASSERT_GT(got, 0) << name;
            done += got;
        }
        for (int c = 0; c < 2; ++c) {
            std::vector<double> steps;
            for (int64_t i = 1; i < sound->frames; ++i)
                steps.push_back(std::fabs(frames[static_cast<size_t>(i * 2 + c)] - frames[static_cast<size_t>((i - 1) * 2 + c)]));
            auto ninetieth = steps.begin() + static_cast<long>(steps.size() * 9 / 10);
            std::nth_element(steps.begin(), ninetieth, steps.end());
            double typical = *ninetieth;
            double seam = std::fabs(frames[static_cast<size_t>(sound->frames * 2 + c)] -
                                    frames[static_cast<size_t>((sound->frames - 1) * 2 + c)]);
            EXPECT_LE(seam, typical) << name << " channel " << c;
        }
    }
}

TEST(BuiltSoundsTest, VariantsOfAStepOrRungSeriesDifferPairwise)
{
    auto effects = builtSounds(false, false);
    const struct {
        const char* prefix;
        int first, last;
    } series[] = {
        {"professor_run", 0, 5},
        {"professor_climb", 0, 3},
        {"bot_footstep", 1, 12},
        {"bot_climb", 0, 3},
    };
    for (const auto& s : series) {
        std::vector<std::vector<double>> variants;
        for (int n = s.first; n <= s.last; ++n) {
            std::string name = s.prefix + std::to_string(n) + ".ogg";
            ASSERT_TRUE(effects.count(name)) << name;
            variants.push_back(channel(*effects[name], 0));
        }
        for (size_t i = 0; i < variants.size(); ++i)
            for (size_t j = i + 1; j < variants.size(); ++j)
                EXPECT_LT(likeness(variants[i], variants[j]), 0.95)
                    << s.prefix << " " << s.first + static_cast<int>(i) << " and " << s.first + static_cast<int>(j);
    }
}
