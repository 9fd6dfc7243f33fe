#pragma once

#include <cairo.h>

// Lettering in pictures uses Quicksand from Debian's fonts-quicksand,
// loaded from its files so that the pictures do not depend on the font
// configuration of the machine that builds them.
enum class FontWeight { Light, Regular, Medium, Bold };

// The face lives as long as the program; the tool stops with a message when
// the font file is missing.
cairo_font_face_t* quicksand(FontWeight weight);

// Adds the outline of a line of text to the current path, centred on cx with
// its baseline at y.
void centredTextPath(cairo_t* cr, cairo_font_face_t* face, double size, const char* text, double cx, double y);
