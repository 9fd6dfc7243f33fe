#pragma once

// Shapes the effect recipes are made of: thuds, filtered noise bursts,
// metal partials, crackles and pitch sweeps, each a mono buffer at dsp::RATE.
#include "Dsp.h"

#include <functional>
#include <string>
#include <vector>

namespace fx {

using dsp::Mono;

// Fills `seconds` of sound from f(t), t in seconds.
template <typename F>
Mono render(double seconds, F f)
{
    Mono out(dsp::frames(seconds));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = f(static_cast<double>(i) / dsp::RATE);
    return out;
}

// A low body hit whose pitch falls from `fromHz` to `toHz`, with a little
// noise on the attack.
Mono thud(double fromHz, double toHz, double length, float noise, uint32_t seed);

// Noise through a filter at `cutoff`, decaying over `length`.
Mono noiseBurst(uint32_t seed, dsp::Svf::Mode mode, double cutoff, double resonance, double length);

// Inharmonic partials (Hz) ringing for `ring` seconds: clanks and bells.
Mono metal(const std::vector<double>& partials, double ring, double length, uint32_t seed);

// Random clicks through a band-pass: cracks, crackle, sparks.
Mono crackle(uint32_t seed, double length, double perSecond, double cutoff, double clickLength);

// A tone sweeping exponentially from `fromHz` to `toHz` (sine or square).
Mono sweep(double fromHz, double toHz, double length, bool square, double attack, double release);

// Fades the edges against clicks and scales the peak.
Mono finish(Mono sound, float peak = 0.7f);

// Sum of several layers, each with a start time and a gain.
struct Layer {
    Mono sound;
    double at;
    float gain;
};
Mono layers(const std::vector<Layer>& parts);

struct Effect {
    std::string name;
    std::function<Mono()> make;
};

void addInterfaceEffects(std::vector<Effect>& effects);
void addCharacterEffects(std::vector<Effect>& effects);
void addDeviceEffects(std::vector<Effect>& effects);
void addObjectEffects(std::vector<Effect>& effects);

// Every effect, in a fixed order.
const std::vector<Effect>& allEffects();

} // namespace fx
