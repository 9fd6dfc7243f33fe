// One note of each instrument. Every renderer mixes its note, release and
// ringing tail included, into the part's buffer.
#include "Music.h"

#include <algorithm>
#include <cmath>

namespace music {

using namespace dsp;

namespace {

// Every note rises from silence over this time, however hard its attack: a
// note that jumped straight to full level would click, loudest where it
// starts a loop, right after the end's tail.
constexpr double ONSET_SECONDS = 0.001;

// Calls f(t) for each sample of `length` seconds and adds the result.
template <typename F>
void addNote(Mono& out, size_t offset, double length, F f)
{
    size_t count = std::min(frames(length), out.size() > offset ? out.size() - offset : 0);
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / RATE;
        out[offset + i] += f(t) * static_cast<float>(std::min(1.0, t / ONSET_SECONDS));
    }
}

// Karplus-Strong string: a burst of noise circulating in a delay line one
// period long, softened a little on every pass.
void pluck(double hz, double seconds, float velocity, uint32_t seed, Mono& out, size_t offset)
{
    Rng rng(seed);
    size_t period = std::max<size_t>(2, static_cast<size_t>(RATE / hz - 0.5));
    std::vector<float> line(period);
    OnePole soften;
    for (float& s : line)
        s = soften.lowPass(rng.bipolar(), 2000.0 + 6000.0 * velocity);
    size_t pos = 0;
    const double ring = seconds + 1.5;
    addNote(out, offset, ring, [&](double t) {
        size_t nextPos = (pos + 1) % period;
        float damping = t < seconds ? 0.996f : 0.95f;
        float value = line[pos];
        line[pos] = 0.5f * (line[pos] + line[nextPos]) * damping;
        pos = nextPos;
        return value * velocity;
    });
}

void epiano(double hz, double seconds, float velocity, Mono& out, size_t offset)
{
    Osc carrier, modulator, tine;
    addNote(out, offset, seconds + 0.4, [&](double t) {
        double index = 0.3 + 1.8 * velocity * decay60(t, 0.9);
        double mod = modulator.sine(hz) * index;
        float tineHit = tine.sine(hz * 14.0) * 0.08f * decay60(t, 0.05);
        float body = static_cast<float>(std::sin(2.0 * PI * carrier.phase() + mod));
        carrier.sine(hz);
        return (body + tineHit) * decay60(t, 3.5) * adsr(t, 0.003, 0.0, 1.0f, seconds, 0.35) * velocity;
    });
}

// Struck bars and bells: partials with their own decay times.
void partials(double hz, double seconds, float velocity, const double (*table)[3], int count, Mono& out,
              size_t offset)
{
    std::vector<Osc> oscs(static_cast<size_t>(count));
    double longest = 0.0;
    for (int i = 0; i < count; ++i)
        longest = std::max(longest, table[i][2]);
    addNote(out, offset, std::min(longest, seconds + longest), [&](double t) {
        float sum = 0.0f;
        for (int i = 0; i < count; ++i)
            sum += oscs[static_cast<size_t>(i)].sine(hz * table[i][0]) * static_cast<float>(table[i][1]) *
                   decay60(t, table[i][2]);
        return sum * velocity * std::min(1.0f, static_cast<float>(t / 0.002));
    });
}

const double kMarimba[][3] = {{1.0, 1.0, 0.9}, {3.93, 0.35, 0.25}, {9.2, 0.1, 0.06}};
const double kBell[][3] = {{1.0, 1.0, 2.5}, {2.0, 0.5, 1.6}, {2.76, 0.35, 1.1}, {5.4, 0.2, 0.5}, {8.93, 0.1, 0.25}};

// Detuned saws through a soft low-pass: pads and strings.
void ensemble(double hz, double seconds, float velocity, bool strings, uint32_t seed, Mono& out, size_t offset)
{
    Rng rng(seed);
    Osc a(rng.uniform()), b(rng.uniform()), c(rng.uniform()), sub, lfo(rng.uniform());
    Svf filter(Svf::LowPass, 0.8);
    const double attack = strings ? 0.25 : 0.5;
    const double release = strings ? 0.5 : 0.9;
    addNote(out, offset, seconds + release, [&](double t) {
        double vibrato = strings ? 1.0 + 0.004 * lfo.sine(5.2) * std::min(1.0, t / 0.4) : 1.0;
        double f = hz * vibrato;
        float wave = a.saw(f * 0.9954) + b.saw(f) + c.saw(f * 1.0046) + (strings ? 0.0f : 0.3f * sub.sine(f * 0.5));
        double cutoff = strings ? hz * 4.0 + 900.0 : hz * 2.5 + 500.0 + 300.0 * std::sin(t * 0.7);
        return filter.process(wave * 0.35f, cutoff) * adsr(t, attack, 0.3, 0.8f, seconds, release) * velocity;
    });
}

void lead(double hz, double seconds, float velocity, Mono& out, size_t offset)
{
    Osc square, saw, lfo;
    Svf filter(Svf::LowPass, 1.3);
    addNote(out, offset, seconds + 0.15, [&](double t) {
        double f = hz * (1.0 + 0.006 * lfo.sine(5.5) * std::min(1.0, std::max(0.0, t - 0.15) / 0.2));
        float wave = square.square(f, 0.35) * 0.5f + saw.saw(f * 1.003) * 0.5f;
        double cutoff = hz * 3.0 + 2500.0 * decay60(t, 0.4) * velocity + 600.0;
        return filter.process(wave, cutoff) * adsr(t, 0.008, 0.12, 0.7f, seconds, 0.12) * velocity;
    });
}

void flute(double hz, double seconds, float velocity, uint32_t seed, Mono& out, size_t offset)
{
    Rng rng(seed);
    Osc tone, second, lfo;
    Svf breath(Svf::BandPass, 2.0);
    addNote(out, offset, seconds + 0.15, [&](double t) {
        double f = hz * (1.0 + 0.005 * lfo.sine(5.0) * std::min(1.0, std::max(0.0, t - 0.2) / 0.3));
        float body = tone.sine(f) + 0.18f * second.sine(f * 2.0);
        float air = breath.process(rng.bipolar(), f * 2.0) * (0.12f + 0.25f * decay60(t, 0.12));
        return (body + air) * adsr(t, 0.06, 0.1, 0.85f, seconds, 0.14) * velocity;
    });
}

void bass(double hz, double seconds, float velocity, Mono& out, size_t offset)
{
    Osc saw, sub;
    Svf filter(Svf::LowPass, 1.4);
    addNote(out, offset, seconds + 0.08, [&](double t) {
        double cutoff = hz * 2.0 + 1600.0 * decay60(t, 0.3) * velocity + 120.0;
        float wave = saw.saw(hz) * 0.6f + sub.square(hz * 0.5) * 0.25f;
        return filter.process(wave, cutoff) * adsr(t, 0.004, 0.2, 0.75f, seconds, 0.07) * velocity;
    });
}

void subBass(double hz, double seconds, float velocity, Mono& out, size_t offset)
{
    Osc sine, tri;
    addNote(out, offset, seconds + 0.1, [&](double t) {
        return (sine.sine(hz) + 0.25f * tri.triangle(hz * 2.0)) * adsr(t, 0.01, 0.3, 0.8f, seconds, 0.1) * velocity;
    });
}

void organ(double hz, double seconds, float velocity, Mono& out, size_t offset)
{
    Osc h1, h2, h3, h4, trem;
    addNote(out, offset, seconds + 0.08, [&](double t) {
        float drawbars = h1.sine(hz) + 0.6f * h2.sine(hz * 2.0) + 0.35f * h3.sine(hz * 3.0) + 0.2f * h4.sine(hz * 4.0);
        float tremolo = 0.85f + 0.15f * trem.sine(6.5);
        return drawbars * 0.45f * tremolo * adsr(t, 0.01, 0.05, 0.9f, seconds, 0.08) * velocity;
    });
}

void drum(Instrument kind, float velocity, uint32_t seed, Mono& out, size_t offset)
{
    Rng rng(seed);
    Osc osc;
    Svf high(Svf::HighPass, 0.8), band(Svf::BandPass, 1.0), low(Svf::LowPass, 0.8);
    switch (kind) {
    case Instrument::Kick:
        addNote(out, offset, 0.45, [&](double t) {
            float body = osc.sine(glide(t, 160.0, 48.0, 0.09)) * decay60(t, 0.4);
            float click = low.process(rng.bipolar(), 3000.0) * decay60(t, 0.006);
            return (body + click * 0.6f) * velocity;
        });
        break;
    case Instrument::Snare:
        addNote(out, offset, 0.3, [&](double t) {
            float tone = osc.sine(glide(t, 240.0, 180.0, 0.05)) * decay60(t, 0.1);
            float rattle = high.process(rng.bipolar(), 1400.0) * decay60(t, 0.22);
            return (tone * 0.6f + rattle * 0.8f) * velocity;
        });
        break;
    case Instrument::HatClosed:
    case Instrument::HatOpen: {
        double ring = kind == Instrument::HatOpen ? 0.35 : 0.05;
        addNote(out, offset, ring, [&](double t) {
            return high.process(rng.bipolar(), 7500.0) * decay60(t, ring) * 0.6f * velocity;
        });
        break;
    }
    case Instrument::Shaker:
        addNote(out, offset, 0.1, [&](double t) {
            return band.process(rng.bipolar(), 6500.0) * adsr(t, 0.012, 0.0, 1.0f, 0.02, 0.07) * 0.5f * velocity;
        });
        break;
    case Instrument::Rim:
        addNote(out, offset, 0.06, [&](double t) {
            return (osc.sine(1750.0) * 0.6f + band.process(rng.bipolar(), 3000.0)) * decay60(t, 0.04) * velocity;
        });
        break;
    case Instrument::Tom:
        addNote(out, offset, 0.5, [&](double t) {
            return (osc.sine(glide(t, 170.0, 105.0, 0.2)) + low.process(rng.bipolar(), 900.0) * 0.3f * decay60(t, 0.05)) *
                   decay60(t, 0.45) * velocity;
        });
        break;
    case Instrument::Clap:
        addNote(out, offset, 0.3, [&](double t) {
            // Three quick slaps, then the room.
            double slap = std::fmod(t, 0.011);
            float bursts = t < 0.033 ? decay60(slap, 0.01) : decay60(t - 0.033, 0.18) * 0.6f;
            return band.process(rng.bipolar(), 1300.0) * bursts * 1.6f * velocity;
        });
        break;
    default:
        break;
    }
}

} // namespace

void renderNote(Instrument instrument, double midi, double seconds, float velocity, uint32_t seed, Mono& out,
                size_t offset)
{
    const double hz = noteHz(midi);
    switch (instrument) {
    case Instrument::Pluck:
        return pluck(hz, seconds, velocity, seed, out, offset);
    case Instrument::EPiano:
        return epiano(hz, seconds, velocity, out, offset);
    case Instrument::Marimba:
        return partials(hz, seconds, velocity, kMarimba, 3, out, offset);
    case Instrument::Bell:
        return partials(hz, seconds, velocity, kBell, 5, out, offset);
    case Instrument::Pad:
        return ensemble(hz, seconds, velocity, false, seed, out, offset);
    case Instrument::Strings:
        return ensemble(hz, seconds, velocity, true, seed, out, offset);
    case Instrument::Lead:
        return lead(hz, seconds, velocity, out, offset);
    case Instrument::Flute:
        return flute(hz, seconds, velocity, seed, out, offset);
    case Instrument::Bass:
        return bass(hz, seconds, velocity, out, offset);
    case Instrument::SubBass:
        return subBass(hz, seconds, velocity, out, offset);
    case Instrument::Organ:
        return organ(hz, seconds, velocity, out, offset);
    default:
        return drum(instrument, velocity, seed, out, offset);
    }
}

} // namespace music
