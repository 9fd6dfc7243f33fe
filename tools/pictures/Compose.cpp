#include "Compose.h"

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
