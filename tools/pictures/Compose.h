#pragma once

#include "Registry.h"

#include <cairo.h>

#include <string>

// Pictures made of other registered pictures (an editor icon showing an
// element as the level shows it, a screen put together for a preview).

// Draws a registered picture onto a new surface of its size.
cairo_surface_t* renderPicture(const Picture& picture);

// Paints the named picture with its top-left corner at (x, y); false when no
// picture has that name.
bool paintPicture(cairo_t* cr, const std::string& name, double x, double y);

// A registered picture drawn onto a new surface, with the box around its
// pixels whose alpha is above a threshold (x1 < 0: nothing shows). The
// owner destroys the image. Null image when no picture has the name, which
// is reported on standard error with `who` as the prefix.
struct VisiblePart {
    cairo_surface_t* image = nullptr;
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};
VisiblePart renderVisiblePart(const std::string& name, int alphaAbove, const char* who);
