#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace dsp {

double noteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

uint32_t Rng::next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Rng::uniform() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }

float Rng::bipolar() { return uniform() * 2.0f - 1.0f; }

namespace {

// Smooths the corner of a jump at phase 0 (polyBLEP).
double blep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

double Osc::advance(double hz)
{
    double current = phase_;
    phase_ += hz / RATE;
    phase_ -= std::floor(phase_);
    return current;
}

float Osc::sine(double hz) { return static_cast<float>(std::sin(2.0 * PI * advance(hz))); }

float Osc::triangle(double hz)
{
    double t = advance(hz);
    return static_cast<float>(t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t);
}

float Osc::saw(double hz)
{
    double dt = std::min(hz / RATE, 0.5);
    double t = advance(hz);
    return static_cast<float>(2.0 * t - 1.0 - blep(t, dt));
}

float Osc::square(double hz, double width)
{
    double dt = std::min(hz / RATE, 0.5);
    double t = advance(hz);
    double value = t < width ? 1.0 : -1.0;
    double shifted = t + 1.0 - width;
    value += blep(t, dt) - blep(shifted - std::floor(shifted), dt);
    return static_cast<float>(value);
}

float adsr(double t, double attack, double decay, float sustain, double hold, double release)
{
    auto level = [&](double time) -> double {
        if (time < attack)
            return time / attack;
        if (time < attack + decay)
            return 1.0 - (1.0 - sustain) * (time - attack) / decay;
        return sustain;
    };
    if (t < 0.0)
        return 0.0f;
    if (t < hold)
        return static_cast<float>(level(t));
    double after = t - hold;
    if (after >= release)
        return 0.0f;
    return static_cast<float>(level(hold) * (1.0 - after / release));
}

float decay60(double t, double seconds)
{
    if (t < 0.0)
        return 0.0f;
    return static_cast<float>(std::exp(-6.907755 * t / seconds));
}

double glide(double t, double from, double to, double seconds)
{
    if (t >= seconds)
        return to;
    return from * std::pow(to / from, t / seconds);
}

float Svf::process(float input, double cutoffHz)
{
    // Zero-delay-feedback state-variable filter: stable at any cutoff.
    double g = std::tan(PI * std::clamp(cutoffHz, 10.0, RATE * 0.49) / RATE);
    double a1 = 1.0 / (1.0 + g * (g + damping_));
    double a2 = g * a1;
    double a3 = g * a2;
    double v3 = input - low_;
    double v1 = a1 * band_ + a2 * v3;
    double v2 = low_ + a2 * band_ + a3 * v3;
    band_ = 2.0 * v1 - band_;
    low_ = 2.0 * v2 - low_;
    switch (mode_) {
    case LowPass:
        return static_cast<float>(v2);
    case HighPass:
        return static_cast<float>(input - damping_ * v1 - v2);
    case BandPass:
        return static_cast<float>(v1);
    }
    return 0.0f;
}

float OnePole::lowPass(float input, double cutoffHz)
{
    double a = 1.0 - std::exp(-2.0 * PI * cutoffHz / RATE);
    state_ += a * (input - state_);
    return static_cast<float>(state_);
}

Reverb::Reverb(double roomSize, double damping)
    : feedback_(static_cast<float>(roomSize)), damping_(static_cast<float>(damping))
{
    const size_t combLengths[] = {1116, 1277, 1422, 1557, 1188, 1356};
    const size_t allPassLengths[] = {556, 441, 341};
    for (int side = 0; side < 2; ++side) {
        size_t spread = side == 0 ? 0 : 23;
        for (size_t length : combLengths) {
            Comb c;
            c.line.assign(length + spread, 0.0f);
            combs_[side].push_back(std::move(c));
        }
        for (size_t length : allPassLengths) {
            AllPass a;
            a.line.assign(length + spread, 0.0f);
            allPasses_[side].push_back(std::move(a));
        }
    }
}

float Reverb::comb(Comb& c, float input)
{
    float output = c.line[c.pos];
    c.store = output * (1.0f - damping_) + c.store * damping_;
    c.line[c.pos] = input + c.store * feedback_;
    c.pos = (c.pos + 1) % c.line.size();
    return output;
}

float Reverb::allPass(AllPass& a, float input)
{
    float delayed = a.line[a.pos];
    a.line[a.pos] = input + delayed * 0.5f;
    a.pos = (a.pos + 1) % a.line.size();
    return delayed - input;
}

void Reverb::process(float input, float& left, float& right)
{
    float out[2];
    for (int side = 0; side < 2; ++side) {
        float sum = 0.0f;
        for (Comb& c : combs_[side])
            sum += comb(c, input * 0.02f);
        for (AllPass& a : allPasses_[side])
            sum = allPass(a, sum);
        out[side] = sum;
    }
    left = out[0];
    right = out[1];
}

void mixInto(Mono& target, const Mono& source, size_t offset, float gain)
{
    if (target.size() < offset + source.size())
        target.resize(offset + source.size(), 0.0f);
    for (size_t i = 0; i < source.size(); ++i)
        target[offset + i] += source[i] * gain;
}

float peakOf(const Mono& samples)
{
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

void normalize(Mono& samples, float peak)
{
    float current = peakOf(samples);
    if (current <= 0.0f)
        return;
    float gain = peak / current;
    for (float& s : samples)
        s *= gain;
}

void fadeEdges(Mono& samples, double fadeInSeconds, double fadeOutSeconds)
{
    size_t in = std::min(samples.size(), frames(fadeInSeconds));
    size_t out = std::min(samples.size(), frames(fadeOutSeconds));
    for (size_t i = 0; i < in; ++i)
        samples[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (size_t i = 0; i < out; ++i)
        samples[samples.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

} // namespace dsp
