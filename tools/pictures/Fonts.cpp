#include "Fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const kFontFolder = "/usr/share/fonts/truetype/quicksand/";
const char* const kFiles[] = {"Quicksand-Light.ttf", "Quicksand-Regular.ttf", "Quicksand-Medium.ttf",
                              "Quicksand-Bold.ttf"};

// Loaded once, on first use, whichever thread comes first.
struct Faces {
    FT_Library library = nullptr;
    cairo_font_face_t* faces[4] = {};

    Faces()
    {
        if (FT_Init_FreeType(&library) != 0)
            fail("cannot start FreeType");
        for (int i = 0; i < 4; ++i) {
            std::string path = std::string(kFontFolder) + kFiles[i];
            FT_Face face;
            if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
                fail(("cannot open " + path + " (install fonts-quicksand)").c_str());
            faces[i] = cairo_ft_font_face_create_for_ft_face(face, 0);
        }
    }

    [[noreturn]] static void fail(const char* reason)
    {
        fprintf(stderr, "picturetool: %s\n", reason);
        exit(1);
    }
};

} // namespace

cairo_font_face_t* quicksand(FontWeight weight)
{
    static Faces faces;
    return faces.faces[static_cast<int>(weight)];
}

void centredTextPath(cairo_t* cr, cairo_font_face_t* face, double size, const char* text, double cx, double y)
{
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_move_to(cr, cx - extents.x_bearing - extents.width / 2, y);
    cairo_text_path(cr, text);
}
