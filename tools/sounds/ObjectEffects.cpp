// Crates, barrels and magnets; power-ups, shots and what heat and frost do
// to things.
#include "EffectKit.h"

#include <cmath>

namespace fx {

using namespace dsp;

namespace {

Mono barrelRoll()
{
    Rng rng(801);
    Svf body(Svf::LowPass, 1.5);
    Osc roll, hollow;
    return finish(render(0.6, [&](double t) {
        float bumps = 0.6f + 0.4f * roll.sine(11.0);
        float drum = hollow.sine(95.0) * 0.3f;
        return (body.process(rng.bipolar(), 350) + drum) * bumps * adsr(t, 0.04, 0.0, 1.0f, 0.5, 0.1);
    }), 0.55f);
}

Mono scrape(double cutoff, double resonance, double length, uint32_t seed)
{
    Rng rng(seed);
    Svf filter(Svf::BandPass, resonance);
    Osc judder;
    return render(length, [&](double t) {
        float grain = 0.7f + 0.3f * judder.sine(31.0);
        return filter.process(rng.bipolar(), cutoff) * grain * adsr(t, 0.02, 0.05, 0.8f, length - 0.1, 0.1);
    });
}

Mono iceSlide()
{
    Osc glass;
    Mono tone = render(0.5, [&](double t) {
        return glass.sine(glide(t, 2400, 1900, 0.5)) * 0.2f * adsr(t, 0.05, 0.0, 1.0f, 0.35, 0.15);
    });
    return finish(layers({{scrape(5200, 1.5, 0.5, 802), 0.0, 1.0f}, {tone, 0.0, 1.0f}}), 0.45f);
}

Mono iceCrack(uint32_t seed, double length)
{
    Mono cracks = crackle(seed, length, 60, 4200, 0.004);
    Mono snap = noiseBurst(seed + 1, Svf::HighPass, 2500, 0.8, 0.06);
    return layers({{snap, 0.0, 0.8f}, {cracks, 0.0, 1.0f}});
}

// A magnet's hum gliding up (attract) or down (repel), ending in a clank or
// a zap.
Mono magnet(bool attract)
{
    Osc hum, overtone, trem;
    Mono buzz = render(0.5, [&](double t) {
        double hz = attract ? glide(t, 70, 160, 0.5) : glide(t, 160, 70, 0.5);
        float tremolo = 0.7f + 0.3f * trem.sine(30.0);
        return (hum.saw(hz) * 0.5f + overtone.sine(hz * 3.0) * 0.3f) * tremolo * adsr(t, 0.05, 0.0, 1.0f, 0.4, 0.1);
    });
    Mono end = attract ? metal({520, 1310, 2270}, 0.15, 0.2, 803) : crackle(804, 0.15, 400, 3500, 0.003);
    return finish(layers({{buzz, 0.0, 1.0f}, {end, 0.45, 0.8f}}), 0.55f);
}

Mono chime(const std::vector<double>& notes, double gap, double ring, uint32_t seed)
{
    std::vector<Layer> parts;
    for (size_t i = 0; i < notes.size(); ++i) {
        double hz = noteHz(notes[i]);
        parts.push_back({metal({hz, hz * 2.0, hz * 3.01}, ring, ring * 1.1, seed + static_cast<uint32_t>(i)),
                         gap * static_cast<double>(i), 0.6f});
    }
    return layers(parts);
}

Mono electricity(uint32_t seed, double length)
{
    Rng rng(seed);
    Osc mains, gate;
    Svf filter(Svf::BandPass, 1.0);
    return render(length, [&](double t) {
        float on = gate.square(13.0 + 7.0 * std::sin(t * 9.0)) > 0.0f ? 1.0f : 0.35f;
        float arc = filter.process(rng.bipolar(), 2600) * on;
        return (arc + mains.saw(100) * 0.2f) * adsr(t, 0.02, 0.0, 1.0f, length - 0.15, 0.15);
    });
}

Mono emp()
{
    Mono boom = thud(90, 30, 1.0, 0.5f, 805);
    Mono sweepDown = sweep(1800, 60, 0.9, true, 0.005, 0.3);
    return finish(layers({{boom, 0.0, 1.0f}, {sweepDown, 0.0, 0.3f}, {electricity(806, 1.1), 0.05, 0.6f}}), 0.66f);
}

// A shot leaving the gun: frost sparkles, heat roars.
Mono shot(bool frost)
{
    Rng rng(frost ? 807 : 808);
    Svf filter(frost ? Svf::HighPass : Svf::LowPass, 1.2);
    Osc tone;
    Mono blast = render(0.5, [&](double t) {
        double cutoff = frost ? glide(t, 6000, 2500, 0.5) : glide(t, 3000, 500, 0.5);
        float body = frost ? tone.sine(glide(t, 3200, 1600, 0.5)) * 0.2f : tone.saw(glide(t, 140, 70, 0.5)) * 0.3f;
        return (filter.process(rng.bipolar(), cutoff) + body) * adsr(t, 0.005, 0.1, 0.6f, 0.3, 0.2);
    });
    std::vector<Layer> parts = {{blast, 0.0, 1.0f}};
    if (frost)
        parts.push_back({chime({96, 100, 103}, 0.05, 0.2, 809), 0.02, 0.3f});
    return finish(layers(parts), 0.6f);
}

Mono inflate()
{
    Rng rng(810);
    Svf air(Svf::BandPass, 2.0);
    Osc squeak;
    return finish(render(0.6, [&](double t) {
        double pump = std::fmod(t, 0.2) / 0.2;
        float puff = static_cast<float>(std::sin(PI * pump));
        return air.process(rng.bipolar(), glide(t, 600, 2200, 0.6)) * puff +
               squeak.triangle(glide(t, 300, 700, 0.6)) * 0.15f * adsr(t, 0.05, 0.0, 1.0f, 0.5, 0.1);
    }), 0.5f);
}

Mono whistle()
{
    Rng rng(811);
    Osc tone, vibrato;
    Svf breath(Svf::BandPass, 3.0);
    auto blow = [&](double hz, double length) {
        return render(length, [&, hz, length](double t) {
            double pitch = hz * (1.0 + 0.012 * vibrato.sine(6.0) * std::min(1.0, t / 0.1));
            return (tone.sine(pitch) + breath.process(rng.bipolar(), pitch) * 0.3f) *
                   adsr(t, 0.02, 0.05, 0.85f, length - 0.06, 0.06);
        });
    };
    return finish(layers({{blow(2100, 0.22), 0.0, 1.0f}, {blow(2800, 0.45), 0.26, 1.0f}}), 0.23f);
}

Mono pop(uint32_t seed)
{
    Mono snap = noiseBurst(seed, Svf::LowPass, 5000, 0.7, 0.08);
    Mono body = thud(400, 120, 0.12, 0.5f, seed + 1);
    return layers({{snap, 0.0, 1.0f}, {body, 0.0, 0.6f}});
}

Mono fire(uint32_t seed, double length)
{
    Rng rng(seed);
    Svf roar(Svf::LowPass, 0.8);
    Osc flicker;
    Mono base = render(length, [&](double t) {
        float wave = 0.7f + 0.3f * flicker.sine(4.0 + std::sin(t * 3.0));
        return roar.process(rng.bipolar(), 500) * wave * adsr(t, 0.1, 0.0, 1.0f, length - 0.3, 0.3);
    });
    return layers({{base, 0.0, 1.0f}, {crackle(seed + 1, length, 25, 2500, 0.01), 0.0, 0.7f}});
}

Mono sizzle(uint32_t seed, double length)
{
    Rng rng(seed);
    Svf hiss(Svf::HighPass, 0.9);
    Osc swell;
    return render(length, [&](double t) {
        float level = 0.75f + 0.25f * swell.sine(5.0);
        return hiss.process(rng.bipolar(), 4000) * level * adsr(t, 0.02, 0.2, 0.6f, length - 0.3, 0.3);
    });
}

Mono drips(uint32_t seed, double length)
{
    Rng rng(seed);
    std::vector<Layer> parts;
    for (double at = 0.05; at < length - 0.15; at += rng.range(0.12f, 0.25f))
        parts.push_back({sweep(rng.range(900, 1300), rng.range(1800, 2500), 0.05, false, 0.002, 0.03), at, 0.4f});
    return layers(parts);
}

} // namespace

void addObjectEffects(std::vector<Effect>& effects)
{
    effects.push_back({"object_barrel_roll.ogg", barrelRoll});
    effects.push_back({"object_land.ogg", [] { return finish(thud(150, 60, 0.3, 0.7f, 812), 0.6f); }});
    effects.push_back({"object_slide.ogg", [] { return finish(scrape(900, 1.2, 0.45, 813), 0.45f); }});
    effects.push_back({"object_slide_ice.ogg", iceSlide});
    effects.push_back({"object_stop.ogg", [] { return finish(thud(200, 110, 0.12, 0.6f, 814), 0.5f); }});
    effects.push_back({"stuck_ice.ogg", [] { return finish(iceCrack(815, 0.4), 0.55f); }});
    effects.push_back({"magnet_attract.ogg", [] { return magnet(true); }});
    effects.push_back({"magnet_repel.ogg", [] { return magnet(false); }});
    effects.push_back({"powerup_collect.ogg", [] { return finish(chime({79, 84, 91}, 0.07, 0.35, 816), 0.6f); }});
    effects.push_back({"powerup_fail.ogg", [] { return finish(layers({{sweep(392, 370, 0.14, true, 0.005, 0.04), 0.0, 1.0f},
                                                                      {sweep(294, 262, 0.22, true, 0.005, 0.1), 0.15, 1.0f}}),
                                                              0.17f); }});
    effects.push_back({"powerup_emp.ogg", emp});
    effects.push_back({"emp_electricity.ogg", [] { return finish(electricity(817, 1.0), 0.5f); }});
    effects.push_back({"powerup_frostgun.ogg", [] { return shot(true); }});
    effects.push_back({"powerup_heatgun.ogg", [] { return shot(false); }});
    effects.push_back({"powerup_inflate.ogg", inflate});
    effects.push_back({"powerup_whistle.ogg", whistle});
    effects.push_back({"explode_frost.ogg", [] {
        return finish(layers({{iceCrack(818, 0.5), 0.0, 1.0f}, {chime({98, 101, 105, 108, 103}, 0.06, 0.3, 819), 0.02, 0.4f}}), 0.7f);
    }});
    effects.push_back({"explode_heat_ice.ogg", [] {
        return finish(layers({{sizzle(820, 0.8), 0.0, 1.0f}, {iceCrack(821, 0.3), 0.0, 0.6f}}), 0.6f);
    }});
    effects.push_back({"explode_heat_inflatable.ogg", [] {
        return finish(layers({{pop(822), 0.0, 1.0f}, {sizzle(823, 0.5), 0.05, 0.5f}}), 0.7f);
    }});
    effects.push_back({"explode_heat_metal.ogg", [] {
        return finish(layers({{metal({260, 657, 1190, 1830}, 0.7, 0.9, 824), 0.0, 0.8f}, {sizzle(825, 0.8), 0.05, 0.6f}}), 0.7f);
    }});
    effects.push_back({"explode_heat_wood.ogg", [] {
        return finish(layers({{thud(130, 60, 0.3, 0.6f, 826), 0.0, 0.8f}, {fire(827, 0.8), 0.0, 1.0f}}), 0.7f);
    }});
    effects.push_back({"element_burning.ogg", [] { return finish(fire(828, 1.5), 0.55f); }});
    effects.push_back({"element_bursting.ogg", [] { return finish(pop(829), 0.7f); }});
    effects.push_back({"element_melting.ogg", [] {
        return finish(layers({{sizzle(830, 1.2), 0.0, 0.7f}, {drips(831, 1.2), 0.0, 1.0f}}), 0.55f);
    }});
}

} // namespace fx
