#pragma once

// The synthesiser's building blocks: a seeded noise source, oscillators,
// envelopes, filters and a small reverb. Everything is deterministic: the
// same seeds give the same samples on every build.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dsp {

constexpr int RATE = 44100;
constexpr double PI = 3.14159265358979323846;

using Mono = std::vector<float>;

struct Stereo {
    Mono left, right;
    size_t size() const { return left.size(); }
    void resize(size_t frames)
    {
        left.resize(frames, 0.0f);
        right.resize(frames, 0.0f);
    }
};

inline size_t frames(double seconds) { return static_cast<size_t>(seconds * RATE + 0.5); }

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double noteHz(double midi);

// xorshift: white noise and random choices from a seed.
class Rng
{
public:
    explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) { next(); }
    uint32_t next();
    float uniform();                 // 0 .. 1
    float bipolar();                 // -1 .. 1
    float range(float low, float high) { return low + (high - low) * uniform(); }

private:
    uint32_t state_;
};

// Phase-accumulating oscillator; the frequency may change every sample.
class Osc
{
public:
    explicit Osc(double phase = 0.0) : phase_(phase) {}
    float sine(double hz);
    float triangle(double hz);
    float saw(double hz);    // band-limited (polyBLEP)
    float square(double hz, double width = 0.5);
    double phase() const { return phase_; }

private:
    double advance(double hz);
    double phase_;
};

// Attack, decay to sustain, release after `hold` seconds (times in seconds).
float adsr(double t, double attack, double decay, float sustain, double hold, double release);

// Exponential decay with the given time to fall to 1/1000 (-60 dB).
float decay60(double t, double seconds);

// Exponential glide from `from` to `to` over `seconds`, then held.
double glide(double t, double from, double to, double seconds);

// State-variable filter (Chamberlin, 2x oversampled): cutoff may sweep.
class Svf
{
public:
    enum Mode { LowPass, HighPass, BandPass };
    Svf(Mode mode, double resonance = 0.7) : mode_(mode), damping_(1.0 / resonance) {}
    float process(float input, double cutoffHz);

private:
    Mode mode_;
    double damping_;
    double low_ = 0.0, band_ = 0.0;
};

// One-pole smoothing low-pass.
class OnePole
{
public:
    float lowPass(float input, double cutoffHz);
    float highPass(float input, double cutoffHz) { return input - lowPass(input, cutoffHz); }

private:
    double state_ = 0.0;
};

// Schroeder-style stereo room (combs and all-passes), for the music bus.
class Reverb
{
public:
    Reverb(double roomSize, double damping);
    void process(float input, float& left, float& right);

private:
    struct Comb {
        std::vector<float> line;
        size_t pos = 0;
        float store = 0.0f;
    };
    struct AllPass {
        std::vector<float> line;
        size_t pos = 0;
    };
    float comb(Comb& c, float input);
    static float allPass(AllPass& a, float input);

    std::vector<Comb> combs_[2];
    std::vector<AllPass> allPasses_[2];
    float feedback_;
    float damping_;
};

// Mixing helpers.
void mixInto(Mono& target, const Mono& source, size_t offset, float gain = 1.0f);
void normalize(Mono& samples, float peak);
void fadeEdges(Mono& samples, double fadeInSeconds, double fadeOutSeconds);
float peakOf(const Mono& samples);

} // namespace dsp
