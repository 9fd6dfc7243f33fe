#include "CatchScene.h"

#include <cmath>

using namespace figure;

namespace catchscene {

void drawArm(cairo_t* cr, Point from, Point to)
{
    double length = std::hypot(to.x - from.x, to.y - from.y);
    if (length < 0.5)
        return;
    limb(cr, {from, to}, 2.0, palette::metal, 0.8);
    // Collars where the sections slide into each other.
    int collars = static_cast<int>(length / 5.0);
    for (int i = 1; i <= collars; ++i) {
        double t = i * 5.0 / length;
        Point c{lerp(from.x, to.x, t), lerp(from.y, to.y, t)};
        double a = std::atan2(to.y - from.y, to.x - from.x);
        cairo_save(cr);
        cairo_translate(cr, c.x, c.y);
        cairo_rotate(cr, a);
        roundedRect(cr, -0.7, -1.6, 1.4, 3.2, 0.5);
        fillAndOutline(cr, palette::metalDark, -1.6, 1.6, 0.6);
        cairo_restore(cr);
    }
}

void drawClaw(cairo_t* cr, Point at, double angle, double open)
{
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, angle);
    for (double side : {-1.0, 1.0}) {
        double spread = side * (0.25 + 0.6 * open);
        Point knuckle{2.2 * std::cos(spread), 2.2 * std::sin(spread)};
        Point tip{knuckle.x + 2.4 * std::cos(-spread * 0.9), knuckle.y + 2.4 * std::sin(-spread * 0.9)};
        limb(cr, {{0, 0}, knuckle, tip}, 1.2, palette::metalDark, 0.6);
    }
    blob(cr, 0, 0, 1.7, 1.7, palette::metal, 0.7);
    cairo_restore(cr);
}

} // namespace catchscene
