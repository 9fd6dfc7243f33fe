// Barrels lie on their side and roll: every series is eight frames of a
// full turn, seen from the end. Wooden, metal and inflatable; still and
// dropping (with speed streaks), frozen, hot, the metal barrel cooling at
// each of the eight roll angles, and the inflatable one blowing up.
#include "InflatableBodies.h"
#include "ObjectPose.h"

#include <cmath>

namespace {

using namespace art;

constexpr Placement kPlain{19, 15, 34, 37};
constexpr Placement kFrozen{21, 17, 38, 40};
constexpr Placement kInflatable{20, 16, 36, 38};

constexpr double kCentreX = 12, kCentreY = 12.5, kRadius = 11.2;
constexpr Box kBarrelIce{-3, -3, 30, 28};

enum class Kind { Wooden, Metal, Inflatable };

double rollAngle(int frame)
{
    return frame * M_PI / 4;
}

void woodenBarrel(cairo_t* cr, double roll)
{
    ellipsePath(cr, kCentreX, kCentreY, kRadius, kRadius);
    fillAndOutline(cr, palette::wood, 1, 24, 1.3);
    cairo_save(cr);
    cairo_translate(cr, kCentreX, kCentreY);
    cairo_rotate(cr, roll);
    // The lid's boards and the bung hole turn with the barrel.
    ellipsePath(cr, 0, 0, 7.6, 7.6);
    setColor(cr, lighter(palette::wood, 0.12));
    cairo_fill(cr);
    for (double bx : {-3.8, 0.0, 3.8}) {
        double half = std::sqrt(7.6 * 7.6 - bx * bx);
        cairo_move_to(cr, bx, -half);
        cairo_line_to(cr, bx, half);
    }
    setColor(cr, withAlpha(palette::woodDark, 0.85));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    ellipsePath(cr, 1.9, -4.2, 1.5, 1.5);
    setColor(cr, palette::woodDark);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 0.7);
    cairo_restore(cr);
    // Iron hoop round the rim.
    ellipsePath(cr, kCentreX, kCentreY, 9.4, 9.4);
    setColor(cr, darker(palette::metalDark, 0.15));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    ellipsePath(cr, kCentreX, kCentreY, 9.3, 9.3);
    setColor(cr, withAlpha(lighter(palette::metal, 0.3), 0.6));
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    drawHighlight(cr, 8, 5, 3.5, 1.6, 0.3);
}

void metalBarrel(cairo_t* cr, double roll)
{
    ellipsePath(cr, kCentreX, kCentreY, kRadius, kRadius);
    fillAndOutline(cr, palette::metal, 1, 24, 1.3);
    ellipsePath(cr, kCentreX, kCentreY, 8.6, 8.6);
    fillShaded(cr, darker(palette::metal, 0.08), 24, 1);
    setColor(cr, withAlpha(palette::metalDark, 0.9));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, kCentreX, kCentreY);
    cairo_rotate(cr, roll);
    // A ring of rivets and the filler cap turn with the barrel.
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3;
        drawBolt(cr, std::cos(a) * 9.9, std::sin(a) * 9.9, 0.8);
    }
    roundedRect(cr, -2.4, -6.6, 4.8, 3.6, 1);
    fillAndOutline(cr, palette::red, -6.6, -3, 0.8);
    ellipsePath(cr, 0, 0, 2.2, 2.2);
    setColor(cr, withAlpha(palette::metalDark, 0.7));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
    drawHighlight(cr, 8, 5.2, 3.5, 1.5, 0.5);
}

} // namespace

void art::drawInflatableBarrel(cairo_t* cr, double roll)
{
    ellipsePath(cr, kCentreX, kCentreY, kRadius, kRadius);
    fillAndOutline(cr, palette::rubber, 1, 24, 1.3);
    cairo_save(cr);
    cairo_translate(cr, kCentreX, kCentreY);
    cairo_rotate(cr, roll);
    ellipsePath(cr, 0, 0, 6.8, 6.8);
    setColor(cr, withAlpha(darker(palette::rubber, 0.35), 0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Seams from the hub and the valve on the rim.
    for (int i = 0; i < 3; ++i) {
        double a = i * 2 * M_PI / 3;
        cairo_move_to(cr, std::cos(a) * 6.8, std::sin(a) * 6.8);
        cairo_line_to(cr, std::cos(a) * 10.5, std::sin(a) * 10.5);
    }
    cairo_stroke(cr);
    roundedRect(cr, -1.4, -11.8, 2.8, 3.2, 0.8);
    fillAndOutline(cr, darker(palette::rubber, 0.3), -11.8, -8.6, 0.8);
    cairo_restore(cr);
    drawHighlight(cr, 7.5, 6.5, 3, 2, 0.55);
    drawHighlight(cr, 12, 4, 1.8, 0.9, 0.4);
}

namespace {

Paint barrelBody(Kind kind, double roll)
{
    switch (kind) {
    case Kind::Wooden:
        return [roll](cairo_t* cr) { woodenBarrel(cr, roll); };
    case Kind::Metal:
        return [roll](cairo_t* cr) { metalBarrel(cr, roll); };
    case Kind::Inflatable:
        break;
    }
    return [roll](cairo_t* cr) { drawInflatableBarrel(cr, roll); };
}

// Air rushing past a dropping barrel.
void drawSpeedStreaks(cairo_t* cr, int frame)
{
    for (int i = 0; i < 3; ++i) {
        double x = 6 + i * 6 + ((frame + i) % 2) * 1.2;
        double top = -7 + ((frame * 3 + i * 5) % 4);
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x, top + 5 + (i % 2) * 2);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_set_line_width(cr, 1.1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void addBarrelSeries(Registry& registry, const char* family, const std::string& prefix, const std::string& suffix,
                     Kind kind, const Placement& place, double heat, bool frozen, bool dropping)
{
    addPlacedSeries(registry, family, prefix, 0, 7, suffix, place, [=](cairo_t* cr, int frame) {
        if (dropping)
            drawSpeedStreaks(cr, frame);
        drawPosed(cr, barrelBody(kind, rollAngle(frame)), posed(1, 0, heat, frozen, 70 + frame), kBarrelIce);
    });
}

void addMaterial(Registry& registry, const char* family, const std::string& prefix, const std::string& suffix,
                 Kind kind, const Placement& plain)
{
    for (bool dropping : {false, true}) {
        std::string base = prefix + (dropping ? "fall" : "");
        addBarrelSeries(registry, family, base, suffix, kind, plain, 0, false, dropping);
        addBarrelSeries(registry, family, base + "frozen", suffix, kind, kFrozen, 0, true, dropping);
        // Hot pictures of every barrel sit as the plain ones do.
        addBarrelSeries(registry, family, base + "heated", suffix, kind, kPlain, 1, false, dropping);
    }
}

void registerBarrels(Registry& registry, const char* family)
{
    addMaterial(registry, family, "barrel", ".tga", Kind::Wooden, kPlain);
    addMaterial(registry, family, "metalbarrel", ".png", Kind::Metal, kPlain);
    addMaterial(registry, family, "barrelinflatable", ".tga", Kind::Inflatable, kInflatable);

    // A frozen-over hot metal barrel cools at whatever angle it has rolled to.
    auto cooling = [&](const std::string& prefix, int roll) {
        addPlacedSeries(registry, family, prefix, 0, 6, ".png", kPlain, [roll](cairo_t* cr, int step) {
            Pose pose = posed(1, 0, coolingHeat(step), false, 90 + step);
            pose.steam = step / 6.0;
            drawPosed(cr, barrelBody(Kind::Metal, rollAngle(roll)), pose);
        });
    };
    cooling("metalbarrelcooling", 0);
    for (int roll = 0; roll < 8; ++roll)
        cooling("metalbarrelcooling" + std::to_string(roll) + "-", roll);

    // Blowing up next to the professor: an empty skin on his side, then
    // rounder, then a last wobble.
    addPlaced(registry, family, "barrelinflateleft0.tga", kInflatable,
              [](cairo_t* cr) { drawDeflatedSkin(cr, palette::rubber, 21, 15, 24); });
    addPlaced(registry, family, "barrelinflateright0.tga", kInflatable,
              [](cairo_t* cr) { drawDeflatedSkin(cr, palette::rubber, 3, 15, 24); });
    const struct {
        int frame;
        double sx, sy;
    } steps[] = {{1, 0.62, 0.42}, {2, 0.86, 0.74}, {4, 1.06, 0.93}};
    Paint still = [](cairo_t* cr) { drawInflatableBarrel(cr, 0); };
    for (const auto& step : steps)
        addPlaced(registry, family, seriesName("barrelinflate", step.frame, ".tga"), kInflatable,
                  [=](cairo_t* cr) { drawBlownUp(cr, still, step.sx, step.sy); });
}

FamilyRegistration barrels("barrels", registerBarrels);

} // namespace
