#include "Lettering.h"

#include <cmath>

namespace {

void placeFont(cairo_t* cr, double size, FontWeight weight)
{
    cairo_set_font_face(cr, quicksand(weight));
    cairo_set_font_size(cr, size);
    // Outlines only: no hinting, so the result does not depend on the
    // machine's font settings.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void paintText(cairo_t* cr, const std::string& text, double x, double baseline, const Lettering& style)
{
    if (style.shadowOffset > 0) {
        cairo_move_to(cr, x + style.shadowOffset, baseline + style.shadowOffset);
        cairo_text_path(cr, text.c_str());
        if (style.outlineWidth > 0) {
            cairo_set_line_width(cr, style.outlineWidth);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            setColor(cr, withAlpha(palette::black, 0.35));
            cairo_stroke_preserve(cr);
        }
        setColor(cr, withAlpha(palette::black, 0.35));
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
    if (style.outlineWidth > 0) {
        cairo_set_line_width(cr, style.outlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setColor(cr, style.outline);
        cairo_stroke_preserve(cr);
    }
    setColor(cr, style.fill);
    cairo_fill(cr);
}

} // namespace

void selectLettering(cairo_t* cr, double size, FontWeight weight)
{
    placeFont(cr, size, weight);
}

Lettering captionLettering(double size)
{
    Lettering style;
    style.size = size;
    style.fill = Color{1.0, 0.97, 0.86};
    style.outline = Color{0.30, 0.16, 0.06};
    style.outlineWidth = 4;
    return style;
}

double textWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void drawCenteredText(cairo_t* cr, const std::string& text, double x, double y, double w, double h,
                      const Lettering& style)
{
    cairo_save(cr);
    double size = style.size;
    placeFont(cr, size, style.weight);
    double room = w - style.outlineWidth - style.shadowOffset;
    double width = textWidth(cr, text);
    if (width > room) {
        size *= room / width;
        placeFont(cr, size, style.weight);
        width = textWidth(cr, text);
    }
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    // Centre on the height of capitals rather than the full ascent, which
    // reads as centred for mixed-case words.
    double capital = font.ascent * 0.72;
    double baseline = y + (h + capital) / 2;
    paintText(cr, text, x + (w - width) / 2, std::round(baseline), style);
    cairo_restore(cr);
}

void drawTextAt(cairo_t* cr, const std::string& text, double x, double y, const Lettering& style)
{
    cairo_save(cr);
    placeFont(cr, style.size, style.weight);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    paintText(cr, text, x, y + font.ascent * 0.36, style);
    cairo_restore(cr);
}
