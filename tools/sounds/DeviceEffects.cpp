// Bridges, buttons, gates, teleports, trampolines and the tubes.
#include "EffectKit.h"

#include <cmath>

namespace fx {

using namespace dsp;

namespace {

// Planks cracking and clattering down: a creak, then cracks and knocks.
Mono woodenCollapse(int n)
{
    Rng rng(600 + n);
    std::vector<Layer> parts;
    Osc creak;
    Svf body(Svf::BandPass, 3.0);
    double creakHz = rng.range(180, 260);
    parts.push_back({render(0.25, [&](double t) {
                         float pulse = creak.saw(glide(t, creakHz, creakHz * 0.7, 0.25));
                         return body.process(pulse, 700) * adsr(t, 0.03, 0.05, 0.8f, 0.15, 0.1);
                     }),
                     0.0, 0.5f});
    parts.push_back({crackle(610 + n, 0.35, 90, 1500, 0.008), 0.12, 0.9f});
    int knocks = 3 + n % 3;
    for (int k = 0; k < knocks; ++k) {
        double at = 0.2 + 0.09 * k + rng.range(0.0f, 0.04f);
        double hz = rng.range(240, 420);
        parts.push_back({metal({hz, hz * 2.3}, 0.08, 0.12, 620 + n * 10 + k), at, rng.range(0.3f, 0.6f)});
        parts.push_back({thud(hz * 0.5, hz * 0.3, 0.1, 0.5f, 640 + n * 10 + k), at, 0.6f});
    }
    return finish(layers(parts), 0.7f);
}

// A rubber bridge losing its air: a squeaking hiss and a floppy thump.
Mono inflatableCollapse(int n)
{
    Rng rng(700 + n);
    double squeak = rng.range(600, 900);
    Osc osc, wobble;
    Svf hissFilter(Svf::HighPass, 0.7);
    double length = rng.range(0.5f, 0.75f);
    double wobbleHz = rng.range(9, 17);
    Mono deflate = render(length, [&](double t) {
        double hz = glide(t, squeak, squeak * 0.3, length) * (1.0 + 0.03 * wobble.sine(wobbleHz));
        float hiss = hissFilter.process(rng.bipolar(), 3000) * 0.4f;
        return (osc.triangle(hz) * 0.6f + hiss) * adsr(t, 0.01, 0.1, 0.8f, length - 0.15, 0.15);
    });
    Mono flop = thud(110, 60, 0.2, 0.2f, 710 + n);
    return finish(layers({{deflate, 0.0, 1.0f}, {flop, length - 0.1, 0.7f}}), 0.6f);
}

Mono buttonClick()
{
    Mono press = metal({1800, 3400}, 0.03, 0.05, 41);
    Mono release = metal({1500, 2900}, 0.025, 0.05, 42);
    Mono body = thud(300, 200, 0.05, 0.3f, 43);
    return finish(layers({{press, 0.0, 0.6f}, {body, 0.0, 0.8f}, {release, 0.06, 0.45f}}), 0.5f);
}

// A heavy door on rails: a rumble sweeping up (opening) or down (closing),
// ending in a latch or a thump.
Mono gate(bool opening)
{
    Rng rng(opening ? 51 : 52);
    Svf rumble(Svf::BandPass, 2.0);
    Osc motor;
    Mono slide = render(0.45, [&](double t) {
        double cutoff = opening ? glide(t, 300, 1400, 0.45) : glide(t, 1400, 300, 0.45);
        float hum = motor.saw(opening ? glide(t, 80, 120, 0.45) : glide(t, 120, 80, 0.45)) * 0.15f;
        return (rumble.process(rng.bipolar(), cutoff) + hum) * adsr(t, 0.03, 0.0, 1.0f, 0.35, 0.1);
    });
    std::vector<Layer> parts = {{slide, 0.0, 1.0f}};
    if (opening)
        parts.push_back({metal({880, 2100}, 0.08, 0.1, 53), 0.42, 0.5f});
    else
        parts.push_back({thud(140, 55, 0.3, 0.6f, 54), 0.42, 1.0f});
    return finish(layers(parts), 0.6f);
}

Mono gateFail()
{
    Osc a, b;
    Svf filter(Svf::LowPass, 1.0);
    return finish(render(0.4, [&](double t) {
        return filter.process(a.square(110) + b.square(116.5), 900) * adsr(t, 0.005, 0.05, 0.8f, 0.3, 0.1);
    }), 0.45f);
}

Mono gateBreak()
{
    Mono crash = noiseBurst(55, Svf::LowPass, 2500, 0.7, 0.6);
    Mono clang = metal({170, 431, 799, 1377, 2090}, 0.9, 1.0, 56);
    Mono cracks = crackle(57, 0.5, 120, 3000, 0.005);
    Mono boom = thud(90, 40, 0.6, 0.4f, 58);
    return finish(layers({{boom, 0.0, 1.0f}, {crash, 0.0, 0.7f}, {clang, 0.01, 0.6f}, {cracks, 0.05, 0.5f}}), 0.8f);
}

Mono deviceBreaking()
{
    Rng rng(59);
    std::vector<Layer> parts = {{noiseBurst(60, Svf::BandPass, 1800, 0.8, 0.4), 0.0, 0.8f},
                                {thud(160, 60, 0.3, 0.3f, 61), 0.0, 0.8f}};
    // Sparks: short bright blips scattered over the break.
    for (int k = 0; k < 7; ++k)
        parts.push_back({sweep(rng.range(2500, 4200), rng.range(1200, 2000), 0.04, true, 0.001, 0.02),
                         0.05 + 0.06 * k + rng.range(0.0f, 0.03f), 0.25f});
    return finish(layers(parts), 0.7f);
}

// A shimmer of detuned tones gliding between two pitches.
Mono shimmer(double fromHz, double toHz, double length, uint32_t seed)
{
    Rng rng(seed);
    Osc a, b, c, trem;
    Svf air(Svf::BandPass, 3.0);
    return render(length, [&](double t) {
        double hz = glide(t, fromHz, toHz, length * 0.8);
        float tone = a.sine(hz) + 0.5f * b.sine(hz * 1.5 * 1.003) + 0.3f * c.sine(hz * 2.0 * 0.997);
        float sparkle = air.process(rng.bipolar(), hz * 4.0) * 0.3f;
        float tremolo = 0.75f + 0.25f * trem.sine(18.0);
        return (tone * 0.5f + sparkle) * tremolo * adsr(t, 0.05, 0.1, 0.8f, length - 0.25, 0.25);
    });
}

Mono teleportActivated()
{
    std::vector<Layer> parts = {{shimmer(300, 1200, 0.9, 65), 0.0, 0.7f}};
    const double notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        parts.push_back({metal({noteHz(notes[i]), noteHz(notes[i]) * 2.01}, 0.4, 0.5, 66 + i), 0.12 * i, 0.25f});
    return finish(layers(parts), 0.65f);
}

Mono trampolineStretch()
{
    Rng rng(67);
    Osc osc;
    Svf creak(Svf::BandPass, 5.0);
    return finish(render(0.4, [&](double t) {
        double hz = glide(t, 90, 220, 0.4);
        return creak.process(osc.saw(hz) + rng.bipolar() * 0.2f, glide(t, 500, 1300, 0.4)) *
               adsr(t, 0.03, 0.0, 1.0f, 0.3, 0.1);
    }), 0.5f);
}

Mono trampolineRebound()
{
    Osc osc, wobble;
    return finish(render(0.45, [&](double t) {
        double hz = glide(t, 240, 720, 0.18) * (1.0 + 0.05 * wobble.sine(18.0) * decay60(t, 0.4));
        return osc.sine(hz) * adsr(t, 0.003, 0.08, 0.6f, 0.25, 0.2);
    }), 0.42f);
}

// Air rushing through a tube: noise through a sweeping band-pass, with a
// pop at the end of an arrival or the start of a departure.
Mono tube(bool arriving)
{
    Rng rng(arriving ? 75 : 76);
    Svf pipe(Svf::BandPass, 2.5);
    Mono whoosh = render(0.8, [&](double t) {
        double cutoff = arriving ? glide(t, 2600, 500, 0.8) : glide(t, 400, 2800, 0.8);
        float level = arriving ? adsr(t, 0.05, 0.0, 1.0f, 0.55, 0.2) : adsr(t, 0.25, 0.0, 1.0f, 0.5, 0.05);
        return pipe.process(rng.bipolar(), cutoff) * level;
    });
    Mono pop = thud(arriving ? 300 : 500, arriving ? 120 : 900, 0.08, 0.6f, 77);
    return finish(layers({{whoosh, 0.0, 1.0f}, {pop, arriving ? 0.7 : 0.0, 0.7f}}), 0.6f);
}

} // namespace

void addDeviceEffects(std::vector<Effect>& effects)
{
    for (int n = 1; n <= 6; ++n) {
        std::string suffix = n == 1 ? "" : std::to_string(n);
        effects.push_back({"bridge_collapse_wooden_short" + suffix + ".ogg", [n] { return woodenCollapse(n); }});
        effects.push_back(
            {"bridge_collapse_inflatable_short" + suffix + ".ogg", [n] { return inflatableCollapse(n); }});
    }
    effects.push_back({"button_click.ogg", buttonClick});
    effects.push_back({"device_breaking.ogg", deviceBreaking});
    effects.push_back({"gate_open.ogg", [] { return gate(true); }});
    effects.push_back({"gate_close.ogg", [] { return gate(false); }});
    effects.push_back({"gate_fail.ogg", gateFail});
    effects.push_back({"gate_break.ogg", gateBreak});
    effects.push_back({"teleport_activated.ogg", teleportActivated});
    effects.push_back({"teleport_powerup.ogg", [] { return finish(shimmer(180, 900, 0.7, 78), 0.6f); }});
    effects.push_back({"teleport_powerdown.ogg", [] { return finish(shimmer(900, 140, 0.7, 79), 0.6f); }});
    effects.push_back({"trampoline_stretch.ogg", trampolineStretch});
    effects.push_back({"trampoline_rebound.ogg", trampolineRebound});
    effects.push_back({"tube_arrival.ogg", [] { return tube(true); }});
    effects.push_back({"tube_departure.ogg", [] { return tube(false); }});
}

} // namespace fx
