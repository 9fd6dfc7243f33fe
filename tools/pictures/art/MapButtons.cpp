// The map's buttons: the set tabs (the map paints each set's name and
// completion onto them), the small reset and change-set buttons, the
// high-score button with its greyed cover, the three buttons of the lower
// right corner, and the help note with its bouncing arrow for a new player.
#include "../Registry.h"
#include "Lettering.h"
#include "Scenery.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

// A wooden plank button, drawn in a box of w x h with room for the drop
// shadow below right; lit adds a warm rim and a lighter face.
void drawPlank(cairo_t* cr, double w, double h, Color face, bool lit)
{
    const double bw = w - 2, bh = h - 2, radius = std::fmin(8, bh / 2 - 1);
    if (lit) {
        roundedRect(cr, 0.5, 0.5, bw - 1, bh - 1, radius);
        setColor(cr, Color{1.0, 0.88, 0.35, 0.9});
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    roundedRect(cr, 1, 1, bw - 2, bh - 2, radius);
    fillShaded(cr, lit ? lighter(face, 0.18) : face, 1, bh - 1);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_move_to(cr, 8, bh * 0.55);
    cairo_curve_to(cr, bw * 0.35, bh * 0.45, bw * 0.6, bh * 0.68, bw - 8, bh * 0.55);
    setColor(cr, withAlpha(darker(face, 0.35), 0.35));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    strokeOutline(cr, 1.6);
    drawHighlight(cr, bw / 2, 4.5, bw * 0.38, 1.6, lit ? 0.5 : 0.35);
}

// The shadow picture: the button's shape, dark and soft; the button places
// it two pixels below right.
void drawPlankShadow(cairo_t* cr, double w, double h)
{
    const double bw = w - 2, bh = h - 2, radius = std::fmin(8, bh / 2 - 1);
    roundedRect(cr, 1, 1, bw - 2, bh - 2, radius);
    setColor(cr, Color{0.12, 0.06, 0.0, 0.38});
    cairo_fill(cr);
}

Lettering buttonWords(double size)
{
    Lettering style = captionLettering(size);
    style.outlineWidth = 3;
    return style;
}

constexpr Color tabWood{0.86, 0.70, 0.46};
constexpr Color smallWood{0.72, 0.50, 0.28};
constexpr Color cornerWood{0.78, 0.52, 0.26};
constexpr Color scoreGreen{0.24, 0.58, 0.36};

// Set tabs: 178 x 22; the name stands from x 11, the percentage ends at 165.
constexpr int tabWidth = 178, tabHeight = 22;
// Reset and change-set: 88 x 22.
constexpr int smallWidth = 88, smallHeight = 22;
// High scores: 76 x 34; the plank leaves the first 10 pixels clear, so the
// level's best steps written left of it never run under it.
constexpr int scoreWidth = 76, scoreHeight = 34;
constexpr int scoreMargin = 10;
// Lower right: 150 x 22, their words at (4, 0) in a 142 x 22 box.
constexpr int cornerWidth = 150, cornerHeight = 22;
constexpr int cornerTextWidth = 142;

void drawTrophy(cairo_t* cr, double cx, double top, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, scale, scale);
    const Color gold{1.0, 0.80, 0.22};
    // Handles.
    for (int side : {-1, 1}) {
        cairo_new_path(cr);
        cairo_arc(cr, side * 7.5, 5, 3.6, 0, 2 * M_PI);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, 3.4);
        cairo_stroke_preserve(cr);
        setColor(cr, gold);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, -8, 0);
    cairo_line_to(cr, 8, 0);
    cairo_curve_to(cr, 8, 9, 4, 12, 1.5, 13);
    cairo_line_to(cr, 1.5, 16);
    cairo_line_to(cr, 5, 18);
    cairo_line_to(cr, -5, 18);
    cairo_line_to(cr, -1.5, 16);
    cairo_line_to(cr, -1.5, 13);
    cairo_curve_to(cr, -4, 12, -8, 9, -8, 0);
    cairo_close_path(cr);
    fillAndOutline(cr, gold, 0, 18, 1.4);
    drawHighlight(cr, -3, 4, 2, 3.5, 0.6);
    cairo_restore(cr);
}

void drawScoreWords(cairo_t* cr)
{
    drawTrophy(cr, scoreMargin + 12, 6, 1.0);
    drawCenteredText(cr, "Scores", scoreMargin + 22, 0, scoreWidth - scoreMargin - 26, scoreHeight - 2,
                     buttonWords(14));
}

// Draws the plank pictures of the score button right of its margin.
void scorePicture(cairo_t* cr, const std::function<void(cairo_t*)>& draw)
{
    cairo_translate(cr, scoreMargin, 0);
    draw(cr);
}

// The note for a new player, above the play button. Its picture starts
// where the map puts it, but the note itself keeps to the right of the
// trails' easternmost bend.
constexpr int noteWidth = 230, noteHeight = 120;
constexpr int noteClear = 54;
// The words stand in the note: their picture is placed 20 pixels right of
// the note's and the words keep clear of the same bend.
constexpr int helpTextWidth = 190, helpTextClear = noteClear - 20 + 8;

void drawHelpNote(cairo_t* cr)
{
    cairo_translate(cr, noteClear, 0);
    const int width = noteWidth - noteClear;
    roundedRect(cr, 4, 5, width - 6, noteHeight - 7, 12);
    setColor(cr, Color{0.1, 0.05, 0, 0.3});
    cairo_fill(cr);
    roundedRect(cr, 1, 1, width - 6, noteHeight - 7, 12);
    fillLinear(cr, 0, 0, 0, noteHeight, Color{1.0, 0.97, 0.84}, Color{0.95, 0.86, 0.64});
    strokeOutline(cr, 2);
    roundedRect(cr, 6, 6, width - 16, noteHeight - 17, 8);
    setColor(cr, withAlpha(palette::woodDark, 0.4));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // A pin at the top.
    ellipsePath(cr, width / 2.0 - 3, 7, 4.5, 4.5);
    fillAndOutline(cr, palette::red, 2.5, 11.5, 1.2);
}

void drawHelpText(cairo_t* cr)
{
    Lettering heading;
    heading.size = 17;
    heading.fill = Color{0.62, 0.22, 0.08};
    heading.outlineWidth = 0;
    const double x = helpTextClear, w = helpTextWidth - helpTextClear;
    drawCenteredText(cr, "Welcome, explorer!", x, 2, w, 22, heading);
    Lettering words = heading;
    words.size = 13.5;
    words.fill = Color{0.30, 0.18, 0.08};
    words.weight = FontWeight::Medium;
    drawCenteredText(cr, "Pick a dot on the trail,", x, 24, w, 17, words);
    drawCenteredText(cr, "then press Play.", x, 40, w, 17, words);
}

constexpr int arrowWidth = 28, arrowHeight = 52;

void arrowPath(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 9, 2);
    cairo_line_to(cr, 19, 2);
    cairo_line_to(cr, 19, 30);
    cairo_line_to(cr, 26, 30);
    cairo_line_to(cr, 14, 49);
    cairo_line_to(cr, 2, 30);
    cairo_line_to(cr, 9, 30);
    cairo_close_path(cr);
}

void drawHelpArrow(cairo_t* cr)
{
    arrowPath(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    fillAndOutline(cr, Color{1.0, 0.62, 0.12}, 2, 49, 2);
    drawHighlight(cr, 13, 10, 2.5, 7, 0.6);
}

void drawHelpArrowShadow(cairo_t* cr)
{
    arrowPath(cr);
    setColor(cr, Color{0.1, 0.05, 0, 0.35});
    cairo_fill(cr);
}

void registerMapButtons(Registry& registry, const char* family)
{
    addPicture(registry, family, "map_buttonlevelset_base.png", tabWidth, tabHeight,
               [](cairo_t* cr) { drawPlank(cr, tabWidth, tabHeight, tabWood, false); });
    addPicture(registry, family, "map_buttonlevelset_rollover.png", tabWidth, tabHeight,
               [](cairo_t* cr) { drawPlank(cr, tabWidth, tabHeight, Color{0.98, 0.86, 0.52}, true); });
    addPicture(registry, family, "map_buttonlevelset_shadow.png", tabWidth, tabHeight,
               [](cairo_t* cr) { drawPlankShadow(cr, tabWidth, tabHeight); });

    addPicture(registry, family, "map_buttonchangereset_base.png", smallWidth, smallHeight,
               [](cairo_t* cr) { drawPlank(cr, smallWidth, smallHeight, smallWood, false); });
    addPicture(registry, family, "map_buttonchangereset_rollover.png", smallWidth, smallHeight,
               [](cairo_t* cr) { drawPlank(cr, smallWidth, smallHeight, smallWood, true); });
    addPicture(registry, family, "map_buttonchangereset_shadow.png", smallWidth, smallHeight,
               [](cairo_t* cr) { drawPlankShadow(cr, smallWidth, smallHeight); });
    addPicture(registry, family, "map_buttonchangereset_textreset.png", smallWidth, smallHeight, [](cairo_t* cr) {
        drawCenteredText(cr, "Reset", 4, 0, smallWidth - 10, smallHeight - 2, buttonWords(14));
    });
    addPicture(registry, family, "map_buttonchangereset_textchange.png", smallWidth, smallHeight, [](cairo_t* cr) {
        drawCenteredText(cr, "Next Set", 4, 0, smallWidth - 10, smallHeight - 2, buttonWords(14));
    });

    const double plankWidth = scoreWidth - scoreMargin;
    addPicture(registry, family, "map_buttonhighscores_base.png", scoreWidth, scoreHeight, [plankWidth](cairo_t* cr) {
        scorePicture(cr, [plankWidth](cairo_t* c) { drawPlank(c, plankWidth, scoreHeight, scoreGreen, false); });
    });
    addPicture(registry, family, "map_buttonhighscores_rollover.png", scoreWidth, scoreHeight,
               [plankWidth](cairo_t* cr) {
                   scorePicture(cr, [plankWidth](cairo_t* c) { drawPlank(c, plankWidth, scoreHeight, scoreGreen, true); });
               });
    addPicture(registry, family, "map_buttonhighscores_shadow.png", scoreWidth, scoreHeight, [plankWidth](cairo_t* cr) {
        scorePicture(cr, [plankWidth](cairo_t* c) { drawPlankShadow(c, plankWidth, scoreHeight); });
    });
    addPicture(registry, family, "map_buttonhighscores_text.png", scoreWidth, scoreHeight, drawScoreWords);
    // Tutorials have no score table: the button greys over.
    addPicture(registry, family, "map_buttonhighscores_fade.png", scoreWidth, scoreHeight, [](cairo_t* cr) {
        roundedRect(cr, scoreMargin + 1, 1, scoreWidth - scoreMargin - 4, scoreHeight - 4, 8);
        setColor(cr, Color{0.55, 0.55, 0.52, 0.72});
        cairo_fill(cr);
    });

    addPicture(registry, family, "map_buttonlowerright_base.png", cornerWidth, cornerHeight,
               [](cairo_t* cr) { drawPlank(cr, cornerWidth, cornerHeight, cornerWood, false); });
    addPicture(registry, family, "map_buttonlowerright_rollover.png", cornerWidth, cornerHeight,
               [](cairo_t* cr) { drawPlank(cr, cornerWidth, cornerHeight, cornerWood, true); });
    addPicture(registry, family, "map_buttonlowerright_shadow.png", cornerWidth, cornerHeight,
               [](cairo_t* cr) { drawPlankShadow(cr, cornerWidth, cornerHeight); });
    struct Words { const char* name; const char* words; };
    const Words corner[] = {{"map_buttonlowerright_textplay.png", "Play"},
                            {"map_buttonlowerright_textlevelmanager.png", "Level Manager"},
                            {"map_buttonlowerright_textmainmenu.png", "Main Menu"}};
    for (const Words& w : corner) {
        std::string words = w.words;
        addPicture(registry, family, w.name, cornerTextWidth, cornerHeight, [words](cairo_t* cr) {
            drawCenteredText(cr, words, 0, 0, cornerTextWidth - 6, cornerHeight - 2, buttonWords(15));
        });
    }

    addPicture(registry, family, "mapoverviewboxlockedmain.png", noteWidth, noteHeight, drawHelpNote);
    addPicture(registry, family, "maphelptext.png", helpTextWidth, 58, drawHelpText);
    addPicture(registry, family, "maphelparrow.png", arrowWidth, arrowHeight, drawHelpArrow);
    addPicture(registry, family, "maphelparrowshadow.png", arrowWidth, arrowHeight, drawHelpArrowShadow);
}

FamilyRegistration mapButtons("map_buttons", registerMapButtons);

} // namespace
