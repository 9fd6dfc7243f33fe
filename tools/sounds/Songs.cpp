// The six pieces of music. Each is a loop: its sections run in order and the
// last bar leads back into the first.
//
//   main    the menu: bright and welcoming, F major
//   map     the map: unhurried, wandering, D major
//   story   the story pages: gentle and tender, A minor
//   stage1  a level: a thinking groove, E minor
//   stage2  a level: mysterious and patient, D dorian
//   stage3  a level: driving and eager, G minor
#include "Music.h"

namespace music {

namespace {

using I = Instrument;

Part melody(I instrument, const char* notes, float gain, float pan, float reverb, int transpose = 0)
{
    return {PartKind::Melody, instrument, notes, 4, gain, pan, reverb, 8, transpose};
}

Part bassLine(I instrument, const char* pattern, int octave, float gain)
{
    return {PartKind::Bass, instrument, pattern, octave, gain, 0.0f, 0.05f, 16, 0};
}

Part arp(I instrument, const char* pattern, int octave, float gain, float pan, float reverb)
{
    return {PartKind::Arp, instrument, pattern, octave, gain, pan, reverb, 16, 0};
}

Part chords(I instrument, const char* pattern, int octave, float gain, float pan, float reverb)
{
    return {PartKind::Chords, instrument, pattern, octave, gain, pan, reverb, 16, 0};
}

Part drum(I instrument, const char* pattern, float gain, float pan = 0.0f, float reverb = 0.1f)
{
    return {PartKind::Drum, instrument, pattern, 4, gain, pan, reverb, 16, 0};
}

template <typename... More>
std::vector<Part> with(std::vector<Part> parts, More... more)
{
    (parts.push_back(more), ...);
    return parts;
}

Song mainTheme()
{
    const char* verse = "F C Dm Bb F C Bb,C F";
    const char* bridge = "Bb C Am Dm Gm C F,Dm Gm,C";
    const char* verseTune = "A4 - C5 - F5 - E5 D5  E5 - - - C5 - G4 -  F4 - A4 - D5 - C5 A4  Bb4 - - - D5 - - . "
                            "C5 - A4 - F4 - A4 C5  E5 - D5 - C5 - G4 -  F4 - G4 A4 Bb4 - E5 -  F5 - - - - - . .";
    const char* bridgeTune = "D5 - - F5 - D5 Bb4 -  C5 - - E5 - C5 G4 -  A4 - C5 - E5 - D5 C5  D5 - - - A4 - - . "
                             "Bb4 - A4 - G4 - Bb4 -  C5 - E5 - G5 - F5 E5  F5 - C5 - D5 - A4 -  G4 - Bb4 - C5 - E5 -";
    std::vector<Part> band = {
        chords(I::Pad, "x---------------", 4, 0.22f, 0.0f, 0.5f),
        arp(I::Pluck, "0.2.1.2.3.2.1.2.", 4, 0.32f, -0.35f, 0.3f),
        bassLine(I::Bass, "R--.R-5-R--.O-5-", 2, 0.36f),
        drum(I::Kick, "x.......x.x.....", 0.55f),
        drum(I::Snare, "....x.......x...", 0.35f, 0.1f, 0.2f),
        drum(I::HatClosed, "..x...x...x...xo", 0.25f, 0.3f),
        drum(I::Shaker, "gogogogogogogogo", 0.3f, -0.3f),
    };
    return {"main.oxm", 104, 0.12f, 0.5f,
            {{8, verse, band},
             {8, verse, with(band, melody(I::Lead, verseTune, 0.3f, 0.1f, 0.3f))},
             {8, bridge, with(band, melody(I::Lead, bridgeTune, 0.3f, 0.1f, 0.3f))},
             {8, verse,
              with(band, melody(I::Lead, verseTune, 0.26f, 0.1f, 0.3f),
                   melody(I::Bell, verseTune, 0.14f, -0.2f, 0.5f, 12))}}};
}

Song mapTheme()
{
    const char* home = "Dmaj7 Em7 Gmaj7 A Dmaj7 Bm7 Gmaj7 A7";
    const char* away = "Gmaj7 F#m7 Em7 A Bm7 Gmaj7 Em7,A D";
    const char* homeTune = "F#5 - - E5 D5 - A4 -  B4 - - - G5 - F#5 E5  D5 - - B4 - - A4 -  C#5 - E5 - A5 - - . "
                           "F#5 - A5 - G5 F#5 E5 -  D5 - - - B4 - - .  G4 - B4 - D5 - F#5 -  E5 - - - - - . .";
    const char* awayTune = "B5 - - A5 G5 - D5 -  A5 - - - C#5 - E5 -  G5 - F#5 - E5 - B4 -  C#5 - - - E5 - - . "
                           "F#5 - - E5 D5 - B4 -  D5 - E5 - F#5 - G5 -  A5 - G5 - E5 - C#5 -  D5 - - - - - . .";
    std::vector<Part> band = {
        chords(I::Pad, "x---------------", 3, 0.2f, 0.0f, 0.6f),
        arp(I::Marimba, "0.2.4.2.1.3.2.1.", 4, 0.35f, 0.3f, 0.3f),
        bassLine(I::SubBass, "R-----5-R---3-5-", 2, 0.36f),
        drum(I::Kick, "x.........x.....", 0.38f),
        drum(I::Rim, "....x.......x..g", 0.2f, -0.2f, 0.3f),
        drum(I::Shaker, "x.o.x.o.x.o.x.oo", 0.3f, 0.35f),
    };
    return {"map.oxm", 92, 0.18f, 0.6f,
            {{8, home, band},
             {8, away, with(band, melody(I::Flute, awayTune, 0.32f, -0.15f, 0.4f))},
             {8, home, with(band, melody(I::Flute, homeTune, 0.32f, -0.15f, 0.4f))}}};
}

Song storyTheme()
{
    const char* once = "Am F C G Am F Dm E";
    const char* then = "F G Em Am Dm G Csus4,C E7";
    const char* onceTune = "E5 - - - A4 - B4 C5  C5 - - - A4 - - .  G4 - C5 - E5 - D5 C5  D5 - - - - - B4 - "
                           "C5 - B4 - A4 - E5 -  F5 - E5 - C5 - A4 -  D5 - E5 - F5 - A5 -  G#5 - - - E5 - - .";
    const char* thenTune = "A5 - - G5 F5 - - .  G5 - - F5 D5 - - .  E5 - - D5 B4 - - .  C5 - - - A4 - - . "
                           "D5 - F5 - A5 - G5 F5  G5 - - - D5 - B4 -  C5 - F5 - E5 - - .  D5 - - - B4 - G#4 -";
    std::vector<Part> band = {
        chords(I::Strings, "x---------------", 3, 0.2f, 0.0f, 0.6f),
        arp(I::Pluck, "0.1.2.3.4.3.2.1.", 3, 0.3f, 0.35f, 0.45f),
        bassLine(I::SubBass, "R-------5-------", 2, 0.34f),
        drum(I::Tom, "x.......o.......", 0.3f, -0.1f, 0.4f),
        drum(I::Shaker, "..g...o...g...o.", 0.25f, 0.3f, 0.3f),
    };
    return {"story.oxm", 72, 0.0f, 0.8f,
            {{8, once, with(band, melody(I::Flute, onceTune, 0.3f, -0.1f, 0.5f))},
             {8, then, with(band, melody(I::Flute, thenTune, 0.3f, -0.1f, 0.5f))},
             {8, once, with(band, melody(I::Bell, onceTune, 0.22f, -0.1f, 0.6f))}}};
}

Song stageOne()
{
    const char* riff = "Em7 Em7 Cmaj7 D Em7 Em7 Am7 B7";
    const char* turn = "Cmaj7 D Bm7 Em7 Am7 D G,Em Am7,B7";
    const char* riffTune = "E5 - G5 - B5 - A5 G5  F#5 - - - D5 - E5 -  G5 - E5 - C5 - E5 G5  F#5 - - - A5 - - . "
                           "B5 - A5 G5 F#5 - E5 -  G5 - F#5 E5 D5 - B4 -  C5 - E5 - A5 - G5 E5  D#5 - - - F#5 - - .";
    const char* turnTune = "E5 - - G5 - - B5 -  A5 - - F#5 - - D5 -  D5 - F#5 - B5 - A5 -  G5 - - - E5 - - . "
                           "A5 - G5 - E5 - C5 -  D5 - E5 - F#5 - A5 -  B5 - A5 - G5 - E5 -  C5 - E5 - D#5 - F#5 -";
    std::vector<Part> band = {
        chords(I::EPiano, "...x-.....x-....", 4, 0.3f, -0.25f, 0.25f),
        bassLine(I::Bass, "R..RO..RR..5.O.R", 2, 0.36f),
        drum(I::Kick, "x..x..x...x.....", 0.55f),
        drum(I::Snare, "....x.......x..g", 0.4f, 0.05f, 0.15f),
        drum(I::HatClosed, "x.x.x.x.x.x.x.xo", 0.25f, 0.3f),
    };
    return {"stage1.oxm", 112, 0.1f, 0.4f,
            {{8, riff, band},
             {8, riff, with(band, melody(I::Marimba, riffTune, 0.4f, 0.2f, 0.3f))},
             {8, turn, with(band, melody(I::Marimba, turnTune, 0.4f, 0.2f, 0.3f),
                            chords(I::Pad, "x---------------", 3, 0.12f, 0.0f, 0.5f))},
             {8, riff, with(band, melody(I::Marimba, riffTune, 0.35f, 0.2f, 0.3f),
                            melody(I::Bell, riffTune, 0.12f, -0.3f, 0.5f, 12))}}};
}

Song stageTwo()
{
    const char* vamp = "Dm7 G Dm7 G Bbmaj7 C Dm7 Am7";
    const char* drift = "Fmaj7 C Gm7 Dm7 Bbmaj7 Am7 Gm7,C Dm7";
    const char* vampTune = "A4 - - C5 D5 - - .  B4 - - - D5 - C5 B4  A4 - - F5 E5 - D5 -  E5 - - - - - . . "
                           "D5 - - F5 - - A5 -  G5 - - E5 - - C5 -  F5 - E5 - D5 - A4 -  C5 - - - E5 - - .";
    const char* driftTune = "A5 - - G5 F5 - E5 -  G5 - - - E5 - - .  Bb4 - D5 - F5 - D5 -  A4 - - - D5 - - . "
                            "F5 - - D5 - - Bb4 -  C5 - - E5 - - A5 -  G5 - F5 - E5 - C5 -  D5 - - - - - . .";
    std::vector<Part> band = {
        chords(I::Pad, "x---------------", 3, 0.18f, 0.0f, 0.7f),
        arp(I::Bell, "0..2..1..3..2.1.", 4, 0.22f, 0.4f, 0.6f),
        bassLine(I::SubBass, "R.....R...5.....", 2, 0.36f),
        drum(I::Kick, "x.........x.....", 0.38f),
        drum(I::Rim, "....x..g....x...", 0.25f, -0.3f, 0.4f),
        drum(I::Shaker, "gogogogogogogogo", 0.25f, 0.3f),
        drum(I::HatOpen, "..............x.", 0.12f, 0.4f, 0.3f),
    };
    return {"stage2.oxm", 96, 0.2f, 0.7f,
            {{8, vamp, band},
             {8, vamp, with(band, melody(I::EPiano, vampTune, 0.4f, -0.15f, 0.4f))},
             {8, drift, with(band, melody(I::EPiano, driftTune, 0.4f, -0.15f, 0.4f))},
             {8, vamp, with(band, melody(I::Organ, vampTune, 0.22f, -0.15f, 0.4f))}}};
}

Song stageThree()
{
    const char* charge = "Gm Eb Bb F Gm Eb Cm D";
    const char* climb = "Eb F Dm Gm Cm F Bb,Gm Cm,D";
    const char* chargeTune = "G5 - - D5 - - G5 A5  Bb5 - A5 - G5 - - .  F5 - - D5 - - F5 G5  A5 - G5 - F5 - - . "
                             "G5 - Bb5 - D6 - C6 Bb5  A5 - G5 - F5 - G5 -  Eb5 - G5 - C6 - Bb5 A5  F#5 - - - A5 - - .";
    const char* climbTune = "G5 - Bb5 - Eb6 - D6 -  C6 - A5 - F5 - - .  F5 - A5 - D6 - C6 -  Bb5 - - - G5 - - . "
                            "C6 - Bb5 - G5 - Eb5 -  F5 - G5 - A5 - C6 -  D6 - C6 - Bb5 - G5 -  A5 - G5 - F#5 - A5 -";
    std::vector<Part> band = {
        arp(I::Pluck, "0120312031203123", 4, 0.22f, -0.4f, 0.25f),
        bassLine(I::Bass, "R.R.R.R.R.R.O.5.", 2, 0.36f),
        drum(I::Kick, "x...x...x...x...", 0.58f),
        drum(I::Snare, "....x.......x...", 0.35f),
        drum(I::Clap, "....x.......x...", 0.25f, 0.0f, 0.3f),
        drum(I::HatClosed, "..x...x...x...x.", 0.3f, 0.3f),
        drum(I::Shaker, "xoxoxoxoxoxoxoxo", 0.22f, -0.3f),
    };
    std::vector<Part> full = with(band, chords(I::Strings, "x-------x-------", 3, 0.14f, 0.1f, 0.4f));
    return {"stage3.oxm", 124, 0.0f, 0.4f,
            {{8, charge, band},
             {8, charge, with(full, melody(I::Lead, chargeTune, 0.3f, 0.15f, 0.25f))},
             {8, climb, with(full, melody(I::Lead, climbTune, 0.3f, 0.15f, 0.25f))},
             {8, charge, with(full, melody(I::Lead, chargeTune, 0.26f, 0.15f, 0.25f),
                              melody(I::Bell, chargeTune, 0.1f, -0.3f, 0.4f, -12))},
             {8, climb, with(band, chords(I::Pad, "x-------x-------", 3, 0.18f, 0.0f, 0.5f))}}};
}

} // namespace

const std::vector<Song>& allSongs()
{
    static const std::vector<Song> songs = {mainTheme(), mapTheme(), storyTheme(), stageOne(), stageTwo(), stageThree()};
    return songs;
}

} // namespace music
