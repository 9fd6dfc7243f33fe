// Mixer cost: one second of 44.1 kHz stereo output with 32 looping voices
// at assorted rates, in device-sized blocks, as a fraction of real time.
// With a path to resource3.dat, two of the voices are streamed music tracks
// instead (the cross-fade case), which adds the Vorbis decoding.
//   MixerBench [resource3.dat]
#include "engine/ResourceArchive.h"
#include "platform/AudioMixer.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int OUTPUT_RATE = 44100;
constexpr int VOICES = 32;
constexpr int BLOCK = 1024;
constexpr int ROUNDS = 20;

std::shared_ptr<const SoundData> tone(double hz, int rate)
{
    auto sound = std::make_shared<SoundData>();
    sound->rate = rate;
    sound->channels = 1 + (rate % 2);
    sound->frames = rate;
    for (int64_t i = 0; i < sound->frames * sound->channels; ++i)
        sound->pcm.push_back(static_cast<int16_t>(3000 * std::sin(2 * M_PI * hz * i / rate)));
    return sound;
}

std::shared_ptr<const SoundData> music(const std::string& archivePath, const char* name)
{
    ResourceArchive archive;
    if (archivePath.empty() || !archive.open(archivePath))
        return nullptr;
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        SoundData sound;
        std::string error;
        if (archive.entry(i, entry) && entry.name == name &&
            decodeSound(entry.data.data(), entry.data.size(), STREAM_ABOVE_FRAMES, sound, error))
            return std::make_shared<const SoundData>(std::move(sound));
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    std::string archive = argc > 1 ? argv[1] : "";
    AudioMixer mixer(OUTPUT_RATE);
    const int rates[] = {22050, 44100, 48000, 44101};
    int streamed = 0;
    for (const char* track : {"main.oxm", "map.oxm"}) {
        if (auto sound = music(archive, track)) {
            mixer.start(sound, 100, openSoundReader(sound), false, true);
            ++streamed;
        }
    }
    for (int v = streamed; v < VOICES; ++v) {
        auto sound = tone(200.0 + 37.0 * v, rates[v % 4]);
        ChannelHandle channel = mixer.start(sound, static_cast<uint32_t>(v + 1), openSoundReader(sound), false, true);
        mixer.setFrequency(channel, static_cast<float>(sound->rate * (0.8 + 0.02 * v)));
        mixer.setVolume(channel, 0.5f);
    }
    std::vector<float> out(2 * BLOCK);
    std::vector<int16_t> device(2 * BLOCK);
    const int blocksPerSecond = (OUTPUT_RATE + BLOCK - 1) / BLOCK;
    auto begin = std::chrono::steady_clock::now();
    for (int round = 0; round < ROUNDS; ++round) {
        for (int b = 0; b < blocksPerSecond; ++b) {
            mixer.mix(out.data(), BLOCK);
            AudioMixer::toInt16(out.data(), device.data(), 2 * BLOCK);
        }
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() / ROUNDS;
    printf("mixer: %d voices (%d streamed), 1 s of audio in %.2f ms = %.4f of real time\n", VOICES, streamed,
           seconds * 1000.0, seconds);
    return 0;
}
