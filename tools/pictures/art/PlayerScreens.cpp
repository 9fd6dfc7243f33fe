// The player's own screens: the profile chooser's panel, list and buttons,
// the settings screen's sliders and check boxes, the key-capture fields of
// the key bindings and the password field. Painted buttons in the colours of
// the change-player button; paper wells and wooden frames as on the menus.
#include "../Registry.h"
#include "Lettering.h"

#include <cmath>
#include <string>

namespace {

constexpr Color teal{0.16, 0.62, 0.60};
constexpr Color brick{0.80, 0.30, 0.22};
constexpr Color paper{1.0, 0.97, 0.88};
constexpr Color ink{0.16, 0.15, 0.31};

// ---------------------------------------------------------------------------
// Painted pill buttons: base, lifted rollover with a glow, and a shadow.

void drawPillShadow(cairo_t* cr, double w, double h)
{
    roundedRect(cr, 4, 4, w - 6, h - 6, (h - 6) / 2);
    setColor(cr, Color{0.1, 0.05, 0.0, 0.35});
    cairo_fill(cr);
}

Lettering pillLettering(Color fill, double size)
{
    Lettering style;
    style.size = size;
    style.fill = palette::white;
    style.outline = darker(fill, 0.55);
    style.outlineWidth = 3;
    return style;
}

void addPillButton(Registry& registry, const char* family, const std::string& prefix, int w, int h, Color fill,
                   const std::string& word, const char* rolloverWord = "rollover")
{
    auto face = [w, h, fill, word](cairo_t* cr, Color c, double glow) {
        drawPillButton(cr, w, h, c, glow, 7);
        drawCenteredText(cr, word, 6, 2, w - 14, h - 6, pillLettering(fill, 15));
    };
    addPicture(registry, family, prefix + "base.png", w, h, [face, fill](cairo_t* cr) { face(cr, fill, 0); });
    addPicture(registry, family, prefix + rolloverWord + ".png", w, h,
               [face, fill](cairo_t* cr) { face(cr, lighter(fill, 0.15), 0.8); });
    addPicture(registry, family, prefix + "shadow.png", w, h, [w, h](cairo_t* cr) { drawPillShadow(cr, w, h); });
}

// An arrow in a round button, pointing up or down.
void drawArrowButton(cairo_t* cr, double size, bool up, Color fill, double glow)
{
    double c = size / 2 - 1;
    if (glow > 0) {
        ellipsePath(cr, c, c, c - 1, c - 1);
        setColor(cr, Color{1.0, 0.9, 0.4, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    ellipsePath(cr, c, c, c - 3, c - 3);
    fillAndOutline(cr, fill, 2, size - 4, 2);
    drawHighlight(cr, c, c - c * 0.5, c * 0.5, 2.5, 0.35);
    double s = up ? -1 : 1;
    cairo_new_path(cr);
    cairo_move_to(cr, c, c + s * 8);
    cairo_line_to(cr, c - 9, c - s * 5);
    cairo_line_to(cr, c + 9, c - s * 5);
    cairo_close_path(cr);
    setColor(cr, palette::white);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.6);
}

void addArrowButton(Registry& registry, const char* family, const std::string& prefix, int size, bool up)
{
    addPicture(registry, family, prefix + "base.png", size, size,
               [size, up](cairo_t* cr) { drawArrowButton(cr, size, up, teal, 0); });
    addPicture(registry, family, prefix + "rollover.png", size, size,
               [size, up](cairo_t* cr) { drawArrowButton(cr, size, up, lighter(teal, 0.15), 0.8); });
    addPicture(registry, family, prefix + "shadow.png", size, size, [size](cairo_t* cr) {
        double c = size / 2.0;
        ellipsePath(cr, c + 1, c + 1, c - 3, c - 3);
        setColor(cr, Color{0.1, 0.05, 0.0, 0.35});
        cairo_fill(cr);
    });
}

// ---------------------------------------------------------------------------
// Panels and wells.

// A wooden board with a paper label across its top for the heading; the
// list and the buttons stand on the wood.
void drawWoodPanel(cairo_t* cr, double w, double h)
{
    drawPlankBoard(cr, w, h, {16, 2.4, 6, 0.55});
    // The grain of the planks.
    cairo_save(cr);
    roundedRect(cr, 2, 2, w - 8, h - 8, 16);
    cairo_clip(cr);
    for (int i = 0; i < 12; ++i) {
        double y = 10 + i * (h - 20) / 11.0;
        cairo_move_to(cr, 8, y);
        cairo_curve_to(cr, w * 0.3, y - 2.5, w * 0.6, y + 2.5, w - 12, y);
    }
    setColor(cr, withAlpha(palette::woodDark, 0.25));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // The paper label for the heading, pinned at both ends.
    roundedRect(cr, 12, 12, w - 28, 40, 6);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 12, 0, 52);
    cairo_pattern_add_color_stop_rgb(fill, 0, 1.0, 0.97, 0.86);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.95, 0.86, 0.66);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    strokeOutline(cr, 1.8);
    const double pins[][2] = {{20, 20}, {w - 24, 20}};
    for (const auto& n : pins) {
        ellipsePath(cr, n[0], n[1], 3, 3);
        fillAndOutline(cr, palette::red, n[1] - 3, n[1] + 3, 1);
    }
    // Nails in the corners of the board.
    const double nails[][2] = {{9, h - 13}, {w - 13, h - 13}};
    for (const auto& n : nails) {
        ellipsePath(cr, n[0], n[1], 2.6, 2.6);
        fillAndOutline(cr, palette::metal, n[1] - 3, n[1] + 3, 1);
    }
}

// A sunken paper well for lists and text fields.
void drawWell(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    roundedRect(cr, x, y, w, h, radius);
    setColor(cr, paper);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    // Inner shadow along the top and left edges.
    cairo_set_line_width(cr, 5);
    roundedRect(cr, x + 1.5, y + 1.5, w, h, radius);
    setColor(cr, Color{0.45, 0.30, 0.15, 0.25});
    cairo_stroke(cr);
    cairo_restore(cr);
    roundedRect(cr, x, y, w, h, radius);
    strokeOutline(cr, 1.6);
}

void drawRuledWell(cairo_t* cr, double w, double h, double firstRow, double rowHeight, int rows)
{
    drawWell(cr, 1, 1, w - 2, h - 2, 6);
    for (int r = 1; r < rows; ++r) {
        double y = firstRow + r * rowHeight + 0.5;
        cairo_move_to(cr, 6, y);
        cairo_line_to(cr, w - 6, y);
    }
    setColor(cr, Color{0.55, 0.70, 0.85, 0.45});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The selected row: a soft marker stroke across the row.
void drawSelector(cairo_t* cr, double w, double h, Color c)
{
    roundedRect(cr, 1, 1, w - 2, h - 2, h / 2 - 1);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(fill, 0, c.r, c.g, c.b, 0.35);
    cairo_pattern_add_color_stop_rgba(fill, 0.5, c.r, c.g, c.b, 0.55);
    cairo_pattern_add_color_stop_rgba(fill, 1, c.r, c.g, c.b, 0.35);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    setColor(cr, withAlpha(darker(c, 0.3), 0.8));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------------------
// Slider, check box, key fields.

constexpr int sliderWidth = 112, sliderHeight = 18;

void drawSliderValue(cairo_t* cr)
{
    roundedRect(cr, 2, 3, sliderWidth - 4, sliderHeight - 6, 5);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, sliderWidth, 0);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.36, 0.72, 0.26);
    cairo_pattern_add_color_stop_rgb(fill, 0.6, 0.98, 0.82, 0.16);
    cairo_pattern_add_color_stop_rgb(fill, 1, 1.0, 0.45, 0.10);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    drawHighlight(cr, sliderWidth / 2.0, 6, sliderWidth * 0.45, 1.6, 0.45);
}

void drawSliderFrame(cairo_t* cr)
{
    roundedRect(cr, 1, 1, sliderWidth - 2, sliderHeight - 2, 6);
    strokeOutline(cr, 2);
    // Tick marks at each of the eleven steps.
    for (int i = 1; i < 11; ++i) {
        double x = 2 + i * 10 - 0.5;
        cairo_move_to(cr, x, sliderHeight - 4);
        cairo_line_to(cr, x, sliderHeight - 1.5);
    }
    setColor(cr, withAlpha(palette::outline, 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawSliderShadow(cairo_t* cr)
{
    roundedRect(cr, 1, 1, sliderWidth - 2, sliderHeight - 2, 6);
    setColor(cr, Color{0.45, 0.30, 0.15, 0.22});
    cairo_fill(cr);
}

void drawSliderStep(cairo_t* cr, bool plus, Color fill, double glow)
{
    const double w = 17, h = 18, c = 8.5;
    if (glow > 0) {
        ellipsePath(cr, c, h / 2, 8, 8);
        setColor(cr, Color{1.0, 0.9, 0.4, glow});
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    ellipsePath(cr, c, h / 2, 6.5, 6.5);
    fillAndOutline(cr, fill, 2, h - 2, 1.6);
    cairo_move_to(cr, c - 3.5, h / 2);
    cairo_line_to(cr, c + 3.5, h / 2);
    if (plus) {
        cairo_move_to(cr, c, h / 2 - 3.5);
        cairo_line_to(cr, c, h / 2 + 3.5);
    }
    setColor(cr, palette::white);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    (void)w;
}

void addSliderStep(Registry& registry, const char* family, bool plus)
{
    std::string prefix = std::string("slider_button_") + (plus ? "plus" : "minus");
    addPicture(registry, family, prefix + "base.png", 17, 18, [plus](cairo_t* cr) { drawSliderStep(cr, plus, teal, 0); });
    addPicture(registry, family, prefix + "rollover.png", 17, 18,
               [plus](cairo_t* cr) { drawSliderStep(cr, plus, lighter(teal, 0.2), 0.8); });
    addPicture(registry, family, prefix + "shadow.png", 17, 18, [](cairo_t* cr) {
        ellipsePath(cr, 9.5, 10, 6.5, 6.5);
        setColor(cr, Color{0.1, 0.05, 0.0, 0.35});
        cairo_fill(cr);
    });
}

constexpr int boxSize = 24;

void drawCheckbox(cairo_t* cr, bool checked, double glow)
{
    if (glow > 0) {
        roundedRect(cr, 0.5, 0.5, boxSize - 1, boxSize - 1, 6);
        setColor(cr, Color{1.0, 0.85, 0.3, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    drawWell(cr, 3, 3, boxSize - 6, boxSize - 6, 4);
    if (!checked)
        return;
    cairo_move_to(cr, 6.5, 12.5);
    cairo_line_to(cr, 10.5, 17.5);
    cairo_line_to(cr, 19.5, 4.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::grass);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

// A key-capture field looks like a key cap on the keyboard.
constexpr int keyWidth = 130, keyHeight = 30;

void drawKeyCap(cairo_t* cr, Color top, double glow)
{
    if (glow > 0) {
        roundedRect(cr, 0.5, 0.5, keyWidth - 3, keyHeight - 3, 8);
        setColor(cr, Color{1.0, 0.85, 0.3, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    roundedRect(cr, 2, 2, keyWidth - 6, keyHeight - 6, 6);
    fillAndOutline(cr, darker(top, 0.12), 2, keyHeight - 4, 1.8);
    roundedRect(cr, 5, 3.5, keyWidth - 12, keyHeight - 10, 5);
    fillShaded(cr, top, 3.5, keyHeight - 6.5);
    setColor(cr, withAlpha(darker(top, 0.3), 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void registerPlayerScreens(Registry& registry, const char* family)
{
    // The profile chooser.
    addPicture(registry, family, "profile_select_main.png", 236, 290,
               [](cairo_t* cr) { drawWoodPanel(cr, 236, 290); });
    addPicture(registry, family, "profile_select_listbox.png", 166, 100,
               [](cairo_t* cr) { drawRuledWell(cr, 166, 100, 5, 21, 4); });
    addPicture(registry, family, "profile_select_selector.png", 161, 21,
               [](cairo_t* cr) { drawSelector(cr, 161, 21, palette::yellow); });
    addArrowButton(registry, family, "profile_button_up", 40, true);
    addArrowButton(registry, family, "profile_button_down", 40, false);
    addPillButton(registry, family, "profile_button_select", 80, 32, palette::grass, "Play");
    addPillButton(registry, family, "profile_button_delete", 80, 32, brick, "Delete");
    addPillButton(registry, family, "profile_button_rename", 162, 32, teal, "Rename");
    addPillButton(registry, family, "profile_button_add", 162, 32, teal, "New Player");

    // The settings screen.
    addPicture(registry, family, "slider_shadow.png", sliderWidth, sliderHeight, drawSliderShadow);
    addPicture(registry, family, "slider_frame.png", sliderWidth, sliderHeight, drawSliderFrame);
    addPicture(registry, family, "slider_value.png", sliderWidth, sliderHeight, drawSliderValue);
    addPicture(registry, family, "slider_greyout.png", 152, sliderHeight + 2, [](cairo_t* cr) {
        roundedRect(cr, 0, 0, 152, sliderHeight + 2, 8);
        setColor(cr, Color{0.93, 0.88, 0.78, 0.78});
        cairo_fill(cr);
    });
    addSliderStep(registry, family, false);
    addSliderStep(registry, family, true);
    addPicture(registry, family, "checkbox_base.png", boxSize, boxSize, [](cairo_t* cr) { drawCheckbox(cr, false, 0); });
    addPicture(registry, family, "checkbox_rollover.png", boxSize, boxSize,
               [](cairo_t* cr) { drawCheckbox(cr, false, 0.9); });
    addPicture(registry, family, "checkbox_basecheck.png", boxSize, boxSize,
               [](cairo_t* cr) { drawCheckbox(cr, true, 0); });
    addPicture(registry, family, "checkbox_rollovercheck.png", boxSize, boxSize,
               [](cairo_t* cr) { drawCheckbox(cr, true, 0.9); });

    // The key bindings.
    addPicture(registry, family, "optionscontrolsinputbase.png", keyWidth, keyHeight,
               [](cairo_t* cr) { drawKeyCap(cr, Color{0.96, 0.94, 0.88}, 0); });
    addPicture(registry, family, "optionscontrolsinputrollover.png", keyWidth, keyHeight,
               [](cairo_t* cr) { drawKeyCap(cr, Color{1.0, 0.98, 0.80}, 0.9); });
    addPicture(registry, family, "optionscontrolsinputshadow.png", keyWidth, keyHeight, [](cairo_t* cr) {
        roundedRect(cr, 4, 4, keyWidth - 6, keyHeight - 6, 6);
        setColor(cr, Color{0.1, 0.05, 0.0, 0.35});
        cairo_fill(cr);
    });
    addPicture(registry, family, "optionscontrolscursor.png", 3, 18, [](cairo_t* cr) {
        cairo_rectangle(cr, 0, 0, 3, 18);
        setColor(cr, ink);
        cairo_fill(cr);
    });

    // The password field.
    addPicture(registry, family, "password_entry.png", 170, 36,
               [](cairo_t* cr) { drawWell(cr, 1, 1, 168, 34, 7); });
}

FamilyRegistration playerScreens("player_screens", registerPlayerScreens);

} // namespace
