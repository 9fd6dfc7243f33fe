// Effects laid over elements on the board: the pulsing glow round a hot
// object, the steam of melting ice, the crackle of a magnet knocked out by
// an EMP, and the white flash of the EMP itself.
#include "ArtKit.h"

#include <cmath>

namespace {

using namespace art;

constexpr Placement kGlow{58, 48, 112, 110};
constexpr Placement kSteam{48, 95, 92, 118};
constexpr Placement kEmp{20, 16, 36, 40};

// Glow strength 3..9: a halo of heat round the cell, thin over the object
// itself so it stays readable.
void heatGlow(cairo_t* cr, int strength)
{
    double k = (strength - 2) / 7.0;
    Color hot = heatColor(0.4 + 0.5 * k);
    cairo_pattern_t* glow = cairo_pattern_create_radial(12, 12, 4, 12, 12, 26 + 16 * k);
    cairo_pattern_add_color_stop_rgba(glow, 0, hot.r, hot.g, hot.b, 0.10 + 0.12 * k);
    cairo_pattern_add_color_stop_rgba(glow, 0.3, hot.r, hot.g, hot.b, 0.30 + 0.35 * k);
    cairo_pattern_add_color_stop_rgba(glow, 1, hot.r, hot.g, hot.b, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    // Shimmer over the top.
    for (int i = 0; i < 3; ++i) {
        double x = 5 + i * 7;
        cairo_move_to(cr, x, -3);
        cairo_curve_to(cr, x + 2, -6, x - 2, -8, x, -11 - k * 4);
    }
    cairo_set_source_rgba(cr, 1, 0.85, 0.5, 0.25 + 0.3 * k);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// Steam billowing up out of the cell: clouds that rise, swell and thin.
void steam(cairo_t* cr, int frame)
{
    double t = frame / 18.0;
    Noise noise(41);
    for (int i = 0; i < 12; ++i) {
        double start = noise.range(0, 0.45);
        double life = noise.range(0.45, 0.65);
        double x0 = noise.range(2, 22);
        double drift = noise.range(-12, 12);
        double age = (t - start) / life;
        if (age <= 0 || age >= 1)
            continue;
        double y = 18 - age * noise.range(60, 90);
        double x = x0 + drift * age + std::sin(age * 5 + i) * 3;
        double radius = 4 + age * noise.range(10, 16);
        double alpha = 0.8 * std::sin(age * M_PI) * (age < 0.15 ? age / 0.15 : 1);
        drawPuff(cr, x, y, radius, {0.95, 0.97, 1.0, alpha});
    }
    // Meltwater dripping in the first frames.
    if (frame < 6)
        for (int i = 0; i < 4; ++i) {
            double x = 4 + i * 5.5;
            double y = 20 + frame * 1.5 + (i % 2) * 2;
            ellipsePath(cr, x, y, 1.1, 1.6);
            cairo_set_source_rgba(cr, 0.55, 0.80, 0.98, 0.9 - frame * 0.15);
            cairo_fill(cr);
        }
}

// Sparks crackling round a stunned magnet, dying down.
void empCrackle(cairo_t* cr, int frame)
{
    double fade = 1 - smooth((frame - 8) / 7.0);
    Noise noise(static_cast<uint32_t>(frame) * 7 + 3);
    drawSoftGlow(cr, 12, 12, 18, {0.55, 0.85, 1.0, 0.35 * fade});
    for (int bolt = 0; bolt < 4; ++bolt) {
        double a = noise.range(0, 2 * M_PI);
        double r0 = noise.range(4, 9);
        double x = 12 + std::cos(a) * r0, y = 12 + std::sin(a) * r0;
        cairo_move_to(cr, x, y);
        for (int i = 0; i < 4; ++i) {
            a += noise.range(-0.9, 0.9);
            x += std::cos(a) * 3.2;
            y += std::sin(a) * 3.2;
            cairo_line_to(cr, x, y);
        }
    }
    cairo_set_source_rgba(cr, 0.35, 0.70, 1.0, 0.8 * fade);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgba(cr, 0.92, 0.98, 1.0, fade);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

void flash(cairo_t* cr)
{
    cairo_pattern_t* light = cairo_pattern_create_radial(400, 300, 40, 400, 300, 520);
    cairo_pattern_add_color_stop_rgb(light, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(light, 1, 0.86, 0.93, 1.0);
    cairo_set_source(cr, light);
    cairo_paint(cr);
    cairo_pattern_destroy(light);
}

void registerOverlays(Registry& registry, const char* family)
{
    addPicture(registry, family, "flash.jpg", 800, 600, flash);
    addPlacedSeries(registry, family, "heatedobjectglow", 3, 9, ".png", kGlow, heatGlow);
    addPlacedSeries(registry, family, "icemeltingsteam", 0, 18, ".png", kSteam, steam);
    addPlacedSeries(registry, family, "magnetemp", 0, 14, ".tga", kEmp, empCrackle);
}

FamilyRegistration overlays("overlays", registerOverlays);

} // namespace
