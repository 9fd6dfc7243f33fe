// The game's own mouse pointer and the hourglass shown while a screen loads.
// The pointer's hot spot is its top-left corner, so the arrow's tip sits
// there; the hourglass is centred on the pointer position by the game.
#include "../Registry.h"
#include "../Style.h"


namespace {

constexpr int POINTER_W = 20;
constexpr int POINTER_H = 28;
constexpr int HOURGLASS_W = 30;
constexpr int HOURGLASS_H = 41;

void arrowPath(cairo_t* cr)
{
    cairo_move_to(cr, 1.0, 1.0);
    cairo_line_to(cr, 1.0, 22.0);
    cairo_line_to(cr, 6.5, 17.0);
    cairo_line_to(cr, 10.5, 26.0);
    cairo_line_to(cr, 14.5, 24.2);
    cairo_line_to(cr, 10.6, 15.4);
    cairo_line_to(cr, 17.5, 15.0);
    cairo_close_path(cr);
}

void drawPointer(cairo_t* cr)
{
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // A soft shadow down and right keeps the arrow readable on any picture.
    cairo_save(cr);
    cairo_translate(cr, 1.5, 1.5);
    arrowPath(cr);
    setColor(cr, withAlpha(palette::black, 0.30));
    cairo_fill(cr);
    cairo_restore(cr);

    arrowPath(cr);
    fillShaded(cr, palette::parchment, 1.0, 26.0);
    strokeOutline(cr, 1.6);

    // A warm stripe along the left edge, the game's accent colour.
    cairo_move_to(cr, 3.2, 5.5);
    cairo_line_to(cr, 3.2, 16.5);
    cairo_line_to(cr, 6.0, 13.8);
    cairo_close_path(cr);
    setColor(cr, withAlpha(palette::heat, 0.75));
    cairo_fill(cr);
}

void glassHalfPath(cairo_t* cr, double top, double bottom, double neckY)
{
    const double cx = HOURGLASS_W / 2.0;
    cairo_move_to(cr, 5.0, top);
    cairo_curve_to(cr, 5.0, top + 9.0, cx - 2.0, neckY - 4.0, cx - 1.6, neckY);
    cairo_curve_to(cr, cx - 2.0, neckY + 4.0, 5.0, bottom - 9.0, 5.0, bottom);
    cairo_line_to(cr, HOURGLASS_W - 5.0, bottom);
    cairo_curve_to(cr, HOURGLASS_W - 5.0, bottom - 9.0, cx + 2.0, neckY + 4.0, cx + 1.6, neckY);
    cairo_curve_to(cr, cx + 2.0, neckY - 4.0, HOURGLASS_W - 5.0, top + 9.0, HOURGLASS_W - 5.0, top);
    cairo_close_path(cr);
}

void drawHourglass(cairo_t* cr)
{
    const double cx = HOURGLASS_W / 2.0;
    const double glassTop = 5.0, glassBottom = HOURGLASS_H - 5.0, neck = HOURGLASS_H / 2.0;

    // Glass, faintly blue, with the sand: a little left above, a heap below
    // and the thin stream between them.
    glassHalfPath(cr, glassTop, glassBottom, neck);
    setColor(cr, withAlpha(palette::frost, 0.55));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, neck - 8.0, HOURGLASS_W, 8.0);
    fillShaded(cr, palette::sand, neck - 8.0, neck);
    cairo_new_path(cr);
    cairo_move_to(cr, 6.0, glassBottom);
    cairo_curve_to(cr, 9.0, glassBottom - 9.0, HOURGLASS_W - 9.0, glassBottom - 9.0, HOURGLASS_W - 6.0,
                   glassBottom);
    cairo_close_path(cr);
    fillShaded(cr, palette::sand, glassBottom - 8.0, glassBottom);
    cairo_new_path(cr);
    cairo_rectangle(cr, cx - 0.6, neck, 1.2, glassBottom - neck - 5.0);
    setColor(cr, darker(palette::sand, 0.15));
    cairo_fill(cr);
    cairo_restore(cr);
    glassHalfPath(cr, glassTop, glassBottom, neck);
    strokeOutline(cr, 1.4);
    drawHighlight(cr, 9.5, glassTop + 7.0, 1.6, 4.0, 0.5);

    // Wooden caps and the two posts holding them.
    for (double x : {4.0, HOURGLASS_W - 6.0}) {
        cairo_rectangle(cr, x, 4.0, 2.0, HOURGLASS_H - 8.0);
        fillAndOutline(cr, palette::woodDark, 4.0, HOURGLASS_H - 4.0, 1.0);
    }
    for (double y : {0.8, HOURGLASS_H - 5.8}) {
        roundedRect(cr, 1.0, y, HOURGLASS_W - 2.0, 5.0, 2.0);
        fillAndOutline(cr, palette::wood, y, y + 5.0, 1.4);
    }
}

void registerPointer(Registry& registry, const char* family)
{
    addPicture(registry, family, "mousepointer.tga", POINTER_W, POINTER_H, drawPointer);
    addPicture(registry, family, "hourglass.tga", HOURGLASS_W, HOURGLASS_H, drawHourglass);
}

FamilyRegistration pointer("pointer", registerPointer);

} // namespace
