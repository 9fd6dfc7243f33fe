// Pictures shown while the game starts: the window icon, the loading
// picture and the loading bar.
#include "../Registry.h"

#include <cmath>

namespace {

void drawIcon(cairo_t* cr)
{
    // Magenta is the icon's transparent colour.
    cairo_set_source_rgb(cr, 1, 0, 1);
    cairo_paint(cr);
    cairo_arc(cr, 16, 16, 13, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.95, 0.62, 0.18);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgb(cr, 0.25, 0.15, 0.08);
    cairo_stroke(cr);
}

void registerStartup(Registry& registry, const char* family)
{
    addPicture(registry, family, "icon.bmp", 32, 32, drawIcon);
}

FamilyRegistration startup("startup", registerStartup);

} // namespace
