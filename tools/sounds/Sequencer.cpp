// Plays a song's parts over its chord progression into one stereo loop.
#include "Music.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace music {

using namespace dsp;

namespace {

constexpr double TAIL_SECONDS = 5.0;
constexpr float TARGET_RMS = 0.15f;

struct Chord {
    int root;                 // pitch class 0..11 (C = 0)
    std::vector<int> tones;   // semitones above the root, root first
};

// "C" 0 ... "B" 11, with # or b; returns the characters used.
size_t parsePitchClass(const std::string& text, int& pitchClass)
{
    static const int kNatural[] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.at(0))));
    if (letter < 'A' || letter > 'G')
        throw std::runtime_error("bad note name: " + text);
    pitchClass = kNatural[letter - 'A'];
    size_t used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pitchClass += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    pitchClass = (pitchClass + 12) % 12;
    return used;
}

Chord parseChord(const std::string& name)
{
    struct Quality {
        const char* suffix;
        std::vector<int> tones;
    };
    static const Quality kQualities[] = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},   {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},    {"m9", {0, 3, 7, 10, 14}}, {"sus2", {0, 2, 7}},  {"sus4", {0, 5, 7}},
        {"dim", {0, 3, 6}},       {"6", {0, 4, 7, 9}},     {"add9", {0, 4, 7, 14}},
    };
    Chord chord;
    size_t used = parsePitchClass(name, chord.root);
    std::string suffix = name.substr(used);
    for (const Quality& q : kQualities)
        if (suffix == q.suffix) {
            chord.tones = q.tones;
            return chord;
        }
    throw std::runtime_error("unknown chord: " + name);
}

// "C4" = 60, "F#3" = 54, "Bb5" = 82.
int parseNote(const std::string& token)
{
    int pitchClass = 0;
    size_t used = parsePitchClass(token, pitchClass);
    int octave = std::stoi(token.substr(used));
    return 12 * (octave + 1) + pitchClass;
}

// Melodies are written as space-separated tokens, the other patterns one
// character per step (spaces only for reading).
std::vector<std::string> steps(const Part& part)
{
    std::vector<std::string> out;
    if (part.kind == PartKind::Melody) {
        std::istringstream in(part.pattern);
        std::string token;
        while (in >> token)
            out.push_back(token);
    } else {
        for (char c : part.pattern)
            if (c != ' ')
                out.push_back(std::string(1, c));
    }
    if (out.empty())
        throw std::runtime_error("empty pattern");
    return out;
}

// The chord sounding at each step of a section.
std::vector<Chord> chordPerStep(const Section& section, int stepsPerBar)
{
    std::istringstream in(section.chords);
    std::vector<std::string> bars;
    std::string token;
    while (in >> token)
        bars.push_back(token);
    if (static_cast<int>(bars.size()) != section.bars)
        throw std::runtime_error("chord count does not match bars: " + section.chords);
    std::vector<Chord> out;
    for (const std::string& bar : bars) {
        size_t comma = bar.find(',');
        Chord first = parseChord(bar.substr(0, comma));
        Chord second = comma == std::string::npos ? first : parseChord(bar.substr(comma + 1));
        for (int s = 0; s < stepsPerBar; ++s)
            out.push_back(s < stepsPerBar / 2 ? first : second);
    }
    return out;
}

// Root of a chord placed in an octave, kept low for roots above G.
int rootNote(const Chord& chord, int octave)
{
    int note = 12 * (octave + 1) + chord.root;
    return chord.root > 7 ? note - 12 : note;
}

// Chord tone number n counted upward through the octaves.
int chordTone(const Chord& chord, int octave, int n)
{
    int count = static_cast<int>(chord.tones.size());
    return rootNote(chord, octave) + chord.tones[static_cast<size_t>(n % count)] + 12 * (n / count);
}

std::vector<int> notesForStep(const Part& part, const std::string& symbol, const Chord& chord)
{
    switch (part.kind) {
    case PartKind::Melody:
        return {parseNote(symbol) + part.transpose};
    case PartKind::Bass: {
        int root = rootNote(chord, part.octave);
        auto tone = [&](int degreeIndex) {
            return root + (degreeIndex < static_cast<int>(chord.tones.size()) ? chord.tones[degreeIndex] : 12);
        };
        switch (symbol[0]) {
        case 'R':
            return {root};
        case '3':
            return {tone(1)};
        case '5':
            return {tone(2)};
        case '7':
            return {tone(3)};
        case 'O':
            return {root + 12};
        default:
            throw std::runtime_error("bad bass step: " + symbol);
        }
    }
    case PartKind::Arp:
        if (!std::isdigit(static_cast<unsigned char>(symbol[0])))
            throw std::runtime_error("bad arpeggio step: " + symbol);
        return {chordTone(chord, part.octave, symbol[0] - '0')};
    case PartKind::Chords: {
        std::vector<int> notes;
        for (int tone : chord.tones)
            notes.push_back(rootNote(chord, part.octave) + tone);
        return notes;
    }
    case PartKind::Drum:
        return {60};
    }
    return {};
}

float velocityOf(const Part& part, const std::string& symbol)
{
    if (part.kind != PartKind::Drum)
        return 0.85f;
    return symbol == "x" ? 1.0f : symbol == "o" ? 0.6f : 0.3f;
}

// Renders one part of one section into the part's buffer.
void renderPart(const Song& song, const Section& section, const Part& part, double sectionStart, uint32_t seed,
                Mono& out)
{
    const double barSeconds = 240.0 / song.bpm;
    const double step = barSeconds / part.stepsPerBar;
    const std::vector<std::string> pattern = steps(part);
    const std::vector<Chord> chords = chordPerStep(section, part.stepsPerBar);
    const int total = section.bars * part.stepsPerBar;
    if (total % static_cast<int>(pattern.size()) != 0)
        throw std::runtime_error("pattern does not fit its section: " + part.pattern);
    const double gate = part.kind == PartKind::Melody ? 0.95 : 0.85;
    for (int i = 0; i < total; ++i) {
        const std::string& symbol = pattern[static_cast<size_t>(i) % pattern.size()];
        if (symbol == "-" || symbol == ".")
            continue;
        int held = 1;
        while (i + held < total && pattern[static_cast<size_t>(i + held) % pattern.size()] == "-")
            ++held;
        double swing = (i % 2 == 1 && part.stepsPerBar == 16) ? song.swing * step : 0.0;
        double start = sectionStart + i * step + swing;
        double length = held * step * gate;
        for (int note : notesForStep(part, symbol, chords[static_cast<size_t>(i)]))
            renderNote(part.instrument, note, length, velocityOf(part, symbol) * (part.kind == PartKind::Chords ? 0.5f : 1.0f),
                       seed * 7919u + static_cast<uint32_t>(i * 31 + note), out, frames(start));
    }
}

float softLimit(float x)
{
    // Above the knee, peaks bend smoothly toward the ceiling, 3 dB below full
    // scale: room for the encoder's overshoot around sharp attacks.
    const float knee = 0.5f;
    const float ceiling = 0.7f;
    float magnitude = std::fabs(x);
    if (magnitude <= knee)
        return x;
    float limited = knee + (ceiling - knee) * std::tanh((magnitude - knee) / (ceiling - knee));
    return x < 0.0f ? -limited : limited;
}

} // namespace

double songSeconds(const Song& song)
{
    int bars = 0;
    for (const Section& section : song.sections)
        bars += section.bars;
    return bars * 240.0 / song.bpm;
}

Stereo renderSong(const Song& song)
{
    const size_t loopFrames = frames(songSeconds(song));
    const size_t allFrames = loopFrames + frames(TAIL_SECONDS);
    Stereo mix;
    mix.resize(allFrames);
    Mono send(allFrames, 0.0f);
    double sectionStart = 0.0;
    uint32_t seed = 1;
    for (const Section& section : song.sections) {
        for (const Part& part : section.parts) {
            Mono voice(allFrames, 0.0f);
            renderPart(song, section, part, sectionStart, seed++, voice);
            const double angle = (part.pan + 1.0) * PI / 4.0;
            const float left = static_cast<float>(std::cos(angle)) * part.gain;
            const float right = static_cast<float>(std::sin(angle)) * part.gain;
            for (size_t i = 0; i < allFrames; ++i) {
                mix.left[i] += voice[i] * left;
                mix.right[i] += voice[i] * right;
                send[i] += voice[i] * part.gain * part.reverb;
            }
        }
        sectionStart += section.bars * 240.0 / song.bpm;
    }
    Reverb room(0.7 + 0.25 * song.room, 0.35);
    for (size_t i = 0; i < allFrames; ++i) {
        float wetLeft, wetRight;
        room.process(send[i], wetLeft, wetRight);
        mix.left[i] += wetLeft;
        mix.right[i] += wetRight;
    }
    // Fold what rings past the loop's end onto its start.
    for (size_t i = loopFrames; i < allFrames; ++i) {
        mix.left[i - loopFrames] += mix.left[i];
        mix.right[i - loopFrames] += mix.right[i];
    }
    mix.resize(loopFrames);
    double energy = 0.0;
    for (size_t i = 0; i < loopFrames; ++i)
        energy += mix.left[i] * mix.left[i] + mix.right[i] * mix.right[i];
    float rms = static_cast<float>(std::sqrt(energy / (2.0 * loopFrames)));
    float gain = rms > 0.0f ? TARGET_RMS / rms : 1.0f;
    for (size_t i = 0; i < loopFrames; ++i) {
        mix.left[i] = softLimit(mix.left[i] * gain);
        mix.right[i] = softLimit(mix.right[i] * gain);
    }
    return mix;
}

} // namespace music
