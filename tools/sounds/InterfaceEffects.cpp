// Clicks and rollovers of the screens, the map's dot and the victory fanfare.
#include "EffectKit.h"

#include <algorithm>

namespace fx {

using namespace dsp;

namespace {

Mono click(double toneHz, double bodyHz, uint32_t seed)
{
    Osc tone, body;
    Rng rng(seed);
    Svf air(Svf::HighPass, 0.7);
    return finish(render(0.06, [&](double t) {
        return tone.sine(toneHz) * decay60(t, 0.018) * 0.6f + body.sine(bodyHz) * decay60(t, 0.04) * 0.5f +
               air.process(rng.bipolar(), 4000.0) * decay60(t, 0.006) * 0.7f;
    }), 0.6f);
}

Mono rollover()
{
    Osc osc;
    return finish(render(0.09, [&](double t) {
        double hz = glide(t, 900.0, 1500.0, 0.05);
        return (osc.sine(hz) + 0.2f * osc.sine(hz * 2.0)) * adsr(t, 0.004, 0.02, 0.5f, 0.05, 0.035);
    }), 0.35f);
}

// A soft wooden mallet on a bar: the fundamental with the bar's high partial.
Mono mallet(double hz, double ring)
{
    Osc a, b, c;
    return render(ring * 1.2, [&](double t) {
        return a.sine(hz) * decay60(t, ring) + 0.35f * b.sine(hz * 3.93) * decay60(t, ring * 0.25) +
               0.15f * c.sine(hz * 9.2) * decay60(t, ring * 0.08);
    });
}

// A brassy note: a saw whose filter opens on the attack.
Mono brass(double hz, double length)
{
    Osc a, b, lfo;
    Svf filter(Svf::LowPass, 1.1);
    return render(length + 0.3, [&](double t) {
        double cutoff = hz * (2.0 + 5.0 * decay60(t, 0.35)) + 400.0;
        double vibrato = 1.0 + 0.004 * lfo.sine(5.5) * std::min(1.0, t / 0.3);
        float wave = a.saw(hz * vibrato) + 0.6f * b.saw(hz * 1.004);
        return filter.process(wave, cutoff) * adsr(t, 0.02, 0.15, 0.75f, length, 0.3);
    });
}

Mono victory()
{
    const double notes[] = {60, 64, 67, 72};
    std::vector<Layer> parts;
    for (int i = 0; i < 4; ++i) {
        parts.push_back({brass(noteHz(notes[i]), 0.13), 0.14 * i, 0.5f});
        parts.push_back({mallet(noteHz(notes[i] + 12), 0.5), 0.14 * i, 0.35f});
    }
    for (double note : {60.0, 64.0, 67.0, 72.0, 48.0})
        parts.push_back({brass(noteHz(note), 1.3), 0.62, 0.3f});
    for (int i = 0; i < 6; ++i)
        parts.push_back({mallet(noteHz(84 + (i % 3) * 4), 0.4), 0.7 + 0.09 * i, 0.15f});
    parts.push_back({thud(120, 50, 0.5, 0.3f, 7), 0.62, 0.5f});
    return finish(layers(parts), 0.8f);
}

} // namespace

void addInterfaceEffects(std::vector<Effect>& effects)
{
    effects.push_back({"click_v1-2.ogg", [] { return click(2300.0, 700.0, 12); }});
    effects.push_back({"click_v1-3.ogg", [] { return click(1500.0, 520.0, 13); }});
    effects.push_back({"rollover_v1-2.ogg", rollover});
    effects.push_back({"map_dot.ogg", [] { return finish(mallet(noteHz(81), 0.25), 0.5f); }});
    effects.push_back({"victory.ogg", victory});
}

} // namespace fx
