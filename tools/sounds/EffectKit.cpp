#include "EffectKit.h"

#include <cmath>

namespace fx {

using namespace dsp;

Mono thud(double fromHz, double toHz, double length, float noise, uint32_t seed)
{
    Osc osc;
    Rng rng(seed);
    Svf filter(Svf::LowPass, 0.8);
    return render(length, [&](double t) {
        float body = osc.sine(glide(t, fromHz, toHz, length * 0.5)) * decay60(t, length);
        float grit = filter.process(rng.bipolar(), 1800.0) * noise * decay60(t, 0.05);
        return body + grit;
    });
}

Mono noiseBurst(uint32_t seed, Svf::Mode mode, double cutoff, double resonance, double length)
{
    Rng rng(seed);
    Svf filter(mode, resonance);
    return render(length, [&](double t) {
        return filter.process(rng.bipolar(), cutoff) * decay60(t, length) * std::min(1.0f, float(t / 0.002));
    });
}

Mono metal(const std::vector<double>& partials, double ring, double length, uint32_t seed)
{
    std::vector<Osc> oscs(partials.size());
    Rng rng(seed);
    std::vector<float> gains;
    for (size_t i = 0; i < partials.size(); ++i)
        gains.push_back(rng.range(0.5f, 1.0f) / static_cast<float>(i + 1));
    Svf click(Svf::HighPass, 0.7);
    return render(length, [&](double t) {
        float sum = 0.0f;
        for (size_t i = 0; i < partials.size(); ++i)
            sum += oscs[i].sine(partials[i]) * gains[i] * decay60(t, ring / (1.0 + 0.4 * i));
        float tick = click.process(rng.bipolar(), 3000.0) * decay60(t, 0.015);
        return sum + tick * 0.6f;
    });
}

Mono crackle(uint32_t seed, double length, double perSecond, double cutoff, double clickLength)
{
    Rng rng(seed);
    Mono out(frames(length));
    size_t clickFrames = frames(clickLength);
    double chance = perSecond / RATE;
    for (size_t i = 0; i < out.size(); ++i) {
        if (rng.uniform() >= chance)
            continue;
        float gain = rng.range(0.2f, 1.0f);
        for (size_t k = 0; k < clickFrames && i + k < out.size(); ++k)
            out[i + k] += rng.bipolar() * gain * decay60(double(k) / RATE, clickLength);
    }
    Svf filter(Svf::BandPass, 1.2);
    for (float& s : out)
        s = filter.process(s, cutoff);
    return out;
}

Mono sweep(double fromHz, double toHz, double length, bool square, double attack, double release)
{
    Osc osc;
    return render(length, [&](double t) {
        double hz = glide(t, fromHz, toHz, length);
        float wave = square ? osc.square(hz) * 0.5f : osc.sine(hz);
        return wave * adsr(t, attack, 0.0, 1.0f, length - release, release);
    });
}

Mono finish(Mono sound, float peak)
{
    fadeEdges(sound, 0.001, 0.01);
    normalize(sound, peak);
    return sound;
}

Mono layers(const std::vector<Layer>& parts)
{
    Mono out;
    for (const Layer& part : parts)
        mixInto(out, part.sound, frames(part.at), part.gain);
    return out;
}

const std::vector<Effect>& allEffects()
{
    static const std::vector<Effect> effects = [] {
        std::vector<Effect> list;
        addInterfaceEffects(list);
        addCharacterEffects(list);
        addDeviceEffects(list);
        addObjectEffects(list);
        return list;
    }();
    return effects;
}

} // namespace fx
