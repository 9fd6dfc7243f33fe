// Crates: wooden (two plank patterns that alternate by column), metal and
// inflatable, in every state the game shows them: still, dropping tilted to
// either side, squashed on landing, frozen, hot and cooling (metal), and
// the inflatable one blowing up.
#include "InflatableBodies.h"
#include "ObjectPose.h"

#include <cmath>

namespace {

using namespace art;

// Where the crate pictures sit, with room round the cell to squash and tilt.
constexpr Placement kPlain{23, 13, 42, 35};
constexpr Placement kFrozen{19, 14, 34, 36};
constexpr Placement kInflatable{20, 15, 36, 37};

constexpr double kDropTilt = 0.14;

void woodenCrate(cairo_t* cr, bool variantB)
{
    roundedRect(cr, 0.75, 0.75, 22.5, 22.5, 2);
    fillShaded(cr, darker(palette::wood, 0.12), 0, 24);
    cairo_new_path(cr);
    cairo_save(cr);
    if (variantB) {
        // Upright boards: the same planks turned a quarter.
        cairo_translate(cr, 24, 0);
        cairo_rotate(cr, M_PI / 2);
    }
    drawPlanks(cr, 4, 4, 16, 16, 3, lighter(palette::wood, 0.08));
    cairo_restore(cr);
    cairo_rectangle(cr, 4, 4, 16, 16);
    setColor(cr, withAlpha(palette::woodDark, 0.9));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // The diagonal brace, leaning the other way on the second pattern.
    double x0 = variantB ? 19 : 5, x1 = variantB ? 5 : 19;
    cairo_move_to(cr, x0, 19);
    cairo_line_to(cr, x1, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::wood);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    for (double nx : {2.4, 21.6})
        for (double ny : {2.4, 21.6}) {
            ellipsePath(cr, nx, ny, 0.9, 0.9);
            setColor(cr, palette::woodDark);
            cairo_fill(cr);
        }
    roundedRect(cr, 0.75, 0.75, 22.5, 22.5, 2);
    strokeOutline(cr, 1.3);
    drawHighlight(cr, 8, 2.6, 5, 1.1, 0.3);
}

void metalCrate(cairo_t* cr)
{
    roundedRect(cr, 0.75, 0.75, 22.5, 22.5, 2.5);
    fillAndOutline(cr, palette::metal, 0, 24, 1.3);
    roundedRect(cr, 4.5, 4.5, 15, 15, 1.5);
    fillShaded(cr, darker(palette::metal, 0.1), 24, 4);
    setColor(cr, withAlpha(palette::metalDark, 0.9));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // Pressed cross ridges: a dark groove with a light edge above it.
    const struct {
        double lift, width;
        Color colour;
    } passes[] = {{0, 2.2, withAlpha(palette::metalDark, 0.8)}, {0.7, 0.8, withAlpha(lighter(palette::metal, 0.6), 0.8)}};
    for (const auto& pass : passes) {
        cairo_move_to(cr, 6, 6 - pass.lift);
        cairo_line_to(cr, 18 + pass.lift, 18);
        cairo_move_to(cr, 18, 6 - pass.lift);
        cairo_line_to(cr, 6 - pass.lift, 18);
        setColor(cr, pass.colour);
        cairo_set_line_width(cr, pass.width);
        cairo_stroke(cr);
    }
    for (double bx : {2.7, 21.3})
        for (double by : {2.7, 21.3})
            drawBolt(cr, bx, by, 1.3);
    drawHighlight(cr, 10, 2.4, 6, 1, 0.45);
}

} // namespace

// The inflatable crate: rubber chambers and a valve.
void art::drawInflatableCrate(cairo_t* cr)
{
    roundedRect(cr, 1, 1.5, 22, 22, 6);
    fillAndOutline(cr, palette::rubber, 1, 24, 1.3);
    // Welded seams of the air chambers.
    for (double sx : {8.5, 15.5}) {
        cairo_move_to(cr, sx, 3);
        cairo_curve_to(cr, sx - 1, 9, sx - 1, 16, sx, 22);
    }
    setColor(cr, withAlpha(darker(palette::rubber, 0.35), 0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    drawHighlight(cr, 6, 6, 3, 2, 0.55);
    drawHighlight(cr, 12.5, 4.5, 2, 1, 0.4);
    roundedRect(cr, 18, -0.5, 3, 3, 1);
    fillAndOutline(cr, darker(palette::rubber, 0.3), -0.5, 2.5, 0.9);
}

namespace {

enum class Kind { Wooden, WoodenB, Metal, Inflatable };

Paint bodyOf(Kind kind)
{
    switch (kind) {
    case Kind::Wooden:
        return [](cairo_t* cr) { woodenCrate(cr, false); };
    case Kind::WoodenB:
        return [](cairo_t* cr) { woodenCrate(cr, true); };
    case Kind::Metal:
        return metalCrate;
    case Kind::Inflatable:
        break;
    }
    return drawInflatableCrate;
}

void addCrate(Registry& registry, const char* family, const std::string& name, Kind kind, Pose pose)
{
    const Placement& place = pose.frozen ? kFrozen : (kind == Kind::Inflatable ? kInflatable : kPlain);
    Paint body = bodyOf(kind);
    addPlaced(registry, family, name, place, [=](cairo_t* cr) { drawPosed(cr, body, pose); });
}

void registerCrates(Registry& registry, const char* family)
{
    struct Material {
        const char* prefix;
        Kind kind;
        Kind kindB; // the pattern used in even columns
        bool hasB;
    };
    const Material materials[] = {{"crate", Kind::Wooden, Kind::WoodenB, true},
                                  {"metalcrate", Kind::Metal, Kind::Metal, false},
                                  {"crateinflatable", Kind::Inflatable, Kind::Inflatable, false}};
    const struct {
        const char* state;
        double tilt;
    } stances[] = {{"still", 0}, {"left", kDropTilt}, {"right", -kDropTilt}};
    uint32_t seed = 11;
    for (const Material& m : materials) {
        std::string prefix = m.prefix;
        for (const auto& stance : stances) {
            addCrate(registry, family, prefix + stance.state + "0.tga", m.kind, posed(1, stance.tilt, 0, false, seed));
            if (m.hasB)
                addCrate(registry, family, prefix + stance.state + "0b.tga", m.kindB,
                         posed(1, stance.tilt, 0, false, seed));
            addCrate(registry, family, prefix + stance.state + "frozen0.tga", m.kind,
                     posed(1, stance.tilt, 0, true, seed++));
        }
        for (int frame : {0, 1, 4}) {
            double squash = landingSquash(frame);
            addCrate(registry, family, seriesName(prefix + "squash", frame, ".tga"), m.kind,
                     posed(squash, 0, 0, false, seed));
            if (m.hasB)
                addCrate(registry, family, seriesName(prefix + "squash", frame, "b.tga"), m.kindB,
                         posed(squash, 0, 0, false, seed));
        }
    }

    // Hot metal and its way back.
    addCrate(registry, family, "metalcrateheated.png", Kind::Metal, posed(1, 0, 1, false, 1));
    addCrate(registry, family, "metalcrateheatedleft.png", Kind::Metal, posed(1, kDropTilt, 1, false, 1));
    addCrate(registry, family, "metalcrateheatedright.png", Kind::Metal, posed(1, -kDropTilt, 1, false, 1));
    for (int frame : {0, 1, 4})
        addCrate(registry, family, seriesName("metalcrateheatedsquash", frame, ".png"), Kind::Metal,
                 posed(landingSquash(frame), 0, 1, false, 1));
    for (int step = 0; step <= 6; ++step) {
        Pose pose = posed(1, 0, coolingHeat(step), false, 40 + step);
        pose.steam = step / 6.0;
        addCrate(registry, family, seriesName("metalcratecooling", step, ".png"), Kind::Metal, pose);
    }

    // Blowing up an inflatable crate next to the professor: an empty skin
    // on his side, rounder and rounder, a last bulge.
    addPlaced(registry, family, "crateinflateleft0.tga", kInflatable,
              [](cairo_t* cr) { drawDeflatedSkin(cr, palette::rubber, 21, 17, 24); });
    addPlaced(registry, family, "crateinflateright0.tga", kInflatable,
              [](cairo_t* cr) { drawDeflatedSkin(cr, palette::rubber, 3, 17, 24); });
    const double scale[][2] = {{0.74, 0.35}, {0.86, 0.6}, {0.95, 0.85}, {1.04, 1.06}};
    addPlacedSeries(registry, family, "crateinflate", 1, 4, ".tga", kInflatable, [scale](cairo_t* cr, int frame) {
        drawBlownUp(cr, drawInflatableCrate, scale[frame - 1][0], scale[frame - 1][1]);
    });
}

FamilyRegistration crates("crates", registerCrates);

} // namespace
