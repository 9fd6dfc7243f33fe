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
