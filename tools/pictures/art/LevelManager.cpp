// The level manager: a wooden board with the list of the player's levels
// on a sheet of paper at the left and a card with the selected level's
// details at the right, and its painted buttons.
#include "../Registry.h"
#include "Lettering.h"

#include <string>

namespace {

constexpr int boardWidth = 790, boardHeight = 578;
constexpr Color teal{0.16, 0.62, 0.60};
constexpr Color brick{0.80, 0.30, 0.22};
constexpr Color paper{1.0, 0.97, 0.88};
constexpr Color ink{0.16, 0.15, 0.31};

Lettering heading(double size)
{
    Lettering style = captionLettering(size);
    style.shadowOffset = 1.5;
    return style;
}

Lettering label()
{
    Lettering style;
    style.size = 16;
    style.fill = ink;
    style.outlineWidth = 0;
    return style;
}

void drawBoard(cairo_t* cr)
{
    const double w = boardWidth, h = boardHeight;
    drawPlankBoard(cr, w, h, {18, 2.6, 9, 0.5});
    // The title over the list.
    drawCenteredText(cr, "Your Levels", 13, 8, 409, 44, heading(28));
    drawTextAt(cr, "Sort by", 60, 528, heading(17));
    // The details card: the level's heading stands on it 6 pixels in from
    // its sides (x 483 to 779 on the screen); clear of the list's arrows at
    // its left and of the board's edge at its right.
    roundedRect(cr, 472, 20, 308, 220, 10);
    setColor(cr, paper);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 2);
    cairo_move_to(cr, 486, 64.5);
    cairo_line_to(cr, 766, 64.5);
    setColor(cr, withAlpha(palette::woodDark, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Labels beside the texts the screen puts on the card (at y 97, 124, 175
    // and 202), their letters standing on the same line as the values'.
    drawTextAt(cr, "File:", 490, 97, label());
    drawTextAt(cr, "Date:", 490, 123, label());
    drawTextAt(cr, "Played:", 560, 175, label());
    drawTextAt(cr, "Completed:", 560, 201, label());
}

void drawListSheet(cairo_t* cr, int w, int h)
{
    roundedRect(cr, 1, 1, w - 2, h - 2, 6);
    setColor(cr, paper);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.6);
    for (int r = 1; r < 22; ++r) {
        double y = 9 + r * 19 + 0.5;
        cairo_move_to(cr, 6, y);
        cairo_line_to(cr, w - 6, y);
    }
    setColor(cr, Color{0.55, 0.70, 0.85, 0.45});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The margin line between the name and the date.
    cairo_move_to(cr, 316.5, 4);
    cairo_line_to(cr, 316.5, h - 4);
    setColor(cr, Color{0.85, 0.35, 0.35, 0.5});
    cairo_stroke(cr);
}

void drawSelector(cairo_t* cr, int w, int h)
{
    roundedRect(cr, 1, 1, w - 2, h - 2, h / 2.0 - 1);
    setColor(cr, withAlpha(palette::yellow, 0.5));
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha(darker(palette::yellow, 0.3), 0.8));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void drawPill(cairo_t* cr, double w, double h, Color fill, double glow, const std::string& word, double size)
{
    drawPillButton(cr, w, h, fill, glow, 8);
    Lettering style;
    style.size = size;
    style.fill = palette::white;
    style.outline = darker(fill, 0.55);
    style.outlineWidth = 3;
    drawCenteredText(cr, word, 8, 2, w - 18, h - 6, style);
}

void drawArrow(cairo_t* cr, double size, bool up, double glow)
{
    double c = size / 2 - 1;
    if (glow > 0) {
        ellipsePath(cr, c, c, c - 1, c - 1);
        setColor(cr, Color{1.0, 0.9, 0.4, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    ellipsePath(cr, c, c, c - 3, c - 3);
    fillAndOutline(cr, glow > 0 ? lighter(teal, 0.15) : teal, 2, size - 4, 2);
    double s = up ? -1 : 1;
    cairo_move_to(cr, c, c + s * 8);
    cairo_line_to(cr, c - 9, c - s * 5);
    cairo_line_to(cr, c + 9, c - s * 5);
    cairo_close_path(cr);
    setColor(cr, palette::white);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.6);
}

void addShadow(Registry& registry, const char* family, const std::string& name, int w, int h, bool round)
{
    addPicture(registry, family, name, w, h, [w, h, round](cairo_t* cr) {
        if (round)
            ellipsePath(cr, w / 2.0 + 1, h / 2.0 + 1, w / 2.0 - 4, h / 2.0 - 4);
        else
            roundedRect(cr, 4, 4, w - 6, h - 6, (h - 6) / 2.0);
        setColor(cr, Color{0.1, 0.05, 0.0, 0.35});
        cairo_fill(cr);
    });
}

void addButton(Registry& registry, const char* family, const std::string& part, int w, int h, Color fill,
               const std::string& word, double size)
{
    const std::string prefix = "levelmanager_button_" + part;
    addPicture(registry, family, prefix + "base.png", w, h,
               [=](cairo_t* cr) { drawPill(cr, w, h, fill, 0, word, size); });
    addPicture(registry, family, prefix + "rollover.png", w, h,
               [=](cairo_t* cr) { drawPill(cr, w, h, lighter(fill, 0.15), 0.8, word, size); });
}

void registerLevelManager(Registry& registry, const char* family)
{
    addPicture(registry, family, "levelmanager_main.png", boardWidth, boardHeight, drawBoard);
    addPicture(registry, family, "levelmanager_listbox.jpg", 413, 446,
               [](cairo_t* cr) { drawListSheet(cr, 413, 446); });
    addPicture(registry, family, "levelmanager_selector.png", 405, 19, [](cairo_t* cr) { drawSelector(cr, 405, 19); });
    addButton(registry, family, "name", 110, 34, teal, "Name", 16);
    addButton(registry, family, "date", 110, 34, teal, "Date", 16);
    addShadow(registry, family, "levelmanager_button_dateshadow.png", 110, 34, false);
    for (bool up : {true, false}) {
        std::string prefix = std::string("levelmanager_button_arrow") + (up ? "1" : "2");
        addPicture(registry, family, prefix + "base.png", 40, 40, [up](cairo_t* cr) { drawArrow(cr, 40, up, 0); });
        addPicture(registry, family, prefix + "rollover.png", 40, 40,
                   [up](cairo_t* cr) { drawArrow(cr, 40, up, 0.8); });
    }
    addShadow(registry, family, "levelmanager_button_arrowshadow.png", 40, 40, true);
    addButton(registry, family, "play", 120, 44, palette::grass, "Play", 20);
    addButton(registry, family, "remove", 120, 44, brick, "Remove", 18);
    addShadow(registry, family, "levelmanager_button_playshadow.png", 120, 44, false);
    addButton(registry, family, "morelevels", 200, 44, teal, "More Levels", 18);
    addButton(registry, family, "reset", 200, 44, teal, "Reset My Records", 17);
    addButton(registry, family, "map", 200, 44, palette::wood, "Map", 18);
    addButton(registry, family, "mainmenu", 200, 44, palette::wood, "Main Menu", 18);
    addShadow(registry, family, "levelmanager_button_resetshadow.png", 200, 44, false);
}

FamilyRegistration levelManager("level_manager", registerLevelManager);

} // namespace
