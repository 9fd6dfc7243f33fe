#pragma once

#include <cairo.h>

#include <functional>
#include <string>

// Contact sheets: one PNG per family in a folder, every picture of the family
// on a checkerboard (so transparency shows) with its name underneath, so the
// whole set can be looked over at a glance. Families may also register
// previews: a screen composed from their pictures the way the game places
// them, written beside the sheets.
int writeContactSheets(const std::string& dir);

struct PreviewRegistration {
    PreviewRegistration(const char* name, int width, int height, std::function<void(cairo_t*)> draw);
};
