// The professor's and the bots' sounds: steps, ladder rungs, falls, being
// crushed and caught. Series (steps, rungs) vary from one to the next so that
// walking does not sound like a machine gun: each variant takes its pitch
// from a spread ladder (neighbours far apart), never from a random draw that
// may land two variants on the same note.
#include "EffectKit.h"

#include <cmath>

namespace fx {

using namespace dsp;

namespace {

// Variant n of `count` on a ladder of pitches from `low` to `high`: every
// other rung in turn, so that neighbouring variants sit far apart.
double ladderPitch(int n, int count, double low, double high)
{
    int half = (count + 1) / 2;
    int rung = n % 2 == 0 ? n / 2 : half + n / 2;
    return low + (high - low) * rung / (count - 1);
}

// A soft shoe on the ground: heel, then toe, and a short scuff of sand; the
// gap between heel and toe differs from step to step.
Mono professorStep(int n)
{
    Rng rng(100 + n);
    double pitch = ladderPitch(n, 6, 0.75, 1.3);
    double scuffAt = 0.004 + 0.006 * (n % 3);
    Mono tap = thud(180 * pitch, (60 + 12 * (n % 3)) * pitch, 0.07 + 0.01 * (n % 3), 0.6f, 100 + n);
    Mono toe = thud(230 * pitch, 110 * pitch, 0.04, 0.3f, 150 + n);
    Mono scuff = noiseBurst(200 + n, Svf::BandPass, 2200 * pitch, 0.9, 0.05);
    return finish(layers({{tap, 0.0, 1.0f}, {toe, 0.016 + 0.005 * n, 0.4f}, {scuff, scuffAt, 0.35f + 0.1f * (n % 3)}}),
                  rng.range(0.32f, 0.4f));
}

// A hand and a shoe on a wooden rung.
Mono professorRung(int n)
{
    double pitch = ladderPitch(n, 4, 0.85, 1.15);
    Mono knock = metal({420 * pitch, 1150 * pitch}, 0.07, 0.12, 300 + n);
    Mono tap = thud(260 * pitch, 160 * pitch, 0.06, 0.4f, 310 + n);
    return finish(layers({{knock, 0.0, 0.6f}, {tap, 0.01 * (n % 2), 1.0f}}), 0.33f);
}

// A bot's metal foot: a clank of inharmonic partials over a servo whirr.
Mono botStep(int n)
{
    double pitch = ladderPitch(n - 1, 12, 0.84, 1.16);
    Mono clank = metal({310 * pitch, 747 * pitch, 1290 * pitch, 2210 * pitch}, 0.12, 0.16, 400 + n);
    Osc servo;
    Mono whirr = render(0.1, [&](double t) {
        return servo.square(glide(t, 520 * pitch, 380 * pitch, 0.1)) * 0.15f * adsr(t, 0.02, 0.0, 1.0f, 0.05, 0.05);
    });
    Mono stomp = thud(140 * pitch, 60, 0.1, 0.3f, 410 + n);
    return finish(layers({{clank, 0.0, 0.6f}, {whirr, 0.0, 0.5f}, {stomp, 0.0, 0.8f}}), 0.34f);
}

Mono botRung(int n)
{
    double pitch = ladderPitch(n, 4, 0.9, 1.1);
    Mono clank = metal({610 * pitch, 1480 * pitch, 2630 * pitch}, 0.18, 0.22, 500 + n);
    return finish(clank, 0.34f);
}

Mono crush(bool metalBody)
{
    Mono crunch = crackle(metalBody ? 61 : 60, 0.45, 180, metalBody ? 2600 : 1400, 0.006);
    Mono body = thud(metalBody ? 150 : 110, 45, 0.5, 0.8f, 62);
    std::vector<Layer> parts = {{crunch, 0.0, 1.0f}, {body, 0.0, 0.9f}};
    if (metalBody) {
        parts.push_back({metal({233, 587, 1021, 1733}, 0.6, 0.7, 63), 0.02, 0.5f});
    } else {
        Osc voice;
        Svf throat(Svf::LowPass, 2.0);
        parts.push_back({render(0.45, [&](double t) {
                             double hz = glide(t, 330, 150, 0.4);
                             return throat.process(voice.saw(hz), 900) * adsr(t, 0.02, 0.1, 0.7f, 0.3, 0.15);
                         }),
                         0.05, 0.45f});
    }
    return finish(layers(parts), 0.75f);
}

Mono trampolineBoing()
{
    Osc osc, wobble;
    return finish(render(0.55, [&](double t) {
        double hz = glide(t, 160, 520, 0.25) * (1.0 + 0.06 * wobble.sine(14.0) * decay60(t, 0.5));
        return (osc.sine(hz) + 0.3f * osc.triangle(hz * 0.5)) * adsr(t, 0.005, 0.1, 0.7f, 0.3, 0.25);
    }), 0.34f);
}

Mono botCatches()
{
    Osc siren, buzz;
    Svf filter(Svf::LowPass, 1.5);
    Mono alarm = render(0.9, [&](double t) {
        double step = std::floor(t / 0.11);
        double hz = (static_cast<int>(step) % 2 == 0 ? 880.0 : 660.0) * std::pow(0.94, step);
        return filter.process(siren.square(hz, 0.3), 2500) * adsr(t, 0.005, 0.0, 1.0f, 0.75, 0.15) * 0.6f +
               buzz.saw(55) * 0.25f * decay60(t, 0.9);
    });
    Mono grab = metal({190, 455, 980}, 0.3, 0.35, 71);
    // A held square-wave siren is far louder than its peak suggests: it is
    // kept low so that it stands out from the other effects by its pitch.
    return finish(layers({{grab, 0.0, 0.8f}, {alarm, 0.05, 1.0f}}), 0.33f);
}

Mono botFall()
{
    Osc osc;
    return finish(render(0.8, [&](double t) {
        double hz = glide(t, 1400, 260, 0.8);
        return (osc.sine(hz) * 0.8f + osc.square(hz, 0.5) * 0.1f) * adsr(t, 0.01, 0.0, 1.0f, 0.65, 0.15);
    }), 0.16f);
}

Mono botDetect()
{
    Mono beep1 = sweep(880, 880, 0.1, true, 0.004, 0.03);
    Mono beep2 = sweep(1320, 1320, 0.14, true, 0.004, 0.06);
    return finish(layers({{beep1, 0.0, 1.0f}, {beep2, 0.13, 1.0f}}), 0.18f);
}

Mono botSlide()
{
    Rng rng(81);
    Svf scrape(Svf::BandPass, 4.0);
    Osc wobble;
    return finish(render(0.5, [&](double t) {
        double cutoff = 1800 + 700 * wobble.sine(23.0);
        return scrape.process(rng.bipolar(), cutoff) * adsr(t, 0.02, 0.1, 0.7f, 0.35, 0.15);
    }), 0.45f);
}

} // namespace

void addCharacterEffects(std::vector<Effect>& effects)
{
    for (int n = 0; n <= 5; ++n)
        effects.push_back({"professor_run" + std::to_string(n) + ".ogg", [n] { return professorStep(n); }});
    for (int n = 0; n <= 3; ++n)
        effects.push_back({"professor_climb" + std::to_string(n) + ".ogg", [n] { return professorRung(n); }});
    effects.push_back({"professor_crush.ogg", [] { return crush(false); }});
    effects.push_back({"professor_land.ogg", [] { return finish(thud(120, 55, 0.25, 0.5f, 91), 0.55f); }});
    effects.push_back({"professor_trampoline.ogg", trampolineBoing});
    for (int n = 1; n <= 12; ++n)
        effects.push_back({"bot_footstep" + std::to_string(n) + ".ogg", [n] { return botStep(n); }});
    for (int n = 0; n <= 3; ++n)
        effects.push_back({"bot_climb" + std::to_string(n) + ".ogg", [n] { return botRung(n); }});
    effects.push_back({"bot_catches_prof.ogg", botCatches});
    effects.push_back({"bot_crush.ogg", [] { return crush(true); }});
    effects.push_back({"bot_fall.ogg", botFall});
    effects.push_back({"bot_hang_detect.ogg", botDetect});
    effects.push_back({"bot_slide.ogg", botSlide});
}

} // namespace fx
