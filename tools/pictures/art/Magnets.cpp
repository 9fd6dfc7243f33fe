// Magnets: a horseshoe lying on its side with its poles to the left or to
// the right; the normal one is red iron with steel poles, the inflatable
// one a glossy rubber copy with a valve. Still, dropping, squashed,
// frozen, hot, cooling (normal) and blowing up (inflatable).
#include "InflatableBodies.h"
#include "ObjectPose.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace art;

// The horseshoe in cell coordinates with its poles on the left; the arms
// are `arm` thick and the bend's inner radius is `gap`.
void horseshoePath(cairo_t* cr, double arm, double gap, double corner)
{
    double top = 2, bottom = 23.5, left = 1;
    double centreY = (top + bottom) / 2;
    double outer = (bottom - top) / 2;
    double bendX = 23 - outer;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, left + corner, top);
    cairo_line_to(cr, bendX, top);
    cairo_arc(cr, bendX, centreY, outer, -M_PI / 2, M_PI / 2);
    cairo_line_to(cr, left + corner, bottom);
    cairo_arc(cr, left + corner, bottom - corner, corner, M_PI / 2, M_PI);
    cairo_line_to(cr, left, bottom - arm + corner);
    cairo_arc(cr, left + corner, bottom - arm + corner, corner, M_PI, 3 * M_PI / 2);
    cairo_line_to(cr, bendX, bottom - arm);
    cairo_arc_negative(cr, bendX, centreY, gap, M_PI / 2, -M_PI / 2);
    cairo_line_to(cr, left + corner, top + arm);
    cairo_arc(cr, left + corner, top + arm - corner, corner, M_PI / 2, M_PI);
    cairo_line_to(cr, left, top + corner);
    cairo_arc(cr, left + corner, top + corner, corner, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void poleTips(cairo_t* cr, double arm, Color tip, double corner)
{
    for (double y : {2.0, 23.5 - arm}) {
        roundedRect(cr, 1, y, 6, arm, corner);
        fillAndOutline(cr, tip, y, y + arm, 1.1);
    }
}

void normalMagnet(cairo_t* cr)
{
    const double arm = 7.5;
    horseshoePath(cr, arm, 3.2, 1);
    fillAndOutline(cr, palette::red, 2, 24, 1.3);
    poleTips(cr, arm, palette::metal, 1);
    // A bright band across the bend, as on a schoolroom magnet.
    cairo_move_to(cr, 15, 3.5);
    cairo_curve_to(cr, 20.5, 4.5, 22, 8, 22, 12);
    setColor(cr, withAlpha(palette::white, 0.45));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    drawHighlight(cr, 10.5, 3.9, 3, 0.8, 0.45);
}

} // namespace

void art::drawInflatableMagnet(cairo_t* cr)
{
    const double arm = 8;
    horseshoePath(cr, arm, 3, 3.5);
    fillAndOutline(cr, palette::rubber, 2, 24, 1.3);
    poleTips(cr, arm, lighter(palette::metal, 0.35), 3.5);
    drawHighlight(cr, 11, 4.5, 3.5, 1.3, 0.55);
    drawHighlight(cr, 19, 8, 1.3, 2.2, 0.45);
    roundedRect(cr, 16, 0, 3, 3, 1);
    fillAndOutline(cr, darker(palette::rubber, 0.3), 0, 3, 0.9);
}

namespace {

Paint facing(const Paint& body, bool left)
{
    if (left)
        return body;
    return [body](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, 24, 0);
        cairo_scale(cr, -1, 1);
        body(cr);
        cairo_restore(cr);
    };
}

// A picture placed by its sprite's origin, with room for the cell and a
// little around it.
void addMagnet(Registry& registry, const char* family, const std::string& name, int originX, int originY,
               const Paint& body, const Pose& pose)
{
    int left = originX - 14, top = originY - 5;
    int width = left + 24 + std::max(left, 4), height = top + 27;
    addPlaced(registry, family, name, {originX, originY, width, height},
              [=](cairo_t* cr) { drawPosed(cr, body, pose); });
}

// Each stance gets its own ice cracks.
Pose makePose(double squash, double tilt, double heat, bool frozen)
{
    return posed(squash, tilt, heat, frozen, 120 + static_cast<uint32_t>(tilt * 10 + 5));
}

constexpr double kDropTilt = 0.14;

struct Origin {
    int x, y;
};

void addNormal(Registry& registry, const char* family, bool left)
{
    std::string prefix = left ? "magnetleft" : "magnetright";
    Paint body = facing(normalMagnet, left);
    Origin plain = left ? Origin{16, 12} : Origin{18, 12};
    Origin frozen = left ? Origin{20, 14} : Origin{20, 13};
    const struct {
        const char* still;
        const char* heated;
        double tilt;
    } stances[] = {{"still", "heatednormal", 0}, {"left", "heatedleft", kDropTilt}, {"right", "heatedright", -kDropTilt}};
    for (const auto& s : stances) {
        addMagnet(registry, family, prefix + s.still + "0.tga", plain.x, plain.y, body, makePose(1, s.tilt, 0, false));
        addMagnet(registry, family, prefix + s.still + "frozen0.tga", frozen.x, frozen.y, body,
                  makePose(1, s.tilt, 0, true));
        addMagnet(registry, family, prefix + s.heated + ".png", plain.x, plain.y, body, makePose(1, s.tilt, 1, false));
    }
    for (int frame : {0, 1, 4}) {
        double squash = landingSquash(frame);
        addMagnet(registry, family, seriesName(prefix + "squash", frame, ".tga"), plain.x, plain.y, body,
                  makePose(squash, 0, 0, false));
        addMagnet(registry, family, seriesName(prefix + "heatedsquash", frame, ".png"), plain.x, plain.y, body,
                  makePose(squash, 0, 1, false));
    }
    for (int step = 0; step <= 6; ++step) {
        Pose pose = makePose(1, 0, coolingHeat(step), false);
        pose.steam = step / 6.0;
        addMagnet(registry, family, seriesName(prefix + "cooling", step, ".png"), 18, 12, body, pose);
    }
}

void addInflatable(Registry& registry, const char* family, bool left)
{
    std::string side = left ? "left" : "right";
    std::string prefix = "magnetinflatable" + side;
    Paint body = facing(drawInflatableMagnet, left);
    Origin plain = left ? Origin{16, 12} : Origin{18, 11};
    Origin special = left ? Origin{19, 12} : Origin{20, 11};
    // The left-facing one's frozen and hot pictures dropping right sit a pixel apart.
    Origin specialRight = left ? Origin{20, 11} : special;
    const struct {
        const char* name;
        double tilt;
        Origin origin;
    } stances[] = {{"still", 0, special}, {"left", kDropTilt, special}, {"right", -kDropTilt, specialRight}};
    for (const auto& s : stances) {
        addMagnet(registry, family, prefix + s.name + "0.tga", plain.x, plain.y, body, makePose(1, s.tilt, 0, false));
        addMagnet(registry, family, prefix + s.name + "frozen0.tga", s.origin.x, s.origin.y, body,
                  makePose(1, s.tilt, 0, true));
        addMagnet(registry, family, prefix + s.name + "heated0.tga", s.origin.x, s.origin.y, body,
                  makePose(1, s.tilt, 1, false));
    }
    for (int frame : {0, 1, 4})
        addMagnet(registry, family, seriesName(prefix + "squash", frame, ".tga"), plain.x, plain.y, body,
                  makePose(landingSquash(frame), 0, 0, false));
    // Blowing up: an empty skin, rounder and rounder, a last wobble.
    const struct {
        int frame;
        double sx, sy;
    } steps[] = {{1, 0.68, 0.42}, {2, 0.86, 0.74}, {4, 1.06, 0.93}};
    addMagnet(registry, family, "magnetinflate" + side + "0.tga", plain.x, plain.y,
              [left](cairo_t* cr) { drawDeflatedSkin(cr, palette::rubber, left ? 21 : 3, 16, 24); }, Pose());
    for (const auto& step : steps) {
        Paint grown = [=](cairo_t* cr) { drawBlownUp(cr, body, step.sx, step.sy); };
        addMagnet(registry, family, seriesName("magnetinflate" + side, step.frame, ".tga"), plain.x, plain.y, grown,
                  Pose());
    }
}

void registerMagnets(Registry& registry, const char* family)
{
    for (bool left : {true, false}) {
        addNormal(registry, family, left);
        addInflatable(registry, family, left);
    }
}

FamilyRegistration magnets("magnets", registerMagnets);

} // namespace
