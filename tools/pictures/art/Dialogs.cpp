// The pieces of the dialogs and of the game screen's frame: the OK and
// Cancel buttons of the message boxes with the quill emblem between their
// title and body, the parchment strip buttons of the in-game menu, the
// in-game menu button, the replay banner, the step counter's bezel and the
// panel that explains the map's tutorial stars.
#include "../Registry.h"
#include "Lettering.h"

#include <cmath>
#include <string>

namespace {

// ---- Message box buttons: a round-ended wooden tag with its word.
constexpr int tagWidth = 80, tagHeight = 40;
constexpr double tagW = 74, tagH = 34;

struct TagLook {
    Color wood;
    const char* word;
};

void drawTag(cairo_t* cr, const TagLook& look, double x, double y, double glow)
{
    if (glow > 0) {
        roundedRect(cr, x - 1, y - 1, tagW + 2, tagH + 2, 16);
        setColor(cr, Color{1.0, 0.88, 0.35, glow});
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
    roundedRect(cr, x, y, tagW, tagH, 15);
    fillAndOutline(cr, look.wood, y, y + tagH, 2.2);
    drawHighlight(cr, x + tagW / 2, y + 8, tagW * 0.36, 3, 0.4);
    Lettering style;
    style.size = 19;
    style.fill = palette::white;
    style.outline = darker(look.wood, 0.6);
    style.outlineWidth = 3.2;
    drawCenteredText(cr, look.word, x + 6, y + 2, tagW - 12, tagH - 4, style);
}

void drawTagShadow(cairo_t* cr)
{
    roundedRect(cr, 5, 5, tagW, tagH, 15);
    setColor(cr, Color{0.12, 0.06, 0.0, 0.35});
    cairo_fill(cr);
}

void registerTag(Registry& registry, const char* family, const std::string& kind, TagLook look)
{
    addPicture(registry, family, "confirmation_button" + kind + "base.png", tagWidth, tagHeight,
               [look](cairo_t* cr) { drawTag(cr, look, 2, 2, 0); });
    addPicture(registry, family, "confirmation_button" + kind + "shadow.png", tagWidth, tagHeight, drawTagShadow);
    TagLook lit{lighter(look.wood, 0.18), look.word};
    addPicture(registry, family, "confirmation_button" + kind + "roll.png", tagWidth, tagHeight,
               [lit](cairo_t* cr) { drawTag(cr, lit, 2, 2, 0.85); });
}

// ---- The emblem of the message box: a quill standing in an inkwell.
void drawQuillAndInk(cairo_t* cr)
{
    const double cx = 70;
    // The quill, leaning right, behind the well.
    cairo_save(cr);
    cairo_translate(cr, cx + 6, 62);
    cairo_rotate(cr, 0.42);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -14, -16, -12, -44, 0, -60);
    cairo_curve_to(cr, 10, -44, 12, -18, 0, 0);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.98, 0.96, 0.90}, -60, 0, 1.6);
    for (int i = 1; i < 7; ++i) {
        double y = -8.0 * i;
        cairo_move_to(cr, 0, y + 5);
        cairo_line_to(cr, -7 + i * 0.3, y - 1);
        cairo_move_to(cr, 0, y + 5);
        cairo_line_to(cr, 7 - i * 0.3, y - 1);
    }
    setColor(cr, withAlpha(palette::outline, 0.35));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, -58);
    setColor(cr, withAlpha(palette::outline, 0.6));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // The inkwell: a squat dark-glass pot with a brass rim.
    ellipsePath(cr, cx, 90, 34, 4);
    setColor(cr, Color{0.2, 0.1, 0.0, 0.25});
    cairo_fill(cr);
    cairo_move_to(cr, cx - 26, 88);
    cairo_curve_to(cr, cx - 34, 70, cx - 26, 58, cx - 14, 56);
    cairo_line_to(cr, cx + 14, 56);
    cairo_curve_to(cr, cx + 26, 58, cx + 34, 70, cx + 26, 88);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.16, 0.20, 0.36}, 56, 88, 2);
    drawHighlight(cr, cx - 12, 66, 6, 9, 0.45);
    roundedRect(cr, cx - 16, 50, 32, 8, 3);
    fillAndOutline(cr, Color{0.86, 0.68, 0.30}, 50, 58, 1.6);
}

// ---- In-game menu buttons: a strip of light parchment with rolled ends.
constexpr int stripWidth = 186, stripHeight = 28;

void drawStrip(cairo_t* cr, Color paper, double glow)
{
    if (glow > 0) {
        roundedRect(cr, 2, 1, stripWidth - 4, stripHeight - 2, 11);
        setColor(cr, Color{1.0, 0.86, 0.32, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    roundedRect(cr, 6, 3, stripWidth - 12, stripHeight - 6, 4);
    fillAndOutline(cr, paper, 3, stripHeight - 3, 1.4);
    // The rolled ends, slim so that a long caption keeps clear of them.
    for (double x : {1.0, stripWidth - 9.0}) {
        roundedRect(cr, x, 2, 8, stripHeight - 4, 4);
        fillAndOutline(cr, darker(paper, 0.12), 2, stripHeight - 2, 1.4);
        cairo_move_to(cr, x + 4, 5);
        cairo_line_to(cr, x + 4, stripHeight - 5);
        setColor(cr, withAlpha(palette::outline, 0.3));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// ---- The in-game menu button: a small wooden plaque with its word.
constexpr int menuButtonWidth = 52, menuButtonHeight = 30;

void drawMenuPlaque(cairo_t* cr, Color wood, double glow)
{
    if (glow > 0) {
        roundedRect(cr, 1, 1, menuButtonWidth - 2, menuButtonHeight - 2, 9);
        setColor(cr, Color{1.0, 0.88, 0.35, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    roundedRect(cr, 3, 3, menuButtonWidth - 6, menuButtonHeight - 6, 7);
    fillAndOutline(cr, wood, 3, menuButtonHeight - 3, 2);
    drawHighlight(cr, menuButtonWidth / 2.0, 8, 15, 2, 0.35);
    Lettering style = captionLettering(15);
    drawCenteredText(cr, "Menu", 6, 4, menuButtonWidth - 12, menuButtonHeight - 8, style);
}

// ---- The banner shown while a recorded solution plays back.
constexpr int bannerWidth = 282, bannerHeight = 36;

void drawReplayBanner(cairo_t* cr)
{
    const Color ribbon{0.78, 0.18, 0.16};
    // Swallow-tailed ends behind the band.
    for (int side = 0; side < 2; ++side) {
        double x0 = side ? bannerWidth - 2.0 : 2.0;
        double dir = side ? -1 : 1;
        cairo_move_to(cr, x0, 8);
        cairo_line_to(cr, x0 + dir * 30, 8);
        cairo_line_to(cr, x0 + dir * 30, 32);
        cairo_line_to(cr, x0, 32);
        cairo_line_to(cr, x0 + dir * 9, 20);
        cairo_close_path(cr);
        fillAndOutline(cr, darker(ribbon, 0.2), 8, 32, 1.8);
    }
    roundedRect(cr, 22, 3, bannerWidth - 44, 27, 5);
    fillAndOutline(cr, ribbon, 3, 30, 2);
    drawHighlight(cr, bannerWidth / 2.0, 9, 100, 2.5, 0.3);
    // A play mark before the words.
    cairo_move_to(cr, 38, 9);
    cairo_line_to(cr, 52, 16.5);
    cairo_line_to(cr, 38, 24);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::white, 9, 24, 1.4);
    Lettering style;
    style.size = 18;
    style.fill = Color{1.0, 0.96, 0.86};
    style.outline = darker(ribbon, 0.6);
    style.outlineWidth = 3;
    drawCenteredText(cr, "Showing the Solution", 58, 4, bannerWidth - 90, 25, style);
}

// ---- The step counter's bezel: brass around a window left open for the
// rolling digits (5 digits, 13 pixels apart, 20 high, 10 and 5 pixels in).
constexpr int bezelWidth = 85, bezelHeight = 30;

void drawCounterBezel(cairo_t* cr)
{
    const Color brass{0.84, 0.64, 0.28};
    roundedRect(cr, 1, 1, bezelWidth - 2, bezelHeight - 2, 7);
    roundedRect(cr, 9, 4, 67, 22, 3);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fillShaded(cr, brass, 1, bezelHeight - 1);
    strokeOutline(cr, 1.8);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    for (double x : {5.0, bezelWidth - 5.0}) {
        ellipsePath(cr, x, bezelHeight / 2.0, 2, 2);
        setColor(cr, darker(brass, 0.45));
        cairo_fill(cr);
    }
    // A faint smoky glass behind the digits.
    roundedRect(cr, 9, 4, 67, 22, 3);
    setColor(cr, Color{0.10, 0.07, 0.04, 0.35});
    cairo_fill(cr);
}

// ---- The explanation of the tutorial stars, with a place left for the
// turning star (its picture is drawn by the screen) and the OK button.
constexpr int explainWidth = 402, explainHeight = 290;

void drawStarExplanation(cairo_t* cr)
{
    roundedRect(cr, 6, 6, explainWidth - 12, explainHeight - 12, 18);
    fillShaded(cr, palette::parchment, 6, explainHeight - 6);
    strokeOutline(cr, 2.4);
    roundedRect(cr, 18, 18, explainWidth - 36, explainHeight - 36, 10);
    setColor(cr, withAlpha(Color{0.55, 0.36, 0.18}, 0.5));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // The star sits at (295, 60) of this picture: a soft ring marks its place.
    drawSoftGlow(cr, 305, 74, 30, Color{1.0, 0.86, 0.3, 0.5});
    Lettering title = captionLettering(24);
    drawCenteredText(cr, "Tutorial Levels", 30, 28, 240, 34, title);
    Lettering body;
    body.size = 17;
    body.fill = Color{0.29, 0.18, 0.09};
    body.outlineWidth = 0;
    body.weight = FontWeight::Medium;
    const char* lines[] = {"A star on the map marks a level", "that teaches something new.",
                           "Play it to learn a trick you will", "need in the levels after it.",
                           "Tutorial levels have no score."};
    double y = 104;
    for (const char* line : lines) {
        drawCenteredText(cr, line, 30, y, explainWidth - 60, 24, body);
        y += 25;
    }
}

void registerDialogs(Registry& registry, const char* family)
{
    registerTag(registry, family, "okay", TagLook{Color{0.30, 0.62, 0.26}, "OK"});
    registerTag(registry, family, "cancel", TagLook{Color{0.78, 0.26, 0.20}, "Cancel"});
    addPicture(registry, family, "parchment_confirmation.png", 140, 96, drawQuillAndInk);
    const Color paper{0.99, 0.93, 0.78};
    addPicture(registry, family, "krvl_button_base.png", stripWidth, stripHeight,
               [paper](cairo_t* cr) { drawStrip(cr, paper, 0); });
    addPicture(registry, family, "krvl_button_select.png", stripWidth, stripHeight,
               [paper](cairo_t* cr) { drawStrip(cr, lighter(paper, 0.5), 0.9); });
    addPicture(registry, family, "ingame_menubutton.tga", menuButtonWidth, menuButtonHeight,
               [](cairo_t* cr) { drawMenuPlaque(cr, palette::wood, 0); });
    addPicture(registry, family, "ingame_menubutton_selected.tga", menuButtonWidth, menuButtonHeight,
               [](cairo_t* cr) { drawMenuPlaque(cr, lighter(palette::wood, 0.18), 0.85); });
    addPicture(registry, family, "show_solution.tga", bannerWidth, bannerHeight, drawReplayBanner);
    addPicture(registry, family, "Step Counter 03.png", bezelWidth, bezelHeight, drawCounterBezel);
    addPicture(registry, family, "mapstar_explain.png", explainWidth, explainHeight, drawStarExplanation);
}

FamilyRegistration dialogs("dialogs", registerDialogs);

} // namespace
