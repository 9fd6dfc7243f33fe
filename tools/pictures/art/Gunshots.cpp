// Shots of the frost gun and the heat gun: a spinning snowball with a
// trail of ice dust and a flickering ball of fire, each flying either way;
// the frost burst where a frost shot hits; and the flare of a heat shot,
// which also serves as the blaze of anything that burns up.
#include "ArtKit.h"

#include <cmath>

namespace {

using namespace art;

constexpr Placement kShot{10, 9, 22, 24};
constexpr Placement kFrostBurst{46, 47, 88, 92};
constexpr Placement kFlare{33, 77, 62, 100};
// The ball flies a little above the middle of its row, at the height of
// the professor's gun; the picture starts 4 pixels above the cell.
constexpr double kBallX = 14, kBallY = 9;

// The trail streams behind the ball: +1 when flying left, -1 right.
void frostBall(cairo_t* cr, int frame, double behind)
{
    double spin = frame * (M_PI / 3) / 12;
    for (int i = 1; i <= 4; ++i) {
        double x = kBallX + behind * (3 + i * 2.2);
        double y = kBallY + std::sin(frame * 0.9 + i * 1.7) * 1.6;
        drawPuff(cr, x, y, 2.2 - i * 0.3, withAlpha(palette::frost, 0.8 - i * 0.15));
    }
    drawSoftGlow(cr, kBallX, kBallY, 8, withAlpha(palette::frost, 0.6));
    ellipsePath(cr, kBallX, kBallY, 4.8, 4.8);
    fillAndOutline(cr, lighter(palette::frost, 0.4), kBallY - 5, kBallY + 5, 1.1);
    // A snowflake turning inside.
    cairo_save(cr);
    cairo_translate(cr, kBallX, kBallY);
    cairo_rotate(cr, spin);
    for (int i = 0; i < 3; ++i) {
        double a = i * M_PI / 3;
        cairo_move_to(cr, std::cos(a) * 3.4, std::sin(a) * 3.4);
        cairo_line_to(cr, -std::cos(a) * 3.4, -std::sin(a) * 3.4);
    }
    cairo_set_source_rgb(cr, 0.35, 0.65, 0.90);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
    drawHighlight(cr, kBallX - 1.5, kBallY - 2, 1.5, 1, 0.8);
}

void fireBall(cairo_t* cr, int frame, double behind)
{
    // Flame tongues licking back from the ball.
    for (int i = 0; i < 3; ++i) {
        double wave = std::sin(frame * 1.3 + i * 2.1);
        double length = 7 + wave * 1.5 - i;
        double y = kBallY + (i - 1) * 2.6;
        cairo_move_to(cr, kBallX, y - 2.4);
        cairo_curve_to(cr, kBallX + behind * length * 0.5, y - 3 + wave, kBallX + behind * length * 0.8, y + wave,
                       kBallX + behind * length, y + wave * 0.8);
        cairo_curve_to(cr, kBallX + behind * length * 0.7, y + 1.6, kBallX + behind * 2, y + 2.6, kBallX, y + 2.4);
        cairo_close_path(cr);
    }
    cairo_set_source_rgba(cr, palette::heat.r, palette::heat.g, palette::heat.b, 0.9);
    cairo_fill(cr);
    drawSoftGlow(cr, kBallX, kBallY, 8.5, withAlpha(palette::flame, 0.7));
    double pulse = 0.4 * std::sin(frame * M_PI / 3);
    ellipsePath(cr, kBallX, kBallY, 4.8 + pulse, 4.8 + pulse);
    fillAndOutline(cr, palette::heat, kBallY - 5, kBallY + 5, 1.1);
    ellipsePath(cr, kBallX - 0.6, kBallY - 0.6, 2.8, 2.8);
    setColor(cr, lighter(palette::flame, 0.4));
    cairo_fill(cr);
}

// Ice shards bursting from the middle of the cell, with a frosty cloud.
void frostBurst(cairo_t* cr, int frame)
{
    double t = frame / 8.0;
    double fade = 1 - smooth((t - 0.4) / 0.6);
    drawPuff(cr, 12, 12, 6 + 16 * t, withAlpha(palette::frost, 0.7 * fade));
    if (frame < 3)
        drawSoftGlow(cr, 12, 12, 10 + frame * 5, withAlpha(palette::white, 0.9 - frame * 0.25));
    Noise noise(17);
    for (int i = 0; i < 12; ++i) {
        double a = i * 2 * M_PI / 12 + noise.range(-0.2, 0.2);
        double reach = (8 + 26 * std::sqrt(t)) * noise.range(0.7, 1.1);
        double x = 12 + std::cos(a) * reach;
        double y = 12 + std::sin(a) * reach + 10 * t * t;
        double size = noise.range(2, 3.5) * (1 - 0.4 * t);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a + t * 3);
        cairo_move_to(cr, size * 1.6, 0);
        cairo_line_to(cr, 0, size * 0.6);
        cairo_line_to(cr, -size, 0);
        cairo_line_to(cr, 0, -size * 0.6);
        cairo_close_path(cr);
        cairo_restore(cr);
    }
    cairo_set_source_rgba(cr, 0.88, 0.97, 1.0, fade);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.30, 0.55, 0.78, fade);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        double a = noise.range(0, 2 * M_PI);
        double r = noise.range(4, 20) * (0.5 + t);
        double glint = std::fabs(std::sin(t * 9 + i));
        double x = 12 + std::cos(a) * r, y = 12 + std::sin(a) * r;
        cairo_move_to(cr, x - 2 * glint, y);
        cairo_line_to(cr, x + 2 * glint, y);
        cairo_move_to(cr, x, y - 2 * glint);
        cairo_line_to(cr, x, y + 2 * glint);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9 * fade);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// A blaze rising from the cell: a flash, a ball of fire that climbs and
// breaks into flames, then smoke that thins out.
void flare(cairo_t* cr, int frame)
{
    double t = frame / 25.0;
    Noise noise(29);
    if (frame < 5) {
        // The first burst: a ball of fire swelling out of the cell.
        drawSoftGlow(cr, 12, 12, 16 + frame * 6, withAlpha(palette::flame, 0.95 - frame * 0.18));
        drawPuff(cr, 12, 13 - frame * 2, 7 + frame * 2.5, withAlpha(palette::heat, 0.9 - frame * 0.2));
    }
    // Smoke comes up behind the fire in the second half.
    for (int i = 0; i < 6; ++i) {
        double start = 0.3 + i * 0.07;
        double age = (t - start) / 0.6;
        if (age <= 0 || age >= 1)
            continue;
        double x = 12 + noise.range(-8, 8) + std::sin(age * 4 + i) * 3;
        double y = 8 - age * 62;
        drawPuff(cr, x, y, 5 + age * 9, {0.35, 0.32, 0.32, 0.55 * (1 - age)});
    }
    // Tongues of flame: each rises, sways and burns out.
    for (int i = 0; i < 12; ++i) {
        double start = noise.range(0, 0.3);
        double life = noise.range(0.35, 0.6);
        double age = (t - start) / life;
        double x0 = 12 + noise.range(-10, 10);
        double sway = noise.range(0, 6);
        if (age <= 0 || age >= 1)
            continue;
        double height = 10 + 26 * age * noise.range(0.7, 1.2);
        double width = 7.5 * (1 - age * 0.6);
        double base = 20 - age * 14;
        double tipX = x0 + std::sin(sway + age * 6) * 4;
        cairo_move_to(cr, x0 - width, base);
        cairo_curve_to(cr, x0 - width, base - height * 0.5, tipX - 1, base - height * 0.7, tipX, base - height);
        cairo_curve_to(cr, tipX + 1, base - height * 0.7, x0 + width, base - height * 0.5, x0 + width, base);
        cairo_curve_to(cr, x0 + width, base + width, x0 - width, base + width, x0 - width, base);
        cairo_close_path(cr);
        Color outer = mix(palette::heat, palette::red, age);
        cairo_set_source_rgba(cr, outer.r, outer.g, outer.b, 0.9 * (1 - age * age));
        cairo_fill(cr);
        ellipsePath(cr, x0, base - height * 0.25, width * 0.45, height * 0.3);
        cairo_set_source_rgba(cr, palette::flame.r, palette::flame.g, palette::flame.b, 0.9 * (1 - age));
        cairo_fill(cr);
    }
    // Embers flying up.
    for (int i = 0; i < 8; ++i) {
        double age = t * 1.4 - i * 0.08;
        if (age <= 0 || age >= 1)
            continue;
        double x = 12 + noise.range(-12, 12) * age + std::sin(age * 8 + i) * 2;
        double y = 14 - age * noise.range(40, 70);
        ellipsePath(cr, x, y, 0.9, 0.9);
        cairo_set_source_rgba(cr, 1, 0.85, 0.3, 1 - age);
        cairo_fill(cr);
    }
}

void registerGunshots(Registry& registry, const char* family)
{
    auto shot = [&](const std::string& prefix, const std::string& suffix, double behind,
                    void (*ball)(cairo_t*, int, double)) {
        addPlacedSeries(registry, family, prefix, 0, 11, suffix, kShot,
                        [=](cairo_t* cr, int frame) { ball(cr, frame, behind); });
    };
    shot("frostballleft", ".tga", 1, frostBall);
    shot("frostballright", ".tga", -1, frostBall);
    shot("fireballleft", ".png", 1, fireBall);
    shot("fireballright", ".png", -1, fireBall);
    addPlacedSeries(registry, family, "frostexplode", 0, 8, ".tga", kFrostBurst, frostBurst);
    addPlacedSeries(registry, family, "heatgunimpact", 0, 25, ".png", kFlare, flare);
}

FamilyRegistration gunshots("gunshots", registerGunshots);

} // namespace
