// soundtool: synthesises the game's sound effects and music as Ogg Vorbis.
//   soundtool --effects DIR LIST    every effect into DIR; LIST gets their
//                                   paths, one a line, for respack
//   soundtool --music NAME OUTPUT   one music track
//   soundtool --names               every effect and track name
// The output depends only on this program: the same build gives the same bytes.
#include "EffectKit.h"
#include "Music.h"
#include "OggWriter.h"

#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>

namespace {

constexpr float EFFECT_QUALITY = 0.4f;
constexpr float MUSIC_QUALITY = 0.25f;

int writeEffects(const std::string& dir, const std::string& listPath)
{
    std::ofstream list(listPath, std::ios::trunc);
    for (const fx::Effect& effect : fx::allEffects()) {
        std::string path = dir + "/" + effect.name;
        if (!writeOggVorbis(path, {effect.make()}, dsp::RATE, EFFECT_QUALITY)) {
            std::cerr << "soundtool: cannot write " << path << "\n";
            return 1;
        }
        list << path << "\n";
    }
    return list ? 0 : 1;
}

// A track keeps this much headroom once decoded (-1.5 dBFS). The encoder's
// output can overshoot the samples it was given by well over a decibel around
// sharp attacks, so the decoded track is measured and, when it comes too
// near full scale, encoded again a little quieter.
constexpr float MUSIC_PEAK = 0.84f;
constexpr int MUSIC_ATTEMPTS = 4;

int writeMusic(const std::string& name, const std::string& output)
{
    for (const music::Song& song : music::allSongs()) {
        if (song.name != name)
            continue;
        dsp::Stereo mix = music::renderSong(song);
        for (int attempt = 0; attempt < MUSIC_ATTEMPTS; ++attempt) {
            if (!writeOggVorbis(output, {mix.left, mix.right}, dsp::RATE, MUSIC_QUALITY)) {
                std::cerr << "soundtool: cannot write " << output << "\n";
                return 1;
            }
            float peak = decodedPeak(output);
            if (peak < 0.0f) {
                std::cerr << "soundtool: cannot read back " << output << "\n";
                return 1;
            }
            if (peak <= MUSIC_PEAK)
                return 0;
            float gain = MUSIC_PEAK / peak * 0.98f;
            for (size_t i = 0; i < mix.size(); ++i) {
                mix.left[i] *= gain;
                mix.right[i] *= gain;
            }
        }
        std::cerr << "soundtool: " << output << " keeps peaking above its headroom\n";
        return 1;
    }
    std::cerr << "soundtool: no track named " << name << "\n";
    return 1;
}

int run(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "--effects") == 0)
        return writeEffects(argv[2], argv[3]);
    if (argc == 4 && strcmp(argv[1], "--music") == 0)
        return writeMusic(argv[2], argv[3]);
    if (argc == 2 && strcmp(argv[1], "--names") == 0) {
        for (const fx::Effect& effect : fx::allEffects())
            std::cout << effect.name << "\n";
        for (const music::Song& song : music::allSongs())
            std::cout << song.name << "\n";
        return 0;
    }
    std::cerr << "usage: soundtool --effects DIR LIST | --music NAME OUTPUT | --names\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "soundtool: " << error.what() << "\n";
        return 1;
    }
}
