// The choice of a level set, shown to a new player over the map: the heading
// and the three descriptions the screen paints onto its parchment, the three
// set buttons and the professor looking over the sheet's corner.
#include "../Registry.h"
#include "Lettering.h"
#include "MenuProfessor.h"
#include "Scenery.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr Color ink{0.36, 0.22, 0.10};

// Buttons: 120 x 54, the shadow drawn into a picture of its own.
constexpr int buttonWidth = 120, buttonHeight = 54;

void buttonPath(cairo_t* cr, double dx, double dy)
{
    roundedRect(cr, 3 + dx, 3 + dy, buttonWidth - 10, buttonHeight - 10, 14);
}

// A badge for each set in the button's left part.
void drawBadge(cairo_t* cr, int set, double cx, double cy)
{
    if (set == 0) {
        // A footprint trail: the regular adventure.
        for (int i = 0; i < 3; ++i) {
            double x = cx - 6 + i * 6, y = cy + 5 - i * 5 + (i % 2 ? -2 : 2);
            ellipsePath(cr, x, y, 2.6, 3.6);
            fillAndOutline(cr, palette::white, y - 4, y + 4, 1);
        }
    } else if (set == 1) {
        // A lightning bolt: the hard puzzles.
        cairo_move_to(cr, cx + 2, cy - 10);
        cairo_line_to(cr, cx - 6, cy + 1);
        cairo_line_to(cr, cx - 1, cy + 1);
        cairo_line_to(cr, cx - 3, cy + 10);
        cairo_line_to(cr, cx + 6, cy - 2);
        cairo_line_to(cr, cx + 1, cy - 2);
        cairo_close_path(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        fillAndOutline(cr, palette::yellow, cy - 10, cy + 10, 1.3);
    } else {
        // A smiling sun: the gentle levels.
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4;
            cairo_move_to(cr, cx + std::cos(a) * 7, cy + std::sin(a) * 7);
            cairo_line_to(cr, cx + std::cos(a) * 10.5, cy + std::sin(a) * 10.5);
        }
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        setColor(cr, palette::yellow);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        ellipsePath(cr, cx, cy, 6, 6);
        fillAndOutline(cr, palette::yellow, cy - 6, cy + 6, 1.3);
        cairo_arc(cr, cx, cy + 0.5, 3, 0.2 * M_PI, 0.8 * M_PI);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

struct SetLook {
    const char* word;
    Color face;
};

const SetLook LOOKS[] = {
    {"Regular", Color{0.30, 0.66, 0.30}},
    {"Advanced", Color{0.86, 0.32, 0.20}},
    {"Kids", Color{0.22, 0.56, 0.90}},
};

void drawButton(cairo_t* cr, int set, bool lit)
{
    const SetLook& look = LOOKS[set];
    if (lit) {
        buttonPath(cr, 0, 0);
        setColor(cr, Color{1.0, 0.88, 0.35, 0.9});
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
    }
    buttonPath(cr, 0, 0);
    fillShaded(cr, lit ? lighter(look.face, 0.15) : look.face, 3, buttonHeight - 7);
    strokeOutline(cr, 2.2);
    drawHighlight(cr, buttonWidth / 2.0 - 2, 9, buttonWidth * 0.36, 3, lit ? 0.55 : 0.4);
    drawBadge(cr, set, 21, buttonHeight / 2.0 - 2);
    Lettering words = captionLettering(set == 1 ? 17 : 19);
    words.outline = darker(look.face, 0.6);
    words.outlineWidth = 3.5;
    drawCenteredText(cr, look.word, 33, 3, buttonWidth - 44, buttonHeight - 12, words);
}

void drawButtonShadow(cairo_t* cr)
{
    buttonPath(cr, 4, 5);
    setColor(cr, Color{0.12, 0.06, 0.0, 0.35});
    cairo_fill(cr);
}

// The heading: 270 x 56, left of the professor.
void drawHeading(cairo_t* cr)
{
    Lettering style;
    style.size = 30;
    style.fill = Color{0.62, 0.22, 0.08};
    style.outline = Color{1.0, 0.95, 0.80};
    style.outlineWidth = 4;
    drawCenteredText(cr, "Where to, explorer?", 0, 2, 270, 34, style);
    Lettering under = style;
    under.size = 15;
    under.fill = ink;
    under.outlineWidth = 0;
    under.weight = FontWeight::Medium;
    drawCenteredText(cr, "Choose a set of levels to play.", 0, 36, 270, 18, under);
}

// A description: two lines in ink, 280 x 54.
void drawDescription(cairo_t* cr, const std::string& first, const std::string& second)
{
    Lettering style;
    style.size = 15;
    style.fill = ink;
    style.outlineWidth = 0;
    style.weight = FontWeight::Medium;
    drawTextAt(cr, first, 0, 17, style);
    drawTextAt(cr, second, 0, 37, style);
}

// The professor leans in over the sheet's top right corner.
void drawLeaningProfessor(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 70, 75);
    cairo_rotate(cr, -0.12);
    cairo_translate(cr, -70, -75);
    drawProfessorBust(cr, 4, 0, 0.84, true);
    cairo_restore(cr);
}

void registerSetChoice(Registry& registry, const char* family)
{
    const char* const keys[] = {"regular", "advanced", "kids"};
    for (int set = 0; set < 3; ++set) {
        std::string prefix = std::string("lvlset_button") + keys[set];
        addPicture(registry, family, prefix + "_base.png", buttonWidth, buttonHeight,
                   [set](cairo_t* cr) { drawButton(cr, set, false); });
        addPicture(registry, family, prefix + "_roll.png", buttonWidth, buttonHeight,
                   [set](cairo_t* cr) { drawButton(cr, set, true); });
        addPicture(registry, family, prefix + "_shadow.png", buttonWidth, buttonHeight, drawButtonShadow);
    }
    addPicture(registry, family, "lvlset_heading.png", 270, 56, drawHeading);
    struct Lines { const char* name; const char* first; const char* second; };
    const Lines descriptions[] = {
        {"lvlset_desc_regular.png", "The whole island: 85 levels, with", "26 tutorials to learn each trick."},
        {"lvlset_desc_advanced.png", "50 tough puzzles for players", "who already know every trick."},
        {"lvlset_desc_kids.png", "81 gentle levels for young", "explorers and first-timers."},
    };
    for (const Lines& lines : descriptions) {
        std::string first = lines.first, second = lines.second;
        addPicture(registry, family, lines.name, 280, 54,
                   [first, second](cairo_t* cr) { drawDescription(cr, first, second); });
    }
    addPicture(registry, family, "lvlset_prof.png", 140, 150, drawLeaningProfessor);
}

FamilyRegistration setChoice("setchoice", registerSetChoice);

} // namespace
