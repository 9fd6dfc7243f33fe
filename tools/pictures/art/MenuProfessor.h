#pragma once

#include <cairo.h>

// The professor as he appears on the main menu, head and shoulders, for the
// parchments and tutorial notes that show him too. The bust fills a box of
// bustWidth x bustHeight at the given scale, its top-left corner at (x, y).
constexpr double bustWidth = 150, bustHeight = 170;
void drawProfessorBust(cairo_t* cr, double x, double y, double scale, bool facingPlayer);
