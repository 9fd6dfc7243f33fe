#pragma once

// The music: instruments that render one note, a step sequencer that plays
// a song's parts over its chord progression, and the six songs.
#include "Dsp.h"

#include <string>
#include <vector>

namespace music {

enum class Instrument {
    // pitched
    Pluck, EPiano, Marimba, Bell, Pad, Strings, Lead, Flute, Bass, SubBass, Organ,
    // percussion (pitch ignored)
    Kick, Snare, HatClosed, HatOpen, Shaker, Rim, Tom, Clap,
};

// Mixes one note into `out` from sample `offset` on, tail included.
void renderNote(Instrument instrument, double midi, double seconds, float velocity, uint32_t seed, dsp::Mono& out,
                size_t offset);

enum class PartKind {
    Melody, // tokens: a note name ("C5", "F#4", "Bb3"), "-" holds, "." rests
    Bass,   // per step: R root, 3 third, 5 fifth, 7 seventh, O root an octave up, - hold, . rest
    Arp,    // per step: a digit picks a chord tone upward from the root, - hold, . rest
    Chords, // per step: x strikes the whole chord, - hold, . rest
    Drum,   // per step: x hit, o softer, g ghost, . nothing
};

struct Part {
    PartKind kind;
    Instrument instrument;
    std::string pattern;  // repeats to fill its section
    int octave = 4;       // where derived parts put the chord root (C4 = MIDI 60)
    float gain = 0.5f;
    float pan = 0.0f;     // -1 left .. 1 right
    float reverb = 0.2f;  // send to the room
    int stepsPerBar = 16;
    int transpose = 0;    // semitones, for melodies
};

struct Section {
    int bars;
    std::string chords; // one token per bar; "F,C" splits a bar in halves
    std::vector<Part> parts;
};

struct Song {
    std::string name;
    double bpm;
    float swing;        // delay of every second step, as a fraction of a step
    float room;         // reverb size 0..1
    std::vector<Section> sections;
};

// The song as a seamless loop: what rings past the end is folded back onto
// the start, so the last bar flows into the first.
dsp::Stereo renderSong(const Song& song);

double songSeconds(const Song& song);

const std::vector<Song>& allSongs();

} // namespace music
