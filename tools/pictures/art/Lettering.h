#pragma once

#include "../Fonts.h"
#include "../Style.h"

#include <cairo.h>

#include <string>

// Words painted into pictures (button captions, labels on the map) in the
// game's Quicksand face, filled and outlined, fitted to their boxes.
void selectLettering(cairo_t* cr, double size, FontWeight weight = FontWeight::Bold);

struct Lettering {
    double size = 20;
    Color fill = palette::white;
    Color outline = palette::outline;
    double outlineWidth = 3;     // 0: no outline
    double shadowOffset = 0;     // a soft drop shadow below right, 0: none
    FontWeight weight = FontWeight::Bold;
};

// The warm cream-on-brown lettering of the menu's and map's captions.
Lettering captionLettering(double size);

// Width of the text at the current font.
double textWidth(cairo_t* cr, const std::string& text);

// Draws the text centred in the box, shrinking the size until it fits the
// box's width.
void drawCenteredText(cairo_t* cr, const std::string& text, double x, double y, double w, double h,
                      const Lettering& style);

// Draws the text with its left end at x, centred on the line y.
void drawTextAt(cairo_t* cr, const std::string& text, double x, double y, const Lettering& style);
