#include "Compose.h"

#include <algorithm>
#include <cstdio>

cairo_surface_t* renderPicture(const Picture& picture)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    cairo_t* cr = cairo_create(surface);
    picture.draw(cr);
    cairo_destroy(cr);
    return surface;
}

bool paintPicture(cairo_t* cr, const std::string& name, double x, double y)
{
    const Picture* picture = Registry::instance().find(name);
    if (!picture)
        return false;
    cairo_surface_t* image = renderPicture(*picture);
    cairo_save(cr);
    cairo_set_source_surface(cr, image, x, y);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
    return true;
}

VisiblePart renderVisiblePart(const std::string& name, int alphaAbove, const char* who)
{
    VisiblePart part;
    const Picture* source = Registry::instance().find(name);
    if (!source) {
        std::fprintf(stderr, "%s: no picture '%s'\n", who, name.c_str());
        return part;
    }
    part.image = renderPicture(*source);
    cairo_surface_flush(part.image);
    int width = cairo_image_surface_get_width(part.image), rows = cairo_image_surface_get_height(part.image);
    int stride = cairo_image_surface_get_stride(part.image);
    const unsigned char* data = cairo_image_surface_get_data(part.image);
    part.x0 = width;
    part.y0 = rows;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x)
            if (data[y * stride + x * 4 + 3] > alphaAbove) {
                part.x0 = std::min(part.x0, x);
                part.x1 = std::max(part.x1, x);
                part.y0 = std::min(part.y0, y);
                part.y1 = std::max(part.y1, y);
            }
    return part;
}
